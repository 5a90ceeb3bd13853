// The recolour engine's buffer layout and pixel passes. Pure.
//
// Both buffers hold device-independent bitmap rows, bottom-up, each row padded
// to a multiple of 4 bytes, plus one spare byte after the last row so that the
// 24-bit pass's 4-byte access at the last pixel stays inside the buffer.
#pragma once
#include "colour/colour_math.h"
#include <cstdint>

// Largest buffer a capture may use. A snapshot past this is refused before any
// bitmap is made: a 32-bit process cannot hold two of them plus the bitmap.
constexpr std::uint64_t kMaxDibBufferBytes = 256ull << 20;

// (bitsPerPixel / 8 * width + 3) with the low two bits cleared, in 64 bits.
constexpr std::uint64_t DibStride(std::uint32_t bitsPerPixel, std::int32_t width) {
    return width <= 0 ? 0 : ((std::uint64_t(bitsPerPixel / 8) * std::uint32_t(width) + 3) & ~3ull);
}

// stride * height + 1, in 64 bits; 0 for an empty area.
constexpr std::uint64_t DibBufferBytes(std::uint32_t bitsPerPixel, std::int32_t width,
                                       std::int32_t height) {
    return (width <= 0 || height <= 0) ? 0
                                       : DibStride(bitsPerPixel, width) * std::uint32_t(height) + 1;
}

// True when an area of that depth and size can be captured at all.
constexpr bool DibFits(std::uint32_t bitsPerPixel, std::int32_t width, std::int32_t height) {
    return DibBufferBytes(bitsPerPixel, width, height) != 0 &&
           DibBufferBytes(bitsPerPixel, width, height) <= kMaxDibBufferBytes;
}

// Each pass reads `src` and writes `dst`, both DibBufferBytes() long, row by
// row; every pixel equal to `from` becomes `to`, every other is copied. The
// fastest version the CPU runs is picked once; all write the same bytes.
//  24 bits: from/to are packed RGB, of which only the low 24 bits count; a
//           pixel is a 4-byte little-endian unit whose low 24 bits are
//           compared, its top byte written as read (it is the next pixel's
//           first byte until that pixel is written). Padding bytes after the
//           first of each row are not written.
//  32 bits: from/to as at 24 bits; a match is written as `to`, top byte 0.
//  16 bits: from/to five-five-five pixels; odd widths skip the row padding.
void ReplacePass24(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                   std::int32_t height, Packed from, Packed to);
void ReplacePass32(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                   std::int32_t height, Packed from, Packed to);
void ReplacePass16(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                   std::int32_t height, std::uint16_t from, std::uint16_t to);

// The pass for a depth: 16 and 24/32 take packed colours, 16 converts them to
// five-five-five once. False for a depth without a pass.
bool ReplacePass(std::uint32_t bitsPerPixel, const std::uint8_t* src, std::uint8_t* dst,
                 std::int32_t width, std::int32_t height, Packed from, Packed to);
