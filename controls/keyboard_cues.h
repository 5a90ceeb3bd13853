// Whether our controls show the keyboard focus: not until the user moves it
// with the keyboard, so a mouse user sees exactly what the control draws
// without it, unless the user has asked Windows to show keyboard cues always.
// Windows keeps this state per window and tells the controls through
// WM_UPDATEUISTATE; Wine keeps none (WM_QUERYUISTATE answers 0 and
// WM_CHANGEUISTATE changes nothing), so it is kept here, for all our controls.
#pragma once
#include <windows.h>

bool FocusCuesShown();

// The keyboard has moved the focus in `topLevel`: its standard controls are
// told to show their cues, and ours show theirs.
void ShowFocusCues(HWND topLevel);

// A control's WM_UPDATEUISTATE: Windows showing or hiding the cues.
void OnUpdateUiState(WPARAM wParam);

// What our controls draw over themselves when they have the focus and the
// cues show: the system's focus rectangle inside the client area.
void DrawFocusCue(HWND control, HDC dc);

// WM_SETFOCUS, WM_KILLFOCUS and WM_UPDATEUISTATE to one of our controls: a
// screen reader hears of the focus taken, and the cue is drawn or taken away.
// Other messages are left alone; all go on to the default processing.
void OnFocusCueMessage(HWND control, UINT message, WPARAM wParam);
