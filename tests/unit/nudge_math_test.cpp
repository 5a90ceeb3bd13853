#include "controls/nudge_math.h"

#include <gtest/gtest.h>

namespace {

// A monitor left of the primary one: the virtual screen starts at x -1280.
constexpr Rect32 kTwoMonitors{-1280, 0, 1920, 1080};

TEST(NudgedPoint, MovesByTheStepAndStaysOnTheVirtualScreen) {
    const struct {
        Point32 from;
        std::int32_t dx, dy;
        Point32 to;
    } cases[] = {
        {{100, 100}, 1, 0, {101, 100}},       {{100, 100}, 0, -10, {100, 90}},
        {{0, 500}, -10, 0, {-10, 500}}, // onto the left monitor
        {{-1275, 500}, -10, 0, {-1280, 500}}, {{1915, 1075}, 10, 10, {1919, 1079}},
        {{1919, 0}, 1, -1, {1919, 0}},
    };
    for (const auto& c : cases) {
        const Point32 to = NudgedPoint(c.from, c.dx, c.dy, kTwoMonitors);
        EXPECT_EQ(c.to.x, to.x) << c.from.x << "," << c.from.y << " by " << c.dx << "," << c.dy;
        EXPECT_EQ(c.to.y, to.y) << c.from.x << "," << c.from.y << " by " << c.dx << "," << c.dy;
    }
}

TEST(NudgeSettling, LastsTheSettleTimeAcrossTheTickCounterWrapping) {
    EXPECT_TRUE(NudgeSettling(1000, 1000, 300));
    EXPECT_TRUE(NudgeSettling(1299, 1000, 300));
    EXPECT_FALSE(NudgeSettling(1300, 1000, 300));
    EXPECT_TRUE(NudgeSettling(0xFFFFFF10u, 0xFFFFFF00u, 300)); // the counter about to wrap
    EXPECT_TRUE(NudgeSettling(100, 0xFFFFFF00u, 357));         // 356 ms later, wrapped
    EXPECT_FALSE(NudgeSettling(100, 0xFFFFFF00u, 356));
    EXPECT_FALSE(NudgeSettling(1000, 1000, 0)); // no settling at all
}

} // namespace
