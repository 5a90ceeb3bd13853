// Arrow keys during a pick move the pointer by whole screen pixels: where it
// goes, and whether the system is still catching up with it. Pure.
#pragma once
#include "platform/clamp.h"
#include "platform/scale.h"
#include <cstdint>

constexpr std::int32_t kNudgeStep = 1, kShiftNudgeStep = 10; // screen pixels

// p moved by (dx, dy) and kept on the screen (the virtual screen, every
// monitor's pixels, right and bottom outside), which may begin left of or
// above the primary monitor.
constexpr Point32 NudgedPoint(Point32 p, std::int32_t dx, std::int32_t dy, Rect32 screen) {
    return Point32{Clamp(p.x + dx, screen.left, screen.right - 1),
                   Clamp(p.y + dy, screen.top, screen.bottom - 1)};
}

// Whether a nudge at tick `nudgedAt` is still settling at tick `now`; the
// millisecond tick counter wraps, the difference does not care.
constexpr bool NudgeSettling(std::uint32_t now, std::uint32_t nudgedAt, std::uint32_t settleMs) {
    return now - nudgedAt < settleMs;
}
