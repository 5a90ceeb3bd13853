#include "platform/screen.h"
#include "platform/dpi.h"
#include "platform/system_function.h"
#include <windows.h>

Rect32 VirtualScreen() {
    const std::int32_t left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const std::int32_t top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return Rect32{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                  top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

namespace {

Rect32 ToRect32(const RECT& r) {
    return Rect32{r.left, r.top, r.right, r.bottom};
}

struct WorkAreaList {
    Rect32* out;
    std::size_t most, count;
};

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    auto& areas = *reinterpret_cast<WorkAreaList*>(list);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) areas.out[areas.count++] = ToRect32(info.rcWork);
    return areas.count < areas.most;
}

} // namespace

MonitorAreas MonitorAt(Point32 p) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    const HMONITOR monitor = MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONEAREST);
    if (!GetMonitorInfoA(monitor, &info)) {
        const Rect32 all = VirtualScreen();
        return MonitorAreas{all, all, SystemDpi()};
    }
    return MonitorAreas{ToRect32(info.rcMonitor), ToRect32(info.rcWork), DpiOfMonitor(monitor)};
}

std::size_t AllWorkAreas(Rect32* out, std::size_t most) {
    WorkAreaList areas{out, most, 0};
    if (most > 0)
        EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas.count;
}

namespace {

constexpr DWORD kRepaintWaitMs = 500; // for a window that does not answer

struct Uncovered {
    RECT area;
    std::size_t count;
    HWND windows[64];
};

BOOL CALLBACK AddWindowOver(HWND window, LPARAM list) {
    auto& uncovered = *reinterpret_cast<Uncovered*>(list);
    RECT r, overlap;
    if (IsWindowVisible(window) && GetWindowRect(window, &r) &&
        IntersectRect(&overlap, &r, &uncovered.area))
        uncovered.windows[uncovered.count++] = window;
    return uncovered.count < 64;
}

} // namespace

void AwaitWindowRepainted(HWND window, const Rect32& area) {
    RECT covered, r;
    const RECT wanted{area.left, area.top, area.right, area.bottom};
    if (!window || !GetWindowRect(window, &r) || !IntersectRect(&covered, &r, &wanted)) return;
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&covered), 2);
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        RedrawWindow(window, &covered, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return;
    }
    RedrawWindow(window, &covered, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    // Painted once its thread has taken the update region and, being one
    // thread, answered a message after the paint.
    const DWORD start = GetTickCount();
    while (GetUpdateRect(window, nullptr, FALSE) && GetTickCount() - start < kRepaintWaitMs)
        Sleep(1);
    DWORD_PTR answer;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kRepaintWaitMs, &answer);
}

void AwaitScreenRepainted(const Rect32& area) {
    if (!WindowReadsShowTheScreen()) {
        using FlushFn = HRESULT(WINAPI*)();
        static const auto flush = SystemFunction<FlushFn>("dwmapi.dll", "DwmFlush");
        if (flush) flush();
        return;
    }
    Uncovered uncovered{RECT{area.left, area.top, area.right, area.bottom}, 0, {}};
    EnumWindows(AddWindowOver, reinterpret_cast<LPARAM>(&uncovered));
    for (std::size_t i = 0; i < uncovered.count; ++i)
        AwaitWindowRepainted(uncovered.windows[i], area);
}

bool WindowReadsShowTheScreen() {
    using IsComposedFn = HRESULT(WINAPI*)(BOOL*);
    static const auto isComposed =
        SystemFunction<IsComposedFn>("dwmapi.dll", "DwmIsCompositionEnabled"); // Vista and later
    BOOL composed = FALSE;
    return !isComposed || FAILED(isComposed(&composed)) || !composed;
}
