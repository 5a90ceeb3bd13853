// Colour arithmetic shared by every part of Tintwell. Pure: no <windows.h>.
#pragma once
#include <cstdint>

using ColorRef = std::uint32_t; // 0x00BBGGRR, red in the low byte
using Packed = std::uint32_t;   // 0x00RRGGBB, the hex text's and the DIBs' order

constexpr std::uint32_t kNoColor = 0xFFFFFFFFu; // -1: "no colour" / CLR_INVALID

// Swapping the low and the third byte goes either way; the top byte is dropped.
constexpr Packed PackedFromColorRef(ColorRef c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr ColorRef ColorRefFromPacked(Packed p) {
    return PackedFromColorRef(p);
}

constexpr ColorRef MakeColorRef(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16);
}
constexpr std::uint8_t RedOf(ColorRef c) {
    return std::uint8_t(c & 0xFFu);
}
constexpr std::uint8_t GreenOf(ColorRef c) {
    return std::uint8_t((c >> 8) & 0xFFu);
}
constexpr std::uint8_t BlueOf(ColorRef c) {
    return std::uint8_t((c >> 16) & 0xFFu);
}

// Each of red, green and blue turned to 255 minus itself; the top byte is 0.
constexpr ColorRef InverseColor(ColorRef c) {
    return (c ^ 0x00FFFFFFu) & 0x00FFFFFFu;
}

// A 5-bit channel widened to 8 bits: c*8 + c*7/28 puts the channel's own top
// three bits into the low three, so 0 stays 0 and 31 becomes 255.
constexpr std::uint32_t Widen5(std::uint32_t c) {
    return c * 8 + (c * 7) / 28;
}

// Five-five-five pixel (blue bits 0-4, green 5-9, red 10-14) to a colour
// reference. Bit 15 and anything above it is ignored.
constexpr ColorRef Expand555(std::uint32_t p) {
    return Widen5((p >> 10) & 31u) | (Widen5((p >> 5) & 31u) << 8) | (Widen5(p & 31u) << 16);
}

// Colour reference to a five-five-five pixel; undoes Expand555 exactly.
constexpr std::uint16_t ColorTo555(ColorRef c) {
    return std::uint16_t(((RedOf(c) >> 3) << 10) | ((GreenOf(c) >> 3) << 5) | (BlueOf(c) >> 3));
}
