// The key that starts a pick of a colour from anywhere (Win+Shift+C unless
// the settings file says otherwise), registered with the system at start,
// and what the Pick color eyedropper says of it.
#pragma once
#include <windows.h>

// The setting's text as the file had it ("Pick hotkey"), written back as it
// was; the default where the file had none, and then none is written.
extern wchar_t pickHotkeyText[64];
extern bool pickHotkeyInFile;

// Registers the key for the main window, unless the text says "none" or
// cannot be read; another program may hold it already. Then gives the
// eyedropper its description and tooltip, which end with what became of it.
void RegisterPickHotkey();
void UnregisterPickHotkey();

// How an eyedropper is used, as both say it to screen readers.
const char* EyedropperHelp();

// WM_HOTKEY to the main window: the key starts a pick from anywhere, unless
// a pick runs.
void OnPickHotkey(WPARAM id);
