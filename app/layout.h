// The main window's fixed pixel layout and the palette geometry. Pure.
#pragma once
#include <cstdint>

struct Rect32 {
    std::int32_t left, top, right, bottom;
};

constexpr std::int32_t kMainWidth = 330, kMainHeight = 200;
// Vertical centring uses 230, not the window's 200, so a centred window sits
// a little above the middle of the screen.
constexpr std::int32_t kCentringHeight = 230;

constexpr Rect32 kSwatchRect{7, 5, 57, 45};

// Close/Copy buttons, the check box and the edit box: x, y, width, height.
constexpr Rect32 kCloseButtonBox{110, 147, 90, 22};
constexpr Rect32 kCopyButtonBox{165, 5, 65, 20};
constexpr Rect32 kAutoApplyBox{110, 124, 120, 20};
constexpr Rect32 kEditBox{80, 5, 75, 20};

// Custom controls: left, top, right, bottom.
constexpr Rect32 kRedBarRect{80, 30, 230, 48};
constexpr Rect32 kGreenBarRect{80, 50, 230, 68};
constexpr Rect32 kBlueBarRect{80, 70, 230, 88};
constexpr Rect32 kBrightnessBarRect{80, 100, 230, 118};
constexpr Rect32 kPickColorRect{7, 69, 57, 109};
constexpr Rect32 kPickWindowRect{7, 129, 57, 169};

constexpr std::uint32_t kLabelColor = 0x00003050;
constexpr int kPaletteCells = 10;

// -1 means "centre"; the halving is an arithmetic shift, rounding down.
constexpr std::int32_t CentredX(std::int32_t screenWidth) {
    return (screenWidth - kMainWidth) >> 1;
}
constexpr std::int32_t CentredY(std::int32_t screenHeight) {
    return (screenHeight - kCentringHeight) >> 1;
}

// Cell i: column i / 5, row i % 5; painted 30 by 23 pixels.
Rect32 PaletteCellRect(int index);

// The cell under a client point, or -1. A cell's hit area takes in the
// column just right of it and the row just below it.
int PaletteHitTest(std::int32_t x, std::int32_t y);
