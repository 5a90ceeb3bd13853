// A function of a system DLL looked up at run time: for calls that older
// Windows lacks, where the program must still start without them.
#pragma once
#include <windows.h>

// Null when the module is not loaded or does not export the name.
template <typename Fn> Fn SystemFunction(const char* module, const char* name) {
    const HMODULE loaded = GetModuleHandleA(module);
    if (!loaded) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(loaded, name)));
}
