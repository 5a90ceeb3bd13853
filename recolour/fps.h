// The worker's average repaint rate. Pure.
#pragma once
#include <cstdint>

// Frames per second over the run: frames * 1000 / milliseconds, truncated.
// The product is taken in 64 bits, so long runs do not wrap; renderTimeMs
// starts at 1 and is never 0.
constexpr std::uint32_t AverageFpsOf(std::uint32_t frames, std::uint32_t renderTimeMs) {
    const std::uint64_t rate = renderTimeMs == 0 ? 0 : std::uint64_t(frames) * 1000u / renderTimeMs;
    return rate > 0xFFFFFFFFull ? 0xFFFFFFFFu : std::uint32_t(rate);
}
