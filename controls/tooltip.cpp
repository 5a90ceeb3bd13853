#include "controls/tooltip.h"
#include "platform/dpi.h"
#include "platform/instance.h"
#include "platform/system_function.h"

#include <commctrl.h>

namespace {

constexpr int kWrapWidth = 320; // pixels at 100 %, before the text wraps

HWND tips = nullptr;

bool MakeTips(HWND owner) {
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const auto init = SystemFunction<InitFn>("comctl32.dll", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    if (!init || !init(&classes)) return false;
    tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, InstanceHandle(), nullptr);
    if (!tips) return false;
    SendMessageA(tips, TTM_SETMAXTIPWIDTH, 0, ScaleForDpi(kWrapWidth, DpiOfWindow(owner)));
    return true;
}

// The control as its own tool, its text copied by the tooltip window; the
// tooltip window watches the pointer over it itself.
TOOLINFOA ToolOf(HWND control, const char* text) {
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE; // the classic controls' size: no newer library needed
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetAncestor(control, GA_ROOT);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text);
    return tool;
}

} // namespace

void SetToolTip(HWND control, const char* text) {
    if (!tips && !MakeTips(GetAncestor(control, GA_ROOT))) return;
    TOOLINFOA known = ToolOf(control, nullptr);
    TOOLINFOA tool = ToolOf(control, text);
    const bool added = SendMessageA(tips, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&known));
    SendMessageA(tips, added ? TTM_UPDATETIPTEXTA : TTM_ADDTOOLA, 0,
                 reinterpret_cast<LPARAM>(&tool));
}

void ShowToolTips(bool on) {
    if (tips) SendMessageA(tips, TTM_ACTIVATE, on, 0);
}
