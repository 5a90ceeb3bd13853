#include "app/main_messages.h"
#include "app/layout.h"
#include "app/main_window.h"
#include "app/pick_hotkey.h"
#include "app/recent_menu.h"
#include "app/records.h"
#include "app/settings.h"
#include "app/shell.h"
#include "colour/brightness.h"
#include "colour/colour_state.h"
#include "colour/hex_text.h"
#include "controls/accessible.h"
#include "controls/keyboard_cues.h"
#include "platform/dpi.h"
#include "recolour/target_pick.h"
#include "recolour/worker.h"

bool autoApply = true;
COLORREF savedColor = kNoColor;

void InvalidateTarget() {
    // A null window would repaint every window on the desktop, and wait for
    // each to answer.
    if (recolourEngine.targetWindow) InvalidateRect(recolourEngine.targetWindow, nullptr, TRUE);
}

static void OnAutoApplyClicked() {
    autoApply = SendMessageA(autoApplyBox, BM_GETCHECK, 0, 0) != 0;
    if (autoApply)
        WakeWorker(); // repaint the target with the Current colour at once
    else
        InvalidateTarget();
}

static void OnCommand(WPARAM wParam, LPARAM lParam) {
    const HWND sender = reinterpret_cast<HWND>(lParam);
    if (sender == nullptr) return;
    if (sender == autoApplyBox) {
        OnAutoApplyClicked();
    } else if (sender == closeButton) {
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    } else if (sender == copyButton) {
        CopyHexToClipboard();
    } else if (sender == editBox && HIWORD(wParam) == EN_CHANGE) {
        ParseHexText();
        RefreshColorViews(true);
    }
}

static void OnKeyDown(WPARAM key) {
    if (key == VK_ESCAPE) PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    if (key == VK_TAB) MoveFocus(GetKeyState(VK_SHIFT) >= 0);
}

TabOrder ControlsInTabOrder() {
    return TabOrder{{editBox, copyButton, redBar.window, greenBar.window, blueBar.window,
                     brightnessBar.window, autoApplyBox, closeButton, pickColorControl.window,
                     pickWindowControl.window}};
}

void MoveFocus(bool forward) {
    const TabOrder order = ControlsInTabOrder();
    const int count = int(order.windows.size());
    const HWND focus = GetFocus();
    int at = forward ? -1 : 0; // from elsewhere: the first, or the last
    for (int i = 0; i < count; ++i)
        if (order.windows[std::size_t(i)] == focus) at = i;
    SetFocus(order.windows[std::size_t((at + (forward ? 1 : count - 1)) % count)]);
    ShowFocusCues(mainWindow);
}

// Another program became active: a pick from the keyboard, which needs the
// keyboard, ends as Esc ends it.
static void OnActivateApp(bool active) {
    if (active) return;
    CancelKeyboardPick(pickColorControl);
    CancelKeyboardPick(pickWindowControl);
}

static LRESULT OnControlColor(HDC dc) {
    SetTextColor(dc, InverseColor(backgroundColor));
    SetBkColor(dc, backgroundColor);
    return reinterpret_cast<LRESULT>(backgroundBrush);
}

// A report still queued when the pick ended is dropped: the end, sent and so
// handled first, has decided the colour already.
static void OnPickColorReport(WPARAM wParam, LPARAM lParam) {
    if (lParam != reinterpret_cast<LPARAM>(&pickColorControl)) return;
    if (!pickColorControl.capturing) return;
    SetColorComponent(ComponentWhole, std::int32_t(wParam), true, true);
    RefreshColorViews(false);
}

// The pick's end, which takes the colour it reported last, if it reported
// any, also when that report is still queued; one from anywhere puts its six
// digits on the clipboard too, as Copy would, ready to paste where the user is.
static void OnPickColorTaken() {
    const COLORREF taken = pickColorControl.reported;
    if (taken == CLR_INVALID) return;
    if (taken != currentColor.load()) {
        SetColorComponent(ComponentWhole, std::int32_t(taken), true, true);
        RefreshColorViews(false);
    }
    TakeColor(taken);
    if (!pickColorControl.anywhere) return;
    char text[16];
    FormatHexText(PackedFromColorRef(taken), text);
    CopyTextToClipboard(text);
}

static void OnPickColorState(WPARAM wParam, LPARAM lParam) {
    if (lParam != reinterpret_cast<LPARAM>(&pickColorControl)) return;
    const auto state = std::int32_t(wParam);
    if (state == 1) {
        savedColor = currentColor.load();
    } else if (state == 0) {
        OnPickColorTaken();
    } else if (state == -1) {
        SetColorComponent(ComponentWhole, std::int32_t(savedColor), true, true);
        RefreshColorViews(false);
        if (autoApply) WakeWorker(); // a worker already woken renders once more
    }
}

// At a sign-out or shutdown the system ends the process as soon as
// WM_ENDSESSION returns, and the message loop never ends: do here what the
// exit does up to its save. The Restart Manager (installers, updates) instead
// waits for the program to close itself, so then close as a user would.
static void OnEndSession(LPARAM reason) {
    EndWorker();
    RecordWindowPosition();
    LoadOrSaveSettings(false);
    if (reason & ENDSESSION_CLOSEAPP) PostMessageA(mainWindow, WM_CLOSE, 0, 0);
}

static LRESULT OnGetDpiScaledSize(WPARAM dpi, LPARAM lParam) {
    const Size32 size = MainWindowSize(std::uint32_t(dpi));
    auto* out = reinterpret_cast<SIZE*>(lParam);
    out->cx = size.width;
    out->cy = size.height;
    return TRUE;
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: PaintMainWindow(); return 0;
    case WM_CLOSE:
        OnMainClose();
        PostQuitMessage(0);
        break;
    case WM_DESTROY:
        UnregisterPickHotkey();
        PostQuitMessage(0);
        break;
    case WM_HOTKEY: OnPickHotkey(wParam); return 0;
    case WM_CONTEXTMENU:
        if (OnSwatchContextMenu(lParam)) return 0;
        break;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
        if (wParam) OnEndSession(lParam); // FALSE: the session goes on after all
        return 0;
    case WM_NCCREATE: EnableFrameScaling(window); break;
    case WM_ACTIVATEAPP: OnActivateApp(wParam != FALSE); break;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETKEYBOARDCUES) OnFocusCueSettingChange(window);
        break;
    case WM_KEYDOWN: OnKeyDown(wParam); break;
    case WM_COMMAND: OnCommand(wParam, lParam); break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: return OnControlColor(reinterpret_cast<HDC>(wParam));
    case WM_LBUTTONDOWN: OnPaletteLeftClick(lParam); break;
    case WM_RBUTTONDOWN: OnPaletteRightClick(lParam); break;
    case kBarMessage: OnBarValueChanged(std::int32_t(wParam), lParam); break;
    case kBarMessage + 1: OnBarDragState(std::int32_t(wParam), lParam); break;
    case kPickColorMessage: OnPickColorReport(wParam, lParam); break;
    case kPickColorMessage + 1: OnPickColorState(wParam, lParam); break;
    case kPickWindowMessage: OnPickWindowHover(wParam, lParam); break;
    case kPickWindowMessage + 1: OnPickWindowState(wParam, lParam); break;
    case WM_GETDPISCALEDSIZE: return OnGetDpiScaledSize(wParam, lParam);
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void OnMainClose() {
    InvalidateTarget();
    RecordWindowPosition();
}

void RecordWindowPosition() {
    // A window closed while minimised keeps the position it was created at.
    if (!IsIconic(mainWindow)) {
        RECT r;
        GetWindowRect(mainWindow, &r);
        windowX = r.left;
        windowY = r.top;
    }
}

// Another program may hold the clipboard open; give it a moment, a few times,
// rather than freezing the window for as long as it keeps it.
static bool OpenClipboardPatiently() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(mainWindow)) return true;
        Sleep(10);
    }
    return false;
}

void CopyHexToClipboard() {
    char text[7]; // the first six characters
    text[0] = '\0';
    SendMessageA(editBox, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    CopyTextToClipboard(text);
    TakeColor(currentColor.load());
}

void CopyTextToClipboard(const char* text) {
    const SIZE_T size = SIZE_T(lstrlenA(text)) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (!memory) return;
    char* copy = static_cast<char*>(GlobalLock(memory));
    if (!copy) {
        GlobalFree(memory);
        return;
    }
    CopyMemory(copy, text, size);
    GlobalUnlock(memory);

    if (!OpenClipboardPatiently()) {
        GlobalFree(memory);
        return;
    }
    // Emptying drops another program's Unicode text, which would otherwise be
    // pasted in place of ours.
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    CloseClipboard();
}

void ParseHexText() {
    if (hexTextSetByProgram) {
        hexTextSetByProgram = false; // our own WM_SETTEXT, not input
        return;
    }
    char text[31];
    text[0] = '\0';
    SendMessageA(editBox, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    Packed typed;
    if (!ParseTypedHex(text, &typed)) return;
    SetColorComponent(ComponentWhole, std::int32_t(ColorRefFromPacked(typed)), true, true);
}

static int PaletteCellAt(LPARAM lParam) {
    return PaletteHitTest(mainLayout, std::int32_t(LOWORD(lParam)), std::int32_t(HIWORD(lParam)));
}

void OnPaletteLeftClick(LPARAM lParam) {
    const int i = PaletteCellAt(lParam);
    if (i < 0) return;
    SetColorComponent(ComponentWhole, std::int32_t(customColors[i]), true, true);
    RefreshColorViews(false);
}

void OnPaletteRightClick(LPARAM lParam) {
    const int i = PaletteCellAt(lParam);
    if (i < 0) return;
    customColors[i] = currentColor.load();
    PaintPaletteCell(i);
}

void SubclassForKeys(HWND control, WNDPROC procedure) {
    SetWindowLongPtrA(control, GWLP_USERDATA, GetWindowLongPtrA(control, GWLP_WNDPROC));
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

LRESULT CALLBACK KeyForwardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && (wParam == VK_ESCAPE || wParam == VK_RETURN || wParam == VK_TAB))
        PostMessageA(GetParent(window), WM_KEYDOWN, wParam, reinterpret_cast<LPARAM>(window));
    // Tab is the main window's: the control neither moves nor types for it.
    if ((message == WM_KEYDOWN && wParam == VK_TAB) || (message == WM_CHAR && wParam == '\t'))
        return 0;
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

// The edit box has no label to take its name from. Named by the system's
// Dynamic Annotation at the first request, it is the system's own object;
// where that is not done (Wine), it answers with ours, which says the name.
static LRESULT OnEditBoxGetObject(HWND window, WPARAM wParam, LPARAM lParam) {
    static enum { Unknown, Annotated, Wrapped } naming = Unknown;
    if (naming == Unknown && static_cast<LONG>(lParam) == OBJID_CLIENT)
        naming = AnnotateName(window, L"Hex color") ? Annotated : Wrapped;
    if (naming != Wrapped) return 0;
    const AccessibleFacts facts{"Hex color", nullptr, nullptr, 0, nullptr, 0, nullptr, false};
    return AnswerGetObject(window, wParam, lParam, facts);
}

LRESULT CALLBACK EditBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (OnEditBoxMenuKey(window, message, wParam)) return 0;
    if (message == WM_GETOBJECT) {
        if (const LRESULT object = OnEditBoxGetObject(window, wParam, lParam)) return object;
    }
    if (message == WM_DESTROY) DisconnectAccessibleObjects(window);
    return KeyForwardProc(window, message, wParam, lParam);
}
