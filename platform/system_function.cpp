#include "platform/system_function.h"

void LoadLibrariesFromSystemFolderOnly() {
    using SetDefaultDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultDirectoriesFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryA("");
}

HMODULE SystemLibraryByPath(const char* name) {
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    const int nameLength = lstrlenA(name);
    if (length == 0 || length + 1 + UINT(nameLength) >= MAX_PATH) return nullptr;
    path[length] = '\\';
    lstrcpyA(path + length + 1, name);
    // Its own imports are then looked for beside it, in the system folder,
    // before anywhere else.
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE SystemLibrary(const char* name) {
    // A system that knows LOAD_LIBRARY_SEARCH_SYSTEM32 searches the system
    // folder alone; one that does not refuses the flag, and is given the
    // library's whole path instead.
    if (HMODULE loaded = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return loaded;
    if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
    return SystemLibraryByPath(name);
}
