#include "recolour/target_pick.h"
#include "app/main_messages.h"
#include "app/main_window.h"
#include "app/records.h"
#include "colour/colour_state.h"
#include "controls/loupe.h"
#include "controls/pick_nudge.h"
#include "recolour/worker.h"

static bool FromPickWindow(LPARAM lParam) {
    return lParam == reinterpret_cast<LPARAM>(&pickWindowControl);
}

// A report still queued when the pick ended is dropped: the end has put the
// colour from before the pick back.
void OnPickWindowHover(WPARAM wParam, LPARAM lParam) {
    if (!FromPickWindow(lParam) || !pickWindowControl.capturing) return;
    // A preview: the text and the bars keep the colour from before the pick,
    // and the worker is not woken.
    currentColor.store(ColorRef(wParam));
    const RECT swatch = SwatchRect();
    InvalidateRect(mainWindow, &swatch, FALSE);
}

static void ChooseTargetUnderCursor() {
    POINT p;
    // Where the pick is, nudged by keys or not; no position, no new target.
    if (!PickPoint(pickWindowControl, &p)) return;
    HWND window = WindowFromPoint(p);
    if (window == pickWindowControl.window) return; // keep the previous target
    AwaitRepaintUnderLoupe(window);
    ScreenToClient(window, &p);
    EnterCriticalSection(&engineLock);
    CaptureTarget(recolourEngine, window, nullptr, &p);
    // The colour hovered last, whether or not the capture succeeded, also
    // when its report is still queued.
    const COLORREF hovered = pickWindowControl.reported;
    recolourEngine.colorToReplace =
        PackedFromColorRef(hovered != CLR_INVALID ? hovered : currentColor.load());
    LeaveCriticalSection(&engineLock);
}

void OnPickWindowState(WPARAM wParam, LPARAM lParam) {
    if (!FromPickWindow(lParam)) return;
    const auto state = std::int32_t(wParam);
    if (state == 1) {
        savedColor = currentColor.load();
        return;
    }
    if (state == 0) ChooseTargetUnderCursor();
    currentColor.store(savedColor);
    if (autoApply) WakeWorker();
    const RECT swatch = SwatchRect();
    InvalidateRect(mainWindow, &swatch, TRUE);
}
