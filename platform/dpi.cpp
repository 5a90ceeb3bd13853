#include "platform/dpi.h"
#include "platform/system_function.h"

namespace {

// Looked up at run time: Windows before 10 has none of them, and must still start.
template <typename Fn> Fn User32Function(const char* name) {
    return SystemFunction<Fn>("user32.dll", name);
}

std::uint32_t ScreenDpi(HDC dc) {
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    return dpi > 0 ? std::uint32_t(dpi) : kBaseDpi;
}

} // namespace

std::uint32_t SystemDpi() {
    using GetDpiForSystemFn = UINT(WINAPI*)();
    static const auto getDpiForSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
    if (getDpiForSystem) return getDpiForSystem();
    HDC screen = GetDC(nullptr);
    const std::uint32_t dpi = ScreenDpi(screen);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::uint32_t DpiOfWindow(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    HDC dc = GetDC(window);
    const std::uint32_t dpi = ScreenDpi(dc);
    ReleaseDC(window, dc);
    return dpi;
}

std::uint32_t DpiOfMonitor(HMONITOR monitor) {
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpiForMonitor =
        SystemFunction<GetDpiForMonitorFn>("shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI: what the user chose for it
    if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && x > 0)
        return x;
    return SystemDpi();
}

bool FrameForDpi(DWORD style, DWORD exStyle, std::uint32_t dpi, Size32* frame) {
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    RECT r{0, 0, 0, 0};
    if (!adjust || !adjust(&r, style, FALSE, exStyle, dpi)) return false;
    *frame = Size32{r.right - r.left, r.bottom - r.top};
    return true;
}

void EnableFrameScaling(HWND window) {
    using EnableFn = BOOL(WINAPI*)(HWND);
    static const auto enable = User32Function<EnableFn>("EnableNonClientDpiScaling");
    if (enable) enable(window);
}
