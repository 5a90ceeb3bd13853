// The screen as the pointer knows it: every monitor together, and the work
// area (the monitor less its taskbar) of the one under a point.
#pragma once
#include <windows.h>
#include "platform/scale.h"
#include <cstddef>

// The virtual screen: every monitor's pixels, right and bottom outside. It
// may begin left of or above the primary monitor.
Rect32 VirtualScreen();

// The monitor under the point, or the nearest one: its whole area, its work
// area and its scale.
struct MonitorAreas {
    Rect32 monitor, work;
    std::uint32_t dpi;
};
MonitorAreas MonitorAt(Point32 p);

// Every monitor's work area, at most `most` of them; gives how many.
std::size_t AllWorkAreas(Rect32* out, std::size_t most);

// A part of the screen, just uncovered, is read only once what lies there
// has painted it again. Where windows are composed, the next composed frame
// shows it; elsewhere (Wine, Windows without composition) each window there
// is made to paint that part, and waited for, one that does not answer not
// longer than half a second. Windows of the calling thread paint at once.
void AwaitScreenRepainted(const Rect32& area);
// The same for one window alone.
void AwaitWindowRepainted(HWND window, const Rect32& area);

// Whether a window's device context shows the screen, other windows over it
// included, rather than the window's own surface: without desktop composition
// (Wine; Windows 7 in its basic look). Windows 8 and later always compose.
bool WindowReadsShowTheScreen();
