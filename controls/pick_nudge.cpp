#include "controls/pick_nudge.h"
#include "platform/quirks.h"
#include "platform/screen.h"
#include "controls/nudge_math.h"
#include "controls/pick_control.h"

namespace {

const struct {
    WPARAM key;
    std::int32_t dx, dy;
} kNudgeKeys[] = {
    {VK_LEFT, -1, 0},
    {VK_RIGHT, 1, 0},
    {VK_UP, 0, -1},
    {VK_DOWN, 0, 1},
};

constexpr UINT kWatchMs = 15;

// Windows moves the pointer at once, so there nothing has to settle.
bool Settling(const PickControl& pick) {
    return pick.nudge.active &&
           NudgeSettling(GetTickCount(), pick.nudge.tick, PlatformQuirks().nudgeSettleMs);
}

bool LeftButtonDown() {
    // The asynchronous state is of the physical button.
    const int vk = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return GetAsyncKeyState(vk) < 0;
}

bool SamePoint(POINT a, POINT b) {
    return a.x == b.x && a.y == b.y;
}

} // namespace

bool IsNudgeKey(WPARAM key) {
    for (const auto& k : kNudgeKeys)
        if (k.key == key) return true;
    return false;
}

bool NudgePointer(PickControl& pick, WPARAM key, POINT* to) {
    const std::int32_t step = GetKeyState(VK_SHIFT) < 0 ? kShiftNudgeStep : kNudgeStep;
    for (const auto& k : kNudgeKeys) {
        if (k.key != key) continue;
        POINT from;
        if (!PickPoint(pick, &from)) return false;
        const Point32 p =
            NudgedPoint(Point32{from.x, from.y}, k.dx * step, k.dy * step, VirtualScreen());
        if (!SetCursorPos(p.x, p.y)) return false;
        NudgeState& nudge = pick.nudge;
        if (PlatformQuirks().watchPointerAfterNudge && !nudge.watching) {
            nudge.buttonDown = LeftButtonDown();
            nudge.watching = SetTimer(pick.window, kNudgeWatchTimer, kWatchMs, nullptr) != 0;
        }
        nudge.point = nudge.watched = POINT{p.x, p.y};
        nudge.tick = GetTickCount();
        nudge.active = true;
        *to = nudge.point;
        return true;
    }
    return false;
}

bool IsNudgeEcho(const PickControl& pick, POINT at) {
    return Settling(pick) && !SamePoint(at, pick.nudge.point);
}

bool PickPoint(const PickControl& pick, POINT* at) {
    if (Settling(pick)) {
        *at = pick.nudge.point;
        return true;
    }
    return GetCursorPos(at) != 0;
}

NudgeWatch WatchAfterNudge(PickControl& pick, POINT* at) {
    NudgeState& nudge = pick.nudge;
    const bool down = LeftButtonDown();
    const bool released = nudge.buttonDown && !down;
    nudge.buttonDown = down;
    if (released) return NudgeWatch::Released;
    POINT p;
    if (!GetCursorPos(&p) || IsNudgeEcho(pick, p) || SamePoint(p, nudge.watched))
        return NudgeWatch::Nothing;
    nudge.watched = *at = p;
    return NudgeWatch::Moved;
}

void StopNudgeWatch(PickControl& pick) {
    if (pick.nudge.watching) KillTimer(pick.window, kNudgeWatchTimer);
    pick.nudge.watching = false;
}

void ForgetNudge(PickControl& pick) {
    StopNudgeWatch(pick);
    pick.nudge.active = false;
}
