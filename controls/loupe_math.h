// The loupe's geometry: its zoom levels, its parts at a scale, the line of
// text under its blocks, and where it goes beside the pointer. Pure.
#pragma once
#include "colour/colour_math.h"
#include "platform/scale.h"
#include <cstdint>

// The block one screen pixel becomes, at 100 %, smallest first.
constexpr std::int32_t kLoupeBlocks[] = {2, 3, 4, 6, 8, 12, 16, 24};
constexpr int kLoupeLevels = int(sizeof kLoupeBlocks / sizeof kLoupeBlocks[0]);
constexpr int kDefaultLoupeLevel = 4; // 8-pixel blocks, 15 by 15 screen pixels
// The blocks cover at least this much at 100 %.
constexpr std::int32_t kLoupeSpan = 120;

// Screen pixels each way at a level: the fewest whose blocks cover
// kLoupeSpan, made odd so the pointer's pixel is the middle one.
constexpr std::int32_t LoupeCount(int level) {
    const std::int32_t block = kLoupeBlocks[level];
    const std::int32_t n = (kLoupeSpan + block - 1) / block;
    return n % 2 != 0 ? n : n + 1;
}
constexpr std::int32_t kLargestLoupeCount = LoupeCount(0);

// The loupe window at a level and scale, in its own pixels: a frame, the
// blocks inside it, a line of text under them.
struct LoupeLayout {
    std::int32_t count;      // screen pixels each way
    std::int32_t block;      // loupe pixels per screen pixel
    std::int32_t border;     // the frame round it all
    std::int32_t grid;       // lines between blocks; 0 where blocks are too small for one
    std::int32_t textHeight; // the line under the blocks
    Size32 size;             // the whole window
};
LoupeLayout LoupeLayoutFor(int level, std::uint32_t dpi);

// The frame round the centre block: black round light pixels, white round dark
// ones, by their luma.
constexpr ColorRef ContrastingFrame(ColorRef c) {
    const std::uint32_t luma = 299u * RedOf(c) + 587u * GreenOf(c) + 114u * BlueOf(c);
    return luma >= 128000u ? 0x000000u : 0xFFFFFFu;
}

// "FF8000  512, 384": the centre pixel as the edit box will show it, then the
// pointer's screen position; dashes for a pixel that could not be read.
constexpr int kLoupeTextSize = 40;
void LoupeText(ColorRef colour, Point32 at, char (&out)[kLoupeTextSize]);

// Where a loupe of `size` goes for the pointer at p: its near edges
// `clearance` pixels from p (more than half the sampled square, so it never
// covers what it shows), below and right if it fits wholly on `work`, else in
// whichever other corner fits, a corner that leaves `avoid` uncovered first.
// Where no corner fits it goes beside the square on a side with room, pushed
// along that side onto the work area. Gives its top left.
Point32 PlaceLoupe(Point32 p, std::int32_t clearance, Size32 size, const Rect32& work,
                   const Rect32& avoid);

// How far a pointer's image of `size` reaches from its hot spot: to its
// farthest edge.
constexpr std::int32_t CursorReach(Size32 size, Point32 hotSpot) {
    const std::int32_t x = hotSpot.x > size.width - hotSpot.x ? hotSpot.x : size.width - hotSpot.x;
    const std::int32_t y =
        hotSpot.y > size.height - hotSpot.y ? hotSpot.y : size.height - hotSpot.y;
    return x > y ? x : y;
}

// The loupe for the pointer at p on the monitor under it, which has `dpi`
// dots per inch and the work area `work`: laid out at that monitor's scale,
// wherever the main window is, and placed by PlaceLoupe clear of the sampled
// square and of the pointer's image, which reaches `cursorReach` of the
// monitor's pixels from its hot spot (users may enlarge it many times), and
// a gap more.
struct LoupePlace {
    LoupeLayout layout;
    Point32 origin;
};
LoupePlace PlaceLoupeOnMonitor(Point32 p, int level, std::uint32_t dpi, std::int32_t cursorReach,
                               const Rect32& work, const Rect32& avoid);

// Packed colours the loupe paints its own parts in.
constexpr Packed kLoupeFrameColour = 0x404040; // round it all, and off the screen
constexpr Packed kLoupeGridColour = 0x808080;
constexpr Packed kLoupeTextBackground = 0xFFFFFF;

// The square of `count` screen pixels around `centre` (count odd, centre in
// its middle) from a picture of the screen rectangle `area`, its rows the
// area's width apart, into `out` (rows `outStride` apart): what lies beyond
// the picture in `fill`. A frozen screen's pick reads it so.
void CopySquare(const Packed* picture, const Rect32& area, Point32 centre, std::int32_t count,
                Packed fill, Packed* out, std::int32_t outStride);

// Paints the loupe into `out` (rows of `outStride` pixels, 0x00RRGGBB, at
// least layout.size): the frame, each pixel of the middle of `sample` as a
// block (`sampleCount` rows of `sampleStride` pixels, the pointer's in the
// middle; a loupe wider than the sample shows frame colour beyond it), the
// grid, the centre's frame, and the text line's background.
void RenderLoupe(const Packed* sample, std::int32_t sampleStride, std::int32_t sampleCount,
                 const LoupeLayout& layout, Packed* out, std::int32_t outStride);
