// The main window's input: palette clicks, typed hexadecimal text, the Copy
// button and its menu, and the "Auto apply" check box.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e::expected;

using e2e::HexText;
using e2e::Middle;

// A packed 0xRRGGBB value as a colour reference 0x00BBGGRR.
COLORREF FromPacked(unsigned long p) {
    return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}

// Waits for `text` on the clipboard, read as CF_TEXT and as CF_UNICODETEXT.
::testing::AssertionResult ClipboardHolds(const std::string& text) {
    std::string ansi;
    std::wstring unicode;
    if (e2e::WaitUntil([&] {
            return e2e::ClipboardText(&ansi) && ansi == text &&
                   e2e::ClipboardUnicodeText(&unicode) &&
                   unicode == std::wstring(text.begin(), text.end());
        }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the clipboard holds \"" << ansi << "\" and "
                                         << unicode.size() << " Unicode characters";
}

class Input : public e2e::AppTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Launch()) << "Tintwell did not show its main window";
        copy = Child("Button", kCopyButton);
        autoApplyBox = Child("Button", kAutoApply);
        ASSERT_TRUE(copy && autoApplyBox);
        ASSERT_TRUE(app.Activate());
        ASSERT_TRUE(app.FocusBecomes(edit));
    }

    void ClickCell(int i, e2e::Button button = e2e::Button::Left) const {
        const POINT p = MiddleOf(PaletteCell(i));
        e2e::Click(p.x, p.y, button);
    }

    // Clicks the check box and waits for it to turn: input is handled in
    // order, so everything given before has been handled by then.
    bool ToggleAutoApply() const {
        const LRESULT before = SendMessageA(autoApplyBox, BM_GETCHECK, 0, 0);
        app.ClickClient(Middle(kAutoApply).x, Middle(kAutoApply).y);
        return e2e::WaitUntil(
            [&] { return SendMessageA(autoApplyBox, BM_GETCHECK, 0, 0) != before; });
    }

    HWND copy = nullptr, autoApplyBox = nullptr;
};

// ---- Palette ----------------------------------------------------------------

class Palette : public Input {};

TEST_F(Palette, LeftClickTakesTheCellsColour) {
    for (int i = 0; i < kPaletteCells; ++i) { // neighbours differ, so each click shows
        SCOPED_TRACE("cell " + std::to_string(i));
        ClickCell(i);
        EXPECT_TRUE(TextBecomes(HexText(kBuiltInPalette[i])));
        EXPECT_TRUE(SwatchShows(kBuiltInPalette[i]));
    }
}

TEST_F(Palette, RightClickStoresTheCurrentColourAndShowsItAtOnce) {
    const COLORREF typed = 0x003C2B1A;
    ASSERT_TRUE(Type("1a2b3c", "1A2B3C"));
    ASSERT_TRUE(CellShows(7, kBuiltInPalette[7]));
    ClickCell(7, e2e::Button::Right);
    EXPECT_TRUE(CellShows(7, typed)) << "cell 7 does not show the stored colour";
    EXPECT_TRUE(CellShows(6, kBuiltInPalette[6]));
    EXPECT_TRUE(CellShows(8, kBuiltInPalette[8]));
    EXPECT_EQ("1A2B3C", Text()); // storing does not change the Current colour

    // The stored colour comes back exactly with a left click.
    ClickCell(0);
    ASSERT_TRUE(TextBecomes("FF0000"));
    ClickCell(7);
    EXPECT_TRUE(TextBecomes("1A2B3C"));
    EXPECT_TRUE(SwatchShows(typed));
}

TEST_F(Palette, ClicksBetweenCellsChangeNothing) {
    ASSERT_TRUE(Type("1a2b3c", "1A2B3C"));
    const POINT gaps[] = {
        {280, 40},  // between the columns
        {260, 58},  // between the first and the second row
        {315, 100}, // right of the second column
        {260, 170}, // below the last row
        {244, 40},  // left of the first column
    };
    for (const POINT& gap : gaps) {
        SCOPED_TRACE(std::to_string(gap.x) + "," + std::to_string(gap.y));
        app.ClickClient(gap.x, gap.y);
        app.ClickClient(gap.x, gap.y, e2e::Button::Right);
        ASSERT_TRUE(ToggleAutoApply()) << "the check box did not turn";
        EXPECT_EQ("1A2B3C", Text());
    }
    ASSERT_TRUE(app.Settle());
    for (int i = 0; i < kPaletteCells; ++i)
        EXPECT_TRUE(CellShows(i, kBuiltInPalette[i])) << "cell " << i;
}

// ---- Typed hexadecimal text -----------------------------------------------------

class Typing : public Input {};

TEST_F(Typing, EachKeystrokeAppliesTheTextSoFar) {
    const struct {
        char key;
        const char* text;
        unsigned long packed;
    } steps[] = {
        {'f', "F", 0x00000F},    {'f', "FF", 0x0000FF},    {'8', "FF8", 0x000FF8},
        {'0', "FF80", 0x00FF80}, {'0', "FF800", 0x0FF800}, {'0', "FF8000", 0xFF8000},
    };
    e2e::SelectAllText();
    for (const auto& step : steps) {
        SCOPED_TRACE(step.text);
        e2e::TypeText(std::string(1, step.key));
        ASSERT_TRUE(TextBecomes(step.text));
        EXPECT_TRUE(SwatchShows(FromPacked(step.packed)));
    }
}

// A leading '#' and lower case are taken; Enter changes nothing, and the
// key after it is handled as ever.
TEST_F(Typing, HashAndLowerCaseGiveGreenAndEnterChangesNothing) {
    ASSERT_TRUE(Type("#00ff00", "#00FF00"));
    EXPECT_TRUE(SwatchShows(0x0000FF00));
    e2e::KeyPress(VK_RETURN);
    e2e::KeyPress(VK_BACK);
    EXPECT_TRUE(TextBecomes("#00FF0"));
    EXPECT_TRUE(SwatchShows(FromPacked(0x000FF0)));
    EXPECT_TRUE(app.Running());
}

TEST_F(Typing, ClearingTheFieldLeavesTheColour) {
    ASSERT_TRUE(Type("1a2b3c", "1A2B3C"));
    e2e::SelectAllText();
    e2e::KeyPress(VK_BACK);
    ASSERT_TRUE(TextBecomes(""));
    EXPECT_TRUE(SwatchShows(0x003C2B1A));
    EXPECT_EQ(std::to_string(0x003C2B1A), e2e::IniValue(CloseAndReadIni(), "Current color"));
}

// ---- Copy -----------------------------------------------------------------------

// Copy takes the edit box's first six characters, in place of whatever the
// clipboard held, Unicode text too.
TEST_F(Typing, CopyPutsTheFirstSixCharactersOnTheClipboard) {
    const struct {
        const char* typed;
        const char* shown;
        const char* copied;
    } cases[] = {
        {"ff8000", "FF8000", "FF8000"},
        {"#ff8000", "#FF8000", "#FF800"},
        {"12ab", "12AB", "12AB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_TRUE(e2e::SetClipboardUnicodeText(L"older text"));
        ASSERT_TRUE(Type(c.typed, c.shown));
        ClickCopy();
        EXPECT_TRUE(ClipboardHolds(c.copied));
    }
}

// While another program holds the clipboard, Copy keeps the window busy
// trying again for a while; the driver holds it and watches for that.
class HeldClipboard {
  public:
    HeldClipboard() {
        held_ = e2e::WaitUntil([] { return OpenClipboard(nullptr) != 0; }, 2000);
    }
    ~HeldClipboard() { Release(); }
    bool Held() const { return held_; }
    void Release() {
        if (held_) CloseClipboard();
        held_ = false;
    }

  private:
    bool held_ = false;
};

bool Answers(HWND window, UINT timeoutMs) {
    DWORD_PTR result;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

// Held long, Copy gives up and the window answers and takes keys again; held
// briefly, the text arrives once it is let go.
TEST_F(Typing, CopyGivesUpOnAClipboardHeldLongAndWaitsForOneHeldBriefly) {
    for (bool brief : {false, true}) {
        SCOPED_TRACE(brief ? "brief" : "long");
        ASSERT_TRUE(e2e::SetClipboardText("stale"));
        ASSERT_TRUE(Type(brief ? "FF8000" : "123456"));
        HeldClipboard held;
        ASSERT_TRUE(held.Held());
        ClickCopy();
        ASSERT_TRUE(e2e::WaitUntil([&] { return !Answers(app.Window(), 20); }, 3000))
            << "Copy never waited for the clipboard";
        if (!brief) {
            EXPECT_TRUE(e2e::WaitUntil([&] { return Answers(app.Window(), 100); }, 5000))
                << "the window stays busy while the clipboard is held";
        }
        held.Release();
        std::string copied;
        const std::string expected = brief ? "FF8000" : "stale";
        EXPECT_TRUE(e2e::WaitUntil([&] {
            return e2e::ClipboardText(&copied) && copied == expected;
        })) << "the clipboard holds "
            << copied;
    }
}

// ---- The Copy button's menu ------------------------------------------------------

class CopyMenu : public Input {
  protected:
    enum class Opener { RightClick, ShiftF10, AppsKey };

    // Opens the menu; the keys need the Copy button to have the focus.
    bool Open(Opener how) const {
        const POINT copyMiddle = MiddleOf(kCopyButton);
        switch (how) {
        case Opener::RightClick: e2e::Click(copyMiddle.x, copyMiddle.y, e2e::Button::Right); break;
        case Opener::ShiftF10: e2e::KeyChord({VK_SHIFT, VK_F10}); break;
        case Opener::AppsKey: e2e::KeyPress(VK_APPS); break;
        }
        return e2e::WaitUntil([] { return e2e::VisibleMenu() != nullptr; });
    }
    bool Closed() const {
        return e2e::WaitUntil([] { return e2e::VisibleMenu() == nullptr; });
    }
    // A left click on Copy gives it the focus; it copies the text too, so
    // wait for that before the clipboard is set.
    bool FocusCopy() const {
        ClickCopy();
        return app.FocusBecomes(copy) && ClipboardHolds(Text().substr(0, 6));
    }
};

// The entries show the Current colour, whatever the edit box holds: typed
// "#ff8000" Copy itself copies as "#FF800". Each way of opening it, and an
// entry chosen with the keys; every form's text is pinned by the unit tests.
TEST_F(CopyMenu, EachOpenerAndEntryCopiesTheCurrentColourInItsForm) {
    ASSERT_TRUE(Type("#ff8000", "#FF8000"));
    const struct {
        Opener how;
        int entry; // from the top, chosen with Home, Down and Enter
        const char* copied;
    } cases[] = {
        {Opener::RightClick, 1, "#FF8000"},
        {Opener::ShiftF10, 4, "RGB(255, 128, 0)"},
        {Opener::AppsKey, 2, "rgb(255, 128, 0)"},
    };
    ASSERT_TRUE(FocusCopy());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.copied);
        ASSERT_TRUE(e2e::SetClipboardText("stale"));
        ASSERT_TRUE(Open(c.how)) << "no menu";
        e2e::KeyPress(VK_HOME);
        for (int i = 0; i < c.entry; ++i)
            e2e::KeyPress(VK_DOWN);
        e2e::KeyPress(VK_RETURN);
        EXPECT_TRUE(Closed());
        EXPECT_TRUE(ClipboardHolds(c.copied));
    }
    EXPECT_EQ("#FF8000", Text());
}

TEST_F(CopyMenu, AClickOnAnEntryCopiesIt) {
    ASSERT_TRUE(Type("336699"));
    ASSERT_TRUE(e2e::SetClipboardText("stale"));
    ASSERT_TRUE(Open(Opener::RightClick)) << "no menu";
    RECT menu;
    GetWindowRect(e2e::VisibleMenu(), &menu);
    // Five entries of one height: the fourth's middle is 7/10 down.
    e2e::Click((menu.left + menu.right) / 2, menu.top + (menu.bottom - menu.top) * 7 / 10);
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(ClipboardHolds("hsl(210, 50%, 40%)"));
}

// Esc is the menu's own: it closes the menu, not the program.
TEST_F(CopyMenu, EscOrAClickElsewhereClosesItAndCopiesNothing) {
    ASSERT_TRUE(Type("ff8000", "FF8000"));
    ASSERT_TRUE(FocusCopy());
    ASSERT_TRUE(e2e::SetClipboardText("stale"));
    for (Opener how : {Opener::RightClick, Opener::ShiftF10}) {
        ASSERT_TRUE(Open(how)) << "no menu";
        e2e::KeyPress(VK_ESCAPE);
        ASSERT_TRUE(Closed());
    }
    ASSERT_TRUE(Open(Opener::AppsKey)) << "no menu";
    const POINT empty = app.ToScreen(80, 160); // between an eyedropper and Close
    e2e::Click(empty.x, empty.y);
    ASSERT_TRUE(Closed());
    // Had an Esc reached the main window its close would come before this
    // click, which needs a running program to take palette cell 0's colour.
    ClickCell(0);
    EXPECT_TRUE(TextBecomes("FF0000"));
    EXPECT_TRUE(app.Running());
    std::string text;
    EXPECT_TRUE(e2e::ClipboardText(&text));
    EXPECT_EQ("stale", text);
}

// ---- The check box ------------------------------------------------------------

TEST_F(Input, AutoApplyCheckBoxTogglesOnClickAndIsSaved) {
    ASSERT_EQ(BST_CHECKED, SendMessageA(autoApplyBox, BM_GETCHECK, 0, 0));
    ASSERT_TRUE(ToggleAutoApply());
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(autoApplyBox, BM_GETCHECK, 0, 0));
    ASSERT_TRUE(ToggleAutoApply());
    EXPECT_EQ(BST_CHECKED, SendMessageA(autoApplyBox, BM_GETCHECK, 0, 0));
    // The program's own flag follows the box: it is what the settings file keeps.
    ASSERT_TRUE(ToggleAutoApply());
    EXPECT_EQ("0", e2e::IniValue(CloseAndReadIni(), "Auto apply"));
}

} // namespace
