#include "controls/position_bar.h"
#include "controls/accessible.h"
#include "controls/keyboard_cues.h"
#include "platform/decimal.h"
#include "platform/fonts.h"
#include "platform/instance.h"
#include "controls/control_class.h"
#include "colour/colour_math.h"

namespace {

constexpr const char* kBarClass = "zPositionBar";
constexpr UINT_PTR kTimerUp = 1;   // repeat step +1
constexpr UINT_PTR kTimerDown = 2; // repeat step -1
constexpr UINT kRepeatDelay = 500; // first repeat after a page press
constexpr UINT kRepeatPeriod = 50;
constexpr std::int32_t kKeyPage = 32;

constexpr FontStyle kBarFont{18, FW_BOLD, true}; // the arrows

// Constant-initialised, so valid before the records' own (dynamic)
// construction runs.
std::int32_t barCount = 0;

BarRange RangeOf(const PositionBar& bar) {
    return BarRange{bar.minimum, bar.maximum};
}
std::int32_t TrackWidth(const PositionBar& bar) {
    return bar.track.right - bar.track.left;
}

// GET_X_LPARAM: the low word is signed, negative left of the bar under capture.
std::int32_t PointerX(LPARAM lp) {
    return static_cast<std::int32_t>(static_cast<short>(LOWORD(lp)));
}

void Invalidate(const PositionBar& bar) {
    InvalidateRect(bar.window, nullptr, FALSE);
}

// The one path every input takes: clamp, store, and report only a change.
void SetBarValue(PositionBar& bar, std::int32_t v) {
    const std::int32_t clamped = ClampBarValue(v, RangeOf(bar));
    if (clamped == bar.value) return;
    bar.value = clamped;
    PostMessageA(bar.parent, bar.baseMessage, static_cast<WPARAM>(clamped), RecordParam(bar));
    Invalidate(bar);
    NotifyValueChange(bar.window);
}

std::int32_t ValueAtX(const PositionBar& bar, std::int32_t x) {
    return BarValueFromX(x, bar.track.left, TrackWidth(bar), RangeOf(bar));
}

// The client rectangle less the arrow cells either side.
void SetTrack(PositionBar& bar) {
    GetClientRect(bar.window, &bar.track);
    bar.track.left += bar.metrics.trackInset;
    bar.track.right -= bar.metrics.trackInset;
}

HPEN MakeThumbPen(const PositionBar& bar) {
    return CreatePen(PS_SOLID, bar.metrics.penWidth, InverseColor(bar.colour));
}

void KillRepeat(const PositionBar& bar) {
    KillTimer(bar.window, kTimerDown);
    KillTimer(bar.window, kTimerUp);
}

void SendDragState(PositionBar& bar, WPARAM state) {
    SendMessageA(bar.parent, bar.baseMessage + 1, state, RecordParam(bar));
}

void OnBarPaint(PositionBar& bar) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(bar.window, &ps);
    SetTextColor(dc, 0xFFFFFF);
    SetBkColor(dc, 0);
    HGDIOBJ oldFont = SelectObject(dc, FontForDpi(kBarFont, bar.dpi));
    HGDIOBJ oldPen = SelectObject(dc, bar.pen);

    const BarMetrics& m = bar.metrics;
    const int half = (bar.track.bottom - bar.track.top) / 2;
    const int top = bar.track.top;
    // The arrows' text cells are centred on the bar's middle line.
    TextOutA(dc, m.arrowX, half - m.arrowHalfCell, " < ", 3);
    TextOutA(dc, bar.track.right, half - m.arrowHalfCell, " >", 2);
    FillRect(dc, &bar.track, bar.brush);

    const int x = BarXFromValue(bar.value, bar.track.left, TrackWidth(bar), RangeOf(bar));
    const int y = top + half;
    const int r = m.thumbRadius;
    // Equal start and end points make Arc draw the whole ring.
    Arc(dc, x - r, y - r, x + r, y + r, x, y - r, x, y - r);

    SelectObject(dc, oldPen);
    SelectObject(dc, oldFont);
    DrawFocusCue(bar.window, dc);
    EndPaint(bar.window, &ps);
}

void OnBarCaptureChanged(PositionBar& bar) {
    bar.dragging = 0;
    bar.savedValue = -1;
    KillRepeat(bar);
}

// Esc during a drag: put back the value from before the press.
void EndDragRestoring(PositionBar& bar) {
    // Taken first: the capture loss below clears it.
    const std::int32_t saved = bar.savedValue;
    bar.dragging = 0;
    ReleaseCapture();
    SetBarValue(bar, saved);
    bar.savedValue = -1;
    SendDragState(bar, 0);
}

void OnBarKeyDown(PositionBar& bar, WPARAM key, LPARAM lp) {
    switch (key) {
    case VK_ESCAPE:
        if (bar.dragging && bar.savedValue != -1) EndDragRestoring(bar);
        break;
    case VK_PRIOR: SetBarValue(bar, bar.value + kKeyPage); break;
    case VK_NEXT: SetBarValue(bar, bar.value - kKeyPage); break;
    case VK_END: SetBarValue(bar, bar.maximum); break;
    case VK_HOME: SetBarValue(bar, bar.minimum); break;
    case VK_LEFT: SetBarValue(bar, bar.value - 1); break;
    case VK_RIGHT: SetBarValue(bar, bar.value + 1); break;
    default: break;
    }
    // Every key goes on to the parent, which closes on Esc.
    PostMessageA(bar.parent, WM_KEYDOWN, key, lp);
}

// The repeat steps by one, not by the page step, and keeps firing at a bound.
void OnBarTimer(PositionBar& bar, WPARAM id) {
    if (id == kTimerDown) {
        SetBarValue(bar, bar.value - 1);
        SetTimer(bar.window, kTimerDown, kRepeatPeriod, nullptr);
    } else if (id == kTimerUp) {
        SetBarValue(bar, bar.value + 1);
        SetTimer(bar.window, kTimerUp, kRepeatPeriod, nullptr);
    }
}

void OnBarMouseMove(PositionBar& bar, LPARAM lp) {
    if (bar.dragging) SetBarValue(bar, ValueAtX(bar, PointerX(lp)));
}

void OnBarPress(PositionBar& bar, LPARAM lp) {
    SetFocus(bar.window);
    const std::int32_t x = PointerX(lp);
    if (x < bar.track.left || x > bar.track.right) {
        // Paging takes no capture, so only a release over the bar stops the repeat.
        const std::int32_t step = BarPageStep(TrackWidth(bar), RangeOf(bar));
        if (x < bar.track.left) {
            SetBarValue(bar, bar.value - step);
            SetTimer(bar.window, kTimerDown, kRepeatDelay, nullptr);
        } else {
            SetBarValue(bar, bar.value + step);
            SetTimer(bar.window, kTimerUp, kRepeatDelay, nullptr);
        }
        return;
    }
    bar.dragging = 1;
    // Taking it again, on a press of the other button, makes Wine report a
    // capture change: the drag would end and the bar keep the capture for good.
    if (GetCapture() != bar.window) SetCapture(bar.window);
    bar.savedValue = bar.value;
    // Sent before the value moves: the parent snapshots the pre-press value.
    SendDragState(bar, 1);
    SetBarValue(bar, ValueAtX(bar, x));
}

void OnBarRelease(PositionBar& bar, LPARAM lp) {
    if (!bar.dragging) {
        KillRepeat(bar);
        return;
    }
    bar.dragging = 0;
    ReleaseCapture(); // delivers WM_CAPTURECHANGED now
    SetBarValue(bar, ValueAtX(bar, PointerX(lp)));
    bar.savedValue = -1;
    SendDragState(bar, 0);
}

PositionBar* BarOf(HWND w) {
    return RecordOf<PositionBar>(w);
}

bool BarValueText(HWND w, char (&out)[16]) {
    const PositionBar* bar = BarOf(w);
    if (!bar) return false;
    PutSigned(out, bar->value);
    return true;
}

LRESULT OnBarGetObject(PositionBar& bar, WPARAM wp, LPARAM lp) {
    const AccessibleFacts facts{bar.name,     nullptr, nullptr, ROLE_SYSTEM_SLIDER,
                                BarValueText, 0,       nullptr, true};
    return AnswerGetObject(bar.window, wp, lp, facts);
}

LRESULT CALLBACK BarProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    PositionBar* bar = BarOf(w);
    if (!bar) return DefWindowProcA(w, msg, wp, lp);
    switch (msg) {
    case WM_PAINT: OnBarPaint(*bar); return 0;
    case WM_KEYDOWN: OnBarKeyDown(*bar, wp, lp); break;
    case WM_TIMER: OnBarTimer(*bar, wp); break;
    case WM_MOUSEMOVE: OnBarMouseMove(*bar, lp); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: OnBarPress(*bar, lp); break;
    case WM_LBUTTONUP: OnBarRelease(*bar, lp); break;
    case WM_CAPTURECHANGED: OnBarCaptureChanged(*bar); break;
    case WM_GETOBJECT:
        if (const LRESULT object = OnBarGetObject(*bar, wp, lp)) return object;
        break;
    case WM_DESTROY: DisconnectAccessibleObjects(w); break;
    default: OnFocusCueMessage(w, msg, wp); break;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

} // namespace

PositionBar::PositionBar()
    : pen(nullptr), brush(nullptr), parent(nullptr), window(nullptr), baseMessage(0), track{},
      width(0), height(0), colour(CLR_INVALID), value(0), savedValue(-1), minimum(0), maximum(255),
      dragging(0), metrics(kBarMetrics), dpi(kBaseDpi), name(nullptr) {
    if (barCount == 0) {
        RegisterControlClass(kBarClass);
        AcquireFonts();
        FontForDpi(kBarFont, kBaseDpi);
    }
    ++barCount;
}

PositionBar::~PositionBar() {
    if (--barCount == 0) ReleaseFonts();
    if (brush) DeleteObject(brush);
    if (pen) DeleteObject(pen);
}

bool CreatePositionBar(PositionBar& bar, HWND parent, std::uint32_t baseMessage, const RECT& rect,
                       COLORREF colour) {
    bar.baseMessage = baseMessage;
    bar.parent = parent;
    bar.width = rect.right - rect.left;
    bar.height = rect.bottom - rect.top;
    bar.window = CreateWindowExA(
        WS_EX_CLIENTEDGE, kBarClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP,
        rect.left, rect.top, bar.width, bar.height, parent, nullptr, InstanceHandle(), nullptr);
    if (!bar.window) return false;

    SetTrack(bar);
    AttachRecord(bar.window, bar, BarProc);
    bar.colour = colour;
    bar.brush = CreateSolidBrush(colour);
    bar.pen = MakeThumbPen(bar);
    return true;
}

void SetBarScale(PositionBar& bar, const RECT& rect, std::uint32_t dpi) {
    bar.metrics = BarMetricsForDpi(dpi);
    bar.dpi = dpi;
    bar.width = rect.right - rect.left;
    bar.height = rect.bottom - rect.top;
    if (!bar.window) return;
    MoveWindow(bar.window, rect.left, rect.top, bar.width, bar.height, FALSE);
    SetTrack(bar);
    if (bar.pen) DeleteObject(bar.pen);
    bar.pen = MakeThumbPen(bar);
    Invalidate(bar);
}

void SetBarValueSilently(PositionBar& bar, std::int32_t value) {
    const std::int32_t clamped = ClampBarValue(value, RangeOf(bar));
    const bool changed = clamped != bar.value;
    bar.value = clamped;
    // A null window would make InvalidateRect repaint every window.
    if (!bar.window) return;
    Invalidate(bar);
    if (changed) NotifyValueChange(bar.window);
}
