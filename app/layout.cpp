#include "app/layout.h"

Rect32 PaletteCellRect(int index) {
    const std::int32_t c = index / 5, r = index % 5;
    const std::int32_t left = 246 + 38 * c, top = 33 + 28 * r;
    return Rect32{left, top, left + 30, top + 23};
}

int PaletteHitTest(std::int32_t x, std::int32_t y) {
    const std::int32_t dx = x - 246;
    if (dx < 0 || dx > 76) return -1;
    const std::int32_t c = dx / 38;
    if (dx > 38 * c + 30) return -1;
    const std::int32_t dy = y - 33;
    if (dy < 0 || dy >= 140) return -1;
    const std::int32_t r = dy / 28;
    if (dy > 28 * r + 23) return -1;
    const std::int32_t i = 5 * c + r;
    return i >= kPaletteCells ? -1 : int(i);
}
