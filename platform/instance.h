// The program's module, which window classes and resources are registered
// and loaded with. Null until the entry point sets it; a class registered
// before then (during static construction) gets null, which the system takes
// as the program's own module.
#pragma once
#include <windows.h>

void SetInstanceHandle(HINSTANCE instance);
HINSTANCE InstanceHandle();
