#include "colour/colour_formats.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Format(Packed packed, ColorFormat format) {
    char out[kColorTextSize];
    FormatColor(ColorRefFromPacked(packed), format, out);
    return out;
}

TEST(FormatColor, EachFormOfOrange) {
    EXPECT_EQ("FF8000", Format(0xFF8000, ColorFormat::Hex));
    EXPECT_EQ("#FF8000", Format(0xFF8000, ColorFormat::HashHex));
    EXPECT_EQ("rgb(255, 128, 0)", Format(0xFF8000, ColorFormat::CssRgb));
    EXPECT_EQ("hsl(30, 100%, 50%)", Format(0xFF8000, ColorFormat::CssHsl));
    EXPECT_EQ("RGB(255, 128, 0)", Format(0xFF8000, ColorFormat::Win32Rgb));
    // Leading zeros in hex, none in decimal; the unused top byte is ignored.
    char out[kColorTextSize];
    FormatColor(0xAA0A0B00u, ColorFormat::HashHex, out);
    EXPECT_STREQ("#000B0A", out);
    FormatColor(0xAA0A0B00u, ColorFormat::CssRgb, out);
    EXPECT_STREQ("rgb(0, 11, 10)", out);
}

TEST(HslText, PureHuesGreysAndRounding) {
    const struct {
        Packed packed;
        const char* text;
    } cases[] = {
        {0xFF0000, "hsl(0, 100%, 50%)"},
        {0xFFFF00, "hsl(60, 100%, 50%)"},
        {0x00FF00, "hsl(120, 100%, 50%)"},
        {0x00FFFF, "hsl(180, 100%, 50%)"},
        {0x0000FF, "hsl(240, 100%, 50%)"},
        {0xFF00FF, "hsl(300, 100%, 50%)"},
        {0x336699, "hsl(210, 50%, 40%)"},
        {0x000000, "hsl(0, 0%, 0%)"},
        {0xFFFFFF, "hsl(0, 0%, 100%)"},
        {0x808080, "hsl(0, 0%, 50%)"},
        {0x010000, "hsl(0, 100%, 0%)"}, // the darkest red is still fully saturated
        // Hue: 0.5 degrees rounds up, 0.496 down.
        {0xC85150, "hsl(1, 52%, 55%)"},
        {0xC95150, "hsl(0, 53%, 55%)"},
        // Hue: 359.496 stays 359; 359.5 and 359.504 round to 360, which is 0.
        {0xC75051, "hsl(359, 52%, 55%)"},
        {0xC85051, "hsl(0, 52%, 55%)"},
        {0xC95051, "hsl(0, 53%, 55%)"},
        // Saturation: 2.5 rounds up, 24.498 down.
        {0x292728, "hsl(330, 3%, 16%)"},
        {0x9B5E5E, "hsl(0, 24%, 49%)"},
        // Lightness, which is never exactly a half: 5.490 down, 14.510 up.
        {0x0E0E0E, "hsl(0, 0%, 5%)"},
        {0x252525, "hsl(0, 0%, 15%)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, Format(c.packed, ColorFormat::CssHsl)) << std::hex << c.packed;
}

} // namespace
