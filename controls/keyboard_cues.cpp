#include "controls/keyboard_cues.h"
#include "platform/quirks.h"

namespace {

// Where the system keeps no state: -1 until first asked, then whether the
// cues show, for every control of the process.
int shown = -1;

bool AlwaysShown() {
    BOOL always = FALSE;
    return SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &always, 0) && always;
}

void ChangeState(HWND topLevel, WORD action) {
    SendMessageA(topLevel, WM_CHANGEUISTATE, MAKEWPARAM(action, UISF_HIDEFOCUS | UISF_HIDEACCEL),
                 0);
}

void RepaintFocused() {
    if (HWND focus = GetFocus()) InvalidateRect(focus, nullptr, FALSE);
}

} // namespace

bool FocusCuesShown(HWND control) {
    if (!PlatformQuirks().ownCueState)
        return (SendMessageA(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
    if (shown < 0) shown = AlwaysShown() ? 1 : 0;
    return shown == 1;
}

void InitializeFocusCues(HWND topLevel) {
    ChangeState(topLevel, UIS_INITIALIZE);
}

void ShowFocusCues(HWND topLevel) {
    if (PlatformQuirks().ownCueState) shown = 1;
    ChangeState(topLevel, UIS_CLEAR);
    RepaintFocused();
}

void OnFocusCueSettingChange(HWND topLevel) {
    const bool always = AlwaysShown();
    if (PlatformQuirks().ownCueState && always) shown = 1;
    ChangeState(topLevel, always ? UIS_CLEAR : UIS_INITIALIZE);
    RepaintFocused();
}

void DrawFocusCue(HWND control, HDC dc) {
    if (GetFocus() != control || !FocusCuesShown(control)) return;
    RECT r;
    GetClientRect(control, &r);
    DrawFocusRect(dc, &r);
}

void OnFocusCueMessage(HWND control, UINT message, WPARAM wParam) {
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: break;
    case WM_UPDATEUISTATE:
        if (PlatformQuirks().ownCueState && (HIWORD(wParam) & UISF_HIDEFOCUS)) {
            if (LOWORD(wParam) == UIS_CLEAR) shown = 1;
            if (LOWORD(wParam) == UIS_SET && !AlwaysShown()) shown = 0;
        }
        break;
    default: return;
    }
    InvalidateRect(control, nullptr, FALSE); // its cue, where cues show
}
