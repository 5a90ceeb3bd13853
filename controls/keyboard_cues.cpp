#include "controls/keyboard_cues.h"
#include "controls/accessible.h"

namespace {

// -1 until first asked: then the user's choice for always-shown cues.
int shown = -1;

bool AlwaysShown() {
    BOOL always = FALSE;
    return SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &always, 0) && always;
}

} // namespace

bool FocusCuesShown() {
    if (shown < 0) shown = AlwaysShown() ? 1 : 0;
    return shown == 1;
}

void ShowFocusCues(HWND topLevel) {
    shown = 1;
    SendMessageA(topLevel, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (HWND focus = GetFocus()) InvalidateRect(focus, nullptr, FALSE);
}

void OnUpdateUiState(WPARAM wParam) {
    if (!(HIWORD(wParam) & UISF_HIDEFOCUS)) return;
    if (LOWORD(wParam) == UIS_CLEAR) shown = 1;
    if (LOWORD(wParam) == UIS_SET && !AlwaysShown()) shown = 0;
}

void DrawFocusCue(HWND control, HDC dc) {
    if (GetFocus() != control || !FocusCuesShown()) return;
    RECT r;
    GetClientRect(control, &r);
    DrawFocusRect(dc, &r);
}

void OnFocusCueMessage(HWND control, UINT message, WPARAM wParam) {
    switch (message) {
    case WM_SETFOCUS: NotifyFocus(control); break;
    case WM_KILLFOCUS: break;
    case WM_UPDATEUISTATE: OnUpdateUiState(wParam); break;
    default: return;
    }
    InvalidateRect(control, nullptr, FALSE); // its cue, where cues show
}
