// Whether our controls show the keyboard focus: not until the user moves it
// with the keyboard, so a mouse user sees exactly what the control draws
// without it, unless the user has asked Windows to show keyboard cues always.
// Windows keeps this state per window: a top-level window starts from its
// last input, WM_CHANGEUISTATE changes it, and every child, ours and the
// standard controls, hears of it by WM_UPDATEUISTATE and asks it with
// WM_QUERYUISTATE. Where the system keeps none (Wine, platform/quirks.h),
// one state for the process is kept here.
#pragma once
#include <windows.h>

bool FocusCuesShown(HWND control);

// At start: the top-level window's cues as its last input and the user's
// choice have them.
void InitializeFocusCues(HWND topLevel);

// The keyboard has moved the focus in `topLevel`: its cues show.
void ShowFocusCues(HWND topLevel);

// WM_SETTINGCHANGE: the user may have asked for cues always, or no more.
void OnFocusCueSettingChange(HWND topLevel);

// What our controls draw over themselves when they have the focus and the
// cues show: the system's focus rectangle inside the client area.
void DrawFocusCue(HWND control, HDC dc);

// WM_SETFOCUS, WM_KILLFOCUS and WM_UPDATEUISTATE to one of our controls: the
// cue is drawn or taken away. Other messages are left alone; all go on to
// the default processing, which keeps the window's state.
void OnFocusCueMessage(HWND control, UINT message, WPARAM wParam);
