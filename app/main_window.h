// The main window: its creation with every child control, its painting and
// the palette's cells.
#pragma once
#include <windows.h>
#include <cstdint>

extern HWND mainWindow;
extern HWND closeButton, copyButton, autoApplyBox, editBox;
extern std::int32_t windowX, windowY; // -1: centre at creation
extern COLORREF backgroundColor;
extern COLORREF customColors[10];
extern const RECT swatchRect;

// Creates the main window and its children and shows it; false only when the
// main window itself could not be made.
bool CreateMainWindow(int showCommand);

void PaintMainWindow();

// Repaints one palette cell at once, outside WM_PAINT.
void PaintPaletteCell(int index);
