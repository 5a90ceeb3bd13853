// The main window's input: palette clicks, typed hexadecimal text, the Copy
// button, the keys that close the program, the edit box's colours, Tab and
// the "Auto apply" check box.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e::expected;

using e2e::Area;
using e2e::HexText;
using e2e::Inset;
using e2e::Middle;
using e2e::Tintwell;

// A packed 0xRRGGBB value as a colour reference 0x00BBGGRR.
COLORREF FromPacked(unsigned long p) {
    return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}

bool PutUnicodeText(const std::wstring& text) {
    if (!e2e::WaitUntil([] { return OpenClipboard(nullptr) != 0; }, 2000)) return false;
    EmptyClipboard();
    bool ok = false;
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!ok) GlobalFree(memory);
    }
    CloseClipboard();
    return ok;
}

class Input : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(app.Start()) << "Tintwell did not show its main window";
        edit = app.ChildAt("Edit", kEdit);
        copy = app.ChildAt("Button", kCopyButton);
        autoApplyBox = app.ChildAt("Button", kAutoApply);
        ASSERT_TRUE(edit && copy && autoApplyBox);
        ASSERT_TRUE(app.Activate());
        ASSERT_TRUE(e2e::WaitUntil([this] { return app.Focus() == edit; }, 3000));
    }

    std::string Text() const { return Tintwell::Text(edit); }
    bool TextBecomes(const std::string& text) const {
        return e2e::WaitUntil([&] { return Text() == text; });
    }

    // Every pixel inside the swatch's frame shows `colour`.
    bool SwatchShows(COLORREF colour) const {
        const RECT inside = Inset(app.ToScreen(kSwatch), 1);
        return e2e::WaitUntil(
            [&] { return e2e::ScreenImage(inside).Count(inside, colour) == Area(inside); });
    }
    bool CellShows(int i, COLORREF colour) const {
        const RECT cell = app.ToScreen(PaletteCell(i));
        return e2e::WaitUntil(
            [&] { return e2e::ScreenImage(cell).Count(cell, colour) == Area(cell); });
    }

    void ClickCell(int i, e2e::Button button = e2e::Button::Left) const {
        const POINT p = Middle(app.ToScreen(PaletteCell(i)));
        e2e::Click(p.x, p.y, button);
    }

    // Types into the edit box in place of its text; true once it shows `shown`.
    bool Type(const std::string& typed, const std::string& shown) const {
        if (app.Focus() != edit) {
            const POINT p = Middle(app.ToScreen(kEdit));
            e2e::Click(p.x, p.y);
            if (!e2e::WaitUntil([this] { return app.Focus() == edit; })) return false;
        }
        e2e::SelectAllText();
        e2e::TypeText(typed);
        return TextBecomes(shown);
    }

    // Clicks the check box and waits for it to turn: input is handled in
    // order, so everything given before has been handled by then.
    bool ToggleAutoApply() const {
        const LRESULT before = SendMessageA(autoApplyBox, BM_GETCHECK, 0, 0);
        app.ClickClient(Middle(kAutoApply).x, Middle(kAutoApply).y);
        return e2e::WaitUntil(
            [&] { return SendMessageA(autoApplyBox, BM_GETCHECK, 0, 0) != before; });
    }

    Tintwell app;
    HWND edit = nullptr, copy = nullptr, autoApplyBox = nullptr;
};

// ---- Palette ----------------------------------------------------------------

class Palette : public Input {};

TEST_F(Palette, LeftClickTakesTheCellsColour) {
    ASSERT_EQ("FFFFFF", Text());
    for (int i = 0; i < kPaletteCells; ++i) { // neighbours differ, so each click shows
        SCOPED_TRACE("cell " + std::to_string(i));
        ClickCell(i);
        EXPECT_TRUE(TextBecomes(HexText(kBuiltInPalette[i]))) << "text is " << Text();
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
    EXPECT_TRUE(TextBecomes("1A2B3C")) << "text is " << Text();
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
    // Read once the window has handled and painted every click.
    ASSERT_TRUE(app.Settle());
    for (int i = 0; i < kPaletteCells; ++i)
        EXPECT_TRUE(CellShows(i, kBuiltInPalette[i])) << "cell " << i;
}

// ---- Typed hexadecimal text -----------------------------------------------------

class HexText : public Input {};

TEST_F(HexText, EachKeystrokeAppliesTheTextSoFar) {
    struct Step {
        char key;
        const char* text;
        unsigned long packed;
    };
    const Step steps[] = {
        {'f', "F", 0x00000F},    {'f', "FF", 0x0000FF},    {'8', "FF8", 0x000FF8},
        {'0', "FF80", 0x00FF80}, {'0', "FF800", 0x0FF800}, {'0', "FF8000", 0xFF8000},
    };
    ASSERT_TRUE(SwatchShows(0x00FFFFFF));
    e2e::SelectAllText();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.text);
        e2e::TypeText(std::string(1, step.key));
        ASSERT_TRUE(TextBecomes(step.text)) << "text is " << Text();
        EXPECT_TRUE(SwatchShows(FromPacked(step.packed)));
    }
}

TEST_F(HexText, HashAndLowerCaseGiveGreen) {
    EXPECT_TRUE(Type("#00ff00", "#00FF00")) << "text is " << Text();
    EXPECT_TRUE(SwatchShows(0x0000FF00));
}

TEST_F(HexText, EnterChangesNothing) {
    ASSERT_TRUE(Type("#00ff00", "#00FF00"));
    e2e::KeyPress(VK_RETURN);
    // The next key is handled after Enter: the text is the typed one less a
    // digit, nothing was reformatted, and the program still runs.
    e2e::KeyPress(VK_BACK);
    EXPECT_TRUE(TextBecomes("#00FF0")) << "text is " << Text();
    EXPECT_TRUE(SwatchShows(FromPacked(0x000FF0)));
    EXPECT_TRUE(app.Running());
}

TEST_F(HexText, ClearingTheFieldLeavesTheColour) {
    ASSERT_TRUE(Type("1a2b3c", "1A2B3C"));
    ASSERT_TRUE(SwatchShows(0x003C2B1A));
    e2e::SelectAllText();
    e2e::KeyPress(VK_BACK);
    ASSERT_TRUE(TextBecomes(""));
    ASSERT_TRUE(app.Settle());
    EXPECT_TRUE(SwatchShows(0x003C2B1A));
    DWORD code = 1;
    ASSERT_TRUE(app.Close(5000, &code));
    bool saved = false;
    for (const e2e::IniLine& line : app.IniLines())
        if (line.key == "Current color") {
            EXPECT_EQ(std::to_string(0x003C2B1A), line.value);
            saved = true;
        }
    EXPECT_TRUE(saved);
}

// ---- Copy -----------------------------------------------------------------------

TEST_F(HexText, CopyPutsTheFirstSixCharactersOnTheClipboard) {
    struct Case {
        const char* typed;
        const char* shown;
        const char* copied;
    };
    const Case cases[] = {
        {"ff8000", "FF8000", "FF8000"},
        {"#ff8000", "#FF8000", "#FF800"},
        {"12ab", "12AB", "12AB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_TRUE(e2e::SetClipboardText("stale"));
        ASSERT_TRUE(Type(c.typed, c.shown)) << "text is " << Text();
        app.ClickClient(Middle(kCopyButton).x, Middle(kCopyButton).y);
        std::string copied;
        EXPECT_TRUE(e2e::WaitUntil([&] {
            return e2e::ClipboardText(&copied) && copied == c.copied;
        })) << "the clipboard holds \""
            << copied << "\"";
    }
}

TEST_F(HexText, CopyReplacesAnOlderUnicodeText) {
    ASSERT_TRUE(PutUnicodeText(L"older text"));
    ASSERT_TRUE(Type("ff8000", "FF8000"));
    app.ClickClient(Middle(kCopyButton).x, Middle(kCopyButton).y);
    std::string copied;
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ClipboardText(&copied) && copied == "FF8000"; }))
        << "the clipboard holds \"" << copied << "\"";
    std::wstring unicode;
    EXPECT_TRUE(e2e::ClipboardUnicodeText(&unicode));
    EXPECT_TRUE(unicode == L"FF8000")
        << "a Unicode reader gets " << unicode.size() << " characters, not the copied text";
}

// While another program holds the clipboard, Copy keeps the window busy
// trying again; the driver holds it and watches for that.
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

TEST_F(HexText, CopyWaitsForAClipboardHeldBriefly) {
    ASSERT_TRUE(e2e::SetClipboardText("stale"));
    ASSERT_TRUE(Type("ff8000", "FF8000"));
    HeldClipboard held;
    ASSERT_TRUE(held.Held());
    app.ClickClient(Middle(kCopyButton).x, Middle(kCopyButton).y);
    // Let go as soon as the program is seen waiting for it.
    EXPECT_TRUE(e2e::WaitUntil([&] { return !Answers(app.Window(), 20); }, 3000))
        << "Copy never waited for the clipboard";
    held.Release();
    std::string copied;
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ClipboardText(&copied) && copied == "FF8000"; }))
        << "the clipboard holds \"" << copied << "\"";
}

TEST_F(HexText, CopyGivesUpOnAClipboardHeldLong) {
    ASSERT_TRUE(e2e::SetClipboardText("stale"));
    ASSERT_TRUE(Type("ff8000", "FF8000"));
    HeldClipboard held;
    ASSERT_TRUE(held.Held());
    app.ClickClient(Middle(kCopyButton).x, Middle(kCopyButton).y);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !Answers(app.Window(), 20); }, 3000))
        << "Copy never waited for the clipboard";
    // Still held: the window answers again once Copy has given up.
    EXPECT_TRUE(e2e::WaitUntil([&] { return Answers(app.Window(), 100); }, 5000))
        << "the window stays busy while the clipboard is held";
    held.Release();
    std::string text;
    EXPECT_TRUE(e2e::ClipboardText(&text));
    EXPECT_EQ("stale", text);
    EXPECT_TRUE(Type("12", "12")) << "the edit box does not take keys any more";
}

// ---- The Copy button's menu ------------------------------------------------------

class CopyMenu : public Input {
  protected:
    enum class Opener { RightClick, ShiftF10, AppsKey };

    // Opens the menu; the keys need the Copy button to have the focus.
    bool Open(Opener how) const {
        const POINT copyMiddle = Middle(app.ToScreen(kCopyButton));
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
        if (!e2e::EmptyTheClipboard()) return false;
        app.ClickClient(Middle(kCopyButton).x, Middle(kCopyButton).y);
        std::string copied;
        return e2e::WaitUntil([&] {
            return app.Focus() == copy && e2e::ClipboardText(&copied) &&
                   copied == Text().substr(0, 6);
        });
    }

    // Waits for `text` on the clipboard, read as CF_TEXT and as CF_UNICODETEXT.
    static ::testing::AssertionResult ClipboardHolds(const std::string& text) {
        std::string ansi;
        std::wstring unicode;
        if (e2e::WaitUntil([&] {
                return e2e::ClipboardText(&ansi) && ansi == text &&
                       e2e::ClipboardUnicodeText(&unicode) &&
                       unicode == std::wstring(text.begin(), text.end());
            }))
            return ::testing::AssertionSuccess();
        e2e::ClipboardUnicodeText(&unicode);
        return ::testing::AssertionFailure() << "the clipboard holds \"" << ansi << "\" and "
                                             << unicode.size() << " Unicode characters";
    }
};

// The entries show the Current colour, whatever the edit box holds: typed
// "#ff8000" Copy itself copies as "#FF800".
TEST_F(CopyMenu, EachEntryCopiesTheCurrentColourInItsForm) {
    ASSERT_TRUE(Type("#ff8000", "#FF8000"));
    const struct {
        Opener how;
        int entry; // from the top, chosen with Home, Down and Enter
        const char* copied;
    } cases[] = {
        {Opener::RightClick, 0, "FF8000"},        {Opener::ShiftF10, 1, "#FF8000"},
        {Opener::AppsKey, 2, "rgb(255, 128, 0)"}, {Opener::RightClick, 3, "hsl(30, 100%, 50%)"},
        {Opener::AppsKey, 4, "RGB(255, 128, 0)"},
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
    ASSERT_TRUE(Type("336699", "336699"));
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
    EXPECT_TRUE(TextBecomes("FF0000")) << "text is " << Text();
    EXPECT_TRUE(app.Running());
    std::string text;
    EXPECT_TRUE(e2e::ClipboardText(&text));
    EXPECT_EQ("stale", text);
}

// ---- Keys -------------------------------------------------------------------------

class Keys : public Input {};

struct EscCase {
    const char* name;
    const char* className;
    RECT rect;   // the control, in client coordinates
    POINT click; // where to click to give it the focus; {-1,-1}: it has it already
};

TEST_F(Keys, EscInAnyControlClosesTheProgramAndSaves) {
    const EscCase cases[] = {
        {"edit box", "Edit", kEdit, {-1, -1}},
        {"Copy button", "Button", kCopyButton, Middle(kCopyButton)},
        {"check box", "Button", kAutoApply, Middle(kAutoApply)},
        {"red bar", "zPositionBar", kRedBar, Middle(kRedBar)},
        {"brightness bar", "zPositionBar", kBrightnessBar, Middle(kBrightnessBar)},
        {"pick-colour eyedropper", "zPickColor", kPickColour, Middle(kPickColour)},
        {"pick-window eyedropper", "zPickColor", kPickWindow, Middle(kPickWindow)},
    };
    bool first = true;
    for (const EscCase& c : cases) {
        SCOPED_TRACE(c.name);
        Tintwell other;
        Tintwell& run = first ? app : other; // the fixture's program serves the first case
        if (!first) {
            ASSERT_TRUE(run.Start());
            ASSERT_TRUE(run.Activate());
        }
        first = false;
        HWND control = run.ChildAt(c.className, c.rect);
        ASSERT_NE(nullptr, control);
        if (c.click.x >= 0) run.ClickClient(c.click.x, c.click.y);
        ASSERT_TRUE(e2e::WaitUntil([&] { return run.Focus() == control; }))
            << "the control did not take the focus";
        ASSERT_FALSE(run.IniExists());
        e2e::KeyPress(VK_ESCAPE);
        DWORD code = 1;
        ASSERT_TRUE(run.WaitForExit(5000, &code)) << "Esc did not close the program";
        EXPECT_EQ(0u, code);
        EXPECT_TRUE(run.IniExists()) << "no settings file";
        EXPECT_EQ(16u, run.IniLines().size());
    }
}

TEST_F(Keys, TabLeavesTheFocusInTheEditBox) {
    ASSERT_TRUE(Type("12", "12"));
    e2e::KeyPress(VK_TAB);
    // Typed after the Tab: only reaches the text while the edit box has the focus.
    e2e::TypeText("3");
    EXPECT_TRUE(TextBecomes("123")) << "text is " << Text();
    EXPECT_EQ(edit, app.Focus());
}

// ---- The edit box's colours and the check box ------------------------------------------

TEST_F(Input, EditBoxTextIsTheBackgroundsInverse) {
    const RECT inside = Inset(app.ToScreen(kEdit), 2);
    const e2e::ScreenImage image(inside);
    // The caret alone, drawn by inverting, makes a single column of the text colour.
    EXPECT_GE(image.Count(inside, kEditTextColour), 60)
        << "the digits are not drawn in the text colour";
    EXPECT_GE(image.Count(inside, kBackground), Area(inside) / 2)
        << "the field is not the background";
    EXPECT_EQ(0, image.Count(inside, 0x00000000)) << "black text";
    EXPECT_EQ(0, image.Count(inside, 0x00FFFFFF)) << "white field";
}

TEST_F(Input, AutoApplyCheckBoxTogglesOnClick) {
    ASSERT_EQ(BST_CHECKED, SendMessageA(autoApplyBox, BM_GETCHECK, 0, 0));
    ASSERT_TRUE(ToggleAutoApply());
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(autoApplyBox, BM_GETCHECK, 0, 0));
    ASSERT_TRUE(ToggleAutoApply());
    EXPECT_EQ(BST_CHECKED, SendMessageA(autoApplyBox, BM_GETCHECK, 0, 0));
    // The program's own flag follows the box: it is what the settings file keeps.
    ASSERT_TRUE(ToggleAutoApply());
    DWORD code = 1;
    ASSERT_TRUE(app.Close(5000, &code));
    bool saved = false;
    for (const e2e::IniLine& line : app.IniLines())
        if (line.key == "Auto apply") {
            EXPECT_EQ("0", line.value);
            saved = true;
        }
    EXPECT_TRUE(saved);
}

} // namespace
