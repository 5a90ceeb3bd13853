#include "colour/brightness_math.h"

std::int32_t BrightnessShift(std::int32_t base, std::int32_t max, std::int32_t min,
                             std::int32_t v) {
    // Neither divisor can be 0: v > base means base < 765, v < base means base > 0.
    if (v > base) return (v - base) * (255 - min) / (765 - base);
    if (v < base) return (v - base) * max / base;
    return 0;
}
