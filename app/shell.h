// Process-wide objects made at start-up and released at shutdown.
#pragma once
#include <windows.h>
#include <cstdint>

extern HINSTANCE instanceHandle;
extern HICON appIcon;
extern HBRUSH backgroundBrush; // class background; also handed out for control colouring
extern HFONT uiFont;           // the painted labels of the main window
// The standard controls' text on a scaled screen; null at 100 %, where they
// keep the system's font.
extern HFONT controlFont;

// Makes the icon, the background brush and the label font, then registers
// the main window class.
void RegisterMainClass();

// Makes the label font and the controls' font for a screen of `dpi` dots per
// inch, replacing those made for another.
void SetFontsForDpi(std::uint32_t dpi);

// Releases what RegisterMainClass made.
void ReleaseMainClassObjects();

// Whether the system is Wine, for the workarounds that Windows must not pay
// for: Wine's ntdll exports wine_get_version, Windows' does not.
bool RunningUnderWine();

// The show command from the start-up information: wShowWindow when
// STARTF_USESHOWWINDOW is set, SW_SHOWDEFAULT otherwise.
int StartupShowCommand();
