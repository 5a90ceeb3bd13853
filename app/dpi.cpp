#include "app/dpi.h"

namespace {

// Looked up at run time: Windows before 10 has neither, and must still start.
template <typename Fn> Fn User32Function(const char* name) {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

std::uint32_t ScreenDpi(HDC dc) {
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    return dpi > 0 ? std::uint32_t(dpi) : 96;
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

std::uint32_t WindowDpi(HWND window) {
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
