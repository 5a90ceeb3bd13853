#include "platform/screen.h"
#include <windows.h>

Rect32 VirtualScreen() {
    const std::int32_t left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const std::int32_t top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return Rect32{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                  top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

MonitorAreas MonitorAt(Point32 p) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONEAREST), &info)) {
        const Rect32 all = VirtualScreen();
        return MonitorAreas{all, all};
    }
    const RECT &m = info.rcMonitor, &w = info.rcWork;
    return MonitorAreas{Rect32{m.left, m.top, m.right, m.bottom},
                        Rect32{w.left, w.top, w.right, w.bottom}};
}

bool WindowReadsShowTheScreen() {
    using IsComposedFn = HRESULT(WINAPI*)(BOOL*);
    static const HMODULE dwm = LoadLibraryA("dwmapi.dll"); // Vista and later
    static const auto isComposed = dwm ? reinterpret_cast<IsComposedFn>(reinterpret_cast<void*>(
                                             GetProcAddress(dwm, "DwmIsCompositionEnabled")))
                                       : nullptr;
    BOOL composed = FALSE;
    return !isComposed || FAILED(isComposed(&composed)) || !composed;
}
