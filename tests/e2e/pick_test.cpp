// The pick-colour eyedropper used as a person would: press on it, wander over
// a window of the driver's own painted in known colours, release or press Esc.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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
        const std::string ini =
            "[General]\r\nCurrent color=" + DecimalText(kStartColour) + "\r\n" + MoreSettings();
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

    // Lines the settings file holds besides the start colour.
    virtual std::string MoreSettings() const { return ""; }

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

// ---- A frozen screen ---------------------------------------------------------------

// F during a pick freezes the screen: over a window that changes every 30
// ms one colour is reported, and stays; the stripes repainted after the
// freeze are reported as they were, nudge by nudge; F again reads the live
// screen at once; the release takes the frozen pixel and the picture goes.
// Tintwell's swatch and text follow the frozen pick; nothing takes the
// focus or the activation.
TEST_F(PickColor, FFreezesTheScreenForThePickAndFAgainThawsIt) {
    const e2e::StripesWindow stripes(POINT{420, 540}, 40, 60);
    const e2e::FlickerWindow flicker(RECT{600, 520, 700, 600});
    ASSERT_TRUE(stripes.Shown());
    ASSERT_TRUE(flicker.Changes(2));
    auto frozenHex = [](int column, int shift = 0) {
        return HexText(e2e::StripesWindow::ShownColour(column + shift));
    };
    const HWND foreground = GetForegroundWindow(), box = Child("zPickColor", kPickColour);
    ASSERT_TRUE(PressEyedropper());
    ASSERT_TRUE(e2e::MouseMove(flicker.Middle().x, flicker.Middle().y));
    // The loupe's corner away from the pointer lies on the desktop, below
    // the flicker: the picture must show the desktop there, not the loupe.
    RECT loupe{};
    ASSERT_TRUE(WaitUntil([&] { return (loupe = app.LoupeRect()).bottom > 600; }));
    const POINT under{loupe.right - 3, loupe.bottom - 3};
    const COLORREF desktop = e2e::ScreenPixel(1020, 760);
    // The picture holds the swatch as last painted, a frame or so behind
    // the pixel it freezes: only that it is one of the flicker's is known.
    auto aFlickerColour = [](const std::string& hex) {
        for (int f = 0; f < 4; ++f)
            if (hex == HexText(e2e::ScreenColour(e2e::FlickerWindow::Colour(f)))) return true;
        return false;
    };
    const RECT swatchArea = Inset(OnScreen(kSwatch), 1);
    ASSERT_TRUE(WaitUntil([&] {
        const COLORREF shown = e2e::ScreenPixel(swatchArea.left, swatchArea.top);
        return aFlickerColour(HexText(shown)) &&
               e2e::ScreenImage(swatchArea).Count(swatchArea, shown) == Area(swatchArea);
    })) << "the swatch never showed the flicker";
    e2e::KeyPress('F');
    ASSERT_TRUE(WaitUntil([&] { return app.FrozenScreen() != nullptr; })) << "no frozen screen";
    ASSERT_TRUE(app.Settle());
    const std::string still = Text();
    ASSERT_TRUE(flicker.Changes(6));
    EXPECT_TRUE(TextBecomes(still)) << "the frozen pick followed the flicker";
    EXPECT_TRUE(SwatchShows(ColourOfHex(still)));
    EXPECT_TRUE(aFlickerColour(still)) << still << " is none of the flicker's colours";

    ASSERT_TRUE(e2e::MouseMove(stripes.Column(10).x, stripes.Column(10).y));
    EXPECT_TRUE(TextBecomes(frozenHex(10)));
    EXPECT_TRUE(WaitUntil([&] { return e2e::ScreenPixel(under.x, under.y) == desktop; }))
        << "the picture shows the loupe";
    // Tintwell's own window stays live over the picture, its swatch showing
    // column 10 now; a pick over it reads the picture, the swatch as it was.
    const POINT swatch = MiddleOf(kSwatch);
    ASSERT_TRUE(e2e::MouseMove(swatch.x, swatch.y));
    EXPECT_TRUE(WaitUntil([&] { return Text() != frozenHex(10); }));
    EXPECT_TRUE(aFlickerColour(Text())) << "read " << Text() << " from the live window";
    ASSERT_TRUE(e2e::MouseMove(stripes.Column(10).x, stripes.Column(10).y));
    EXPECT_TRUE(TextBecomes(frozenHex(10)));
    ASSERT_TRUE(stripes.Recolour(7));
    for (int column : {11, 12}) {
        e2e::KeyPress(VK_RIGHT);
        EXPECT_TRUE(TextBecomes(frozenHex(column))) << "column " << column;
    }
    e2e::KeyPress('F');
    EXPECT_TRUE(WaitUntil([&] { return app.FrozenScreen() == nullptr; })) << "F left the picture";
    EXPECT_TRUE(TextBecomes(frozenHex(12, 7))) << "F again did not read the live screen";
    e2e::KeyPress('F');
    ASSERT_TRUE(WaitUntil([&] { return app.FrozenScreen() != nullptr; }));
    ASSERT_TRUE(stripes.Recolour(0));
    e2e::KeyPress(VK_LEFT);
    EXPECT_TRUE(TextBecomes(frozenHex(11, 7)));
    EXPECT_EQ(box, app.Focus());
    EXPECT_EQ(foreground, GetForegroundWindow());
    e2e::MouseUpHere();
    ASSERT_TRUE(PickEnded());
    EXPECT_TRUE(WaitUntil([&] { return app.FrozenScreen() == nullptr; })) << "the release left it";
    EXPECT_TRUE(TextBecomes(frozenHex(11, 7))) << "the release did not take the frozen pixel";
    EXPECT_EQ(foreground, GetForegroundWindow());
}

// Every way a frozen pick ends takes the picture away with it: a release
// (above), Space, Enter, Esc, a click elsewhere in a pick from the
// keyboard, and the capture taken; a colour taken is the frozen one.
TEST_F(PickColor, EveryWayAFrozenPickEndsTakesThePictureAway) {
    const e2e::StripesWindow stripes(POINT{420, 540}, 40, 60);
    ASSERT_TRUE(stripes.Shown());
    const HWND box = Child("zPickColor", kPickColour);
    const struct {
        const char* way;
        bool keyboard, takes;
        std::function<void()> end;
    } ways[] = {
        {"Space", true, true, [] { e2e::KeyPress(VK_SPACE); }},
        {"Enter", true, true, [] { e2e::KeyPress(VK_RETURN); }},
        {"Esc", false, false, [] { e2e::KeyPress(VK_ESCAPE); }},
        {"a click elsewhere", true, false, [&] { e2e::Click(AreaPoint(0).x, AreaPoint(0).y); }},
        {"the capture taken", false, false,
         [&] {
             HWND taker = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                          nullptr, nullptr);
             EXPECT_TRUE(AttachThreadInput(GetCurrentThreadId(), app.ThreadId(), TRUE));
             SetCapture(taker);
             AttachThreadInput(GetCurrentThreadId(), app.ThreadId(), FALSE);
             ReleaseCapture();
             DestroyWindow(taker);
         }},
    };
    int shift = 0;
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        const std::string before = Text();
        ASSERT_TRUE(e2e::MouseMove(stripes.Column(15).x, stripes.Column(15).y));
        if (w.keyboard) {
            ASSERT_TRUE(app.Activate());
            const POINT p = eyedropper;
            e2e::Click(p.x, p.y); // the focus to it, a pick begun and taken over itself
            ASSERT_TRUE(PickEnded());
            ASSERT_TRUE(e2e::MouseMove(stripes.Column(15).x, stripes.Column(15).y));
            ASSERT_TRUE(app.Settle());
            e2e::KeyPress(VK_SPACE);
            ASSERT_TRUE(PickBegun());
        } else {
            ASSERT_TRUE(PressEyedropper());
            ASSERT_TRUE(e2e::MouseMove(stripes.Column(15).x, stripes.Column(15).y));
        }
        const std::string frozen = HexText(e2e::StripesWindow::ShownColour(15 + shift));
        ASSERT_TRUE(TextBecomes(frozen));
        e2e::KeyPress('F');
        ASSERT_TRUE(WaitUntil([&] { return app.FrozenScreen() != nullptr; }));
        shift += 3;
        ASSERT_TRUE(stripes.Recolour(shift));
        w.end();
        // The loupe goes with the pick (the capture taken may still be told
        // as the taker's).
        EXPECT_TRUE(WaitUntil([&] { return app.Loupe() == nullptr; })) << "the pick goes on";
        EXPECT_TRUE(WaitUntil([&] { return app.FrozenScreen() == nullptr; }))
            << "the picture stays";
        EXPECT_TRUE(TextBecomes(w.takes ? frozen : before));
        if (!w.keyboard) e2e::MouseUpHere();
        ASSERT_TRUE(app.Running());
    }
    EXPECT_EQ(nullptr, GetPropA(box, "zMouseHook"));
}

// ---- Recent colours -----------------------------------------------------------

// The recent colours' menu shows a square of each colour, in this order.
bool MenuShowsColours(const std::vector<std::string>& hexes) {
    std::vector<COLORREF> colours;
    for (const std::string& h : hexes)
        colours.push_back(ColourOfHex(h));
    return WaitUntil([&] { return e2e::MenuShowsColourSquares(colours); });
}

// Every colour the user takes, and only those: the end of a pick (a
// release, Enter in a pick from the keyboard), Copy; newest first, one taken
// again moved to the front, sixteen at most. Offered by a right click on the
// swatch, Alt+Down and F4 in the edit box; an entry chosen becomes the
// colour, and moves to the front; Esc changes nothing. Kept at exit.
TEST_F(PickColor, TheColoursTakenAreRememberedAndOfferedNewestFirst) {
    const POINT swatch = MiddleOf(kSwatch);
    auto openBySwatch = [&] {
        e2e::Click(swatch.x, swatch.y, e2e::Button::Right);
        return WaitUntil([] { return e2e::VisibleMenu() != nullptr; });
    };
    auto openByKey = [&](std::vector<WORD> keys) {
        if (app.Focus() != edit) {
            const POINT p = MiddleOf(kEdit);
            e2e::Click(p.x, p.y);
            if (!app.FocusBecomes(edit)) return false;
        }
        e2e::KeyChord(keys);
        return WaitUntil([] { return e2e::VisibleMenu() != nullptr; });
    };
    auto closed = [] { return WaitUntil([] { return e2e::VisibleMenu() == nullptr; }); };

    // Nothing to offer yet (the one greyed entry): a click elsewhere closes it.
    ASSERT_TRUE(openBySwatch()) << "no menu from the swatch";
    e2e::Click(AreaPoint(2).x, AreaPoint(2).y);
    ASSERT_TRUE(closed());
    ASSERT_TRUE(app.Running()) << "Esc in the menu closed the program";
    EXPECT_EQ(HexText(kStartColour), Text());

    // A pick released over area 0, then one from the keyboard over area 1.
    ASSERT_TRUE(PressEyedropper());
    MoveOverArea(0);
    e2e::MouseUpHere();
    ASSERT_TRUE(PickEnded());
    ASSERT_TRUE(e2e::MouseMove(AreaPoint(1).x, AreaPoint(1).y));
    e2e::KeyPress(VK_SPACE); // the eyedropper has the focus since its press
    ASSERT_TRUE(PickBegun());
    EXPECT_TRUE(TextBecomes(expected[1]));
    e2e::KeyPress(VK_RETURN);
    ASSERT_TRUE(PickEnded());
    // Copy takes area 1's colour again; none of these takes anything: a pick
    // cancelled over area 2, a palette cell, typing.
    ClickCopy();
    ASSERT_TRUE(PressEyedropper());
    MoveOverArea(2);
    e2e::KeyPress(VK_ESCAPE);
    ASSERT_TRUE(PickEnded());
    e2e::MouseUpHere();
    const POINT cell = MiddleOf(PaletteCell(0));
    e2e::Click(cell.x, cell.y);
    ASSERT_TRUE(TextBecomes("FF0000"));
    ASSERT_TRUE(Type("123456"));
    ASSERT_TRUE(openByKey({VK_MENU, VK_DOWN})) << "no menu from Alt+Down";
    EXPECT_TRUE(MenuShowsColours({expected[1], expected[0]}));
    // The second entry, with the keys: area 0's colour, as if typed.
    e2e::KeyPress(VK_HOME);
    e2e::KeyPress(VK_DOWN);
    e2e::KeyPress(VK_RETURN);
    ASSERT_TRUE(closed());
    EXPECT_TRUE(TextBecomes(expected[0]));
    EXPECT_TRUE(SwatchShows(ColourOfHex(expected[0])));
    ASSERT_TRUE(openByKey({VK_F4})) << "no menu from F4";
    EXPECT_TRUE(MenuShowsColours({expected[0], expected[1]})) << "the chosen one to the front";
    e2e::KeyPress(VK_ESCAPE);
    ASSERT_TRUE(closed());
    EXPECT_EQ(expected[0], Text()) << "Esc changed the colour";

    // Sixteen more, copied: the oldest two go.
    std::vector<std::string> copied;
    for (int i = 0; i < 16; ++i) {
        copied.insert(copied.begin(), HexText(RGB(16 * i, 255 - 8 * i, 100)));
        ASSERT_TRUE(Type(copied.front()));
        ClickCopy();
        std::string clipboard;
        ASSERT_TRUE(WaitUntil(
            [&] { return e2e::ClipboardText(&clipboard) && clipboard == copied.front(); }));
    }
    ASSERT_TRUE(openBySwatch());
    EXPECT_TRUE(MenuShowsColours(copied));
    // The last entry is the oldest kept: the first copied of these.
    e2e::KeyPress(VK_END);
    e2e::KeyPress(VK_RETURN);
    ASSERT_TRUE(closed());
    EXPECT_TRUE(TextBecomes(copied.back()));
    copied.insert(copied.begin(), copied.back());
    copied.pop_back();
    const std::vector<e2e::IniLine> lines = CloseAndReadIni();
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(DecimalText(ColourOfHex(copied[size_t(i)])),
                  e2e::IniValue(lines, "Recent color " + std::to_string(i)));
    EXPECT_EQ("<missing>", e2e::IniValue(lines, "Recent color 16"));
    EXPECT_EQ(32u, lines.size()) << "the sixteen keys and the sixteen colours";
}

// ---- A pick from anywhere -------------------------------------------------------

// Win+Shift+C, or the settings file's key, starts a pick of a colour while
// a window of the driver's is active. The driver may hold a key itself.
class PickFromAnywhere : public PickColor {
  protected:
    void SetUp() override {
        if (driverHolds) {
            ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_WIN | MOD_SHIFT, 'C'));
        }
        PickColor::SetUp();
        if (HasFatalFailure()) return;
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "E2eActive";
        RegisterClassA(&wc);
        active = CreateWindowExA(0, "E2eActive", "active", WS_POPUP | WS_VISIBLE | WS_CAPTION, 700,
                                 40, 200, 80, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(WaitUntil([&] {
            SetForegroundWindow(active);
            return GetForegroundWindow() == active;
        })) << "the driver's window did not become active";
    }
    void TearDown() override {
        DestroyWindow(active);
        if (driverHolds) UnregisterHotKey(nullptr, 1);
        PickColor::TearDown();
    }
    std::string MoreSettings() const override { return settings; }

    static void PressWinShiftC() { e2e::KeyChord({VK_LWIN, VK_SHIFT, 'C'}); }
    bool Picking(bool on) const {
        return WaitUntil([&] { return (app.Loupe() != nullptr) == on; });
    }
    // Whether the driver's own hold on Win+Shift+C took the last press of it.
    // Looked for before any other message is handled, which would lose it.
    static bool DriverHeardTheKey() {
        MSG msg;
        return e2e::WaitUntil(
            [&] { return PeekMessageA(&msg, nullptr, WM_HOTKEY, WM_HOTKEY, PM_REMOVE) != FALSE; });
    }
    ::testing::AssertionResult Says(const std::string& ending) const {
        e2e::Accessible object(Child("zPickColor", kPickColour));
        const std::string description = object.Description();
        const bool ends =
            description.size() >= ending.size() &&
            description.compare(description.size() - ending.size(), std::string::npos, ending) == 0;
        if (!ends) return ::testing::AssertionFailure() << "it says \"" << description << '"';
        // The tooltip over the eyedropper says the same.
        const POINT over = MiddleOf(kPickColour);
        e2e::MouseMove(over.x, over.y);
        std::string tip;
        if (!WaitUntil([&] { return !(tip = app.ToolTip()).empty(); }))
            return ::testing::AssertionFailure() << "no tooltip";
        if (tip != description)
            return ::testing::AssertionFailure() << "the tooltip says \"" << tip << '"';
        return ::testing::AssertionSuccess();
    }

    bool driverHolds = false;
    std::string settings;
    HWND active = nullptr;
};

// The key starts a pick over whatever the user is in: the loupe at the
// pointer, which the mouse moves and the arrows nudge (Shift: ten); Enter, or
// a left click, takes the pixel: it becomes the colour, its six digits go on
// the clipboard, and it is remembered; the window that was active stays so,
// and the click reaches nothing below. Esc leaves everything as it was. The
// same with Tintwell minimised.
TEST_F(PickFromAnywhere, TheKeyPicksOverAnyWindowAndLeavesTheColourToPaste) {
    CoInitialize(nullptr);
    EXPECT_TRUE(Says("Hotkey: Win+Shift+C."));
    CoUninitialize();
    const e2e::StripesWindow stripes(POINT{420, 540}, 40, 60);
    ASSERT_TRUE(stripes.Shown());
    auto hex = [](int column) { return HexText(e2e::StripesWindow::ShownColour(column)); };
    auto clipboardHolds = [](const std::string& text) {
        std::string now;
        return WaitUntil([&] { return e2e::ClipboardText(&now) && now == text; });
    };
    const HWND box = Child("zPickColor", kPickColour);
    ASSERT_TRUE(e2e::SetClipboardText("stale"));

    ASSERT_TRUE(e2e::MouseMove(stripes.Column(10).x, stripes.Column(10).y));
    PressWinShiftC();
    ASSERT_TRUE(Picking(true)) << "the key began no pick";
    EXPECT_TRUE(TextBecomes(hex(10)));
    e2e::KeyPress(VK_RIGHT);
    e2e::KeyPress(VK_RIGHT);
    EXPECT_TRUE(TextBecomes(hex(12)));
    e2e::KeyChord({VK_SHIFT, VK_RIGHT});
    EXPECT_TRUE(TextBecomes(hex(22)));
    e2e::KeyPress(VK_RETURN);
    ASSERT_TRUE(Picking(false)) << "Enter did not end the pick";
    EXPECT_TRUE(TextBecomes(hex(22)));
    EXPECT_TRUE(clipboardHolds(hex(22)));
    EXPECT_EQ(active, GetForegroundWindow());
    EXPECT_EQ(nullptr, GetPropA(box, "zMouseHook")) << "the mouse hook stays";

    PressWinShiftC();
    ASSERT_TRUE(Picking(true));
    e2e::KeyPress(VK_RIGHT);
    EXPECT_TRUE(TextBecomes(hex(23)));
    e2e::KeyPress(VK_ESCAPE);
    ASSERT_TRUE(Picking(false)) << "Esc did not end the pick";
    EXPECT_TRUE(TextBecomes(hex(22)));
    EXPECT_TRUE(clipboardHolds(hex(22))) << "a cancelled pick changed the clipboard";
    EXPECT_EQ(active, GetForegroundWindow());

    PressWinShiftC();
    ASSERT_TRUE(Picking(true));
    ASSERT_TRUE(e2e::MouseMove(stripes.Column(30).x, stripes.Column(30).y));
    EXPECT_TRUE(TextBecomes(hex(30))) << "the pointer moved by the mouse was not followed";
    e2e::ClickKeptFromOthers();
    ASSERT_TRUE(Picking(false)) << "a click did not end the pick";
    EXPECT_TRUE(TextBecomes(hex(30)));
    EXPECT_TRUE(clipboardHolds(hex(30)));
    EXPECT_EQ(active, GetForegroundWindow()) << "the click reached the window below";

    // Frozen too: the colour taken is the one the picture shows.
    PressWinShiftC();
    ASSERT_TRUE(Picking(true));
    e2e::KeyPress('F');
    ASSERT_TRUE(WaitUntil([&] { return app.FrozenScreen() != nullptr; })) << "F froze nothing";
    ASSERT_TRUE(stripes.Recolour(5));
    e2e::KeyPress(VK_LEFT);
    e2e::KeyPress(VK_RETURN);
    ASSERT_TRUE(Picking(false));
    EXPECT_TRUE(WaitUntil([&] { return app.FrozenScreen() == nullptr; }));
    EXPECT_TRUE(clipboardHolds(hex(29)));
    EXPECT_EQ(active, GetForegroundWindow());
    ASSERT_TRUE(stripes.Recolour(0));

    ShowWindow(app.Window(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(app.Window()) != FALSE; }));
    ASSERT_TRUE(WaitUntil([&] {
        SetForegroundWindow(active);
        return GetForegroundWindow() == active;
    }));
    ASSERT_TRUE(e2e::MouseMove(stripes.Column(5).x, stripes.Column(5).y));
    PressWinShiftC();
    ASSERT_TRUE(Picking(true)) << "no pick while Tintwell is minimised";
    e2e::KeyPress(VK_RETURN);
    ASSERT_TRUE(Picking(false));
    EXPECT_TRUE(clipboardHolds(hex(5)));
    EXPECT_EQ(active, GetForegroundWindow());

    const std::vector<e2e::IniLine> lines = CloseAndReadIni();
    const int taken[] = {5, 29, 30, 22}; // newest first
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(DecimalText(e2e::StripesWindow::ShownColour(taken[i])),
                  e2e::IniValue(lines, "Recent color " + std::to_string(i)));
    EXPECT_EQ("<missing>", e2e::IniValue(lines, "Recent color 4"));
}

// What the settings file and other programs do to the key.
class PickFromAnywhereKey : public PickFromAnywhere,
                            public ::testing::WithParamInterface<const char*> {
  protected:
    void SetUp() override {
        const std::string way = GetParam();
        driverHolds = way == "held by another program";
        if (way == "none") settings = "Pick hotkey=none\r\n";
        if (way == "Ctrl+Alt+F9") settings = "Pick hotkey=Ctrl+Alt+F9\r\n";
        PickFromAnywhere::SetUp();
        CoInitialize(nullptr);
    }
    void TearDown() override {
        CoUninitialize();
        PickFromAnywhere::TearDown();
    }
};
INSTANTIATE_TEST_SUITE_P(, PickFromAnywhereKey,
                         ::testing::Values("held by another program", "none", "Ctrl+Alt+F9"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name;
                             for (const char* c = info.param; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });

// A key another program holds: Tintwell works without it and says so; none:
// no key, and nothing said of one; a key of the file's: that one, not
// Win+Shift+C. Where Tintwell holds no Win+Shift+C the driver takes it, and
// hears it.
TEST_P(PickFromAnywhereKey, TheKeyIsTheFilesUnlessAnotherProgramHoldsIt) {
    const std::string way = GetParam();
    if (way == "held by another program") {
        EXPECT_TRUE(Says("Hotkey Win+Shift+C is in use by another program."));
    } else {
        const std::string description =
            e2e::Accessible(Child("zPickColor", kPickColour)).Description();
        if (way == "none") {
            EXPECT_TRUE(Says("F freezes the screen during a pick."));
        } else {
            EXPECT_TRUE(Says("Hotkey: Ctrl+Alt+F9."));
        }
        ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_WIN | MOD_SHIFT, 'C'))
            << "Tintwell holds Win+Shift+C";
        driverHolds = true;
    }
    PressWinShiftC();
    EXPECT_TRUE(DriverHeardTheKey());
    EXPECT_EQ(nullptr, app.Loupe()) << "Win+Shift+C began a pick";
    if (way == "Ctrl+Alt+F9") {
        e2e::KeyChord({VK_CONTROL, VK_MENU, VK_F9});
        EXPECT_TRUE(Picking(true)) << "the file's key began no pick";
        e2e::KeyPress(VK_ESCAPE);
        EXPECT_TRUE(Picking(false));
    }
    const std::vector<e2e::IniLine> lines = CloseAndReadIni();
    EXPECT_EQ(way == "none"          ? "none"
              : way == "Ctrl+Alt+F9" ? "Ctrl+Alt+F9"
                                     : "<missing>",
              e2e::IniValue(lines, "Pick hotkey"));
}

} // namespace
