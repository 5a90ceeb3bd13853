// Brightness mixing: one common shift of all three components, measured from
// a snapshot so that every bar position maps to one colour. Pure.
#pragma once
#include "colour/components.h"
#include <cstdint>

struct BrightnessSnapshot {
    std::int32_t base = -1; // the bar's value at the snapshot; -1: none held
    Components colour;
    std::int32_t max = 0, min = 0; // largest and smallest snapshot component
};

BrightnessSnapshot MakeBrightnessSnapshot(std::int32_t barValue, const Components& c);

// The shift for bar value v on a 0..765 bar, in signed 32-bit arithmetic with
// divisions truncating toward zero: up to white at 765, down to black at 0.
std::int32_t BrightnessShift(const BrightnessSnapshot& s, std::int32_t v);
