#include "app/shell.h"
#include "app/dpi.h"
#include "app/layout.h"
#include "app/main_messages.h"
#include "app/main_window.h"
#include "res/resource.h"

HINSTANCE instanceHandle;
HICON appIcon;
HBRUSH backgroundBrush;
HFONT uiFont;
HFONT controlFont;
static std::uint32_t fontsDpi; // what the two fonts are made for; 0: none yet

static HFONT MakeLabelFont(std::int32_t height) {
    // Start from the default GUI font so every field we do not set matches the
    // system's own controls.
    LOGFONTA lf;
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfHeight = height;
    lf.lfWeight = 400;
    lf.lfQuality = PROOF_QUALITY;
    lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

// Given none, the standard controls draw with the system font, which is
// right at 100 % and cannot grow (a bitmap font: Wine keeps it at 16 pixels
// whatever the scale). Anywhere else they get the dialogs' face, bold like
// the system font, at the scaled height.
static HFONT MakeControlFont(const MainLayout& layout, std::uint32_t dpi) {
    if (dpi == kBaseDpi && SystemDpi() == kBaseDpi) return nullptr;
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTA lf = metrics.lfMessageFont;
    lf.lfHeight = layout.controlFontHeight;
    lf.lfWidth = 0;
    lf.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&lf);
}

void SetFontsForDpi(std::uint32_t dpi) {
    if (dpi == fontsDpi) return;
    if (uiFont) DeleteObject(uiFont);
    if (controlFont) DeleteObject(controlFont);
    const MainLayout layout = LayoutForDpi(dpi);
    uiFont = MakeLabelFont(layout.labelFontHeight);
    controlFont = MakeControlFont(layout, dpi);
    fontsDpi = dpi;
}

void RegisterMainClass() {
    appIcon = LoadIconA(instanceHandle, MAKEINTRESOURCEA(IDI_APP));
    backgroundBrush = CreateSolidBrush(backgroundColor);
    SetFontsForDpi(SystemDpi());

    WNDCLASSA wc = {};
    wc.style = 0;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instanceHandle;
    wc.hIcon = appIcon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = backgroundBrush;
    wc.lpszClassName = "Tintwell";
    RegisterClassA(&wc);
}

void ReleaseMainClassObjects() {
    if (backgroundBrush) DeleteObject(backgroundBrush);
    if (uiFont) DeleteObject(uiFont);
    if (controlFont) DeleteObject(controlFont);
    if (appIcon) DestroyIcon(appIcon);
    backgroundBrush = nullptr;
    uiFont = nullptr;
    controlFont = nullptr;
    fontsDpi = 0;
    appIcon = nullptr;
}

bool RunningUnderWine() {
    static const bool wine =
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

int StartupShowCommand() {
    STARTUPINFOA si;
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    return (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : SW_SHOWDEFAULT;
}
