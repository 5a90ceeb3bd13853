#include "app/placement.h"

bool ShownByAnyMonitor(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                       const Rect32* monitors, std::size_t count) {
    const std::int64_t left = x, top = y;
    const std::int64_t right = left + width, bottom = top + height;
    for (std::size_t i = 0; i < count; ++i) {
        const Rect32& m = monitors[i];
        if (left < m.right && m.left < right && top < m.bottom && m.top < bottom) return true;
    }
    return false;
}
