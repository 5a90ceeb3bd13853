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

// The asynchronous state is of the physical buttons.
bool ButtonDown(bool left) {
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    return GetAsyncKeyState(left != swapped ? VK_LBUTTON : VK_RBUTTON) < 0;
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
        if (PlatformQuirks().watchPointerAfterNudge) StartPointerWatch(pick);
        nudge.from = from;
        nudge.staleEchoDue = PlatformQuirks().staleNudgeEcho;
        nudge.point = nudge.watched = POINT{p.x, p.y};
        nudge.tick = GetTickCount();
        nudge.active = true;
        *to = nudge.point;
        return true;
    }
    return false;
}

bool IsNudgeEcho(const PickControl& pick, POINT at) {
    const NudgeState& nudge = pick.nudge;
    if (SamePoint(at, nudge.point)) return false;
    return Settling(pick) || (nudge.staleEchoDue && SamePoint(at, nudge.from));
}

void PointerMovedItself(PickControl& pick) {
    pick.nudge.staleEchoDue = false;
}

bool PickPoint(const PickControl& pick, POINT* at) {
    POINT p;
    if (GetCursorPos(&p) && !IsNudgeEcho(pick, p)) {
        *at = p;
        return true;
    }
    // Unread, or the nudge's echo: where the nudge sent it, if one did.
    if (!pick.nudge.active && !pick.nudge.staleEchoDue) return false;
    *at = pick.nudge.point;
    return true;
}

// One pick at a time watches presses, so the hook has one window to tell.
HHOOK pressHook = nullptr;
HWND pressWatcher = nullptr;

LRESULT CALLBACK OnMouseInput(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)) {
        const POINT p = reinterpret_cast<const MSLLHOOKSTRUCT*>(data)->pt;
        // Told after the hook returns: the system waits for hooks, briefly.
        PostMessageA(pressWatcher, kPressElsewhere, 0, MAKELPARAM(p.x, p.y));
    }
    return CallNextHookEx(pressHook, code, message, data);
}

void StopPressWatch() {
    if (pressHook) UnhookWindowsHookEx(pressHook);
    if (pressWatcher) RemovePropA(pressWatcher, kMouseHookProperty);
    pressHook = nullptr;
    pressWatcher = nullptr;
}

void StartPointerWatch(PickControl& pick, bool presses) {
    NudgeState& nudge = pick.nudge;
    if (presses && !pressHook) {
        pressWatcher = pick.window;
        pressHook = SetWindowsHookExA(WH_MOUSE_LL, OnMouseInput, GetModuleHandleA(nullptr), 0);
        if (pressHook) SetPropA(pressWatcher, kMouseHookProperty, pressHook);
    }
    if (nudge.watching) return;
    nudge.buttonDown = ButtonDown(true);
    if (!GetCursorPos(&nudge.watched)) nudge.watched = POINT{};
    nudge.watching = SetTimer(pick.window, kNudgeWatchTimer, kWatchMs, nullptr) != 0;
}

NudgeWatch WatchPointer(PickControl& pick, POINT* at) {
    NudgeState& nudge = pick.nudge;
    const bool down = ButtonDown(true);
    const bool released = nudge.buttonDown && !down;
    nudge.buttonDown = down;
    if (released) return NudgeWatch::Released;
    POINT p;
    if (!GetCursorPos(&p) || IsNudgeEcho(pick, p) || SamePoint(p, nudge.watched))
        return NudgeWatch::Nothing;
    if (!SamePoint(p, nudge.point)) PointerMovedItself(pick);
    nudge.watched = *at = p;
    return NudgeWatch::Moved;
}

void StopNudgeWatch(PickControl& pick) {
    if (pick.nudge.watching) KillTimer(pick.window, kNudgeWatchTimer);
    pick.nudge.watching = false;
    if (pressWatcher == pick.window) StopPressWatch();
}

void ForgetNudge(PickControl& pick) {
    StopNudgeWatch(pick);
    pick.nudge.active = false;
}
