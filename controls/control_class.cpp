#include "controls/control_class.h"
#include "platform/instance.h"

void RegisterControlClass(const char* name) {
    WNDCLASSA wc{};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = InstanceHandle();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}
