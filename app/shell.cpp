#include "app/shell.h"
#include "app/main_messages.h"
#include "app/main_window.h"
#include "platform/dpi.h"
#include "platform/fonts.h"
#include "platform/instance.h"
#include "res/resource.h"

HICON appIcon;
HBRUSH backgroundBrush;
HFONT uiFont;
HFONT controlFont;

namespace {

constexpr FontStyle kLabelFont{14, FW_NORMAL, true};
// Given none, the standard controls draw with the system font, which is right
// at 100 % and cannot grow (a bitmap font: Wine keeps it at 16 pixels whatever
// the scale). Anywhere else they get the dialogs' face, bold like the system
// font, at the system font's height scaled.
constexpr FontStyle kControlFont{16, FW_BOLD, false};

} // namespace

void SetFontsForDpi(std::uint32_t dpi) {
    uiFont = FontForDpi(kLabelFont, dpi);
    const bool systemFont = dpi == kBaseDpi && SystemDpi() == kBaseDpi;
    controlFont = systemFont ? nullptr : FontForDpi(kControlFont, dpi);
}

void RegisterMainClass() {
    appIcon = LoadIconA(InstanceHandle(), MAKEINTRESOURCEA(IDI_APP));
    backgroundBrush = CreateSolidBrush(backgroundColor);
    AcquireFonts();
    SetFontsForDpi(SystemDpi());

    WNDCLASSA wc = {};
    wc.style = 0;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = InstanceHandle();
    wc.hIcon = appIcon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = backgroundBrush;
    wc.lpszClassName = "Tintwell";
    RegisterClassA(&wc);
}

void ReleaseMainClassObjects() {
    if (backgroundBrush) DeleteObject(backgroundBrush);
    if (appIcon) DestroyIcon(appIcon);
    ReleaseFonts();
    backgroundBrush = nullptr;
    uiFont = nullptr;
    controlFont = nullptr;
    appIcon = nullptr;
}

int StartupShowCommand() {
    STARTUPINFOA si;
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    return (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : SW_SHOWDEFAULT;
}
