// The main window: its creation with every child control, its layout at the
// screen's scale, its painting and the palette's cells.
#pragma once
#include <windows.h>
#include "app/layout.h"
#include "platform/scale.h"
#include <cstdint>

extern HWND mainWindow;
extern HWND closeButton, copyButton, autoApplyBox, editBox;
extern std::int32_t windowX, windowY; // -1: centre at creation
extern COLORREF backgroundColor;
extern COLORREF customColors[10];
extern std::uint32_t windowDpi; // the scale of the monitor the window is on
extern MainLayout mainLayout;   // the layout at that scale

// Where the Current colour is shown, in client coordinates.
RECT SwatchRect();

// Creates the main window and its children and shows it; false only when the
// main window itself could not be made.
bool CreateMainWindow(int showCommand);

// The outer size at a scale: the 100 % client area scaled, with the frame the
// system gives the window there. What WM_GETDPISCALEDSIZE answers.
Size32 MainWindowSize(std::uint32_t dpi);

// The window moved to a monitor of another scale: it takes the suggested
// place at its own size, lays out, hands its children the new fonts and
// repaints everything.
void OnDpiChanged(std::uint32_t dpi, const RECT& suggested);

void PaintMainWindow();

// Repaints one palette cell at once, outside WM_PAINT.
void PaintPaletteCell(int index);
