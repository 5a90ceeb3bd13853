// The loupe: a small window beside the pointer while an eyedropper picks,
// showing the screen pixels around the pointer magnified, one block each, the
// middle one framed, with its hex digits and the pointer's position. It is
// drawn at the scale of the monitor under the pointer and keeps clear of the
// pointer at the pointer's real size. It never takes the focus, the
// activation or the mouse. Both eyedroppers share it and its zoom, which lasts
// for the session and is never saved.
#pragma once
#include <windows.h>
#include <cstdint>

struct PickControl;

// The square of screen pixels it shows at its present zoom: odd, the
// pointer's pixel in the middle.
std::int32_t LoupeSampleCount();

// Shows it beside `pointer`, or moves it there, drawn at once from the
// eyedropper's last picture.
void ShowLoupe(const PickControl& pick, POINT pointer);
void HideLoupe();

// Larger blocks for positive steps, smaller for negative; false when the zoom
// is already at that end.
bool ZoomLoupe(int steps);

// Where windows are read from the screen, not from their own surfaces (Wine,
// and Windows without desktop composition), a window the loupe covered shows
// it until it has painted that part again. Has `window` do so, and waits,
// before it is read; a window that does not answer is not waited for.
void AwaitRepaintUnderLoupe(HWND window);

// For a read of the whole screen that must not show the loupe: where the
// system does not leave it out of every read (before Windows 10 2004, and
// under Wine), hides it, and waits until what it covered is drawn again;
// true when it hid it, to be shown again after the read.
bool HideLoupeForScreenRead();
void ShowLoupeAfterScreenRead();
