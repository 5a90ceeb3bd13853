// The window class both of our controls use, and how a control's window
// finds its record: each control installs its own procedure at creation, so
// the class itself only carries the shared look.
#pragma once
#include <windows.h>

// Registers `name` with CS_SAVEBITS and `style`, DefWindowProcA, the arrow
// cursor and no background brush, for the instance handle known at that
// moment (null during static construction, which the platform takes as the
// program itself).
void RegisterControlClass(const char* name, UINT style = 0);

// Keeps the record in the window's user data, then gives the window its own
// procedure, which reads the record for every message: pointer-sized,
// whatever the build.
template <typename Record> void AttachRecord(HWND window, Record& record, WNDPROC procedure) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&record));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

template <typename Record> Record* RecordOf(HWND window) {
    return reinterpret_cast<Record*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The lParam of a control's notifications: its record's address, by which
// the parent tells controls of one kind apart.
template <typename Record> LPARAM RecordParam(Record& record) {
    return reinterpret_cast<LPARAM>(&record);
}
