// The Copy button's menu: the Current colour as hex, #hex, rgb(), hsl() and
// RGB() text, the chosen one copied to the clipboard.
#pragma once
#include <windows.h>

// The Copy button's procedure: a right click, the context-menu key or
// Shift+F10 opens the menu; everything else goes on to KeyForwardProc.
LRESULT CALLBACK CopyButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
