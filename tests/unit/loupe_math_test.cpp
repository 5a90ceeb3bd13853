#include "controls/loupe_math.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(LoupeLevels, FromTwoToTwentyFourPixelsABlockTheDefaultFifteenPixelsOfEight) {
    const std::int32_t counts[] = {61, 41, 31, 21, 15, 11, 9, 5};
    ASSERT_EQ(8, kLoupeLevels);
    for (int level = 0; level < kLoupeLevels; ++level)
        EXPECT_EQ(counts[level], LoupeCount(level)) << "level " << level;
    EXPECT_EQ(8, kLoupeBlocks[kDefaultLoupeLevel]);
}

TEST(LoupeLayoutFor, BlocksFrameGridAndTextAtEachScale) {
    const struct {
        int level;
        std::uint32_t dpi;
        LoupeLayout layout;
    } cases[] = {
        {kDefaultLoupeLevel, 96, {15, 8, 1, 1, 16, {122, 138}}},
        {kDefaultLoupeLevel, 144, {15, 12, 2, 2, 24, {184, 208}}}, // 1.5 rounds to 2
        {0, 96, {61, 2, 1, 0, 16, {124, 140}}},                    // too small for a grid
        {7, 120, {5, 30, 1, 1, 20, {152, 172}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.level) + " at " + std::to_string(c.dpi));
        const LoupeLayout l = LoupeLayoutFor(c.level, c.dpi);
        EXPECT_EQ(c.layout.count, l.count);
        EXPECT_EQ(c.layout.block, l.block);
        EXPECT_EQ(c.layout.border, l.border);
        EXPECT_EQ(c.layout.grid, l.grid);
        EXPECT_EQ(c.layout.textHeight, l.textHeight);
        EXPECT_EQ(c.layout.size.width, l.size.width);
        EXPECT_EQ(c.layout.size.height, l.size.height);
    }
}

TEST(ContrastingFrame, BlackRoundLightPixelsWhiteRoundDarkOnes) {
    EXPECT_EQ(0x000000u, ContrastingFrame(0xFFFFFF));
    EXPECT_EQ(0x000000u, ContrastingFrame(0x00FFFF)); // yellow
    EXPECT_EQ(0x000000u, ContrastingFrame(0x808080));
    EXPECT_EQ(0xFFFFFFu, ContrastingFrame(0x7F7F7F));
    EXPECT_EQ(0xFFFFFFu, ContrastingFrame(0xFF0000)); // blue
    EXPECT_EQ(0xFFFFFFu, ContrastingFrame(0x000000));
}

TEST(LoupeText, TheEditBoxesDigitsThenThePosition) {
    char text[kLoupeTextSize];
    LoupeText(0x000080FF, Point32{512, 384}, text);
    EXPECT_STREQ("FF8000  512, 384", text);
    LoupeText(0x00020100, Point32{0, 0}, text);
    EXPECT_STREQ("000102  0, 0", text);
    LoupeText(kNoColor, Point32{-1280, -2147483647 - 1}, text);
    EXPECT_STREQ("------  -1280, -2147483648", text);
}

constexpr Rect32 kScreen{0, 0, 1024, 768};
constexpr Rect32 kNowhere{-9000, -9000, -8000, -8000};
constexpr Size32 kSize{122, 138};

TEST(PlaceLoupe, BelowRightElseTheCornerThatFitsPreferringOneOffTheMainWindow) {
    const struct {
        const char* where;
        Point32 p;
        Rect32 avoid;
        Point32 at;
    } cases[] = {
        {"in the middle", {500, 300}, kNowhere, {520, 320}},
        {"near the right edge", {950, 300}, kNowhere, {809, 320}},
        {"near the bottom", {500, 700}, kNowhere, {520, 543}},
        {"near the bottom right", {1000, 740}, kNowhere, {859, 583}},
        {"near the top left", {0, 0}, kNowhere, {20, 20}},
        {"above and left of the window", {300, 200}, {347, 269, 677, 469}, {159, 220}},
        {"where every corner covers it", {500, 300}, {0, 0, 1024, 768}, {520, 320}},
    };
    for (const auto& c : cases) {
        const Point32 at = PlaceLoupe(c.p, 20, kSize, kScreen, c.avoid);
        EXPECT_EQ(c.at.x, at.x) << c.where;
        EXPECT_EQ(c.at.y, at.y) << c.where;
    }
}

// Every pointer position of two monitors' work areas, at every zoom, at
// 100 % and 150 %: wholly on the work area, never over the sampled square.
TEST(PlaceLoupe, NeverLeavesTheWorkAreaNorCoversTheSampledSquare) {
    const Rect32 works[] = {kScreen, {-1280, 56, 0, 1080}};
    for (std::uint32_t dpi : {96u, 144u})
        for (int level = 0; level < kLoupeLevels; ++level) {
            const LoupeLayout l = LoupeLayoutFor(level, dpi);
            const std::int32_t half = l.count / 2;
            for (const Rect32& work : works)
                for (std::int32_t y = work.top; y < work.bottom; y += 7)
                    for (std::int32_t x = work.left; x < work.right; x += 7) {
                        const Point32 at = PlaceLoupe({x, y}, half + 1, l.size, work, kNowhere);
                        const bool on = at.x >= work.left && at.y >= work.top &&
                                        at.x + l.size.width <= work.right &&
                                        at.y + l.size.height <= work.bottom;
                        const bool covers = at.x <= x + half && x - half < at.x + l.size.width &&
                                            at.y <= y + half && y - half < at.y + l.size.height;
                        ASSERT_TRUE(on && !covers) << "level " << level << " at " << dpi << ", "
                                                   << x << "," << y << ": " << at.x << "," << at.y;
                    }
        }
}

// A 100 % laptop screen with a 150 % monitor to its right: on each the loupe
// has that monitor's size and gap, stays on that monitor's work area, and
// keeps clear of a pointer enlarged for accessibility, at its real size.
TEST(PlaceLoupeOnMonitor, EachMonitorItsOwnScaleAndThePointersRealSize) {
    const Rect32 laptop{0, 0, 1920, 1040}, monitor{1920, -200, 4800, 1380};
    const struct {
        const char* where;
        Point32 p;
        std::uint32_t dpi;
        Rect32 work;
        std::int32_t reach; // the pointer's, from its hot spot
        Point32 at;
        Size32 size;
    } cases[] = {
        // Clearance: the larger of the square's half and the pointer's reach,
        // at least 16 at 100 %, and a gap of 4 at 100 %.
        {"laptop, standard pointer", {500, 500}, 96, laptop, 16, {520, 520}, {122, 138}},
        {"monitor, standard pointer", {2500, 500}, 144, monitor, 24, {2530, 530}, {184, 208}},
        {"monitor, a reach too small for its scale",
         {2500, 500},
         144,
         monitor,
         16,
         {2530, 530},
         {184, 208}},
        {"laptop, pointer five times larger", {500, 500}, 96, laptop, 80, {584, 584}, {122, 138}},
        {"monitor, pointer five times larger",
         {2500, 500},
         144,
         monitor,
         120,
         {2626, 626},
         {184, 208}},
        // At the laptop's right edge the loupe stays on the laptop, left of
        // the pointer, at the laptop's size.
        {"laptop, by the monitor",
         {1900, 500},
         96,
         laptop,
         16,
         {1900 - 20 + 1 - 122, 520},
         {122, 138}},
        // Just across, on the monitor at its left edge: right of the pointer.
        {"monitor, by the laptop", {1925, 500}, 144, monitor, 24, {1955, 530}, {184, 208}},
        // High on the monitor, above the laptop's top: below the pointer.
        {"monitor, above the laptop", {3000, -190}, 144, monitor, 24, {3030, -160}, {184, 208}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        const LoupePlace place =
            PlaceLoupeOnMonitor(c.p, kDefaultLoupeLevel, c.dpi, c.reach, c.work, kNowhere);
        EXPECT_EQ(c.size.width, place.layout.size.width);
        EXPECT_EQ(c.size.height, place.layout.size.height);
        EXPECT_EQ(c.at.x, place.origin.x);
        EXPECT_EQ(c.at.y, place.origin.y);
    }
}

TEST(CursorReach, FromTheHotSpotToTheFarthestEdge) {
    EXPECT_EQ(16, CursorReach({32, 32}, {16, 16})); // the standard cross-hair
    EXPECT_EQ(32, CursorReach({32, 32}, {0, 0}));   // an arrow, tip at the corner
    EXPECT_EQ(48, CursorReach({64, 48}, {16, 40})); // the width past the hot spot
    EXPECT_EQ(40, CursorReach({48, 48}, {20, 40})); // the height above it
}

// A work area too small for a corner: beside the square, slid onto it.
TEST(PlaceLoupe, BesideTheSquareWhereNoCornerFits) {
    const Rect32 low{0, 0, 1024, 200};
    const Point32 at = PlaceLoupe({500, 100}, 20, kSize, low, kNowhere);
    EXPECT_EQ(520, at.x);
    EXPECT_EQ(200 - 138, at.y);
}

} // namespace

namespace {

// A 15 by 15 sample whose pixel at column x, row y is x * 16 + y, but for a
// white middle; drawn with 8-pixel blocks at 100 %.
TEST(RenderLoupe, EachPixelABlockTheGridTheCentresFrameAndTheTextLine) {
    const LoupeLayout l = LoupeLayoutFor(kDefaultLoupeLevel, 96);
    Packed sample[15 * 15];
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x)
            sample[y * 15 + x] = Packed(x * 16 + y) | 0xAB000000u; // the top byte is not shown
    sample[7 * 15 + 7] = 0xFFFFFF;
    std::vector<Packed> out(122 * 138, 0xDEADBEEF);
    RenderLoupe(sample, 15, 15, l, out.data(), 122);
    auto at = [&](int x, int y) { return out[y * 122 + x]; };
    EXPECT_EQ(kLoupeFrameColour, at(0, 0));
    EXPECT_EQ(kLoupeFrameColour, at(121, 121));
    EXPECT_EQ(Packed(0 * 16 + 0), at(1, 1)); // block 0,0 starts inside the frame
    EXPECT_EQ(Packed(0 * 16 + 0), at(8, 8)); // and ends 8 pixels on
    EXPECT_EQ(kLoupeGridColour, at(9, 12));  // where block 1,0 begins
    EXPECT_EQ(Packed(1 * 16 + 0), at(10, 5));
    EXPECT_EQ(Packed(6 * 16 + 7), at(1 + 6 * 8 + 4, 1 + 7 * 8 + 4)); // left of the centre
    EXPECT_EQ(Packed(8 * 16 + 7), at(1 + 8 * 8 + 4, 1 + 7 * 8 + 4)); // right of it
    EXPECT_EQ(0xFFFFFFu, at(1 + 7 * 8 + 4, 1 + 7 * 8 + 4));
    EXPECT_EQ(0u, at(1 + 7 * 8 - 1, 1 + 7 * 8 + 4)) << "a black frame round a white centre";
    EXPECT_EQ(0u, at(1 + 8 * 8, 1 + 7 * 8 + 4));
    EXPECT_EQ(Packed(8 * 16 + 7), at(1 + 8 * 8 + 1, 1 + 7 * 8 + 4)) << "the frame is one wide";
    EXPECT_EQ(kLoupeTextBackground, at(60, 130));
    // A 5 by 5 sample under a 15-pixel loupe: its middle in the middle.
    RenderLoupe(sample + 5 * 15 + 5, 15, 5, l, out.data(), 122);
    EXPECT_EQ(0xFFFFFFu, at(1 + 7 * 8 + 4, 1 + 7 * 8 + 4));
    EXPECT_EQ(Packed(5 * 16 + 5), at(1 + 5 * 8 + 4, 1 + 5 * 8 + 4));
    EXPECT_EQ(kLoupeFrameColour, at(1 + 4 * 8 + 4, 1 + 5 * 8 + 4)) << "beyond the sample";
}

} // namespace

namespace {

// A 6 by 4 picture of the screen from (100, 50), pixel x, y = y * 16 + x:
// squares read from it, within it and over its edges, with fill beyond.
TEST(CopySquare, FromThePictureAndFillBeyondIt) {
    const Rect32 area{100, 50, 106, 54};
    Packed picture[6 * 4];
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            picture[y * 6 + x] = Packed(y * 16 + x);
    constexpr Packed F = 0xEEEEEE;
    Packed out[3 * 5];
    CopySquare(picture, area, Point32{102, 51}, 3, F, out, 5);
    EXPECT_EQ((std::vector<Packed>{0x01, 0x02, 0x03}), std::vector<Packed>(out, out + 3));
    EXPECT_EQ((std::vector<Packed>{0x11, 0x12, 0x13}), std::vector<Packed>(out + 5, out + 8));
    EXPECT_EQ((std::vector<Packed>{0x21, 0x22, 0x23}), std::vector<Packed>(out + 10, out + 13));
    CopySquare(picture, area, Point32{100, 50}, 3, F, out, 5); // over the top left corner
    EXPECT_EQ((std::vector<Packed>{F, F, F}), std::vector<Packed>(out, out + 3));
    EXPECT_EQ((std::vector<Packed>{F, 0x00, 0x01}), std::vector<Packed>(out + 5, out + 8));
    EXPECT_EQ((std::vector<Packed>{F, 0x10, 0x11}), std::vector<Packed>(out + 10, out + 13));
    CopySquare(picture, area, Point32{105, 53}, 3, F, out, 5); // over the bottom right
    EXPECT_EQ((std::vector<Packed>{0x24, 0x25, F}), std::vector<Packed>(out, out + 3));
    EXPECT_EQ((std::vector<Packed>{0x34, 0x35, F}), std::vector<Packed>(out + 5, out + 8));
    EXPECT_EQ((std::vector<Packed>{F, F, F}), std::vector<Packed>(out + 10, out + 13));
    CopySquare(picture, area, Point32{300, 300}, 3, F, out, 5); // wholly off it
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ((std::vector<Packed>{F, F, F}),
                  std::vector<Packed>(out + row * 5, out + row * 5 + 3));
}

} // namespace
