// The colour model's globals as the main window uses them, without a window.
#include "app/records.h"
#include "colour/brightness.h"
#include "colour/colour_state.h"
#include <gtest/gtest.h>

namespace {

class ColourModel : public testing::Test {
  protected:
    void SetUp() override {
        brightnessBar.minimum = 0;
        brightnessBar.maximum = 765;
        brightnessBase = -1;
    }
    void SetColour(ColorRef c) {
        SetColorComponent(ComponentWhole, std::int32_t(c), true, false);
        RefreshColorViews(true);
    }
    void Drag(std::int32_t v) {
        brightnessBar.value = v;
        OnBarValueChanged(v, reinterpret_cast<LPARAM>(&brightnessBar));
    }
};

} // namespace

TEST_F(ColourModel, ComponentUpdatesClampAndFollowInTheBars) {
    SetColour(0x00102030);
    SetColorComponent(ComponentRed, -5, true, false);
    RefreshColorViews(true);
    EXPECT_EQ(currentColor.load(), 0x00102000u);
    EXPECT_EQ(redBar.value, 0);
    SetColorComponent(ComponentRed, 300, true, false);
    RefreshColorViews(true);
    EXPECT_EQ(currentColor.load(), 0x001020FFu);
    EXPECT_EQ(redBar.value, 255);
    EXPECT_EQ(greenBar.value, 0x20);
    EXPECT_EQ(blueBar.value, 0x10);
    EXPECT_EQ(brightnessBar.value, 255 + 0x20 + 0x10);
}

TEST_F(ColourModel, WholeColourDropsTheTopByte) {
    SetColour(0x12345678);
    EXPECT_EQ(currentColor.load(), 0x00345678u);
    EXPECT_EQ(brightnessBar.value, 0x78 + 0x56 + 0x34);
    SetColour(0xFFFFFFFF);
    EXPECT_EQ(brightnessBar.value, 765);
}

TEST_F(ColourModel, BrightnessDragFollowsTheWorkedExampleAndComesBack) {
    SetColour(0x00003264); // 100, 50, 0 with the bar at 150
    ASSERT_EQ(brightnessBar.value, 150);
    OnBarDragState(1, reinterpret_cast<LPARAM>(&brightnessBar));
    const struct {
        std::int32_t v;
        ColorRef c;
    } rows[] = {{210, 0x00184A7C}, {151, 0x00003264}, {149, 0x00003264}, {143, 0x00002E60},
                {90, 0x00000A3C},  {765, 0x00FFFFFF}, {0, 0x00000000},   {150, 0x00003264}};
    for (const auto& r : rows) {
        Drag(r.v);
        EXPECT_EQ(currentColor.load(), r.c) << r.v;
        EXPECT_EQ(brightnessBar.value, r.v); // the bar stays where it was put
    }
    OnBarDragState(0, reinterpret_cast<LPARAM>(&brightnessBar));
    EXPECT_EQ(brightnessBase, -1);
}

TEST_F(ColourModel, FirstBrightnessStepWithoutSnapshotLeavesTheColour) {
    SetColour(0x00003264);
    Drag(151);
    EXPECT_EQ(currentColor.load(), 0x00003264u);
    EXPECT_EQ(brightnessBase, 151);
    Drag(765);
    EXPECT_EQ(currentColor.load(), 0x00FFFFFFu);
    // A held snapshot outlives other changes: a red change is lost at the next step.
    SetColorComponent(ComponentRed, 0, true, false);
    Drag(151);
    EXPECT_EQ(currentColor.load(), 0x00003264u);
}

TEST_F(ColourModel, OtherBarsDragStateLeavesTheSnapshot) {
    SetColour(0x00003264);
    OnBarDragState(1, reinterpret_cast<LPARAM>(&brightnessBar));
    OnBarDragState(0, reinterpret_cast<LPARAM>(&redBar));
    EXPECT_EQ(brightnessBase, 150);
    const ColorRef before = currentColor.load();
    OnBarValueChanged(77, 12345); // not a bar
    EXPECT_EQ(currentColor.load(), before);
}

// No main window and no bars here: a null window would have the platform
// repaint every window on the desktop instead.
TEST_F(ColourModel, ViewsNotCreatedAreNotRepainted) {
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 50, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    UpdateWindow(other);
    ASSERT_FALSE(GetUpdateRect(other, nullptr, FALSE));
    SetColour(0x00102030);
    EXPECT_FALSE(GetUpdateRect(other, nullptr, FALSE));
    DestroyWindow(other);
}
