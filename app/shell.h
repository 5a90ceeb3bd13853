// Process-wide objects made at start-up and released at shutdown.
#pragma once
#include <windows.h>

extern HINSTANCE instanceHandle;
extern HICON appIcon;
extern HBRUSH backgroundBrush; // class background; also handed out for control colouring
extern HFONT uiFont;           // the painted labels of the main window

// Makes the icon, the background brush and the label font, then registers
// the main window class.
void RegisterMainClass();

// Releases what RegisterMainClass made.
void ReleaseMainClassObjects();

// The show command from the start-up information: wShowWindow when
// STARTF_USESHOWWINDOW is set, SW_SHOWDEFAULT otherwise.
int StartupShowCommand();
