// The main window as it first appears, and the ways to close it.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e::expected;

using e2e::Area;
using e2e::ScreenImage;
using e2e::Tintwell;

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(app.Start()) << "Tintwell did not show its main window"; }

    // The whole client area, read once.
    ScreenImage Client() const { return ScreenImage(app.ToScreen(app.ClientRect())); }

    Tintwell app;
};

TEST_F(MainWindow, IsCentredWithItsOuterSizeAndTitle) {
    ASSERT_EQ(1024, e2e::ScreenWidth());
    ASSERT_EQ(768, e2e::ScreenHeight());
    const RECT r = app.WindowRect();
    EXPECT_EQ(kCentredOrigin.x, r.left);
    EXPECT_EQ(kCentredOrigin.y, r.top);
    EXPECT_EQ(kWindowWidth, r.right - r.left);
    EXPECT_EQ(kWindowHeight, r.bottom - r.top);
    EXPECT_EQ(kTitle, app.Title());
}

TEST_F(MainWindow, StaysOnTop) {
    EXPECT_NE(0, app.ExStyle() & WS_EX_TOPMOST);
}

struct ControlCase {
    const char* className;
    const char* text; // nullptr: not checked
    RECT rect;        // client coordinates
};

TEST_F(MainWindow, ChildControlsSitAtTheirRectangles) {
    const ControlCase cases[] = {
        {"Button", "Close", kCloseButton},    {"Button", "Copy", kCopyButton},
        {"Button", "Auto apply", kAutoApply}, {"Edit", nullptr, kEdit},
        {"zPositionBar", nullptr, kRedBar},   {"zPositionBar", nullptr, kGreenBar},
        {"zPositionBar", nullptr, kBlueBar},  {"zPositionBar", nullptr, kBrightnessBar},
        {"zPickColor", nullptr, kPickColour}, {"zPickColor", nullptr, kPickWindow},
    };
    for (const ControlCase& c : cases) {
        SCOPED_TRACE(std::string(c.className) + " at " + std::to_string(c.rect.left) + "," +
                     std::to_string(c.rect.top));
        HWND child = app.ChildAt(c.className, c.rect);
        ASSERT_NE(nullptr, child);
        if (c.text) {
            EXPECT_EQ(c.text, Tintwell::Text(child));
        }
    }
    EXPECT_EQ(10u, app.Children().size());
}

TEST_F(MainWindow, StandardControlsHaveIdZero) {
    int standard = 0;
    for (const e2e::ChildWindow& child : app.Children()) {
        if (child.className == "Button" || child.className == "Edit") {
            ++standard;
            EXPECT_EQ(0, child.id) << child.className << " \"" << child.text << "\"";
        }
    }
    EXPECT_EQ(4, standard);
}

TEST_F(MainWindow, EditBoxHasTheFocus) {
    HWND edit = app.ChildAt("Edit", kEdit);
    ASSERT_NE(nullptr, edit);
    EXPECT_TRUE(e2e::WaitUntil([&] { return app.Focus() == edit; }, 2000));
}

TEST_F(MainWindow, AutoApplyStartsChecked) {
    HWND box = app.ChildAt("Button", kAutoApply);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(BST_CHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));
}

TEST_F(MainWindow, SwatchIsWhiteInABlackFrame) {
    const RECT swatch = app.ToScreen(kSwatch);
    ScreenImage image(swatch);
    RECT inside = swatch;
    InflateRect(&inside, -1, -1);
    EXPECT_EQ(Area(inside), image.Count(inside, 0x00FFFFFF));
    EXPECT_EQ(Area(swatch) - Area(inside), image.Count(swatch, 0x00000000));
}

TEST_F(MainWindow, PaletteCellsShowTheBuiltInColours) {
    const ScreenImage image = Client();
    for (int i = 0; i < kPaletteCells; ++i) {
        SCOPED_TRACE("cell " + std::to_string(i));
        const RECT cell = app.ToScreen(PaletteCell(i));
        EXPECT_EQ(30 * 23, Area(cell));
        EXPECT_EQ(Area(cell), image.Count(cell, kBuiltInPalette[i]));
    }
}

TEST_F(MainWindow, LabelsAreDrawnInTheLabelColour) {
    struct Label {
        const char* text;
        RECT around; // client coordinates around the text's start
    };
    const Label labels[] = {
        {"Pick color:", {7, 55, 60, 69}},
        {"Pick window:", {7, 115, 60, 129}},
        {"Custom colors", {246, 5, 320, 17}},
        {"(right click to add)", {239, 20, 320, 32}},
    };
    const ScreenImage image = Client();
    for (const Label& label : labels) {
        SCOPED_TRACE(label.text);
        EXPECT_GE(image.Count(app.ToScreen(label.around), kLabelColour), 10);
    }
    // Nowhere else: the background between the bars and the palette has none.
    EXPECT_EQ(0, image.Count(app.ToScreen(RECT{232, 35, 245, 118}), kLabelColour));
}

TEST_F(MainWindow, BackgroundIsLavender) {
    const RECT client = app.ClientRect();
    const RECT empty[] = {
        {57, 5, 80, 45},                           // between swatch and edit box
        {232, 35, 245, 118},                       // between bars and palette
        {277, 35, 283, 165},                       // between the palette's columns
        {client.right - 8, 35, client.right, 165}, // right of the palette
        {58, 70, 80, 110},                         // between eyedropper and bars
    };
    const ScreenImage image = Client();
    for (const RECT& r : empty) {
        SCOPED_TRACE(std::to_string(r.left) + "," + std::to_string(r.top));
        EXPECT_EQ(Area(r), image.Count(app.ToScreen(r), kBackground));
    }
}

// Each way of closing ends the program with exit code 0.
TEST_F(MainWindow, CloseButtonEndsTheProgram) {
    const POINT button = e2e::Middle(kCloseButton);
    app.ClickClient(button.x, button.y);
    DWORD code = 1;
    ASSERT_TRUE(app.WaitForExit(5000, &code));
    EXPECT_EQ(0u, code);
}

TEST_F(MainWindow, TitleBarCloseBoxEndsTheProgram) {
    POINT box;
    ASSERT_TRUE(app.CloseBoxPoint(&box));
    e2e::Click(box.x, box.y);
    DWORD code = 1;
    ASSERT_TRUE(app.WaitForExit(5000, &code));
    EXPECT_EQ(0u, code);
}

TEST_F(MainWindow, SystemMenuCloseEndsTheProgram) {
    ASSERT_TRUE(app.Activate());
    e2e::KeyChord({VK_MENU, VK_SPACE});
    ASSERT_TRUE(e2e::WaitUntil([] { return e2e::VisibleMenu() != nullptr; }, 3000))
        << "the system menu did not open";
    e2e::KeyPress('C');
    DWORD code = 1;
    ASSERT_TRUE(app.WaitForExit(5000, &code));
    EXPECT_EQ(0u, code);
}

TEST_F(MainWindow, AltF4EndsTheProgram) {
    ASSERT_TRUE(app.Activate());
    e2e::KeyChord({VK_MENU, VK_F4});
    DWORD code = 1;
    ASSERT_TRUE(app.WaitForExit(5000, &code));
    EXPECT_EQ(0u, code);
}

} // namespace
