// Whether a window at a saved position can be seen at all. Pure.
#pragma once
#include "app/layout.h"
#include <cstddef>
#include <cstdint>

// True when any of the monitors (left, top, right, bottom, right and bottom
// outside) shows some part of the window at x, y of that size: what
// MonitorFromRect with MONITOR_DEFAULTTONULL says. Worked in 64 bits, so a
// position near the 32-bit limits does not wrap when the size is added.
bool ShownByAnyMonitor(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                       const Rect32* monitors, std::size_t count);
