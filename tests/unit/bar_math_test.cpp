#include "controls/bar_math.h"

#include <gtest/gtest.h>

namespace {

// The main window's bars: a 146-pixel client area, track from x 13 to 133.
constexpr std::int32_t kTrackLeft = 13;
constexpr std::int32_t kTrackWidth = 120;
constexpr BarRange kComponent{0, 255};
constexpr BarRange kBrightness{0, 765};

struct PointerCase {
    BarRange range;
    std::int32_t x;
    std::int32_t value; // after the clamp
};

TEST(BarPointerMapping, MapsPointerToClampedValue) {
    const PointerCase cases[] = {
        {kComponent, 13, 0},
        {kComponent, 14, 2},
        {kComponent, 73, 127},
        {kComponent, 133, 255},
        {kBrightness, 14, 6},
        {kBrightness, 73, 382},
        {kBrightness, 13, 0},
        {kBrightness, 133, 765},
        // Under the capture the pointer can leave the bar on either side.
        {kComponent, -40, 0},
        {kComponent, 200, 255},
        {kBrightness, -3, 0},
    };
    for (const PointerCase& c : cases) {
        const std::int32_t raw = BarValueFromX(c.x, kTrackLeft, kTrackWidth, c.range);
        EXPECT_EQ(ClampBarValue(raw, c.range), c.value)
            << "x " << c.x << " on 0.." << c.range.maximum;
    }
}

TEST(BarPointerMapping, TruncatesTowardZeroLeftOfTheTrack) {
    // (12 - 13) * 255 / 120 is -2.125: truncation gives -2, not -3.
    EXPECT_EQ(BarValueFromX(12, kTrackLeft, kTrackWidth, kComponent), -2);
    // A shifted range keeps its minimum as the origin.
    EXPECT_EQ(BarValueFromX(13, kTrackLeft, kTrackWidth, BarRange{100, 340}), 100);
    EXPECT_EQ(BarValueFromX(73, kTrackLeft, kTrackWidth, BarRange{100, 340}), 220);
}

TEST(BarThumbMapping, DrawsValueAtTrackPosition) {
    EXPECT_EQ(BarXFromValue(128, kTrackLeft, kTrackWidth, kComponent), 73);
    EXPECT_EQ(BarXFromValue(0, kTrackLeft, kTrackWidth, kComponent), 13);
    EXPECT_EQ(BarXFromValue(255, kTrackLeft, kTrackWidth, kComponent), 133);
    EXPECT_EQ(BarXFromValue(382, kTrackLeft, kTrackWidth, kBrightness), 72);
    EXPECT_EQ(BarXFromValue(765, kTrackLeft, kTrackWidth, kBrightness), 133);
}

TEST(BarThumbMapping, ThumbOfAPointerValueStaysUnderThePointer) {
    // Round trip: where the mouse set a value, the thumb is drawn at most one
    // pixel left of the pointer (both mappings truncate).
    for (std::int32_t x = kTrackLeft; x <= kTrackLeft + kTrackWidth; ++x) {
        for (const BarRange& r : {kComponent, kBrightness}) {
            const std::int32_t v = BarValueFromX(x, kTrackLeft, kTrackWidth, r);
            const std::int32_t drawn = BarXFromValue(v, kTrackLeft, kTrackWidth, r);
            EXPECT_LE(drawn, x);
            EXPECT_GE(drawn, x - 1) << "x " << x << " on 0.." << r.maximum;
        }
    }
}

TEST(BarPageStep, IsRangeOverTrackWidthPlusOne) {
    EXPECT_EQ(BarPageStep(kTrackWidth, kComponent), 3);
    EXPECT_EQ(BarPageStep(kTrackWidth, kBrightness), 7);
    EXPECT_EQ(BarPageStep(kTrackWidth, BarRange{0, 100}), 1); // range narrower than the track
    EXPECT_EQ(BarPageStep(kTrackWidth, BarRange{0, 120}), 2);
}

TEST(BarClamp, KeepsValuesInsideTheRange) {
    struct Case {
        std::int32_t in, out;
    };
    const Case cases[] = {{-1, 0},    {0, 0},     {1, 1},       {254, 254},
                          {255, 255}, {256, 255}, {-100000, 0}, {100000, 255}};
    for (const Case& c : cases)
        EXPECT_EQ(ClampBarValue(c.in, kComponent), c.out) << c.in;
    EXPECT_EQ(ClampBarValue(766, kBrightness), 765);
    EXPECT_EQ(ClampBarValue(400, kBrightness), 400);
    EXPECT_EQ(ClampBarValue(-5, BarRange{10, 20}), 10);
}

TEST(BarClamp, TestsTheUpperBoundFirst) {
    // Only an inverted range tells the order apart: the maximum wins.
    const BarRange inverted{200, 100};
    EXPECT_EQ(ClampBarValue(150, inverted), 100);
    EXPECT_EQ(ClampBarValue(50, inverted), 200); // below both, above neither
    EXPECT_EQ(ClampBarValue(250, inverted), 100);
}

} // namespace

namespace {

TEST(BarMetricsForDpi, ScalesTheBarsDrawingWithTheScreen) {
    const BarMetrics at96 = BarMetricsForDpi(96);
    EXPECT_EQ(at96.trackInset, 13);
    EXPECT_EQ(at96.arrowX, -2);
    EXPECT_EQ(at96.arrowHalfCell, 9);
    EXPECT_EQ(at96.thumbRadius, 4);
    EXPECT_EQ(at96.penWidth, 1);
    const BarMetrics at144 = BarMetricsForDpi(144); // 19.5, -3, 13.5, 6, 1.5
    EXPECT_EQ(at144.trackInset, 20);
    EXPECT_EQ(at144.arrowX, -3);
    EXPECT_EQ(at144.arrowHalfCell, 14);
    EXPECT_EQ(at144.thumbRadius, 6);
    EXPECT_EQ(at144.penWidth, 2);
    EXPECT_EQ(BarMetricsForDpi(120).trackInset, 16); // 16.25
}

// A bar of 225 by 27 at 150 %, inside a 2-pixel client edge: a client area
// 221 wide, the track from 20 to 201, so W = 181 and more values are reached.
TEST(BarPointerMapping, AtAScaledTrack) {
    constexpr std::int32_t left = 20, width = 181;
    EXPECT_EQ(BarValueFromX(20, left, width, kComponent), 0);
    EXPECT_EQ(BarValueFromX(201, left, width, kComponent), 255);
    EXPECT_EQ(BarValueFromX(110, left, width, kComponent), 126); // 90 * 255 / 181 = 126.8
    EXPECT_EQ(BarValueFromX(21, left, width, kComponent), 1);    // 1.4: every value or two
    EXPECT_EQ(BarXFromValue(128, left, width, kComponent), 110);
    EXPECT_EQ(BarValueFromX(201, left, width, kBrightness), 765);
    EXPECT_EQ(BarPageStep(width, kComponent), 2);  // 255 / 181 + 1
    EXPECT_EQ(BarPageStep(width, kBrightness), 5); // 765 / 181 + 1
}

} // namespace
