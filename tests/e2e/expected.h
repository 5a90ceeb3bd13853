// What Tintwell is documented to show at 100 % scaling, written out once and
// literally: the end-to-end tests compare the running program against these
// numbers and texts, never against the program's own constants, so a wrong
// constant in the program cannot move its test along with it.
#pragma once
#include <windows.h>

namespace e2e::expected {

// The main window: outer size, and the height its vertical centring uses.
constexpr int kWindowWidth = 330, kWindowHeight = 200, kCentringHeight = 230;
constexpr const char* kTitle = "Zanthe Tintwell,  v1.1,  by Varnow";
// Centred on the tests' 1024 by 768 desktop: (1024 - 330) / 2, (768 - 230) / 2.
constexpr POINT kCentredOrigin{347, 269};
// Its client area within the test desktop's frame at 100 % (3-pixel borders,
// a 19-pixel caption); on a scaled screen this is what grows in proportion.
constexpr int kClientWidth = 324, kClientHeight = 175;

// Client rectangles (left, top, right, bottom) of the main window's parts.
constexpr RECT kSwatch{7, 5, 57, 45};
constexpr RECT kEdit{80, 5, 155, 25};
constexpr RECT kCopyButton{165, 5, 230, 25};
constexpr RECT kAutoApply{110, 124, 230, 144};
constexpr RECT kCloseButton{110, 147, 200, 169};
constexpr RECT kRedBar{80, 30, 230, 48};
constexpr RECT kGreenBar{80, 50, 230, 68};
constexpr RECT kBlueBar{80, 70, 230, 88};
constexpr RECT kBrightnessBar{80, 100, 230, 118};
constexpr RECT kPickColour{7, 69, 57, 109};
constexpr RECT kPickWindow{7, 129, 57, 169};

// Every child: its class, the text a standard control shows at start, and
// its rectangle.
constexpr struct {
    const char* className;
    const char* text; // nullptr: none
    RECT rect;
} kChildren[] = {
    {"Button", "Close", kCloseButton},    {"Button", "Copy", kCopyButton},
    {"Button", "Auto apply", kAutoApply}, {"Edit", "FFFFFF", kEdit},
    {"zPositionBar", nullptr, kRedBar},   {"zPositionBar", nullptr, kGreenBar},
    {"zPositionBar", nullptr, kBlueBar},  {"zPositionBar", nullptr, kBrightnessBar},
    {"zPickColor", nullptr, kPickColour}, {"zPickColor", nullptr, kPickWindow},
};

// Each bar: a 2-pixel client edge, then a 146 by 14 client area whose track
// runs from x 13 to 133; the thumb ring sits on the middle line, y 7.
constexpr int kBarEdge = 2, kTrackLeft = 13, kTrackWidth = 120, kBarMiddleY = 7;

// The palette: cell i in column i / 5 and row i % 5, 30 by 23 pixels, columns
// 38 and rows 28 pixels apart from (246, 33).
constexpr int kPaletteCells = 10;
constexpr RECT PaletteCell(int i) {
    return RECT{246 + 38 * (i / 5), 33 + 28 * (i % 5), 246 + 38 * (i / 5) + 30,
                33 + 28 * (i % 5) + 23};
}
constexpr COLORREF kBuiltInPalette[kPaletteCells] = {
    0x000000FF, 0x0000FF00, 0x00FF0000, 0x0000FFFF, 0x00FFFFFF,
    0x00FF00FF, 0x00FFFF00, 0x00800000, 0x00808080, 0x00000000,
};

// Colours as colour references, 0x00BBGGRR.
constexpr COLORREF kBackground = 0x00FFB2BB; // light lavender
constexpr COLORREF kLabelColour = 0x00003050;
constexpr COLORREF kEditTextColour = 0x00004D44; // the background's inverse

// The loupe beside the pointer during a pick: a window of its own class with
// a 1-pixel frame, at first 15 by 15 screen pixels in 8-pixel blocks, and a
// 16-pixel line of text under them.
constexpr const char* kLoupeClass = "zLoupe";
constexpr int kLoupeBorder = 1, kLoupeBlock = 8, kLoupeCount = 15, kLoupeText = 16;

// The frozen screen's window, over every other but Tintwell's and the loupe.
constexpr const char* kFrozenClass = "zFrozenScreen";

// The settings file.
constexpr const char* kIniName = "ZantheTintwell.ini";
constexpr const char* kIniSection = "General";

} // namespace e2e::expected
