// Brightness mixing: one common shift of all three components, measured from
// a snapshot so that every bar position maps to one colour. Pure.
#pragma once
#include <cstdint>

// The shift for bar value v on a 0..765 bar whose snapshot was taken at
// `base` with largest component `max` and smallest `min`. Signed 32-bit
// arithmetic, divisions truncating toward zero: 765 reaches white, 0 black.
std::int32_t BrightnessShift(std::int32_t base, std::int32_t max, std::int32_t min, std::int32_t v);
