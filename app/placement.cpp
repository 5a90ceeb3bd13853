#include "app/placement.h"

bool TitleBarReachable(std::int32_t x, std::int32_t y, const Rect32& caption, std::int32_t grip,
                       const Rect32* workAreas, std::size_t count) {
    const std::int64_t left = std::int64_t(x) + caption.left,
                       right = std::int64_t(x) + caption.right;
    const std::int64_t top = std::int64_t(y) + caption.top,
                       bottom = std::int64_t(y) + caption.bottom;
    const std::int64_t width = right - left;
    const std::int64_t need = width < grip ? width : grip;
    if (need <= 0 || bottom <= top) return false;
    for (std::size_t i = 0; i < count; ++i) {
        const Rect32& a = workAreas[i];
        const std::int64_t l = left > a.left ? left : a.left;
        const std::int64_t r = right < a.right ? right : std::int64_t(a.right);
        if (r - l >= need && top >= a.top && bottom <= a.bottom) return true;
    }
    return false;
}
