// The window class both of our controls use: each control installs its own
// procedure at creation, so the class itself only carries the shared look.
#pragma once

// Registers `name` with CS_SAVEBITS, DefWindowProcA, the arrow cursor and no
// background brush, for the instance handle known at that moment (null during
// static construction, which the platform takes as the program itself).
void RegisterControlClass(const char* name);
