// Whether a window at a saved position can be taken hold of. Pure.
#pragma once
#include "platform/scale.h"
#include <cstddef>
#include <cstdint>

// The title bar of a window at x, y is `caption` (in window coordinates)
// moved there. True when some work area (left, top, right, bottom, right and
// bottom outside) holds a piece of it `grip` pixels wide, or all of it where
// it is narrower, over its whole height: enough for a user to drag it back.
// Worked in 64 bits, so a position near the 32-bit limits does not wrap.
bool TitleBarReachable(std::int32_t x, std::int32_t y, const Rect32& caption, std::int32_t grip,
                       const Rect32* workAreas, std::size_t count);
