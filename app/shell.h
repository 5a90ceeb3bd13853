// Process-wide objects made at start-up and released at shutdown.
#pragma once
#include <windows.h>
#include <cstdint>

extern HICON appIcon;
extern HBRUSH backgroundBrush; // class background; also handed out for control colouring
extern HFONT uiFont;           // the painted labels of the main window
// The standard controls' text on a scaled screen; null at 100 %, where they
// keep the system's font.
extern HFONT controlFont;

// Makes the icon, the background brush and the label font, then registers
// the main window class.
void RegisterMainClass();

// Points uiFont and controlFont at the fonts for a screen of `dpi` dots per
// inch, made if need be. The ones for the old scale stay until the window's
// controls have the new ones (KeepOnlyFontsForDpi).
void SetFontsForDpi(std::uint32_t dpi);

// Releases what RegisterMainClass made.
void ReleaseMainClassObjects();

// The show command from the start-up information: wShowWindow when
// STARTF_USESHOWWINDOW is set, SW_SHOWDEFAULT otherwise.
int StartupShowCommand();
