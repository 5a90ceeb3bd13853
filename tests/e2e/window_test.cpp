// The main window as it first appears, with the defaults it saves, and every
// way of closing it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e::expected;

using e2e::Area;
using e2e::IniValue;
using e2e::Inset;
using e2e::ScreenImage;
using e2e::Tintwell;

class MainWindow : public e2e::AppTest {};

TEST_F(MainWindow, StartsAsDocumentedAndItsCloseButtonSavesTheDefaults) {
    ASSERT_EQ(1024, e2e::ScreenWidth());
    ASSERT_EQ(768, e2e::ScreenHeight());
    ASSERT_TRUE(Launch()) << "Tintwell did not show its main window";
    const RECT r = app.WindowRect(), client = app.ClientRect();
    EXPECT_EQ(kCentredOrigin.x, r.left);
    EXPECT_EQ(kCentredOrigin.y, r.top);
    EXPECT_EQ(kWindowWidth, r.right - r.left);
    EXPECT_EQ(kWindowHeight, r.bottom - r.top);
    EXPECT_EQ(kClientWidth, client.right);
    EXPECT_EQ(kClientHeight, client.bottom);
    EXPECT_EQ(kTitle, app.Title());
    EXPECT_NE(0, app.ExStyle() & WS_EX_TOPMOST);
    EXPECT_FALSE(IsIconic(app.Window()));

    for (const auto& c : kChildren) {
        SCOPED_TRACE(std::string(c.className) + " at " + std::to_string(c.rect.left) + "," +
                     std::to_string(c.rect.top));
        HWND child = app.ChildAt(c.className, c.rect);
        ASSERT_NE(nullptr, child);
        if (c.text) {
            EXPECT_EQ(c.text, Tintwell::Text(child));
            EXPECT_EQ(0, GetWindowLongA(child, GWL_ID)) << "a standard control's identifier";
        }
    }
    EXPECT_EQ(10u, app.Children().size());
    EXPECT_TRUE(app.FocusBecomes(edit));
    EXPECT_EQ(BST_CHECKED, SendMessageA(Child("Button", kAutoApply), BM_GETCHECK, 0, 0));

    const ScreenImage image(app.ToScreen(client));
    const RECT swatch = app.ToScreen(kSwatch), inside = Inset(swatch, 1);
    EXPECT_EQ(Area(inside), image.Count(inside, 0x00FFFFFF)) << "the swatch is not white";
    EXPECT_EQ(Area(swatch) - Area(inside), image.Count(swatch, 0)) << "nor framed in black";
    for (int i = 0; i < kPaletteCells; ++i) {
        const RECT cell = app.ToScreen(PaletteCell(i));
        EXPECT_EQ(30 * 23, Area(cell));
        EXPECT_EQ(Area(cell), image.Count(cell, kBuiltInPalette[i])) << "cell " << i;
    }
    // Each label's text, around where it starts, and no label colour elsewhere.
    for (const RECT& around : {RECT{7, 55, 60, 69}, RECT{7, 115, 60, 129}, RECT{246, 5, 320, 17},
                               RECT{239, 20, 320, 32}})
        EXPECT_GE(image.Count(app.ToScreen(around), kLabelColour), 10) << "label at " << around.top;
    EXPECT_EQ(0, image.Count(app.ToScreen(RECT{232, 35, 245, 118}), kLabelColour));
    const RECT empty[] = {
        {57, 5, 80, 45},                           // between swatch and edit box
        {232, 35, 245, 118},                       // between bars and palette
        {277, 35, 283, 165},                       // between the palette's columns
        {client.right - 8, 35, client.right, 165}, // right of the palette
        {58, 70, 80, 110},                         // between eyedropper and bars
    };
    for (const RECT& e : empty)
        EXPECT_EQ(Area(e), image.Count(app.ToScreen(e), kBackground)) << "at " << e.left;
    // The edit box: its digits in the background's inverse on the background.
    const RECT field = Inset(app.ToScreen(kEdit), 2);
    EXPECT_GE(image.Count(field, kEditTextColour), 60) << "the digits' colour";
    EXPECT_GE(image.Count(field, kBackground), Area(field) / 2) << "the field's colour";
    EXPECT_EQ(0, image.Count(field, 0x00000000) + image.Count(field, 0x00FFFFFF));

    const POINT close = MiddleOf(kCloseButton);
    e2e::Click(close.x, close.y);
    DWORD code = 1;
    ASSERT_TRUE(app.WaitForExit(5000, &code)) << "the Close button did not end the program";
    EXPECT_EQ(0u, code);
    const char* const written[][2] = {
        {"Current color", "16777215"},
        {"Background color", "16757435"},
        {"X", "347"},
        {"Y", "269"},
        {"Auto apply", "1"},
        {"Custom color 0", "255"},
        {"Custom color 1", "65280"},
        {"Custom color 2", "16711680"},
        {"Custom color 3", "65535"},
        {"Custom color 4", "16777215"},
        {"Custom color 5", "16711935"},
        {"Custom color 6", "16776960"},
        {"Custom color 7", "8388608"},
        {"Custom color 8", "8421504"},
        {"Custom color 9", "0"},
        {"AvgFPS", "0"},
    };
    const std::vector<e2e::IniLine> lines = app.IniLines();
    ASSERT_EQ(16u, lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(kIniSection, lines[i].section);
        EXPECT_EQ(written[i][0], lines[i].key) << "line " << i;
        EXPECT_EQ(written[i][1], lines[i].value) << lines[i].key;
    }
    std::string text;
    ASSERT_TRUE(app.ReadIni(&text));
    EXPECT_EQ(0u, text.find("[General]\r\n")) << "not single-byte text";
}

// The title bar, the system menu, Alt+F4, and Esc in every control that
// passes keys on: each ends the program with exit code 0 and saves.
TEST(Closing, EveryWayEndsTheProgramAndSaves) {
    enum class Way { CloseBox, SystemMenu, AltF4, Esc };
    const struct {
        const char* name;
        Way way;
        const char* className; // Esc: the control that has the focus
        RECT rect;
    } cases[] = {
        {"title bar's close box", Way::CloseBox, nullptr, {}},
        {"system menu", Way::SystemMenu, nullptr, {}},
        {"Alt+F4", Way::AltF4, nullptr, {}},
        {"Esc in the edit box", Way::Esc, "Edit", kEdit},
        {"Esc on Copy", Way::Esc, "Button", kCopyButton},
        {"Esc on the check box", Way::Esc, "Button", kAutoApply},
        {"Esc on the red bar", Way::Esc, "zPositionBar", kRedBar},
        {"Esc on the brightness bar", Way::Esc, "zPositionBar", kBrightnessBar},
        {"Esc on the pick-colour eyedropper", Way::Esc, "zPickColor", kPickColour},
        {"Esc on the pick-window eyedropper", Way::Esc, "zPickColor", kPickWindow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tintwell run;
        ASSERT_TRUE(run.Start());
        ASSERT_TRUE(run.Activate());
        POINT p;
        switch (c.way) {
        case Way::CloseBox:
            ASSERT_TRUE(run.CaptionPoint(HTCLOSE, &p));
            e2e::Click(p.x, p.y);
            break;
        case Way::SystemMenu:
            e2e::KeyChord({VK_MENU, VK_SPACE});
            ASSERT_TRUE(e2e::WaitUntil([] { return e2e::VisibleMenu() != nullptr; }, 3000));
            e2e::KeyPress('C');
            break;
        case Way::AltF4: e2e::KeyChord({VK_MENU, VK_F4}); break;
        case Way::Esc: {
            const HWND control = run.ChildAt(c.className, c.rect);
            ASSERT_NE(nullptr, control);
            if (std::string(c.className) != "Edit") // which has the focus at start
                run.ClickClient(e2e::Middle(c.rect).x, e2e::Middle(c.rect).y);
            ASSERT_TRUE(run.FocusBecomes(control)) << "the control did not take the focus";
            ASSERT_FALSE(run.IniExists());
            e2e::KeyPress(VK_ESCAPE);
            break;
        }
        }
        DWORD code = 1;
        ASSERT_TRUE(run.WaitForExit(5000, &code)) << "the program goes on";
        EXPECT_EQ(0u, code);
        // The click that focused Copy copied the colour, which is remembered.
        const bool copied = c.className && c.rect.left == kCopyButton.left;
        const std::vector<e2e::IniLine> lines = run.IniLines();
        EXPECT_EQ(copied ? 17u : 16u, lines.size()) << "no settings saved";
        EXPECT_EQ(copied ? "16777215" : "<missing>", e2e::IniValue(lines, "Recent color 0"));
    }
}

} // namespace
