#include "recolour/pixel_passes.h"
#include "recolour/pixel_passes_impl.h"

namespace pixel_passes_detail {
namespace {

// Byte by byte so the result does not depend on the host's byte order or on
// the pointer's alignment; compilers fold it into one load or store.
inline std::uint32_t Load32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
inline void Store32(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}
inline std::uint16_t Load16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}
inline void Store16(std::uint8_t* p, std::uint16_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

} // namespace

void ScalarRow24(const std::uint8_t* src, std::uint8_t* dst, std::size_t first, std::size_t width,
                 std::uint32_t from, std::uint32_t to) {
    // The 4-byte unit carries the next pixel's first byte (or the byte after
    // the row) through unchanged; the next write covers it.
    for (std::size_t i = first; i < width; ++i) {
        std::uint32_t unit = Load32(src + 3 * i);
        if ((unit & 0xFFFFFFu) == from) unit = (unit & 0xFF000000u) | to;
        Store32(dst + 3 * i, unit);
    }
}

void ScalarRun32(const std::uint8_t* src, std::uint8_t* dst, std::size_t first, std::size_t count,
                 std::uint32_t from, std::uint32_t to) {
    for (std::size_t i = first; i < count; ++i) {
        std::uint32_t unit = Load32(src + 4 * i);
        Store32(dst + 4 * i, (unit & 0xFFFFFFu) == from ? to : unit);
    }
}

void ScalarRun16(const std::uint8_t* src, std::uint8_t* dst, std::size_t first, std::size_t count,
                 std::uint16_t from, std::uint16_t to) {
    for (std::size_t i = first; i < count; ++i) {
        std::uint16_t pixel = Load16(src + 2 * i);
        Store16(dst + 2 * i, pixel == from ? to : pixel);
    }
}

void ScalarPass24(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                  std::int32_t height, Packed from, Packed to) {
    if (width <= 0 || height <= 0) return;
    const std::size_t stride = std::size_t(DibStride(24, width));
    for (std::int32_t y = 0; y < height; ++y)
        ScalarRow24(src + y * stride, dst + y * stride, 0, std::size_t(width), from & 0xFFFFFFu,
                    to & 0xFFFFFFu);
}

void ScalarPass32(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                  std::int32_t height, Packed from, Packed to) {
    if (width <= 0 || height <= 0) return;
    // No row padding at this depth: the rows form one run.
    ScalarRun32(src, dst, 0, std::size_t(width) * std::size_t(height), from & 0xFFFFFFu,
                to & 0xFFFFFFu);
}

void ScalarPass16(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                  std::int32_t height, std::uint16_t from, std::uint16_t to) {
    if (width <= 0 || height <= 0) return;
    const std::size_t stride = std::size_t(DibStride(16, width));
    for (std::int32_t y = 0; y < height; ++y)
        ScalarRun16(src + y * stride, dst + y * stride, 0, std::size_t(width), from, to);
}

} // namespace pixel_passes_detail

void ReplacePass24(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                   std::int32_t height, Packed from, Packed to) {
    pixel_passes_detail::FastestPassImpl().pass24(src, dst, width, height, from, to);
}

void ReplacePass32(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                   std::int32_t height, Packed from, Packed to) {
    pixel_passes_detail::FastestPassImpl().pass32(src, dst, width, height, from, to);
}

void ReplacePass16(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                   std::int32_t height, std::uint16_t from, std::uint16_t to) {
    pixel_passes_detail::FastestPassImpl().pass16(src, dst, width, height, from, to);
}

bool ReplacePass(std::uint32_t bitsPerPixel, const std::uint8_t* src, std::uint8_t* dst,
                 std::int32_t width, std::int32_t height, Packed from, Packed to) {
    switch (bitsPerPixel) {
    case 16:
        ReplacePass16(src, dst, width, height, ColorTo555(ColorRefFromPacked(from)),
                      ColorTo555(ColorRefFromPacked(to)));
        return true;
    case 24: ReplacePass24(src, dst, width, height, from, to); return true;
    case 32: ReplacePass32(src, dst, width, height, from, to); return true;
    default: return false;
    }
}
