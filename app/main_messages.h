// The main window procedure and the small operations behind its cases.
#pragma once
#include <windows.h>
#include <array>
#include <cstdint>

// Notification bases given to the custom controls; N + 1 reports state.
constexpr UINT kBarMessage = WM_USER + 701;        // 1725, 1726
constexpr UINT kPickColorMessage = WM_USER + 703;  // 1727, 1728
constexpr UINT kPickWindowMessage = WM_USER + 705; // 1729, 1730

extern bool autoApply;      // the "Auto apply" check box
extern COLORREF savedColor; // currentColor when an eyedropper pick began

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void SubclassForKeys(HWND control, WNDPROC procedure);
// Passes Esc and Enter on to the parent, and Tab, which moves the focus.
LRESULT CALLBACK KeyForwardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The edit box's: KeyForwardProc, and the name a screen reader gives it,
// which it has no label to take from.
LRESULT CALLBACK EditBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Every control in the order Tab takes the focus round them; the window
// order of the children, which screen readers and UI Automation walk, is the
// same (CreateMainWindow).
struct TabOrder {
    std::array<HWND, 10> windows;
};
TabOrder ControlsInTabOrder();

// Tab and Shift+Tab: the focus to the next or the previous control, round.
void MoveFocus(bool forward);

void OnMainClose();
// windowX and windowY from the window, unless it is minimised.
void RecordWindowPosition();
void CopyHexToClipboard();
// Our text on the clipboard as CF_TEXT, in place of whatever it held; other
// programs read it as Unicode too, converted by the system.
void CopyTextToClipboard(const char* text);
void ParseHexText();
void OnPaletteLeftClick(LPARAM lParam);
void OnPaletteRightClick(LPARAM lParam);

// Has the recolour target repaint itself in its own colours; with no target
// chosen it touches no window.
void InvalidateTarget();
