// The snapshot both pass benchmarks work on, and how they call a pass.
#pragma once
#include "recolour/pixel_passes.h"
#include "recolour/pixel_passes_impl.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace bench {

constexpr Packed kFrom = 0x3366CC;
constexpr Packed kTo = 0xFFEE00;

// Full HD and 4K at every depth. A 1920x1080 snapshot lies beyond the
// second-level cache; at 3840x2160 the snapshot, the pass's output and the
// copy's together lie beyond most third-level caches too.
struct Case {
    int bits, width, height;
};
constexpr Case kCases[] = {{16, 1920, 1080}, {24, 1920, 1080}, {32, 1920, 1080},
                           {16, 3840, 2160}, {24, 3840, 2160}, {32, 3840, 2160}};

// Random pixels with about a quarter of them the colour to replace; the same
// pixels on every run and every platform.
inline std::vector<std::uint8_t> Snapshot(int bits, int width, int height) {
    std::uint32_t seed = 1;
    auto random = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    const std::size_t stride = std::size_t(DibStride(bits, width));
    std::vector<std::uint8_t> b(std::size_t(DibBufferBytes(bits, width, height)));
    for (auto& v : b)
        v = std::uint8_t(random());
    const std::uint32_t from =
        bits == 16 ? ColorTo555(ColorRefFromPacked(kFrom)) : std::uint32_t(kFrom);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (random() % 4 == 0)
                for (int k = 0; k < std::min(bits / 8, 3); ++k)
                    b[y * stride + std::size_t(x) * (bits / 8) + k] = std::uint8_t(from >> 8 * k);
    return b;
}

inline void RunPass(const pixel_passes_detail::PassImpl& impl, int bits, const std::uint8_t* src,
                    std::uint8_t* dst, int width, int height) {
    switch (bits) {
    case 16:
        impl.pass16(src, dst, width, height, ColorTo555(ColorRefFromPacked(kFrom)),
                    ColorTo555(ColorRefFromPacked(kTo)));
        break;
    case 24: impl.pass24(src, dst, width, height, kFrom, kTo); break;
    default: impl.pass32(src, dst, width, height, kFrom, kTo); break;
    }
}

} // namespace bench
