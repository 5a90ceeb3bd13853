// Functions of system DLLs looked up at run time: for calls that older
// Windows lacks, where the program must still start without them, and for
// libraries loaded only when needed. Every such library comes from the
// system folder, never from the program's own: people run a portable program
// from their Downloads folder, where anything may lie beside it.
#pragma once
#include <windows.h>

// At start: every library the process loads from then on without a full
// path, ours or one a system DLL loads for itself, comes from the system
// folder only, where the system can be told so (Windows 8, and 7 with its
// 2011 loader update). Where it cannot, the current directory at least
// leaves the search.
void LoadLibrariesFromSystemFolderOnly();

// A system DLL by its name, from the system folder only, loaded if it is not
// yet and kept; null where it cannot be.
HMODULE SystemLibrary(const char* name);
// The same by the library's whole path in the system folder: what a system
// without the search flag is given.
HMODULE SystemLibraryByPath(const char* name);

// Null where the library cannot be loaded or does not export the name.
template <typename Fn> Fn SystemFunction(const char* module, const char* name) {
    const HMODULE loaded = SystemLibrary(module);
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
