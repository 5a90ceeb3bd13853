#include "app/placement.h"
#include <gtest/gtest.h>
#include <cstdint>

namespace {

// A laptop's screen with its taskbar along the bottom, a second monitor left
// of it and a third above it.
constexpr Rect32 kWorkAreas[] = {{0, 0, 1920, 1040}, {-1280, 56, 0, 1080}, {0, -900, 1600, 0}};
constexpr std::size_t kCount = sizeof kWorkAreas / sizeof kWorkAreas[0];
// The title bar of a 330-pixel window with a 3-pixel frame and a 19-pixel caption.
constexpr Rect32 kCaption{3, 3, 327, 22};

bool Reachable(std::int32_t x, std::int32_t y, std::size_t count = kCount) {
    return TitleBarReachable(x, y, kCaption, 32, kWorkAreas, count);
}

} // namespace

TEST(TitleBarReachable, ATitleBarOnAWorkAreaCanBeTakenHoldOf) {
    EXPECT_TRUE(Reachable(347, 269));
    EXPECT_TRUE(Reachable(-1000, 300)); // on the monitor left of the primary
    EXPECT_TRUE(Reachable(100, -700));  // on the one above it
    EXPECT_TRUE(Reachable(347, -3, 1)); // the caption's top row on the screen's
    EXPECT_TRUE(Reachable(347, 1018));  // its bottom row just above the taskbar
    EXPECT_TRUE(Reachable(1885, 500));  // 32 pixels of it left of the right edge
    EXPECT_TRUE(Reachable(-295, 20));   // 32 pixels right of the left edge
}

TEST(TitleBarReachable, OneNobodyCanReachIsNot) {
    EXPECT_FALSE(Reachable(347, -199, 1)); // the window shows, its title bar does not
    EXPECT_FALSE(Reachable(347, -4, 1));   // one row of the caption above the screen
    EXPECT_FALSE(Reachable(347, 1019));    // one row under the taskbar
    EXPECT_FALSE(Reachable(1886, 500));    // 31 pixels of it
    EXPECT_FALSE(Reachable(-296, 20));
    EXPECT_FALSE(Reachable(-500, -300));    // the corner no monitor covers
    EXPECT_FALSE(Reachable(-1000, 300, 1)); // the left monitor unplugged
    EXPECT_FALSE(Reachable(347, 269, 0));   // no monitor at all
}

TEST(TitleBarReachable, ACaptionNarrowerThanTheGripMustShowWhole) {
    const Rect32 narrow{3, 3, 23, 22};
    EXPECT_TRUE(TitleBarReachable(-3, 10, narrow, 32, kWorkAreas, 1));
    EXPECT_FALSE(TitleBarReachable(-4, 10, narrow, 32, kWorkAreas, 1));
}

TEST(TitleBarReachable, PositionsNearThe32BitLimitsDoNotWrap) {
    const std::int32_t most = INT32_MAX, least = INT32_MIN;
    EXPECT_FALSE(Reachable(most, most));
    EXPECT_FALSE(Reachable(most, least));
    EXPECT_FALSE(Reachable(least, most));
    EXPECT_FALSE(Reachable(least, least));
    EXPECT_FALSE(Reachable(most - 100, 100)); // its right edge would wrap to a negative x
    // Title bars whose right or bottom edge lies past 2^31 - 1.
    const Rect32 farCorner{most - 1000, most - 1000, most, most};
    EXPECT_TRUE(TitleBarReachable(most - 100, most - 100, kCaption, 32, &farCorner, 1));
    EXPECT_FALSE(TitleBarReachable(most - 20, most - 100, kCaption, 32, &farCorner, 1));
}
