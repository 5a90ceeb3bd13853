#include "colour/brightness_math.h"
#include <algorithm>

BrightnessSnapshot MakeBrightnessSnapshot(std::int32_t barValue, const Components& c) {
    BrightnessSnapshot s;
    s.base = barValue;
    s.colour = c;
    s.max = std::max({c.red, c.green, c.blue});
    s.min = std::min({c.red, c.green, c.blue});
    return s;
}

std::int32_t BrightnessShift(const BrightnessSnapshot& s, std::int32_t v) {
    // Neither divisor can be 0: v > base means base < 765, v < base means base > 0.
    if (v > s.base) return (v - s.base) * (255 - s.min) / (765 - s.base);
    if (v < s.base) return (v - s.base) * s.max / s.base;
    return 0;
}
