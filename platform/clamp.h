// A number kept within a range, the one clamp of the program. Pure.
#pragma once
#include <cstdint>

// `high` where v is above it, else `low` where v is below that, else v. The
// upper bound is tested first, so that of a range given upside down (a work
// area smaller than what is placed on it) the upper bound wins.
constexpr std::int32_t Clamp(std::int32_t v, std::int32_t low, std::int32_t high) {
    return v > high ? high : (v < low ? low : v);
}
