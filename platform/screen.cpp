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

bool WindowReadsShowTheScreen() {
    using IsComposedFn = HRESULT(WINAPI*)(BOOL*);
    static const auto isComposed =
        SystemFunction<IsComposedFn>("dwmapi.dll", "DwmIsCompositionEnabled"); // Vista and later
    BOOL composed = FALSE;
    return !isComposed || FAILED(isComposed(&composed)) || !composed;
}
