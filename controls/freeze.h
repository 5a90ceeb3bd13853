// A frozen screen: one picture of every monitor, taken when the user presses
// F during a pick of a colour, shown over everything else until the pick
// ends or F comes again, and read by the pick instead of the live screen, so
// that what moves or vanishes can still be picked. Tintwell's own window and
// the loupe stay live above it. The picture takes no focus, activation or
// capture and is in no taskbar or Alt+Tab list; its memory is freed when it
// goes. One picture a freeze, at the screen's own depth read as 32 bits a
// pixel, exactly as a live read would have it.
#pragma once
#include <windows.h>
#include "platform/scale.h"
#include <cstdint>

// Takes the picture and shows it just under `mainWindow`. Where the system
// cannot leave the loupe out of a screen read (before Windows 10 2004, and
// under Wine) the loupe is hidden for the read. False where the picture
// cannot be had; nothing is shown then.
bool FreezeScreen(HWND mainWindow);

// The picture goes, and its memory. Before `thenRead` is read from the live
// screen, what the picture covered there is drawn again.
void ThawScreen();
void ThawScreenAndAwait(const Rect32& thenRead);

bool ScreenFrozen();

// The square of `count` screen pixels around `p`, from the picture, into
// `out` (rows `outStride` pixels apart); false while nothing is frozen.
bool ReadFrozenSquare(POINT p, std::int32_t count, std::uint32_t* out, std::int32_t outStride);
