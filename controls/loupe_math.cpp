#include "controls/loupe_math.h"
#include "colour/hex_text.h"
#include "platform/clamp.h"
#include "platform/decimal.h"

#include <algorithm>

namespace {

constexpr std::int32_t kGridFrom = 6;    // a block at 100 % that a grid line begins to help
constexpr std::int32_t kTextHeight = 16; // at 100 %
// The standard cross-hair reaches this far from its hot spot at 100 %; the
// loupe keeps clear of at least that, and this much more.
constexpr std::int32_t kCursorReach = 16, kGap = 4;

bool Inside(const Rect32& r, const Rect32& in) {
    return r.left >= in.left && r.top >= in.top && r.right <= in.right && r.bottom <= in.bottom;
}
bool Overlap(const Rect32& a, const Rect32& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

LoupeLayout LoupeLayoutFor(int level, std::uint32_t dpi) {
    LoupeLayout l{};
    l.count = LoupeCount(level);
    l.block = ScaleForDpi(kLoupeBlocks[level], dpi);
    l.border = ScaleForDpi(1, dpi);
    l.grid = kLoupeBlocks[level] >= kGridFrom ? ScaleForDpi(1, dpi) : 0;
    l.textHeight = ScaleForDpi(kTextHeight, dpi);
    const std::int32_t side = l.count * l.block + 2 * l.border;
    l.size = Size32{side, side + l.textHeight};
    return l;
}

void LoupeText(ColorRef colour, Point32 at, char (&out)[kLoupeTextSize]) {
    char hex[16] = "------";
    if (colour != kNoColor) FormatHexText(PackedFromColorRef(colour), hex);
    char* p = out;
    for (const char* h = hex; *h; ++h)
        *p++ = *h;
    *p++ = ' ';
    *p++ = ' ';
    p = PutSigned(p, at.x);
    *p++ = ',';
    *p++ = ' ';
    p = PutSigned(p, at.y);
    *p = '\0';
}

Point32 PlaceLoupe(Point32 p, std::int32_t clearance, Size32 size, const Rect32& work,
                   const Rect32& avoid) {
    const std::int32_t right = p.x + clearance, left = p.x - clearance + 1 - size.width;
    const std::int32_t below = p.y + clearance, above = p.y - clearance + 1 - size.height;
    const Point32 corners[] = {{right, below}, {left, below}, {right, above}, {left, above}};
    auto at = [&](Point32 c) { return Rect32{c.x, c.y, c.x + size.width, c.y + size.height}; };
    const Point32* fitting = nullptr;
    for (const Point32& c : corners) {
        if (!Inside(at(c), work)) continue;
        if (!Overlap(at(c), avoid)) return c;
        if (!fitting) fitting = &c;
    }
    if (fitting) return *fitting;
    // Beside the square, on a side with room, slid along it onto the work area.
    const std::int32_t slidY = Clamp(below, work.top, work.bottom - size.height);
    const std::int32_t slidX = Clamp(right, work.left, work.right - size.width);
    if (right + size.width <= work.right) return Point32{right, slidY};
    if (left >= work.left) return Point32{left, slidY};
    if (below + size.height <= work.bottom) return Point32{slidX, below};
    if (above >= work.top) return Point32{slidX, above};
    // A work area smaller than the loupe and the square together.
    return Point32{Clamp(right, work.left, work.right - size.width),
                   Clamp(below, work.top, work.bottom - size.height)};
}

LoupePlace PlaceLoupeOnMonitor(Point32 p, int level, std::uint32_t dpi, std::int32_t cursorReach,
                               const Rect32& work, const Rect32& avoid) {
    const LoupeLayout l = LoupeLayoutFor(level, dpi);
    const std::int32_t reach = std::max(cursorReach, ScaleForDpi(kCursorReach, dpi));
    const std::int32_t clearance = std::max(l.count / 2 + 1, reach) + ScaleForDpi(kGap, dpi);
    return LoupePlace{l, PlaceLoupe(p, clearance, l.size, work, avoid)};
}

namespace {
void FillBox(Packed* out, std::int32_t stride, std::int32_t left, std::int32_t top,
             std::int32_t width, std::int32_t height, Packed colour) {
    for (std::int32_t y = top; y < top + height; ++y)
        for (std::int32_t x = left; x < left + width; ++x)
            out[y * stride + x] = colour;
}
} // namespace

void CopySquare(const Packed* picture, const Rect32& area, Point32 centre, std::int32_t count,
                Packed fill, Packed* out, std::int32_t outStride) {
    const std::int32_t half = count / 2, width = area.right - area.left;
    for (std::int32_t row = 0; row < count; ++row) {
        const std::int32_t y = centre.y - half + row;
        Packed* line = out + row * outStride;
        const std::int32_t left = centre.x - half;
        // The part of the row on the picture, and fill either side of it.
        const std::int32_t from =
            y < area.top || y >= area.bottom ? count : Clamp(area.left - left, 0, count);
        const std::int32_t to =
            y < area.top || y >= area.bottom ? count : Clamp(area.right - left, from, count);
        for (std::int32_t x = 0; x < from; ++x)
            line[x] = fill;
        if (to > from)
            std::copy(picture + std::int64_t(y - area.top) * width + (left + from - area.left),
                      picture + std::int64_t(y - area.top) * width + (left + to - area.left),
                      line + from);
        for (std::int32_t x = std::max(from, to); x < count; ++x)
            line[x] = fill;
    }
}

void RenderLoupe(const Packed* sample, std::int32_t sampleStride, std::int32_t sampleCount,
                 const LoupeLayout& l, Packed* out, std::int32_t outStride) {
    const std::int32_t side = l.size.width, square = l.count * l.block;
    FillBox(out, outStride, 0, 0, side, side, kLoupeFrameColour);
    // The sample's middle under the loupe's middle, whichever is larger.
    const std::int32_t shift = (sampleCount - l.count) / 2;
    for (std::int32_t row = 0; row < l.count; ++row) {
        const std::int32_t sy = row + shift;
        Packed* line = out + (l.border + row * l.block) * outStride + l.border;
        for (std::int32_t column = 0; column < l.count; ++column) {
            const std::int32_t sx = column + shift;
            const bool inSample = sx >= 0 && sy >= 0 && sx < sampleCount && sy < sampleCount;
            const Packed colour =
                inSample ? sample[sy * sampleStride + sx] & 0xFFFFFFu : kLoupeFrameColour;
            for (std::int32_t i = 0; i < l.block; ++i)
                line[column * l.block + i] = colour;
        }
        for (std::int32_t i = 1; i < l.block; ++i) // the block's other rows are copies
            for (std::int32_t x = 0; x < square; ++x)
                line[i * outStride + x] = line[x];
    }
    for (std::int32_t i = 1; l.grid > 0 && i < l.count; ++i) {
        FillBox(out, outStride, l.border + i * l.block, l.border, l.grid, square, kLoupeGridColour);
        FillBox(out, outStride, l.border, l.border + i * l.block, square, l.grid, kLoupeGridColour);
    }
    const std::int32_t middle = l.border + (l.count / 2) * l.block, t = l.border;
    const std::int32_t mid = sampleCount / 2;
    const Packed centre = sampleCount > 0 ? sample[mid * sampleStride + mid] : kLoupeFrameColour;
    const Packed frame = PackedFromColorRef(ContrastingFrame(ColorRefFromPacked(centre)));
    const std::int32_t from = middle - t, size = l.block + 2 * t;
    FillBox(out, outStride, from, from, size, t, frame);
    FillBox(out, outStride, from, from + size - t, size, t, frame);
    FillBox(out, outStride, from, from, t, size, frame);
    FillBox(out, outStride, from + size - t, from, t, size, frame);
    FillBox(out, outStride, 0, side, side, l.textHeight, kLoupeTextBackground);
}
