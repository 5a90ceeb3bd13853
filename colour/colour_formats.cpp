#include "colour/colour_formats.h"
#include "colour/hex_text.h"
#include "platform/decimal.h"

namespace {

// n / d rounded to the nearest, halves up; n >= 0, d > 0.
std::int32_t RoundedQuotient(std::int32_t n, std::int32_t d) {
    return (2 * n + d) / (2 * d);
}

std::int32_t Max3(std::int32_t a, std::int32_t b, std::int32_t c) {
    const std::int32_t ab = a > b ? a : b;
    return ab > c ? ab : c;
}
std::int32_t Min3(std::int32_t a, std::int32_t b, std::int32_t c) {
    const std::int32_t ab = a < b ? a : b;
    return ab < c ? ab : c;
}

// Appends to a text that always stays NUL terminated within the buffer.
class TextBuilder {
  public:
    explicit TextBuilder(char (&out)[kColorTextSize]) : out_(out) { out_[0] = '\0'; }
    TextBuilder& operator<<(const char* text) {
        while (*text && used_ + 1 < kColorTextSize)
            out_[used_++] = *text++;
        out_[used_] = '\0';
        return *this;
    }
    TextBuilder& operator<<(std::uint32_t value) {
        char digits[12];
        PutUnsigned(digits, value);
        return *this << digits;
    }

  private:
    char (&out_)[kColorTextSize];
    int used_ = 0;
};

void WriteComponents(TextBuilder& text, const char* prefix, ColorRef colour) {
    text << prefix << std::uint32_t(RedOf(colour)) << ", " << std::uint32_t(GreenOf(colour)) << ", "
         << std::uint32_t(BlueOf(colour)) << ")";
}

} // namespace

Hsl HslFromColorRef(ColorRef colour) {
    const std::int32_t r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
    const std::int32_t max = Max3(r, g, b), min = Min3(r, g, b);
    const std::int32_t sum = max + min, spread = max - min;
    Hsl hsl{0, 0, 0};
    // 100 * sum / 510 is never exactly a half: 51 is odd.
    hsl.lightness = std::uint8_t(RoundedQuotient(100 * sum, 510));
    if (spread == 0) return hsl;
    // Up to mid-lightness saturation is spread / sum, above it spread / (510 - sum).
    const std::int32_t scale = sum <= 255 ? sum : 510 - sum;
    hsl.saturation = std::uint8_t(RoundedQuotient(100 * spread, scale));
    // The hue in sixths of the circle times the spread, from 0 up to 6 * spread.
    std::int32_t sixths;
    if (max == r)
        sixths = g - b + (g < b ? 6 * spread : 0);
    else if (max == g)
        sixths = b - r + 2 * spread;
    else
        sixths = r - g + 4 * spread;
    const std::int32_t hue = RoundedQuotient(60 * sixths, spread);
    hsl.hue = std::uint16_t(hue == 360 ? 0 : hue); // 359.5 and up is red again
    return hsl;
}

void FormatColor(ColorRef colour, ColorFormat format, char (&out)[kColorTextSize]) {
    TextBuilder text(out);
    char hex[16];
    FormatHexText(PackedFromColorRef(colour), hex);
    switch (format) {
    case ColorFormat::Hex: text << hex; break;
    case ColorFormat::HashHex: text << "#" << hex; break;
    case ColorFormat::CssRgb: WriteComponents(text, "rgb(", colour); break;
    case ColorFormat::Win32Rgb: WriteComponents(text, "RGB(", colour); break;
    case ColorFormat::CssHsl: {
        const Hsl hsl = HslFromColorRef(colour);
        text << "hsl(" << std::uint32_t(hsl.hue) << ", " << std::uint32_t(hsl.saturation) << "%, "
             << std::uint32_t(hsl.lightness) << "%)";
        break;
    }
    }
}
