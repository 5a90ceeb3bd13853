// The fonts the program draws with, made from the system's own with only the
// height, weight and face changed, and kept per scale. A window moved to a
// monitor of another scale asks for the new ones, hands them to its controls,
// and only then lets the old ones go.
#pragma once
#include <windows.h>
#include <cstdint>

struct FontStyle {
    std::int32_t height; // cell height in pixels at 100 %
    std::int32_t weight;
    // Arial, every other field as the default GUI font has it; otherwise the
    // dialogs' face (the message font) at this height and weight.
    bool arial;
};

// Made at its first use for that scale, kept until KeepOnlyFontsForDpi or
// the last ReleaseFonts.
HFONT FontForDpi(const FontStyle& style, std::uint32_t dpi);

// Deletes the fonts made for every other scale: whoever used them must have
// been given the new ones.
void KeepOnlyFontsForDpi(std::uint32_t dpi);

// The fonts live from the first AcquireFonts to the last ReleaseFonts, which
// deletes them all.
void AcquireFonts();
void ReleaseFonts();
