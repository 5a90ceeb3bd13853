#include "controls/control_class.h"
#include "platform/instance.h"

void RegisterControlClass(const char* name, UINT style) {
    WNDCLASSA wc{};
    wc.style = CS_SAVEBITS | style;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = InstanceHandle();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}
