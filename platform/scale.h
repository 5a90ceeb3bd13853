// Display scaling. Every size of the program is given as drawn at 100 %, 96
// dots per inch, and this one function scales it to the screen's. Pure.
#pragma once
#include <cstdint>

constexpr std::uint32_t kBaseDpi = 96;

struct Point32 {
    std::int32_t x, y;
};

struct Size32 {
    std::int32_t width, height;
};

// Edges: left, top, right, bottom.
struct Rect32 {
    std::int32_t left, top, right, bottom;
};
constexpr bool operator==(const Rect32& a, const Rect32& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
constexpr bool Contains(const Rect32& r, Point32 p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// value * to / from to the nearest whole pixel, halves away from zero, as
// MulDiv rounds; 64-bit inside, so no size of a screen can overflow it.
constexpr std::int32_t ScaleBetweenDpi(std::int32_t value, std::uint32_t from, std::uint32_t to) {
    const std::int64_t product = std::int64_t(value) * to;
    const std::int64_t half = from / 2;
    return std::int32_t(product >= 0 ? (product + half) / std::int64_t(from)
                                     : (product - half) / std::int64_t(from));
}

// A size given at 100 % on a screen of `dpi` dots per inch.
constexpr std::int32_t ScaleForDpi(std::int32_t value, std::uint32_t dpi) {
    return ScaleBetweenDpi(value, kBaseDpi, dpi);
}

// Each edge scaled on its own, so neighbours that touch at 100 % still touch.
constexpr Rect32 Scaled(Rect32 r, std::uint32_t dpi) {
    return Rect32{ScaleForDpi(r.left, dpi), ScaleForDpi(r.top, dpi), ScaleForDpi(r.right, dpi),
                  ScaleForDpi(r.bottom, dpi)};
}
