#include "app/placement.h"
#include <gtest/gtest.h>
#include <cstdint>

namespace {

// A laptop's screen with a second monitor left of it and a third above it.
constexpr Rect32 kMonitors[] = {{0, 0, 1920, 1080}, {-1280, 56, 0, 1080}, {0, -900, 1600, 0}};
constexpr std::size_t kCount = sizeof kMonitors / sizeof kMonitors[0];

bool Shown(std::int32_t x, std::int32_t y, std::size_t count = kCount) {
    return ShownByAnyMonitor(x, y, 330, 200, kMonitors, count);
}

} // namespace

TEST(ShownByAnyMonitor, APositionAnyMonitorShowsEvenInPartIsShown) {
    EXPECT_TRUE(Shown(347, 269));
    EXPECT_TRUE(Shown(-1000, 300)); // on the monitor left of the primary
    EXPECT_TRUE(Shown(100, -700));  // on the one above it
    EXPECT_TRUE(Shown(1919, 1079)); // one pixel of the window on the screen
    EXPECT_TRUE(Shown(-329, -199)); // one pixel of the window on the screen
    EXPECT_TRUE(Shown(-1609, 500)); // one column on the left monitor
}

TEST(ShownByAnyMonitor, APositionNoMonitorShowsIsNot) {
    EXPECT_FALSE(Shown(1920, 500));  // touching the right edge is not showing
    EXPECT_FALSE(Shown(500, 1080));  // nor the bottom
    EXPECT_FALSE(Shown(-1610, 500)); // left of the left monitor
    EXPECT_FALSE(Shown(-500, -300)); // the corner no monitor covers
    EXPECT_FALSE(Shown(1700, -300)); // right of the monitor above
    EXPECT_FALSE(Shown(5000, 3000));
    EXPECT_FALSE(Shown(-1000, 300, 1)); // the left monitor unplugged
    EXPECT_FALSE(Shown(347, 269, 0));   // no monitor at all
}

TEST(ShownByAnyMonitor, PositionsNearThe32BitLimitsDoNotWrap) {
    const std::int32_t most = INT32_MAX, least = INT32_MIN;
    EXPECT_FALSE(Shown(most, most));
    EXPECT_FALSE(Shown(most, least));
    EXPECT_FALSE(Shown(least, most));
    EXPECT_FALSE(Shown(least, least));
    EXPECT_FALSE(Shown(most - 100, 100)); // its right edge would wrap to a negative x
    const Rect32 all{least, least, most, most};
    EXPECT_TRUE(ShownByAnyMonitor(most - 1, least, 330, 200, &all, 1));
    EXPECT_TRUE(ShownByAnyMonitor(least, most - 1, 330, 200, &all, 1));
    // Windows whose right or bottom edge lies past 2^31 - 1.
    const Rect32 farCorner{most - 1000, most - 1000, most, most};
    EXPECT_TRUE(ShownByAnyMonitor(most - 100, most - 100, 330, 200, &farCorner, 1));
}
