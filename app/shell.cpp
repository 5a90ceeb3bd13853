#include "app/shell.h"
#include "app/main_messages.h"
#include "app/main_window.h"
#include "res/resource.h"

HINSTANCE instanceHandle;
HICON appIcon;
HBRUSH backgroundBrush;
HFONT uiFont;

static HFONT MakeLabelFont() {
    // Start from the default GUI font so every field we do not set matches the
    // system's own controls.
    LOGFONTA lf;
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfHeight = 14;
    lf.lfWeight = 400;
    lf.lfQuality = PROOF_QUALITY;
    lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

void RegisterMainClass() {
    appIcon = LoadIconA(instanceHandle, MAKEINTRESOURCEA(IDI_APP));
    backgroundBrush = CreateSolidBrush(backgroundColor);
    uiFont = MakeLabelFont();

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
    if (appIcon) DestroyIcon(appIcon);
    backgroundBrush = nullptr;
    uiFont = nullptr;
    appIcon = nullptr;
}

int StartupShowCommand() {
    STARTUPINFOA si;
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    return (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : SW_SHOWDEFAULT;
}
