// The main window's layout: one table as drawn at 100 %, and the same table
// scaled to any other dots per inch. Pure.
#pragma once
#include "platform/scale.h"
#include <cstdint>

constexpr int kPaletteCells = 10;
constexpr int kLabelCount = 4;
constexpr std::uint32_t kLabelColor = 0x00003050;

// Everything below is in the main window's client coordinates but the outer
// size and the centring height.
struct MainLayout {
    std::int32_t width, height; // the outer window
    // Vertical centring uses 230, not the window's 200, so a centred window
    // sits a little above the middle of the screen.
    std::int32_t centringHeight;
    Rect32 swatch;
    Rect32 closeButton, copyButton, autoApplyBox, editBox;
    Rect32 redBar, greenBar, blueBar, brightnessBar;
    Rect32 pickColor, pickWindow;
    Point32 labels[kLabelCount]; // where kLabelTexts start
    Rect32 cells[kPaletteCells]; // filled, so the right and bottom edges stay out
};

constexpr const char* kLabelTexts[kLabelCount] = {"Pick color:", "Pick window:", "Custom colors",
                                                  "(right click to add)"};

// Palette cell i at 100 %: column i / 5, row i % 5, 30 by 23 pixels.
constexpr Rect32 PaletteCell100(int i) {
    return Rect32{246 + 38 * (i / 5), 33 + 28 * (i % 5), 246 + 38 * (i / 5) + 30,
                  33 + 28 * (i % 5) + 23};
}

constexpr MainLayout kMainLayout = {
    330,
    200,
    230,
    {7, 5, 57, 45},
    {110, 147, 200, 169},
    {165, 5, 230, 25},
    {110, 124, 230, 144},
    {80, 5, 155, 25},
    {80, 30, 230, 48},
    {80, 50, 230, 68},
    {80, 70, 230, 88},
    {80, 100, 230, 118},
    {7, 69, 57, 109},
    {7, 129, 57, 169},
    {{7, 55}, {7, 115}, {246, 5}, {239, 17}},
    {PaletteCell100(0), PaletteCell100(1), PaletteCell100(2), PaletteCell100(3), PaletteCell100(4),
     PaletteCell100(5), PaletteCell100(6), PaletteCell100(7), PaletteCell100(8), PaletteCell100(9)},
};

// The whole table scaled, as if the 100 % window had been drawn larger.
MainLayout LayoutForDpi(std::uint32_t dpi);

// The window's place on a screen of that size when it is to be centred: half
// the free space, rounding down (an arithmetic shift).
constexpr std::int32_t Centred(std::int32_t screen, std::int32_t size) {
    return (screen - size) >> 1;
}

// Where a window of that outer size at `dpi` is centred on a screen: the
// vertical centring counts the table's extra height, scaled.
Point32 CentredOrigin(Size32 screen, Size32 window, std::uint32_t dpi);

// The outer size at `dpi` for a window whose frame (outer less client size)
// is `frameAt96` at 100 % and `frameAtDpi` there: the 100 % client area
// scaled, plus the frame. A title bar does not grow in step with the scale,
// so the outer size scaled would leave the client area a few pixels off.
Size32 WindowSizeForDpi(Size32 frameAt96, Size32 frameAtDpi, std::uint32_t dpi);

// The cell under a client point, or -1. A cell's hit area takes in the pixel
// column just right of it and the row just below it.
int PaletteHitTest(const MainLayout& layout, std::int32_t x, std::int32_t y);
