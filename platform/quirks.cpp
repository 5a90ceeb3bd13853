#include "platform/quirks.h"
#include <windows.h>

namespace {

Quirks Detect() {
    const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return wine ? kWineQuirks : kWindowsQuirks;
}

Quirks& Current() {
    static Quirks quirks = Detect();
    return quirks;
}

} // namespace

const Quirks& PlatformQuirks() {
    return Current();
}

void SetPlatformQuirksForTest(const Quirks& quirks) {
    Current() = quirks;
}
