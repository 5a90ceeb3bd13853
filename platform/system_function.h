// A function of a system DLL looked up at run time: for calls that older
// Windows lacks, where the program must still start without them.
#pragma once
#include <windows.h>

// The module is loaded if it is not yet, and kept; null where it cannot be,
// or does not export the name.
template <typename Fn> Fn SystemFunction(const char* module, const char* name) {
    HMODULE loaded = GetModuleHandleA(module);
    if (!loaded) loaded = LoadLibraryA(module);
    if (!loaded) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(loaded, name)));
}

// The system's build number (19041 is Windows 10 2004), 0 where it cannot be
// read. From ntdll, which tells the truth where GetVersionEx answers with the
// version a program was made for.
inline unsigned long WindowsBuild() {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    static const auto getVersion = SystemFunction<RtlGetVersionFn>("ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    return getVersion && getVersion(&version) == 0 ? version.dwBuildNumber : 0;
}
