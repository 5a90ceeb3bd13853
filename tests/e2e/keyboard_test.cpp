// The whole tool from the keyboard, and as a screen reader reads it.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <cwctype>
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e::expected;
using e2e::HexText;
using e2e::StripesWindow;

// Where Tab takes the focus, round.
const struct {
    const char* className;
    RECT rect;
} kTabOrder[] = {
    {"Edit", kEdit},
    {"Button", kCopyButton},
    {"zPositionBar", kRedBar},
    {"zPositionBar", kGreenBar},
    {"zPositionBar", kBlueBar},
    {"zPositionBar", kBrightnessBar},
    {"Button", kAutoApply},
    {"Button", kCloseButton},
    {"zPickColor", kPickColour},
    {"zPickColor", kPickWindow},
};
constexpr int kStops = sizeof kTabOrder / sizeof kTabOrder[0];
constexpr int kCopy = 1, kRed = 2, kAutoApplyStop = 6, kClose = 7, kPickColourStop = 8;

class Keyboard : public e2e::AppTest {
  protected:
    void SetUp() override { StartWith({}); }
    void StartWith(const e2e::LaunchOptions& options) {
        ASSERT_TRUE(Launch(options)) << "Tintwell did not show its main window";
        ASSERT_TRUE(app.Activate());
        ASSERT_TRUE(app.FocusBecomes(edit));
    }
    HWND Stop(int i) const {
        return Child(kTabOrder[(i + kStops) % kStops].className,
                     kTabOrder[(i + kStops) % kStops].rect);
    }
    // Tab, or Shift+Tab; true once stop i has the focus.
    bool TabTo(int i, bool forward = true) const {
        if (forward)
            e2e::KeyPress(VK_TAB);
        else
            e2e::KeyChord({VK_SHIFT, VK_TAB});
        return app.FocusBecomes(Stop(i));
    }
    // Every pixel of the red bar's client area.
    std::vector<COLORREF> RedBarPixels() const {
        const RECT r = RedBarClient();
        const e2e::ScreenImage image(r);
        std::vector<COLORREF> pixels;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                pixels.push_back(image.At(x, y));
        return pixels;
    }
    // The red bar's pixels, then a click on it at its value (white: 255, the
    // track's right end), which focuses it and moves nothing.
    std::vector<COLORREF> ClickRedBarAsItIs() const {
        EXPECT_TRUE(app.Settle());
        const std::vector<COLORREF> before = RedBarPixels();
        const RECT bar = RedBarClient();
        e2e::Click(bar.left + kTrackLeft + kTrackWidth, bar.top + kBarMiddleY);
        EXPECT_TRUE(app.FocusBecomes(Stop(kRed)));
        return before;
    }
    // Whether an eyedropper has its mouse hook in: it carries a window
    // property while it does.
    static bool Hooked(HWND eyedropper) { return GetPropA(eyedropper, "zMouseHook") != nullptr; }
    // The focus to a control, as a click would move it, with no click.
    void SetFocusOf(HWND control) const {
        AttachThreadInput(GetCurrentThreadId(), app.ThreadId(), TRUE);
        SetFocus(control);
        AttachThreadInput(GetCurrentThreadId(), app.ThreadId(), FALSE);
        EXPECT_TRUE(app.FocusBecomes(control));
    }
    RECT RedBarClient() const {
        return OnScreen(RECT{kRedBar.left + kBarEdge, kRedBar.top + kBarEdge,
                             kRedBar.right - kBarEdge, kRedBar.bottom - kBarEdge});
    }
};

// Tab and Shift+Tab go round every control in order. A bar a mouse user
// clicks looks as it always did; reached by Tab it shows the focus rectangle
// round its client area, and its arrow keys work. Space acts on the check
// box and the buttons.
TEST_F(Keyboard, TabGoesRoundBothWaysAndShowsTheFocusAMouseUserNeverSees) {
    const std::vector<COLORREF> unfocused = ClickRedBarAsItIs();
    ASSERT_TRUE(app.Settle());
    EXPECT_TRUE(RedBarPixels() == unfocused) << "a click drew a focus mark";

    for (int i = kRed + 1; i <= kRed + kStops; ++i)
        ASSERT_TRUE(TabTo(i)) << "Tab to stop " << i % kStops;
    for (int i = kRed - 1; i >= kRed - kStops; --i)
        ASSERT_TRUE(TabTo(i, false)) << "Shift+Tab to stop " << (i + kStops) % kStops;
    std::vector<COLORREF> cued;
    ASSERT_TRUE(e2e::WaitUntil([&] { return (cued = RedBarPixels()) != unfocused; }))
        << "no focus rectangle on the bar reached by Tab";
    const RECT bar = RedBarClient();
    const int width = bar.right - bar.left, height = bar.bottom - bar.top;
    for (int i = 0; i < int(cued.size()); ++i) {
        const int x = i % width, y = i / width;
        const bool edge = x == 0 || y == 0 || x == width - 1 || y == height - 1;
        ASSERT_TRUE(edge || cued[i] == unfocused[i])
            << "changed inside the bar at " << x << "," << y;
    }
    e2e::KeyPress(VK_LEFT);
    EXPECT_TRUE(TextBecomes("FEFFFF"));

    for (int i = kRed + 1; i <= kAutoApplyStop; ++i)
        ASSERT_TRUE(TabTo(i));
    e2e::KeyPress(VK_SPACE);
    EXPECT_TRUE(e2e::WaitUntil([&] {
        return SendMessageA(Stop(kAutoApplyStop), BM_GETCHECK, 0, 0) == BST_UNCHECKED;
    })) << "Space did not turn the check box";
    for (int i = kAutoApplyStop + 1; i <= kStops + kCopy; ++i)
        ASSERT_TRUE(TabTo(i));
    ASSERT_TRUE(e2e::SetClipboardText("stale"));
    e2e::KeyPress(VK_SPACE);
    std::string copied;
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ClipboardText(&copied) && copied == "FEFFFF"; }))
        << "Space on Copy copied \"" << copied << "\"";
    for (int i = kStops + kCopy - 1; i >= kClose; --i)
        ASSERT_TRUE(TabTo(i, false));
    e2e::KeyPress(VK_SPACE);
    DWORD code = 1;
    ASSERT_TRUE(app.WaitForExit(5000, &code)) << "Space on Close did not close";
    EXPECT_EQ(0u, code);
    EXPECT_EQ("0", e2e::IniValue(app.IniLines(), "Auto apply"));
}

// Where the user has asked Windows to show keyboard cues always, a bar a
// click focuses shows its focus rectangle at once. (A change while Tintwell
// runs is tested in its own process: Wine keeps each process's copy of the
// setting from its first look.)
class AlwaysCued : public Keyboard {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &found, 0));
        SetCues(TRUE);
        Keyboard::SetUp();
    }
    // The user's own setting back, whatever it was.
    void TearDown() override { SetCues(found); }
    static void SetCues(BOOL on) {
        EXPECT_TRUE(
            SystemParametersInfoA(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(INT_PTR(on)), 0));
    }
    BOOL found = FALSE;
};

TEST_F(AlwaysCued, AClickedBarShowsItsFocusAtOnce) {
    const std::vector<COLORREF> unfocused = ClickRedBarAsItIs();
    EXPECT_TRUE(e2e::WaitUntil([&] { return RedBarPixels() != unfocused; }))
        << "no focus rectangle although the user asked for cues always";
}

// Space on the focused eyedropper picks where the pointer is: the arrows
// nudge, Enter takes the pixel; Esc cancels and leaves Tintwell open; the
// mouse moves the pick too, and a click elsewhere cancels it.
TEST_F(Keyboard, TheEyedropperPicksFromTheKeyboard) {
    const StripesWindow stripes(POINT{420, 540}, 40, 60);
    ASSERT_TRUE(stripes.Shown());
    auto text = [](int column) { return HexText(StripesWindow::ShownColour(column)); };
    ASSERT_TRUE(e2e::MouseMove(stripes.Column(10).x, stripes.Column(10).y));
    ASSERT_TRUE(TabTo(kPickColourStop + 1, false));
    ASSERT_TRUE(TabTo(kPickColourStop, false));
    const HWND box = Stop(kPickColourStop);
    auto picking = [&](bool on) {
        return e2e::WaitUntil([&] { return (app.Capture() == box) == on; });
    };

    e2e::KeyPress(VK_SPACE);
    ASSERT_TRUE(picking(true)) << "Space began no pick";
    EXPECT_TRUE(TextBecomes(text(10)));
    EXPECT_NE(nullptr, app.Loupe());
    e2e::KeyPress(VK_RIGHT);
    e2e::KeyPress(VK_RIGHT);
    EXPECT_TRUE(TextBecomes(text(12)));
    e2e::KeyPress(VK_RETURN);
    ASSERT_TRUE(picking(false)) << "Enter did not end the pick";
    EXPECT_TRUE(TextBecomes(text(12)));
    EXPECT_EQ(box, app.Focus());

    e2e::KeyPress(VK_SPACE);
    ASSERT_TRUE(picking(true));
    // The capture comes a moment before the hook.
    EXPECT_TRUE(e2e::WaitUntil([&] { return Hooked(box); }))
        << "a pick from the keyboard watches presses elsewhere";
    e2e::KeyPress(VK_RIGHT);
    EXPECT_TRUE(TextBecomes(text(13)));
    e2e::KeyPress(VK_ESCAPE);
    ASSERT_TRUE(picking(false));
    EXPECT_TRUE(TextBecomes(text(12))) << "Esc did not put the colour back";
    EXPECT_FALSE(Hooked(box)) << "Esc left the mouse hook";
    EXPECT_TRUE(app.Running());

    e2e::KeyPress(VK_SPACE);
    ASSERT_TRUE(picking(true));
    ASSERT_TRUE(e2e::MouseMove(stripes.Column(20).x, stripes.Column(20).y));
    EXPECT_TRUE(TextBecomes(text(20))) << "the pointer moved by the mouse was not followed";
    e2e::Click(stripes.Column(30).x, stripes.Column(30).y);
    EXPECT_TRUE(picking(false)) << "a click elsewhere did not end the pick";
    EXPECT_TRUE(TextBecomes(text(12))) << "a click elsewhere did not cancel";
    EXPECT_FALSE(Hooked(box)) << "a click elsewhere left the mouse hook";
}

// However else a pick from the keyboard ends, it ends as Esc ends it: the
// colour from before it back, the pointer where the nudges left it, the
// loupe and the mouse hook gone. Another program made active, the focus
// taken by another control, a WM_CANCELMODE (a system dialog coming up), and
// at last the program's own end, which saves the colour from before it.
TEST_F(Keyboard, EveryOtherWayOutOfAPickFromTheKeyboardIsAsEsc) {
    const StripesWindow stripes(POINT{420, 540}, 40, 60);
    ASSERT_TRUE(stripes.Shown());
    const HWND box = Stop(kPickColourStop);
    const std::string before = Text();
    const POINT nudged = stripes.Column(12);
    auto picking = [&](bool on) {
        return e2e::WaitUntil([&] { return (app.Capture() == box) == on; });
    };
    // Where the nudges left it, once Wine's late echoes of them are in.
    auto pointerStays = [&] {
        return e2e::WaitUntil([&] {
            POINT p{};
            return GetCursorPos(&p) && p.x == nudged.x && p.y == nudged.y;
        });
    };
    // Another window of the driver's, which takes the activation.
    const HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 20, 20, 80, 40,
                                       nullptr, nullptr, nullptr, nullptr);
    const struct {
        const char* way;
        std::function<void()> end;
    } ways[] = {
        {"another program made active", [&] { SetForegroundWindow(other); }},
        {"the focus taken",
         [&] {
             AttachThreadInput(GetCurrentThreadId(), app.ThreadId(), TRUE);
             SetFocus(Stop(0));
             AttachThreadInput(GetCurrentThreadId(), app.ThreadId(), FALSE);
         }},
        {"WM_CANCELMODE", [&] { SendMessageA(box, WM_CANCELMODE, 0, 0); }},
        {"the program's end", [&] { PostMessageA(app.Window(), WM_CLOSE, 0, 0); }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        ASSERT_TRUE(app.Activate());
        ASSERT_TRUE(e2e::MouseMove(stripes.Column(10).x, stripes.Column(10).y));
        SetFocusOf(box);
        e2e::KeyPress(VK_SPACE);
        ASSERT_TRUE(picking(true)) << "Space began no pick";
        e2e::KeyPress(VK_RIGHT);
        e2e::KeyPress(VK_RIGHT);
        ASSERT_TRUE(TextBecomes(HexText(StripesWindow::ShownColour(12))));
        ASSERT_TRUE(Hooked(box));
        w.end();
        if (std::string(w.way) == "the program's end") break;
        ASSERT_TRUE(app.Running());
        EXPECT_TRUE(picking(false)) << "the pick goes on";
        EXPECT_TRUE(TextBecomes(before)) << "the colour from before the pick did not come back";
        EXPECT_FALSE(Hooked(box)) << "the mouse hook stays";
        EXPECT_TRUE(e2e::WaitUntil([&] { return app.Loupe() == nullptr; })) << "the loupe stays";
        EXPECT_TRUE(pointerStays()) << "the pointer moved";
    }
    DWORD code = 1;
    ASSERT_TRUE(app.WaitForExit(5000, &code)) << "Tintwell did not end";
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(pointerStays());
    EXPECT_EQ(e2e::DecimalText(e2e::ColourOfHex(before)),
              e2e::IniValue(app.IniLines(), "Current color"));
    DestroyWindow(other);
}

// ---- Screen readers ----------------------------------------------------------

using e2e::Accessible;

class ScreenReader : public Keyboard {
  protected:
    void SetUp() override {
        CoInitialize(nullptr);
        Keyboard::SetUp();
    }
    void TearDown() override { CoUninitialize(); }
};

// From this process, as a screen reader asks: the bars are sliders named by
// their colour with their value, which follows the colour; the eyedroppers
// buttons that say how to use them and pick from the keyboard as their
// default action, pressed while they pick; the edit box is named "Hex
// color"; the standard controls keep their names. The states say what the
// system knows too: disabled, or in a minimised window. The children lie in
// window order as Tab goes round them, for screen readers walk that order.
TEST_F(ScreenReader, EveryControlSaysWhatItIsAndTheBarsTheirValues) {
    HWND child = GetWindow(app.Window(), GW_CHILD);
    for (int i = 0; i < kStops; ++i, child = GetWindow(child, GW_HWNDNEXT))
        EXPECT_EQ(Stop(i), child) << "window order, place " << i;

    const struct {
        int stop;
        long role; // 0: the system's
        const char* name;
        const char* value; // nullptr: not checked
    } controls[] = {
        {0, 0, "Hex color", "FFFFFF"},
        {kCopy, 0, "Copy", nullptr},
        {kRed, ROLE_SYSTEM_SLIDER, "Red", "255"},
        {3, ROLE_SYSTEM_SLIDER, "Green", "255"},
        {4, ROLE_SYSTEM_SLIDER, "Blue", "255"},
        {5, ROLE_SYSTEM_SLIDER, "Brightness", "765"},
        {kAutoApplyStop, 0, "Auto apply", nullptr},
        {kClose, 0, "Close", nullptr},
        {kPickColourStop, ROLE_SYSTEM_PUSHBUTTON, "Pick color", nullptr},
        {9, ROLE_SYSTEM_PUSHBUTTON, "Pick window", nullptr},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.name);
        const Accessible object(Stop(c.stop));
        ASSERT_TRUE(object.Found());
        EXPECT_EQ(c.name, object.Name());
        if (c.role) {
            EXPECT_EQ(c.role, object.Role());
            EXPECT_EQ(STATE_SYSTEM_FOCUSABLE, object.State());
        }
        if (c.value) {
            EXPECT_EQ(c.value, object.Value());
        }
        if (c.role == ROLE_SYSTEM_PUSHBUTTON) {
            EXPECT_NE(std::string::npos, object.Description().find("Esc")) << object.Description();
            EXPECT_EQ("Pick", object.DefaultAction());
        }
    }

    ASSERT_TRUE(Type("102030"));
    const char* const values[] = {"16", "32", "48", "96"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(values[i], Accessible(Stop(kRed + i)).Value()) << "bar " << i;
    ASSERT_TRUE(TabTo(kCopy));
    ASSERT_TRUE(TabTo(kRed));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED, Accessible(Stop(kRed)).State());

    const Accessible eyedropper(Stop(kPickColourStop));
    ASSERT_TRUE(eyedropper.DoDefaultAction());
    EXPECT_TRUE(e2e::WaitUntil([&] { return app.Capture() == Stop(kPickColourStop); }))
        << "the default action began no pick";
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_PRESSED,
              eyedropper.State());
    e2e::KeyPress(VK_ESCAPE);
    EXPECT_TRUE(e2e::WaitUntil([&] { return app.Capture() == nullptr; }));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED, eyedropper.State());
    EXPECT_TRUE(app.Running());

    EnableWindow(Stop(kRed), FALSE);
    EXPECT_EQ(STATE_SYSTEM_UNAVAILABLE, Accessible(Stop(kRed)).State());
    EnableWindow(Stop(kRed), TRUE);
    ShowWindow(app.Window(), SW_MINIMIZE);
    ASSERT_TRUE(e2e::WaitUntil([&] { return IsIconic(app.Window()) != FALSE; }));
    EXPECT_NE(0, Accessible(Stop(4)).State() & (STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_INVISIBLE))
        << "a bar of a minimised window says it is on the screen";
}

// Run from a folder where an attacker has laid libraries named like those
// Tintwell loads at run time: asked for its accessible objects, and picking
// a window (the loupe asks for the monitor's scale, the commit whether
// windows are composed), with its tooltips' library loaded at start, it
// loads each from the system folder, and none of the planted ones ever runs.
class FromDownloads : public ScreenReader {
  protected:
    void SetUp() override {
        CoInitialize(nullptr);
        e2e::LaunchOptions options;
        options.plantedLibraries = kPlanted;
        StartWith(options);
    }
    const std::vector<std::string> kPlanted = {"oleacc.dll", "ole32.dll",  "oleaut32.dll",
                                               "dwmapi.dll", "shcore.dll", "comctl32.dll"};
};

TEST_F(FromDownloads, EveryLibraryComesFromTheSystemFolder) {
    EXPECT_EQ("Red", Accessible(Stop(kRed)).Name());
    const StripesWindow stripes(POINT{420, 540}, 40, 60);
    ASSERT_TRUE(stripes.Shown());
    const POINT eyedropper = MiddleOf(kPickWindow), over = stripes.Column(20);
    e2e::MouseDown(eyedropper.x, eyedropper.y);
    ASSERT_TRUE(e2e::WaitUntil([&] { return app.Loupe() != nullptr; })) << "no pick began";
    e2e::MouseUp(over.x, over.y);
    ASSERT_TRUE(e2e::WaitUntil([&] { return app.Capture() == nullptr; })) << "the pick goes on";
    ASSERT_TRUE(app.Settle());
    const std::vector<std::wstring> modules = app.Modules();
    auto lower = [](std::wstring s) {
        for (wchar_t& c : s)
            c = wchar_t(towlower(c));
        return s;
    };
    for (const std::string& name : kPlanted) {
        SCOPED_TRACE(name);
        const std::wstring wanted = lower(std::wstring(name.begin(), name.end()));
        const std::wstring planted = lower(app.ProgramFolder() + L"\\" + wanted);
        bool loaded = false;
        for (const std::wstring& module : modules) {
            const std::wstring path = lower(module);
            if (path.size() < wanted.size() + 1 ||
                path.compare(path.size() - wanted.size() - 1, std::wstring::npos, L"\\" + wanted) !=
                    0)
                continue;
            loaded = true;
            // Wine's own theming and COM load ole32 and oleaut32 for the
            // program, before its first line and from inside COM, looking
            // beside the program first: finding there a library without the
            // functions they need, they take Wine's built-in one, under that
            // path. Windows keeps both among its KnownDLLs, which it loads
            // from the system folder alone.
            if (wanted != L"ole32.dll" && wanted != L"oleaut32.dll") {
                EXPECT_NE(planted, path) << "loaded from beside the program";
            }
        }
        EXPECT_TRUE(loaded) << "never loaded: the test asked for nothing that needs it";
    }
    DWORD code = 1;
    ASSERT_TRUE(app.Close(8000, &code));
    for (const std::wstring& entry : e2e::FolderEntries(app.ProgramFolder()))
        EXPECT_EQ(std::wstring::npos, entry.find(L".ran"))
            << std::string(entry.begin(), entry.end()) << ": a planted library ran";
}

} // namespace
