// The Current colour written out in the forms other programs take: the Copy
// button's menu. Pure.
#pragma once
#include "colour/colour_math.h"
#include <cstdint>

enum class ColorFormat : std::uint8_t {
    Hex,      // FF8000 (Copy itself copies the edit box's text as typed)
    HashHex,  // #FF8000
    CssRgb,   // rgb(255, 128, 0)
    CssHsl,   // hsl(30, 100%, 50%)
    Win32Rgb, // RGB(255, 128, 0)
};

// The menu's entries, top to bottom.
inline constexpr ColorFormat kCopyFormats[] = {
    ColorFormat::Hex,    ColorFormat::HashHex,  ColorFormat::CssRgb,
    ColorFormat::CssHsl, ColorFormat::Win32Rgb,
};

// Hue in whole degrees 0-359, saturation and lightness in whole percent, each
// rounded to the nearest with halves up. Greys have hue 0 and saturation 0.
struct Hsl {
    std::uint16_t hue;
    std::uint8_t saturation, lightness;
};
Hsl HslFromColorRef(ColorRef colour);

// The longest text, "hsl(359, 100%, 100%)", and its NUL fit with room to spare.
constexpr int kColorTextSize = 32;
// The colour's low 24 bits in the given form, NUL terminated.
void FormatColor(ColorRef colour, ColorFormat format, char (&out)[kColorTextSize]);
