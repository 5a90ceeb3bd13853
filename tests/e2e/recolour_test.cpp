// Live recolouring of another window: the driver shows a window of its own in
// known colours, chooses it with the pick-window eyedropper and watches its
// pixels of the picked colour, and only those, take the colour being mixed.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e::expected;

using e2e::ColourOfHex;
using e2e::Middle;
using e2e::ScreenImage;
using e2e::Tintwell;
using e2e::WaitUntil;

// The target's colours. Green is chosen so that a 5-6-5 screen shows the
// same colour whether it widens green from five bits or keeps six: the low
// sixth bit of each green equals its top bit.
constexpr COLORREF kPicked = 0x002084C0; // appears twice, plus an island
constexpr COLORREF kDeepBlue = 0x00A04020;
constexpr COLORREF kPale = 0x0060E4E0;

struct Region {
    RECT rect; // client coordinates; later regions paint over earlier ones
    COLORREF colour;
};
const Region kRegions[] = {
    {{0, 0, 50, 60}, kPicked},  {{50, 0, 100, 60}, kDeepBlue}, {{100, 0, 150, 60}, kPicked},
    {{150, 0, 200, 60}, kPale}, {{165, 15, 185, 45}, kPicked},
};
constexpr int kTargetWidth = 200, kTargetHeight = 60;
// Top left of the desktop, well away from Tintwell's centred window.
constexpr POINT kTargetOrigin{60, 60};

COLORREF OwnColourAt(int x, int y) { // client coordinates
    COLORREF colour = CLR_INVALID;
    for (const Region& r : kRegions) {
        const POINT p{x, y};
        if (PtInRect(&r.rect, p)) colour = r.colour;
    }
    return colour;
}

LRESULT CALLBACK TargetProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        for (const Region& r : kRegions) {
            HBRUSH brush = CreateSolidBrush(r.colour);
            FillRect(dc, &r.rect, brush);
            DeleteObject(brush);
        }
        EndPaint(w, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return 1; // the paint covers every pixel
    default: return DefWindowProcA(w, msg, wp, lp);
    }
}

// The window to recolour, run on a thread of its own so that it keeps
// painting while the test thread waits.
class TargetWindow {
  public:
    HWND Handle() const { return window_.Handle(); }
    RECT ScreenRect() const { return window_.ScreenRect(); }
    POINT ScreenPoint(int x, int y) const {
        return POINT{kTargetOrigin.x + x, kTargetOrigin.y + y};
    }

    // Pixels that do not show what `shows(shown, own colour)` expects, with
    // the first few described; those under `skip` (the loupe) are not looked at.
    template <typename Shows>
    int Mismatches(Shows shows, std::string* report = nullptr, const RECT& skip = {}) const {
        const ScreenImage image(ScreenRect());
        int bad = 0;
        std::ostringstream out;
        for (int y = 0; y < kTargetHeight; ++y)
            for (int x = 0; x < kTargetWidth; ++x) {
                const POINT p{kTargetOrigin.x + x, kTargetOrigin.y + y};
                if (PtInRect(&skip, p)) continue;
                const COLORREF shown = image.At(p.x, p.y);
                const COLORREF own = OwnColourAt(x, y);
                if (shows(shown, own)) continue;
                if (++bad <= 4)
                    out << " (" << x << "," << y << ") own 0x" << std::hex << own << " shows 0x"
                        << shown << std::dec;
            }
        if (report) *report = std::to_string(bad) + " pixels wrong:" + out.str();
        return bad;
    }

  private:
    e2e::ThreadWindow window_{"E2eRecolourTarget", TargetProc,
                              RECT{kTargetOrigin.x, kTargetOrigin.y, kTargetOrigin.x + kTargetWidth,
                                   kTargetOrigin.y + kTargetHeight}};
};

// The screen's depth, asked once: the checks below run for every pixel.
int Depth() {
    static const int depth = e2e::ScreenDepth();
    return depth;
}

// What the screen shows for a colour (as e2e::ScreenColour, without asking
// the system for its depth again).
COLORREF ShownAs(COLORREF colour) {
    static const int layout = e2e::Screen16BitLayout();
    return Depth() == 16 ? e2e::Quantise16(colour, layout) : colour & 0x00FFFFFF;
}

// A pixel the target painted itself: exactly as the screen shows the colour.
bool ShowsOwn(COLORREF shown, COLORREF own) {
    return shown == ShownAs(own);
}

// A pixel painted by a render. At 24 bits: exact. At 16 bits the engine works
// in 5-5-5 (its snapshot, and the new colour converted once per render) and
// the screen is 5-6-5, so red and blue keep their five bits while green's
// sixth bit is whatever the platform puts there when it widens five bits to
// six: green is compared on its top five bits, red and blue exactly.
bool ShowsRendered(COLORREF shown, COLORREF colour) {
    if (Depth() != 16) return shown == ShownAs(colour);
    const COLORREF redBlue = 0x00FF00FF;
    return (shown & redBlue) == (ShownAs(colour) & redBlue) &&
           ((shown >> 11) & 0x1F) == ((colour >> 11) & 0x1F);
}

// The red bar's client point at bar-client x 73, value 127.
constexpr POINT kRedBar127{kRedBar.left + kBarEdge + 73, kRedBar.top + kBarEdge + kBarMiddleY};

// Centres of the target's regions, in the target's client coordinates.
constexpr POINT kOverPicked{25, 30}, kOverDeepBlue{75, 30};

class Recolour : public e2e::AppTest {
  protected:
    void SetUp() override {
        ASSERT_NE(nullptr, target.Handle()) << "the target window was not created";
        ASSERT_TRUE(WaitUntil([&] { return target.Mismatches(ShowsOwn) == 0; }, 5000))
            << "the target window did not paint itself";
        ASSERT_TRUE(Launch()) << "Tintwell did not show its main window";
        autoApply = Child("Button", kAutoApply);
        ASSERT_NE(nullptr, autoApply);
    }
    // Tintwell is closed while its target is still there.
    void TearDown() override {
        DWORD code = 1;
        if (!app.Running()) return;
        EXPECT_TRUE(app.Close(5000, &code)) << "Tintwell did not close";
        EXPECT_EQ(0u, code);
    }

    // For failure messages: what the swatch's middle shows.
    std::string SwatchReport() const {
        const POINT middle = Middle(app.ToScreen(kSwatch));
        std::ostringstream out;
        out << "swatch shows 0x" << std::hex << e2e::ScreenPixel(middle.x, middle.y) << ", text "
            << Text();
        return out.str();
    }

    // Every picked pixel of the target shows `colour`, every other its own.
    bool TargetRecoloured(COLORREF colour, std::string* report = nullptr,
                          const RECT& skip = {}) const {
        return target.Mismatches(
                   [colour](COLORREF shown, COLORREF own) {
                       return ShowsRendered(shown, own == kPicked ? colour : own);
                   },
                   report, skip) == 0;
    }
    bool TargetShowsOwnColours(std::string* report = nullptr) const {
        return target.Mismatches(ShowsOwn, report) == 0;
    }

    // Waits for the recolouring with `colour`; the failure says what is wrong.
    ::testing::AssertionResult AwaitRecoloured(COLORREF colour) const {
        if (WaitUntil([&] { return TargetRecoloured(colour); }, 8000))
            return ::testing::AssertionSuccess();
        std::string report;
        TargetRecoloured(colour, &report);
        return ::testing::AssertionFailure()
               << "target not recoloured with 0x" << std::hex << colour << ": " << report;
    }
    ::testing::AssertionResult AwaitOwnColours() const {
        if (WaitUntil([&] { return TargetShowsOwnColours(); }, 8000))
            return ::testing::AssertionSuccess();
        std::string report;
        TargetShowsOwnColours(&report);
        return ::testing::AssertionFailure() << "target not in its own colours: " << report;
    }

    // The pick-window eyedropper's centre, on the screen.
    POINT Eyedropper() const { return e2e::Middle(app.ToScreen(kPickWindow)); }

    // Presses on the pick-window eyedropper; true once the pick has begun.
    bool BeginPick() {
        const POINT box = Eyedropper();
        e2e::MouseDown(box.x, box.y);
        return WaitUntil([&] { return app.Capture() == app.ChildAt("zPickColor", kPickWindow); });
    }

    // During a pick: moves over a screen point; true once the swatch
    // previews the colour that lies there.
    bool HoverAt(POINT at, COLORREF under) {
        return e2e::MouseMove(at.x, at.y) && SwatchShows(ShownAs(under));
    }
    bool HoverOver(POINT targetPoint, COLORREF under) {
        return HoverAt(target.ScreenPoint(targetPoint.x, targetPoint.y), under);
    }

    // Presses on the pick-window eyedropper and moves over a point of the
    // target; true once the swatch previews what lies there.
    bool BeginPickOver(POINT targetPoint, COLORREF under) {
        return BeginPick() && HoverOver(targetPoint, under);
    }
    void ReleaseOver(POINT targetPoint) {
        const POINT at = target.ScreenPoint(targetPoint.x, targetPoint.y);
        e2e::MouseUp(at.x, at.y);
    }

    // Chooses the target by its picked colour; with "Auto apply" on the
    // picked pixels then take the unchanged current colour at once.
    void PickTheTarget() {
        const std::string hex = Text();
        ASSERT_TRUE(BeginPickOver(kOverPicked, kPicked))
            << "no preview of the hovered colour; " << SwatchReport();
        ReleaseOver(kOverPicked);
        ASSERT_TRUE(SwatchShows(ColourOfHex(hex))) << "the swatch did not return to " << hex;
        ASSERT_TRUE(AwaitRecoloured(ColourOfHex(hex)));
    }

    // Types a colour and waits until the target shows it.
    void RecolourByTyping(const std::string& hex) {
        ASSERT_TRUE(Type(hex));
        ASSERT_TRUE(AwaitRecoloured(ColourOfHex(hex)));
    }

    std::string SavedAvgFps() const {
        for (const e2e::IniLine& line : app.IniLines())
            if (line.section == kIniSection && line.key == "AvgFPS") return line.value;
        return "(missing)";
    }

    // Clicks the red bar at 127; true once the bar has the keyboard focus of
    // the active window, where keys then go.
    bool ClickRedBar() {
        app.ClickClient(kRedBar127.x, kRedBar127.y);
        const HWND bar = app.ChildAt("zPositionBar", kRedBar);
        return WaitUntil([&] { return app.Focus() == bar; }, 5000) && app.Activate();
    }

    bool AutoApplyChecked() const {
        return SendMessageA(autoApply, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    void NudgedPickChoosesTheColumn(bool keyboard);

    TargetWindow target;
    HWND autoApply = nullptr;
};

TEST_F(Recolour, EveryWayOfChangingTheColourRecoloursThePickedPixelsOnly) {
    ASSERT_EQ("FFFFFF", Text());
    ASSERT_NO_FATAL_FAILURE(PickTheTarget());

    struct Step {
        const char* how;
        std::function<void()> act;
        const char* hex; // the colour afterwards
    };
    const RECT blueCell = app.ToScreen(PaletteCell(2));
    const Step steps[] = {
        {"typed hex", [&] { ASSERT_TRUE(Type("1E90FF")); }, "1E90FF"},
        {"red bar clicked", [&] { ASSERT_TRUE(ClickRedBar()); }, "7F90FF"},
        {"End key on the red bar", [] { e2e::KeyPress(VK_END); }, "FF90FF"},
        {"palette cell clicked", [&] { e2e::Click(Middle(blueCell).x, Middle(blueCell).y); },
         "0000FF"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.how);
        step.act();
        ASSERT_TRUE(WaitUntil([&] { return Text() == step.hex; }, 5000))
            << "edit box shows " << Text();
        ASSERT_TRUE(AwaitRecoloured(ColourOfHex(step.hex)));
    }
}

TEST_F(Recolour, AutoApplyOffRestoresTheTargetAndOnRepaintsIt) {
    ASSERT_NO_FATAL_FAILURE(PickTheTarget());
    ASSERT_NO_FATAL_FAILURE(RecolourByTyping("1E90FF"));
    const RECT box = kAutoApply;
    const POINT check{box.left + 8, (box.top + box.bottom) / 2};

    app.ClickClient(check.x, check.y);
    ASSERT_TRUE(WaitUntil([&] { return !AutoApplyChecked(); }, 5000));
    EXPECT_TRUE(AwaitOwnColours()) << "the target was not told to repaint itself";

    // On again: the same colour is painted at once, with no change of it.
    app.ClickClient(check.x, check.y);
    ASSERT_TRUE(WaitUntil([&] { return AutoApplyChecked(); }, 5000));
    EXPECT_TRUE(AwaitRecoloured(ColourOfHex("1E90FF")));
    EXPECT_EQ("1E90FF", Text());
}

// Hovering previews each colour in the swatch alone: the text keeps the
// colour from before the pick. Esc ends the pick without choosing; with no
// target, colour changes render nothing, and the run saves an average of 0
// renders per second.
TEST_F(Recolour, HoverPreviewsInTheSwatchOnlyAndACancelledPickChoosesNoTarget) {
    ASSERT_TRUE(app.Activate());
    ASSERT_TRUE(BeginPickOver(kOverDeepBlue, kDeepBlue)) << SwatchReport();
    EXPECT_EQ("FFFFFF", Text());
    const struct {
        POINT over;
        COLORREF colour;
    } hovers[] = {{kOverPicked, kPicked}, {{160, 5}, kPale}};
    for (const auto& hover : hovers) {
        EXPECT_TRUE(HoverOver(hover.over, hover.colour)) << SwatchReport();
        EXPECT_EQ("FFFFFF", Text());
    }
    e2e::KeyPress(VK_ESCAPE);
    ASSERT_TRUE(SwatchShows(0x00FFFFFF)) << "the cancelled pick did not restore the swatch";
    ReleaseOver({160, 5});
    ASSERT_TRUE(app.Running()) << "Esc during a pick closed the program";

    ASSERT_TRUE(Type("1E90FF"));
    ASSERT_TRUE(SwatchShows(ColourOfHex("1E90FF")));
    // Nothing may change: give a wrongly woken render a generous moment.
    EXPECT_FALSE(WaitUntil([&] { return !TargetShowsOwnColours(); }, 1500))
        << "the target was recoloured without being chosen";

    DWORD code = 1;
    ASSERT_TRUE(app.Close(10000, &code));
    EXPECT_EQ(0u, code);
    EXPECT_EQ("0", SavedAvgFps());
}

// Neither a pick cancelled with Esc over another colour nor one released over
// the eyedropper itself changes the target or the colour it replaces.
TEST_F(Recolour, ACancelledPickOrOneReleasedOverTheEyedropperKeepsTheTarget) {
    ASSERT_NO_FATAL_FAILURE(PickTheTarget());
    ASSERT_NO_FATAL_FAILURE(RecolourByTyping("1E90FF"));

    ASSERT_TRUE(app.Activate());
    ASSERT_TRUE(BeginPickOver(kOverDeepBlue, kDeepBlue)) << SwatchReport();
    e2e::KeyPress(VK_ESCAPE);
    ASSERT_TRUE(SwatchShows(ColourOfHex("1E90FF"))) << "the cancelled pick left the swatch";
    ReleaseOver(kOverDeepBlue);
    ASSERT_TRUE(app.Running()) << "Esc during a pick closed the program";
    ASSERT_NO_FATAL_FAILURE(RecolourByTyping("FF6347"));

    ASSERT_TRUE(BeginPickOver(kOverDeepBlue, kDeepBlue)) << SwatchReport();
    EXPECT_TRUE(TargetRecoloured(ColourOfHex("FF6347"), nullptr, app.LoupeRect()))
        << "the preview reached the target";
    const POINT box = Eyedropper();
    e2e::MouseMove(box.x + 3, box.y);
    e2e::MouseUp(box.x, box.y);
    ASSERT_TRUE(SwatchShows(ColourOfHex("FF6347"))) << "the swatch did not return";
    // Still the same target and colour to replace, not the one under the pointer.
    ASSERT_NO_FATAL_FAILURE(RecolourByTyping("1E90FF"));
}

// Closing while key strokes keep the worker busy: a clean exit, the target
// back in its own colours, and a positive average saved.
TEST_F(Recolour, ClosingWhileRecolouringEndsCleanly) {
    ASSERT_NO_FATAL_FAILURE(PickTheTarget());
    ASSERT_TRUE(ClickRedBar());
    ASSERT_TRUE(WaitUntil([&] { return Text() == "7FFFFF"; }, 5000)) << Text();
    ASSERT_TRUE(AwaitRecoloured(ColourOfHex("7FFFFF")));

    // The keys reach the bar: a page down, seen; then, as fast as they come,
    // back up and down again, two colours, while the program closes.
    e2e::KeyPress(VK_NEXT);
    const HWND foreground = GetForegroundWindow(), focus = app.Focus(),
               bar = app.ChildAt("zPositionBar", kRedBar);
    ASSERT_TRUE(TextBecomes("5FFFFF"))
        << "the keys did not change the colour; the foreground window was " << foreground
        << " (Tintwell's " << app.Window() << "), the focus " << focus << " (the red bar " << bar
        << ")";
    std::atomic<bool> stop{false};
    std::thread keys([&] {
        while (!stop.load()) {
            e2e::KeyPress(VK_PRIOR);
            e2e::KeyPress(VK_NEXT);
        }
    });
    DWORD code = 1;
    const bool exited = app.Close(10000, &code);
    stop.store(true);
    keys.join();
    ASSERT_TRUE(exited) << "Tintwell did not end";
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(AwaitOwnColours()) << "the target keeps the recolouring after the exit";
    const std::string fps = SavedAvgFps();
    EXPECT_GT(std::strtoul(fps.c_str(), nullptr, 10), 0ul) << "AvgFPS=" << fps;
}

// Arrow keys nudge the pick-window eyedropper's pointer too: the release, or
// in a pick begun with Space the Enter key, chooses the column it was nudged
// to, and a colour change recolours that column alone.
void Recolour::NudgedPickChoosesTheColumn(bool keyboard) {
    const e2e::StripesWindow stripes(POINT{300, 150}, 40, 60);
    ASSERT_TRUE(stripes.Shown()) << "the stripes did not show their colours";
    ASSERT_TRUE(app.Activate());
    const HWND box = app.ChildAt("zPickColor", kPickWindow);
    if (keyboard) {
        ASSERT_TRUE(e2e::MouseMove(stripes.Column(10).x, stripes.Column(10).y));
        e2e::KeyChord({VK_SHIFT, VK_TAB}); // from the edit box, round to the last control
        ASSERT_TRUE(app.FocusBecomes(box));
        e2e::KeyPress(VK_SPACE);
        ASSERT_TRUE(WaitUntil([&] { return app.Capture() == box; })) << "Space began no pick";
        ASSERT_TRUE(SwatchShows(ShownAs(e2e::StripesWindow::Colour(10)))) << SwatchReport();
    } else {
        ASSERT_TRUE(BeginPick()) << "the press did not begin a pick";
        ASSERT_TRUE(WaitUntil([&] { return app.Focus() == box; }, 3000));
        ASSERT_TRUE(HoverAt(stripes.Column(10), e2e::StripesWindow::Colour(10))) << SwatchReport();
    }
    EXPECT_NE(nullptr, app.Loupe()) << "no loupe for the pick-window eyedropper";
    // F freezes nothing here: the window under the pointer must be the live
    // one. The nudges after it are handled after it too.
    e2e::KeyPress('F');
    for (int i = 0; i < 3; ++i)
        e2e::KeyPress(VK_RIGHT);
    ASSERT_TRUE(SwatchShows(ShownAs(e2e::StripesWindow::Colour(13)))) << SwatchReport();
    EXPECT_EQ(nullptr, app.FrozenScreen()) << "the pick-window eyedropper froze the screen";
    if (keyboard)
        e2e::KeyPress(VK_RETURN);
    else
        e2e::MouseUpHere();
    ASSERT_TRUE(SwatchShows(0x00FFFFFF)) << SwatchReport();

    ASSERT_TRUE(Type("1E90FF"));
    std::string wrong;
    auto onlyColumn13 = [&] {
        const ScreenImage image(stripes.ScreenRect());
        wrong.clear();
        for (int i = 0; i < 40; ++i) {
            const POINT p = stripes.Column(i);
            const COLORREF want = i == 13 ? ColourOfHex("1E90FF") : e2e::StripesWindow::Colour(i);
            if (!ShowsRendered(image.At(p.x, p.y), want)) wrong += " " + std::to_string(i);
        }
        return wrong.empty();
    };
    EXPECT_TRUE(WaitUntil(onlyColumn13, 8000)) << "columns not as expected:" << wrong;
}

TEST_F(Recolour, NudgedReleaseChoosesTheColumnUnderThePointer) {
    NudgedPickChoosesTheColumn(false);
}

TEST_F(Recolour, AKeyboardPickChoosesTheNudgedColumn) {
    NudgedPickChoosesTheColumn(true);
}

// A wide window painted in the picked colour alone, below Tintwell's window,
// so that a render takes longer than Tintwell's own repaint of its bars.
LRESULT CALLBACK WideProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(w, &r);
        HBRUSH brush = CreateSolidBrush(kPicked);
        FillRect(reinterpret_cast<HDC>(wp), &r, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

constexpr RECT kWideRect{0, 480, 1024, 768};

class WideTarget {
  public:
    // A few points spread over the window, all of the picked colour.
    bool Shows(COLORREF colour) const {
        for (int x : {5, 500, 1015})
            for (int y : {485, 620, 760})
                if (!ShowsRendered(e2e::ScreenPixel(x, y), colour)) return false;
        return true;
    }

  private:
    e2e::ThreadWindow window_{"E2eWideTarget", WideProc, kWideRect, WS_EX_TOOLWINDOW};
};

// Under Wine a second thread's drawing can wait in the display connection
// until that thread next talks to the display. Each render must reach the
// screen when it is made, not when something else happens to flush it: after
// the pick's release, and after each key below, Tintwell gets no more input,
// so a render left waiting would stay unseen.
TEST_F(Recolour, EachRenderReachesTheScreenWithNothingElseHappening) {
    WideTarget wide;
    ASSERT_TRUE(WaitUntil([&] { return wide.Shows(kPicked); }, 5000));
    const POINT over{500, 620};
    ASSERT_TRUE(BeginPick()) << "the press did not begin a pick";
    ASSERT_TRUE(HoverAt(over, kPicked)) << SwatchReport();
    e2e::MouseUp(over.x, over.y);
    ASSERT_TRUE(WaitUntil([&] { return wide.Shows(0x00FFFFFF); }, 8000));

    ASSERT_TRUE(ClickRedBar());
    ASSERT_TRUE(WaitUntil([&] { return Text() == "7FFFFF"; }, 5000)) << Text();
    ASSERT_TRUE(WaitUntil([&] { return wide.Shows(ColourOfHex("7FFFFF")); }, 8000));
    // Park the pointer away from every window, then one step at a time.
    e2e::MouseMove(1000, 20);
    // The key is let go only after the check: its release would be one more
    // message for Tintwell, and so one more chance for a late flush.
    for (const char* hex : {"80FFFF", "81FFFF", "82FFFF", "83FFFF", "84FFFF"}) {
        e2e::KeyDown(VK_RIGHT);
        const bool changed = WaitUntil([&] { return Text() == hex; }, 5000);
        const bool shown = WaitUntil([&] { return wide.Shows(ColourOfHex(hex)); }, 3000);
        e2e::KeyUp(VK_RIGHT);
        ASSERT_TRUE(changed) << Text();
        EXPECT_TRUE(shown) << "the render of " << hex << " did not reach the screen";
    }
}

} // namespace
