#include "app/layout.h"
#include <gtest/gtest.h>

#include <ostream>

static std::ostream& operator<<(std::ostream& out, const Rect32& r) {
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

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
        EXPECT_EQ(PaletteHitTest(kMainLayout, c.x, c.y), c.cell) << c.x << "," << c.y;
}

TEST(PaletteHitTest, GapsBetweenColumnsAndRowsMissEveryCell) {
    for (std::int32_t x = 277; x < 284; ++x)
        EXPECT_EQ(PaletteHitTest(kMainLayout, x, 40), -1) << x;
    for (int row = 0; row < 4; ++row)
        for (std::int32_t y = 57 + 28 * row; y < 61 + 28 * row; ++y)
            EXPECT_EQ(PaletteHitTest(kMainLayout, 250, y), -1) << y;
}

TEST(PaletteHitTest, NegativeAndLargeCoordinatesMiss) {
    EXPECT_EQ(PaletteHitTest(kMainLayout, -1, -1), -1);
    EXPECT_EQ(PaletteHitTest(kMainLayout, -100000, 40), -1);
    EXPECT_EQ(PaletteHitTest(kMainLayout, 65535, 65535), -1);
    EXPECT_EQ(PaletteHitTest(kMainLayout, 250, 65535), -1);
}

TEST(PaletteHitTest, EveryPaintedPixelHitsItsOwnCellAtEveryScale) {
    for (std::uint32_t dpi : {96u, 120u, 144u, 192u}) {
        const MainLayout layout = LayoutForDpi(dpi);
        for (int i = 0; i < kPaletteCells; ++i) {
            const Rect32& r = layout.cells[i];
            for (std::int32_t y = r.top; y <= r.bottom; ++y)
                for (std::int32_t x = r.left; x <= r.right; ++x)
                    ASSERT_EQ(PaletteHitTest(layout, x, y), i) << dpi << ": " << x << "," << y;
        }
    }
}

TEST(PaletteHitTest, ScaledGapsMissAndScaledCentresHit) {
    const MainLayout layout = LayoutForDpi(144);
    // Cell 7 is column 1, row 2: 100 % centre (299, 100) is (449, 150) at 150 %.
    EXPECT_EQ(PaletteHitTest(layout, 449, 150), 7);
    // Between the columns: 100 % x 280 is 420; between rows 0 and 1: y 58 is 87.
    EXPECT_EQ(PaletteHitTest(layout, 420, 60), -1);
    EXPECT_EQ(PaletteHitTest(layout, 380, 87), -1);
}

TEST(PaletteCell100, ColumnsOfFiveDownTheRight) {
    const Rect32 first = PaletteCell100(0), sixth = PaletteCell100(5), last = PaletteCell100(9);
    EXPECT_EQ(first, (Rect32{246, 33, 276, 56}));
    EXPECT_EQ(sixth, (Rect32{284, 33, 314, 56}));
    EXPECT_EQ(last, (Rect32{284, 145, 314, 168}));
}

TEST(Centred, HalvesTheFreeSpaceRoundingDown) {
    EXPECT_EQ(Centred(1024, 330), 347);
    EXPECT_EQ(Centred(768, 230), 269);
    EXPECT_EQ(Centred(1025, 330), 347);
    EXPECT_EQ(Centred(329, 330), -1); // arithmetic shift: a screen narrower than the window
    EXPECT_EQ(Centred(320, 330), -5);
}

// ---- Scaling --------------------------------------------------------------

TEST(ScaleForDpi, RoundsToTheNearestWithHalvesAwayFromZero) {
    const struct {
        std::int32_t value;
        std::uint32_t dpi;
        std::int32_t scaled;
    } cases[] = {
        {330, 96, 330},
        {330, 120, 413},
        {330, 144, 495},
        {330, 192, 660}, // 412.5 up
        {147, 144, 221},
        {7, 144, 11},
        {13, 120, 16},
        {9, 120, 11}, // 220.5, 10.5, 16.25, 11.25
        {-2, 144, -3},
        {-1, 144, -2},
        {-1, 120, -1},
        {0, 192, 0}, // -1.5 away from zero
        {2147483647, 96, 2147483647},
        {1000000, 192, 2000000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScaleForDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
    EXPECT_EQ(ScaleBetweenDpi(21, 144, 96), 14);
    EXPECT_EQ(ScaleBetweenDpi(-16, 120, 144), -19); // -19.2
}

TEST(LayoutForDpi, ScalesEveryEdgeOnItsOwn) {
    const struct {
        std::uint32_t dpi;
        std::int32_t width, height, centringHeight;
        Rect32 close, cell0, pickWindow;
        Point32 rightClickLabel;
    } cases[] = {
        {120,
         413,
         250,
         288,
         {138, 184, 250, 211},
         {308, 41, 345, 70},
         {9, 161, 71, 211},
         {299, 21}},
        {144,
         495,
         300,
         345,
         {165, 221, 300, 254},
         {369, 50, 414, 84},
         {11, 194, 86, 254},
         {359, 26}},
        {192,
         660,
         400,
         460,
         {220, 294, 400, 338},
         {492, 66, 552, 112},
         {14, 258, 114, 338},
         {478, 34}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        const MainLayout l = LayoutForDpi(c.dpi);
        EXPECT_EQ(l.width, c.width);
        EXPECT_EQ(l.height, c.height);
        EXPECT_EQ(l.centringHeight, c.centringHeight);
        EXPECT_EQ(l.closeButton, c.close);
        EXPECT_EQ(l.cells[0], c.cell0);
        EXPECT_EQ(l.pickWindow, c.pickWindow);
        EXPECT_EQ(l.labels[3].x, c.rightClickLabel.x);
        EXPECT_EQ(l.labels[3].y, c.rightClickLabel.y);
    }
}
