// The pick-window eyedropper's reports: hovering previews the colour under
// the pointer in the swatch; releasing chooses the window under it as the
// recolour target and that colour as the one to replace.
#pragma once
#include <windows.h>

void OnPickWindowHover(WPARAM wParam, LPARAM lParam);
void OnPickWindowState(WPARAM wParam, LPARAM lParam);
