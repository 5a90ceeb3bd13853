// The screen's dots per inch as the system reports them, per window where the
// system can tell monitors apart, and the frame a window has at a scale.
#pragma once
#include <windows.h>
#include "platform/scale.h"
#include <cstdint>

// The scale of the primary screen, which stock objects are made for.
std::uint32_t SystemDpi();

// The scale of the monitor a window is on.
std::uint32_t DpiOfWindow(HWND window);

// The scale of a monitor: its own where the system gives each monitor one
// (Windows 8.1 and later), else the system's.
std::uint32_t DpiOfMonitor(HMONITOR monitor);

// How much wider and taller than its client area a window of these styles is
// at `dpi`. False where the system can only tell it for its own scale
// (before Windows 10 1607).
bool FrameForDpi(DWORD style, DWORD exStyle, std::uint32_t dpi, Size32* frame);

// For per-monitor v1 systems (Windows 10 1607), where a window's title bar and
// frame follow its monitor's scale only when asked, in WM_NCCREATE; elsewhere
// nothing.
void EnableFrameScaling(HWND window);
