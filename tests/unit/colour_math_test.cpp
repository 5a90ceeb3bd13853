#include "colour/colour_math.h"
#include "colour/components.h"
#include <gtest/gtest.h>

TEST(Packing, SwapsRedAndBlueAndDropsTheTopByte) {
    EXPECT_EQ(PackedFromColorRef(0x00563412u), 0x00123456u);
    EXPECT_EQ(PackedFromColorRef(0xAB563412u), 0x00123456u);
    EXPECT_EQ(ColorRefFromPacked(0x00FF8000u), 0x000080FFu);
    for (std::uint32_t c : {0u, 0x00FFFFFFu, 0x000000FFu, 0x00FF0000u, 0x00ABCDEFu})
        EXPECT_EQ(ColorRefFromPacked(PackedFromColorRef(c)), c);
}

TEST(InverseColor, DefaultBackgroundGivesDarkTeal) {
    EXPECT_EQ(InverseColor(0x00FFB2BBu), 0x00004D44u);
    EXPECT_EQ(InverseColor(0xFF000000u), 0x00FFFFFFu);
}

TEST(Expand555, WorkedValues) {
    const struct {
        std::uint32_t pixel;
        ColorRef colour;
    } cases[] = {
        {0x0000, 0x000000}, {0x7FFF, 0xFFFFFF}, {0xFFFF, 0xFFFFFF},
        {0x7C00, 0x0000FF}, {0x001F, 0xFF0000}, {0x1234, 0xA58C21},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Expand555(c.pixel), c.colour) << std::hex << c.pixel;
}

TEST(Expand555, WidensEachChannelWithItsOwnTopBits) {
    for (std::uint32_t c = 0; c < 32; ++c)
        EXPECT_EQ(Widen5(c), (c << 3) | (c >> 2)) << c;
}

TEST(ColorTo555, WorkedValues) {
    const struct {
        ColorRef colour;
        std::uint16_t pixel;
    } cases[] = {
        {0x000000FF, 0x7C00}, {0x0000FF00, 0x03E0}, {0x00FF0000, 0x001F}, {0x00FFFFFF, 0x7FFF},
        {0x00808080, 0x4210}, {0x00563412, 0x08CA}, {0x00000007, 0x0000}, {0xFF000000, 0x0000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColorTo555(c.colour), c.pixel) << std::hex << c.colour;
}

TEST(ColorTo555, UndoesTheExpansionForEveryFifteenBitPixel) {
    for (std::uint32_t p = 0; p < 0x8000; ++p)
        ASSERT_EQ(ColorTo555(Expand555(p)), p) << p;
}

TEST(ApplyComponent, ClampsSingleComponentsToAByte) {
    Components c{10, 20, 30};
    ApplyComponent(c, ComponentRed, -5);
    EXPECT_EQ(c.red, 0);
    ApplyComponent(c, ComponentRed, 300);
    EXPECT_EQ(c.red, 255);
    ApplyComponent(c, ComponentGreen, 128);
    ApplyComponent(c, ComponentBlue, 256);
    EXPECT_EQ(ColorRefOf(c), 0x00FF80FFu);
    EXPECT_EQ(BrightnessOf(c), 255 + 128 + 255);
}

TEST(ApplyComponent, WholeColourDropsTheTopByteWithoutClamping) {
    Components c;
    ApplyComponent(c, ComponentWhole, 0x12345678);
    EXPECT_EQ(c.red, 0x78);
    EXPECT_EQ(c.green, 0x56);
    EXPECT_EQ(c.blue, 0x34);
    EXPECT_EQ(ColorRefOf(c), 0x00345678u);
    ApplyComponent(c, ComponentWhole, -1);
    EXPECT_EQ(ColorRefOf(c), 0x00FFFFFFu);
    EXPECT_EQ(BrightnessOf(c), 765);
}

TEST(ApplyComponent, HexTextIsInPackedOrder) {
    Components c{0, 0, 10};
    EXPECT_EQ(PackedOf(c), 0x00000Au);
    EXPECT_EQ(ColorRefOf(c), 0x000A0000u);
}
