// The Current colour's components and how a component update changes them.
// Pure: the Windows side (colour_state.cpp) keeps the globals and the views.
#pragma once
#include "colour/colour_math.h"
#include "platform/clamp.h"
#include <cstdint>

enum ColorComponent : std::uint8_t {
    ComponentRed = 1,
    ComponentGreen = 2,
    ComponentBlue = 4,
    ComponentWhole = 8,
};

struct Components {
    std::uint8_t red = 0, green = 0, blue = 0;
};

// A component gets `value` clamped to 0..255; ComponentWhole takes bytes 0-2
// of the colour reference and drops the top byte.
void ApplyComponent(Components& c, std::uint8_t selector, std::int32_t value);

constexpr ColorRef ColorRefOf(const Components& c) {
    return MakeColorRef(c.red, c.green, c.blue);
}
constexpr Packed PackedOf(const Components& c) {
    return (std::uint32_t(c.red) << 16) | (std::uint32_t(c.green) << 8) | c.blue;
}
constexpr std::int32_t BrightnessOf(const Components& c) {
    return std::int32_t(c.red) + c.green + c.blue;
}
