#include "recolour/fps.h"
#include <gtest/gtest.h>

TEST(AverageFpsOf, Examples) {
    EXPECT_EQ(AverageFpsOf(0, 1), 0u);
    EXPECT_EQ(AverageFpsOf(50, 1001), 49u);
    EXPECT_EQ(AverageFpsOf(3, 1), 3000u);
}

TEST(AverageFpsOf, LongRunsDoNotWrap) {
    // Past 4,294,967 frames a 32-bit product wraps.
    EXPECT_EQ(AverageFpsOf(4294968u, 100001u), 42949u);
    EXPECT_EQ(AverageFpsOf(10000000u, 200000u), 50000u);
    EXPECT_EQ(AverageFpsOf(0xFFFFFFFFu, 0xFFFFFFFFu), 1000u);
    EXPECT_EQ(AverageFpsOf(0xFFFFFFFFu, 1u), 0xFFFFFFFFu); // saturates instead of wrapping
}
