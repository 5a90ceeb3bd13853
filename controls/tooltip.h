// Tooltips of our controls: one tooltip window of the system's common
// controls for the program, the library loaded at the first from the system
// folder. Where it cannot be had, no tooltips, and nothing else changes.
#pragma once
#include <windows.h>

// Shows `text` over `control` while the pointer rests on it; set again, the
// text changes. Long texts wrap.
void SetToolTip(HWND control, const char* text);

// Off while a pick runs, so that nothing pops up over what the user picks.
void ShowToolTips(bool on);
