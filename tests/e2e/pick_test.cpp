// The pick-colour eyedropper used as a person would: press on it, wander over
// a window of the driver's own painted in known colours, release or press Esc.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e::expected;

using e2e::Area;
using e2e::ColourOfHex;
using e2e::DecimalText;
using e2e::HexText;
using e2e::Inset;
using e2e::Middle;
using e2e::Tintwell;
// The test thread owns the source window: waits dispatch its messages.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    return e2e::WaitPumping(done, timeoutMs);
}

// The driver's source window: three solid areas side by side, left of and
// below the main window (which sits at 347,269 to 677,469 on 1024x768).
constexpr COLORREF kAreas[] = {0x00C8641E, 0x003CB4F0, 0x00A01E5A};
constexpr int kAreaCount = 3;
constexpr int kAreaSize = 100;
constexpr int kSourceX = 30, kSourceY = 520;

// The colour the program starts with, from its settings file.
constexpr COLORREF kStartColour = 0x00963C5A;

LRESULT CALLBACK SourceProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        for (int i = 0; i < kAreaCount; ++i) {
            RECT r{i * kAreaSize, 0, (i + 1) * kAreaSize, kAreaSize};
            HBRUSH brush = CreateSolidBrush(kAreas[i]);
            FillRect(dc, &r, brush);
            DeleteObject(brush);
        }
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

// A window given its pixels by UpdateLayeredWindow before it is shown, as
// GPU-drawn programs are: its own device context holds nothing to read, while
// the screen shows its colour. Right of the source window.
constexpr COLORREF kLayered = 0x0050A0E0;
constexpr RECT kLayeredRect{400, 520, 500, 620};

HWND ShowLayeredWindow(const char* className) {
    const int w = kLayeredRect.right - kLayeredRect.left,
              h = kLayeredRect.bottom - kLayeredRect.top;
    HWND window = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, className, "",
                                  WS_POPUP, kLayeredRect.left, kLayeredRect.top, w, h, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) {
        // Opaque, so premultiplying changes nothing: 0xAARRGGBB.
        const DWORD pixel = 0xFF000000u | (GetRValue(kLayered) << 16) | (GetGValue(kLayered) << 8) |
                            GetBValue(kLayered);
        std::fill_n(static_cast<DWORD*>(bits), w * h, pixel);
        HGDIOBJ old = SelectObject(memory, dib);
        POINT at{kLayeredRect.left, kLayeredRect.top}, origin{0, 0};
        SIZE size{w, h};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        UpdateLayeredWindow(window, screen, &at, &size, memory, &origin, 0, &blend, ULW_ALPHA);
        SelectObject(memory, old);
    }
    if (dib) DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

class PickColor : public e2e::AppTest {
  protected:
    // The source window is the test thread's; its messages are pumped while
    // the test waits.
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = SourceProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "E2ePickSource";
        RegisterClassA(&wc); // fails harmlessly when a previous test registered it
        source = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "E2ePickSource", "", WS_POPUP,
                                 kSourceX, kSourceY, kAreaCount * kAreaSize, kAreaSize, nullptr,
                                 nullptr, wc.hInstance, nullptr);
        ShowWindow(source, SW_SHOWNOACTIVATE);
        ASSERT_TRUE(WaitUntil([this] {
            for (int i = 0; i < kAreaCount; ++i) {
                const POINT p = AreaPoint(i);
                if (!e2e::ShowsColour(e2e::ScreenPixel(p.x, p.y), kAreas[i])) return false;
            }
            return true;
        })) << "the driver's source window did not show its colours";
        const std::string ini = "[General]\r\nCurrent color=" + DecimalText(kStartColour) + "\r\n";
        ASSERT_TRUE(Launch(e2e::LaunchOptions{ini, {}, {}, true}));
        ASSERT_TRUE(app.Activate());
        ASSERT_EQ(HexText(kStartColour), Text());
        eyedropper = MiddleOf(kPickColour);
        // The area under the pointer is read off the screen: that is what the
        // eyedropper sees and reports, at 16 bits too.
        for (int i = 0; i < kAreaCount; ++i) {
            const POINT p = AreaPoint(i);
            expected[i] = HexText(e2e::ScreenPixel(p.x, p.y));
        }
        ASSERT_NE(expected[0], expected[1]);
        ASSERT_NE(expected[1], expected[2]);
        ASSERT_NE(expected[0], expected[2]);
    }

    void TearDown() override {
        if (layered) DestroyWindow(layered);
        DestroyWindow(source);
        e2e::PumpMessages();
    }

    static POINT AreaPoint(int i) {
        return POINT{kSourceX + i * kAreaSize + kAreaSize / 2, kSourceY + kAreaSize / 2};
    }

    // The program reads the pointer's position when it handles a move, not
    // when the move was made: a move still queued behind a release would be
    // read at wherever the pointer went next. So the driver waits for each
    // pick to begin and to end before it moves on.
    bool PickBegun() {
        return WaitUntil([this] { return app.Capture() == Child("zPickColor", kPickColour); });
    }
    bool PickEnded() {
        return WaitUntil([this] { return app.Capture() == nullptr; });
    }

    // Presses on the eyedropper; true once the pick has begun and the keys
    // go to the eyedropper.
    bool PressEyedropper() {
        e2e::MouseDown(eyedropper.x, eyedropper.y);
        return PickBegun() && app.FocusBecomes(Child("zPickColor", kPickColour));
    }

    // Over area i during a pick: the text must follow.
    void MoveOverArea(int i) {
        SCOPED_TRACE("area " + std::to_string(i));
        const POINT p = AreaPoint(i);
        ASSERT_TRUE(e2e::MouseMove(p.x, p.y));
        EXPECT_TRUE(TextBecomes(expected[i]));
    }

    // The box shows the magnified sample of a pixel shown as `shown`, but for
    // the cross-hair drawn over its middle.
    bool BoxShows(COLORREF shown) {
        const RECT box = Inset(OnScreen(kPickColour), 2);
        return WaitUntil([&] { return e2e::ScreenImage(box).Count(box, shown) >= Area(box) / 2; });
    }

    // Esc outside a pick closes the program, which saves the Current colour.
    std::string SavedColourAfterEsc() {
        e2e::KeyPress(VK_ESCAPE);
        DWORD code = 1;
        if (!app.WaitForExit(5000, &code)) return "(still running)";
        EXPECT_EQ(0u, code);
        const std::string saved = e2e::IniValue(app.IniLines(), "Current color");
        return saved == "<missing>" ? saved : HexText(static_cast<COLORREF>(std::stoul(saved)));
    }

    HWND source = nullptr;
    HWND layered = nullptr;
    POINT eyedropper{};
    std::string expected[kAreaCount];
};

// The text follows the pointer; the release keeps the last colour, which the
// swatch shows, and the box its 5x5 pixels magnified, all inside area 2.
TEST_F(PickColor, TextFollowsThePointerAndTheReleaseKeepsTheLastColour) {
    const RECT box = Inset(OnScreen(kPickColour), 2);
    const COLORREF shown = e2e::ScreenPixel(AreaPoint(2).x, AreaPoint(2).y);
    ASSERT_EQ(0, e2e::ScreenImage(box).Count(box, shown)) << "the box shows area 2 before a pick";
    e2e::MouseDown(eyedropper.x, eyedropper.y);
    ASSERT_TRUE(PickBegun());
    for (int i : {0, 1, 2, 0, 2})
        MoveOverArea(i);
    const POINT last = AreaPoint(2);
    e2e::MouseUp(last.x, last.y);
    ASSERT_TRUE(PickEnded());
    ASSERT_TRUE(app.Settle());
    EXPECT_EQ(expected[2], Text());

    // The swatch shows it too.
    const RECT swatch = Inset(OnScreen(kSwatch), 1);
    const COLORREF picked = ColourOfHex(expected[2]);
    EXPECT_TRUE(WaitUntil([&] {
        return e2e::ScreenImage(swatch).Count(swatch, picked) == Area(swatch);
    })) << "the swatch does not show the picked colour";
    EXPECT_TRUE(BoxShows(shown)) << "the box does not show area 2";

    // The pick is over: a later move reports nothing, so Esc closes the
    // program and the saved colour is the one picked.
    const POINT other = AreaPoint(0);
    e2e::MouseMove(other.x, other.y);
    EXPECT_EQ(expected[2], SavedColourAfterEsc());
}

TEST_F(PickColor, MovingOverTheEyedropperItselfReportsNothing) {
    e2e::MouseDown(eyedropper.x, eyedropper.y);
    ASSERT_TRUE(PickBegun());
    MoveOverArea(0);
    ASSERT_TRUE(app.Settle());
    // A point of the eyedropper whose own pixel differs from area 0's: were the
    // eyedropper to sample itself, the colour would change there.
    const RECT box = Inset(OnScreen(kPickColour), 2);
    const e2e::ScreenImage image(box);
    POINT self{-1, -1};
    for (int y = box.top + 2; y < box.bottom - 2 && self.x < 0; ++y)
        for (int x = box.left + 2; x < box.right - 2 && self.x < 0; ++x)
            if (HexText(image.At(x, y)) != expected[0]) self = POINT{x, y};
    ASSERT_GE(self.x, 0) << "no pixel of the eyedropper differs from area 0";
    e2e::MouseMove(self.x, self.y);
    // A second press during the pick takes the Current colour as the one to
    // restore, and Esc then restores it: a report from the move over the
    // eyedropper, handled before the press, would show up as the restored text.
    e2e::MouseDown(self.x, self.y, e2e::Button::Right);
    e2e::MouseUp(self.x, self.y, e2e::Button::Right);
    e2e::KeyPress(VK_ESCAPE);
    ASSERT_TRUE(PickEnded());
    // Esc ends the pick, so moving over area 1 and letting go changes nothing.
    const POINT p = AreaPoint(1);
    e2e::MouseUp(p.x, p.y);
    ASSERT_TRUE(app.Settle());
    EXPECT_EQ(expected[0], Text());
    EXPECT_EQ(expected[0], SavedColourAfterEsc());
}

TEST_F(PickColor, EscRestoresTheStartColourAndKeepsTheProgramOpen) {
    e2e::MouseDown(eyedropper.x, eyedropper.y);
    ASSERT_TRUE(PickBegun());
    MoveOverArea(0);
    MoveOverArea(1);
    e2e::KeyPress(VK_ESCAPE);
    ASSERT_TRUE(PickEnded());
    e2e::MouseUpHere();
    EXPECT_TRUE(TextBecomes(HexText(kStartColour)));
    const RECT swatch = Inset(OnScreen(kSwatch), 1);
    EXPECT_TRUE(WaitUntil([&] {
        return e2e::ScreenImage(swatch).Count(swatch, kStartColour) == Area(swatch);
    })) << "the swatch does not show the start colour again";

    // Had Esc reached the main window its close would come before this click,
    // which needs a running program to take palette cell 0's colour.
    const POINT cell = Middle(app.ToScreen(PaletteCell(0)));
    e2e::Click(cell.x, cell.y);
    EXPECT_TRUE(TextBecomes("FF0000"));
    EXPECT_TRUE(app.Running());
}

// Another window taking the mouse ends the pick as Esc does: the colour from
// before the pick comes back, and the pick is over.
TEST_F(PickColor, CaptureTakenByAnotherWindowCancelsThePick) {
    e2e::MouseDown(eyedropper.x, eyedropper.y);
    ASSERT_TRUE(PickBegun());
    MoveOverArea(0);
    // Sharing Tintwell's input state for the moment, the driver's window takes
    // the capture as a window of Tintwell's own would.
    HWND taker =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(AttachThreadInput(GetCurrentThreadId(), app.ThreadId(), TRUE));
    SetCapture(taker);
    AttachThreadInput(GetCurrentThreadId(), app.ThreadId(), FALSE);
    ReleaseCapture();
    DestroyWindow(taker);
    EXPECT_TRUE(TextBecomes(HexText(kStartColour)));
    EXPECT_TRUE(WaitUntil([&] { return app.Loupe() == nullptr; })) << "the loupe stays";
    const POINT p = AreaPoint(1);
    e2e::MouseUp(p.x, p.y);
    ASSERT_TRUE(app.Settle());
    EXPECT_EQ(HexText(kStartColour), Text());
    // Esc now closes the program: no pick was left to cancel.
    EXPECT_EQ(HexText(kStartColour), SavedColourAfterEsc());
}

// A pick begun with the right button goes on after that button's release.
// Once no button is held, Wine hands a move over another program's window to
// that window whatever holds the capture, so the pick is followed over
// Tintwell's own palette from then on.
TEST_F(PickColor, RightButtonReleaseDoesNotEndThePick) {
    e2e::MouseDown(eyedropper.x, eyedropper.y, e2e::Button::Right);
    ASSERT_TRUE(PickBegun());
    MoveOverArea(0);
    e2e::MouseUpHere(e2e::Button::Right);
    for (int cell : {0, 2}) {
        const POINT p = Middle(app.ToScreen(PaletteCell(cell)));
        ASSERT_TRUE(e2e::MouseMove(p.x, p.y));
        EXPECT_TRUE(TextBecomes(HexText(kBuiltInPalette[cell])))
            << "cell " << cell << ": text is " << Text();
    }
    e2e::KeyPress(VK_ESCAPE); // still picking: Esc cancels, and does not close
    ASSERT_TRUE(PickEnded());
    EXPECT_TRUE(TextBecomes(HexText(kStartColour)));
    EXPECT_EQ(HexText(kStartColour), SavedColourAfterEsc());
}

TEST_F(PickColor, SecondPressDuringAPickGoesOn) {
    e2e::MouseDown(eyedropper.x, eyedropper.y);
    ASSERT_TRUE(PickBegun());
    MoveOverArea(0);
    // A press on the eyedropper while picking begins anew without ending.
    e2e::MouseDown(eyedropper.x, eyedropper.y, e2e::Button::Right);
    e2e::MouseUp(eyedropper.x, eyedropper.y, e2e::Button::Right);
    MoveOverArea(1);
    const POINT p = AreaPoint(1);
    e2e::MouseUp(p.x, p.y);
    ASSERT_TRUE(PickEnded());
    e2e::MouseMove(AreaPoint(2).x, AreaPoint(2).y);
    EXPECT_EQ(expected[1], SavedColourAfterEsc());
}

TEST_F(PickColor, ReadsWhatTheScreenShowsOverALayeredWindow) {
    layered = ShowLayeredWindow("E2ePickSource");
    ASSERT_NE(nullptr, layered);
    const POINT p = Middle(kLayeredRect);
    ASSERT_TRUE(WaitUntil([&] { return e2e::ShowsColour(e2e::ScreenPixel(p.x, p.y), kLayered); }))
        << "the layered window does not show its colour";
    const COLORREF shown = e2e::ScreenPixel(p.x, p.y);
    e2e::MouseDown(eyedropper.x, eyedropper.y);
    ASSERT_TRUE(PickBegun());
    ASSERT_TRUE(e2e::MouseMove(p.x, p.y));
    EXPECT_TRUE(TextBecomes(HexText(shown)));
    e2e::MouseUpHere();
    ASSERT_TRUE(PickEnded());
    EXPECT_EQ(HexText(shown), Text());
    EXPECT_TRUE(BoxShows(shown)) << "the box does not show the layered window's colour";
}

// Arrow keys during a pick move the pointer one screen pixel, ten with
// Shift, and sample there at once; the release commits where they left it.
// The loupe comes with the press, shows the columns around the pointer, each
// one block, follows the pointer and its nudges and zooms with the wheel and
// the + and - keys, and goes with the release, leaving the focus and the
// foreground window as they were. The next pick keeps its zoom.
TEST_F(PickColor, ArrowKeysNudgeThePointerAndTheLoupeFollows) {
    const e2e::StripesWindow stripes(POINT{420, 540}, 40, 60);
    ASSERT_TRUE(stripes.Shown()) << "the stripes did not show their colours";
    auto text = [](int column) { return HexText(e2e::StripesWindow::ShownColour(column)); };
    auto pointerOver = [&](int column) {
        const POINT want = stripes.Column(column);
        POINT p;
        return WaitUntil([&] { return GetCursorPos(&p) && p.x == want.x && p.y == want.y; });
    };
    // The loupe with blocks of `block` and `count` of them, below and right of
    // the pointer over `column`, clear of the square it shows.
    auto loupeOver = [&](int column, int block, int count) {
        e2e::LoupeView view{};
        const POINT p = stripes.Column(column);
        const bool shown = WaitUntil([&] {
            view = e2e::LoupeView{app.LoupeRect(), kLoupeBorder, block, count, kLoupeText};
            return view.SizeIsRight() && view.rect.left > p.x + count / 2 &&
                   view.rect.top > p.y + count / 2 && view.rect.left < p.x + 40 &&
                   view.ShowsColumnsAround(column);
        });
        return ::testing::AssertionResult(shown)
               << "loupe at " << view.rect.left << "," << view.rect.top << " to " << view.rect.right
               << "," << view.rect.bottom << " for the pointer at " << p.x << "," << p.y;
    };
    const HWND foreground = GetForegroundWindow(), box = Child("zPickColor", kPickColour);
    ASSERT_TRUE(PressEyedropper());
    EXPECT_NE(nullptr, app.Loupe()) << "no loupe at the press";
    ASSERT_TRUE(e2e::MouseMove(stripes.Column(10).x, stripes.Column(10).y));
    ASSERT_TRUE(TextBecomes(text(10)));
    EXPECT_TRUE(loupeOver(10, kLoupeBlock, kLoupeCount));
    for (int column : {11, 12, 13}) {
        e2e::KeyPress(VK_RIGHT);
        EXPECT_TRUE(TextBecomes(text(column))) << "column " << column;
        EXPECT_TRUE(loupeOver(column, kLoupeBlock, kLoupeCount));
    }
    // Zoom: the wheel away, 12-pixel blocks; -, 8 again; keypad +, 12; the
    // keypad's - and the wheel towards the user, 6.
    const struct {
        const char* how;
        int notches;
        WORD key;
        int block, count;
    } zooms[] = {{"wheel away", 1, 0, 12, 11},
                 {"-", 0, VK_OEM_MINUS, 8, 15},
                 {"keypad +", 0, VK_ADD, 12, 11},
                 {"keypad -", 0, VK_SUBTRACT, 8, 15},
                 {"wheel towards", -1, 0, 6, 21}};
    for (const auto& z : zooms) {
        if (z.key)
            e2e::KeyPress(z.key);
        else
            e2e::Wheel(z.notches);
        EXPECT_TRUE(loupeOver(13, z.block, z.count)) << z.how;
    }
    EXPECT_EQ(box, app.Focus());
    EXPECT_EQ(foreground, GetForegroundWindow());
    e2e::KeyChord({VK_SHIFT, VK_LEFT});
    EXPECT_TRUE(TextBecomes(text(3)));
    EXPECT_TRUE(pointerOver(3)) << "the pointer is not over column 3";
    EXPECT_TRUE(loupeOver(3, 6, 21));
    e2e::MouseUpHere();
    ASSERT_TRUE(PickEnded());
    EXPECT_EQ(text(3), Text());
    EXPECT_TRUE(WaitUntil([&] { return app.Loupe() == nullptr; })) << "the loupe stays";
    // The next pick keeps the zoom.
    ASSERT_TRUE(PressEyedropper());
    ASSERT_TRUE(e2e::MouseMove(stripes.Column(20).x, stripes.Column(20).y));
    EXPECT_TRUE(loupeOver(20, 6, 21));
    e2e::MouseUpHere();
    ASSERT_TRUE(PickEnded());
    // Outside a pick the arrows are passed on and change nothing: the Esc
    // after one closes the program with the pointer where it was.
    e2e::KeyPress(VK_RIGHT);
    EXPECT_EQ(text(20), SavedColourAfterEsc());
    EXPECT_TRUE(pointerOver(20)) << "an arrow outside a pick moved the pointer";
    // Both picks' colours remembered, newest first; the zoom is not a setting.
    const std::vector<e2e::IniLine> lines = app.IniLines();
    EXPECT_EQ(18u, lines.size());
    EXPECT_EQ(DecimalText(e2e::StripesWindow::ShownColour(20)),
              e2e::IniValue(lines, "Recent color 0"));
    EXPECT_EQ(DecimalText(e2e::StripesWindow::ShownColour(3)),
              e2e::IniValue(lines, "Recent color 1"));
}

// Near every corner of the screen, at the first zoom and at the largest
// square, the loupe stays wholly on the screen and off the square it shows;
// near the main window it leaves that uncovered. Esc takes it away.
TEST_F(PickColor, TheLoupeStaysOnTheScreenOffWhatItShowsAndOffTheMainWindow) {
    const RECT screen{0, 0, 1024, 768}, main = app.WindowRect();
    ASSERT_TRUE(PressEyedropper());
    for (int count : {kLoupeCount, 61}) {
        if (count == 61) e2e::Wheel(-4); // to 2-pixel blocks
        const int half = count / 2;
        for (const POINT p : {POINT{2, 2}, POINT{1021, 2}, POINT{2, 765}, POINT{1021, 765},
                              POINT{main.left - 17, main.top - 19}}) {
            SCOPED_TRACE(std::to_string(count) + " at " + std::to_string(p.x) + "," +
                         std::to_string(p.y));
            ASSERT_TRUE(e2e::MouseMove(p.x, p.y));
            const RECT square{p.x - half, p.y - half, p.x + half + 1, p.y + half + 1};
            RECT loupe{}, overlap;
            EXPECT_TRUE(WaitUntil([&] {
                loupe = app.LoupeRect();
                const int side = 2 * kLoupeBorder + count * (count == 61 ? 2 : kLoupeBlock);
                return loupe.right - loupe.left == side && loupe.left <= p.x + half + 40 &&
                       loupe.right >= p.x - half - 40 &&
                       SubtractRect(&overlap, &loupe, &screen) == 0 &&
                       !IntersectRect(&overlap, &loupe, &square) &&
                       !IntersectRect(&overlap, &loupe, &main);
            })) << "loupe at "
                << loupe.left << "," << loupe.top << " to " << loupe.right << "," << loupe.bottom;
        }
    }
    e2e::KeyPress(VK_ESCAPE);
    ASSERT_TRUE(PickEnded());
    EXPECT_TRUE(WaitUntil([&] { return app.Loupe() == nullptr; })) << "Esc left the loupe";
    e2e::MouseUpHere();
}

// Ten to the left from three pixels off the screen's edge stops at the edge,
// and the pick reads the edge's pixel, whenever the next key comes.
TEST_F(PickColor, NudgesStayOnTheScreen) {
    const e2e::StripesWindow stripes(POINT{0, 640}, 20, 40);
    ASSERT_TRUE(stripes.Shown()) << "the stripes did not show their colours";
    ASSERT_TRUE(PressEyedropper());
    ASSERT_TRUE(e2e::MouseMove(stripes.Column(3).x, stripes.Column(3).y));
    ASSERT_TRUE(TextBecomes(HexText(e2e::StripesWindow::ShownColour(3))));
    e2e::KeyChord({VK_SHIFT, VK_LEFT});
    EXPECT_TRUE(TextBecomes(HexText(e2e::StripesWindow::ShownColour(0))));
    e2e::KeyPress(VK_RIGHT);
    EXPECT_TRUE(TextBecomes(HexText(e2e::StripesWindow::ShownColour(1))));
    POINT p;
    EXPECT_TRUE(WaitUntil([&] { return GetCursorPos(&p) && p.x == 1; })) << "at " << p.x;
    e2e::KeyPress(VK_ESCAPE);
    ASSERT_TRUE(PickEnded());
    e2e::MouseUpHere();
}

} // namespace
