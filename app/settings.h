// The settings file: "ZantheTintwell.ini" in the start-up directory, read
// once at start-up and written at exit, or when the session ends.
#pragma once
#include <windows.h>

// Empty when the directory could not be taken: no file is read or written.
extern wchar_t startupDirectory[MAX_PATH];

// Records the directory current at start-up, which load and save both use.
void ReadStartupDirectory();

// load true: read the position, colours, "Auto apply" and the palette;
// load false: write them and the worker's average frame rate.
void LoadOrSaveSettings(bool load);
