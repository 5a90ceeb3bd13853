// The screen's dots per inch as the system reports them, per window where the
// system can tell monitors apart.
#pragma once
#include <windows.h>
#include <cstdint>

// The scale of the primary screen, which stock objects are made for.
std::uint32_t SystemDpi();

// The scale of the monitor a window is on.
std::uint32_t WindowDpi(HWND window);
