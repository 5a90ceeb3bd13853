#include "colour/brightness_math.h"
#include "colour/components.h"
#include <gtest/gtest.h>

namespace {

// What the brightness bar does with a snapshot: the shift on every component,
// each clamped to a byte.
Components Shifted(Components snap, std::int32_t base, std::int32_t v) {
    const std::int32_t mx = std::max({snap.red, snap.green, snap.blue});
    const std::int32_t mn = std::min({snap.red, snap.green, snap.blue});
    const std::int32_t f = BrightnessShift(base, mx, mn, v);
    Components c = snap;
    ApplyComponent(c, ComponentRed, snap.red + f);
    ApplyComponent(c, ComponentGreen, snap.green + f);
    ApplyComponent(c, ComponentBlue, snap.blue + f);
    return c;
}

} // namespace

TEST(BrightnessShift, WorkedExampleRowByRow) {
    const Components snap{100, 50, 0};
    const struct {
        std::int32_t v, shift;
        ColorRef colour;
    } rows[] = {
        {210, 24, 0x00184A7C}, {151, 0, 0x00003264},   {149, 0, 0x00003264},  {143, -4, 0x00002E60},
        {90, -40, 0x00000A3C}, {765, 255, 0x00FFFFFF}, {0, -100, 0x00000000},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(BrightnessShift(150, 100, 0, r.v), r.shift) << r.v;
        EXPECT_EQ(ColorRefOf(Shifted(snap, 150, r.v)), r.colour) << r.v;
    }
    EXPECT_EQ(ColorRefOf(Shifted(snap, 150, 150)), ColorRefOf(snap));
}

TEST(BrightnessShift, TruncatesTowardZeroBelowTheBase) {
    // -0.67 and -4.67 must not round down to -1 and -5.
    EXPECT_EQ(BrightnessShift(150, 100, 0, 149), 0);
    EXPECT_EQ(BrightnessShift(150, 100, 0, 143), -4);
}

TEST(BrightnessShift, GreyBlackAndWhite) {
    EXPECT_EQ(ColorRefOf(Shifted({128, 128, 128}, 384, 576)), 0x00C0C0C0u);
    EXPECT_EQ(ColorRefOf(Shifted({128, 128, 128}, 384, 765)), 0x00FFFFFFu);
    EXPECT_EQ(ColorRefOf(Shifted({128, 128, 128}, 384, 0)), 0u);
    EXPECT_EQ(ColorRefOf(Shifted({0, 0, 0}, 0, 300)), 0x00646464u);
    EXPECT_EQ(ColorRefOf(Shifted({255, 255, 255}, 765, 510)), 0x00AAAAAAu);
}

TEST(BrightnessShift, ReachesTheEndsFromAnySnapshot) {
    for (std::int32_t base : {1, 100, 382, 600, 764}) {
        EXPECT_EQ(ColorRefOf(Shifted({10, 200, 90}, base, 765)), 0x00FFFFFFu) << base;
        EXPECT_EQ(ColorRefOf(Shifted({10, 200, 90}, base, 0)), 0u) << base;
    }
}
