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

bool NudgePointer(PickControl& pick, WPARAM key, bool shift, POINT* to) {
    const std::int32_t step = shift ? kShiftNudgeStep : kNudgeStep;
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
bool keepButtons = false; // a pick from anywhere: the buttons are its own
WPARAM keptRelease = 0;   // the release of a press kept, to keep too

WPARAM ReleaseOf(WPARAM press) {
    switch (press) {
    case WM_LBUTTONDOWN: return WM_LBUTTONUP;
    case WM_RBUTTONDOWN: return WM_RBUTTONUP;
    case WM_MBUTTONDOWN: return WM_MBUTTONUP;
    default: return 0;
    }
}

// Windows waits for a low-level hook before every mouse event of the
// desktop, and silently removes one that takes too long: it only posts what
// it saw and returns. Nonzero keeps the event from the programs below.
LRESULT CALLBACK OnMouseInput(int code, WPARAM message, LPARAM data) {
    if (code != HC_ACTION) return CallNextHookEx(pressHook, code, message, data);
    const MSLLHOOKSTRUCT& in = *reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
    const LPARAM at = MAKELPARAM(in.pt.x, in.pt.y);
    if (ReleaseOf(message)) {
        PostMessageA(pressWatcher, kPressElsewhere, message, at);
        if (keepButtons) {
            keptRelease = ReleaseOf(message);
            return 1;
        }
    } else if (message == keptRelease && keptRelease) {
        keptRelease = 0;
        PostMessageA(pressWatcher, kReleaseElsewhere, message, at);
        return 1;
    } else if (message == WM_MOUSEWHEEL && keepButtons) {
        PostMessageA(pressWatcher, kWheelElsewhere, WPARAM(short(HIWORD(in.mouseData))), at);
        return 1;
    }
    return CallNextHookEx(pressHook, code, message, data);
}

void StopPressWatch() {
    if (pressHook) UnhookWindowsHookEx(pressHook);
    if (pressWatcher) RemovePropA(pressWatcher, kMouseHookProperty);
    pressHook = nullptr;
    pressWatcher = nullptr;
}

void StartPointerWatch(PickControl& pick, bool presses, bool keep) {
    NudgeState& nudge = pick.nudge;
    if (presses && !pressHook) {
        pressWatcher = pick.window;
        keepButtons = keep;
        keptRelease = 0;
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
