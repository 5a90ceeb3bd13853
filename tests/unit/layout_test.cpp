#include "app/layout.h"
#include <gtest/gtest.h>

TEST(PaletteHitTest, PointsAroundTheCells) {
    const struct {
        std::int32_t x, y;
        int cell;
    } cases[] = {
        {246, 33, 0},   {276, 56, 0},  {277, 33, -1}, {284, 33, 5},  {314, 33, 5},
        {322, 33, -1},  {246, 57, -1}, {246, 61, 1},  {246, 168, 4}, {246, 173, -1},
        {322, 168, -1}, {314, 168, 9}, {245, 33, -1}, {246, 32, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PaletteHitTest(c.x, c.y), c.cell) << c.x << "," << c.y;
}

TEST(PaletteHitTest, GapsBetweenColumnsAndRowsMissEveryCell) {
    for (std::int32_t x = 277; x < 284; ++x)
        EXPECT_EQ(PaletteHitTest(x, 40), -1) << x;
    for (int row = 0; row < 4; ++row)
        for (std::int32_t y = 57 + 28 * row; y < 61 + 28 * row; ++y)
            EXPECT_EQ(PaletteHitTest(250, y), -1) << y;
}

TEST(PaletteHitTest, NegativeAndLargeCoordinatesMiss) {
    EXPECT_EQ(PaletteHitTest(-1, -1), -1);
    EXPECT_EQ(PaletteHitTest(-100000, 40), -1);
    EXPECT_EQ(PaletteHitTest(65535, 65535), -1);
    EXPECT_EQ(PaletteHitTest(250, 65535), -1);
}

TEST(PaletteHitTest, EveryPaintedPixelHitsItsOwnCell) {
    for (int i = 0; i < kPaletteCells; ++i) {
        const Rect32 r = PaletteCellRect(i);
        for (std::int32_t y = r.top; y <= r.bottom; ++y)
            for (std::int32_t x = r.left; x <= r.right; ++x)
                ASSERT_EQ(PaletteHitTest(x, y), i) << x << "," << y;
    }
}

TEST(PaletteCellRect, ColumnsOfFiveDownTheRight) {
    const Rect32 first = PaletteCellRect(0), sixth = PaletteCellRect(5), last = PaletteCellRect(9);
    EXPECT_EQ(first.left, 246);
    EXPECT_EQ(first.top, 33);
    EXPECT_EQ(first.right - first.left, 30);
    EXPECT_EQ(first.bottom - first.top, 23);
    EXPECT_EQ(sixth.left, 284);
    EXPECT_EQ(sixth.top, 33);
    EXPECT_EQ(last.top, 33 + 4 * 28);
}

TEST(Centring, HalvesTheFreeSpaceRoundingDown) {
    EXPECT_EQ(CentredX(1024), 347);
    EXPECT_EQ(CentredY(768), 269);
    EXPECT_EQ(CentredX(1025), 347);
    EXPECT_EQ(CentredX(329), -1); // arithmetic shift: a screen narrower than the window
    EXPECT_EQ(CentredX(320), -5);
}
