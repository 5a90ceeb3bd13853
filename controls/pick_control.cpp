#include "controls/pick_control.h"
#include "platform/scale.h"
#include "platform/instance.h"
#include "controls/control_class.h"
#include "colour/colour_math.h"

#include <cstring>

namespace {

constexpr const char* kPickClass = "zPickColor";
constexpr int kSampleSize = 5; // pixels each way; the pointer's pixel is the middle one
constexpr int kSampleMiddle = kSampleSize / 2;
constexpr int kCursorImage = 32; // the cross-hair image drawn in the box, at 100 %
constexpr WPARAM kPickBegin = 1;
constexpr WPARAM kPickCommit = 0;
constexpr WPARAM kPickCancel = static_cast<WPARAM>(-1);

std::int32_t pickCount = 0; // constant-initialised, valid before the records

LPARAM RecordParam(PickControl& pick) {
    return reinterpret_cast<LPARAM>(&pick);
}

void SendPickState(PickControl& pick, WPARAM state) {
    SendMessageA(pick.parent, pick.baseMessage + 1, state, RecordParam(pick));
}

void MakeSampleBitmap(PickControl& pick, HDC source) {
    pick.sampleBitmap = CreateCompatibleBitmap(source, kSampleSize, kSampleSize);
    BITMAP bm;
    std::memset(&bm, 0, sizeof bm);
    GetObjectA(pick.sampleBitmap, sizeof bm, &bm);
    pick.bitsPerPixel = bm.bmBitsPixel;

    std::memset(&pick.sampleInfo, 0, sizeof pick.sampleInfo);
    BITMAPINFOHEADER& h = pick.sampleInfo.bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = kSampleSize;
    h.biHeight = kSampleSize; // bottom-up
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(pick.bitsPerPixel);
    h.biCompression = BI_RGB;
}

// Copies the 5x5 block around p into the sample and returns the colour under
// p, or CLR_INVALID where none can be read.
COLORREF ReadSample(PickControl& pick, HDC source, POINT p) {
    // Made once: the screen's depth at the first sample is kept from then on.
    if (!pick.sampleBitmap) MakeSampleBitmap(pick, source);

    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ old = SelectObject(memory, pick.sampleBitmap);
    BitBlt(memory, 0, 0, kSampleSize, kSampleSize, source, p.x - kSampleMiddle, p.y - kSampleMiddle,
           SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);

    if (pick.bitsPerPixel < 16) return CLR_INVALID;
    if (pick.bitsPerPixel == 16) {
        // A 16-bit BI_RGB request always yields 5-5-5, whatever the display's
        // own layout. Five 2-byte pixels, padded to a 4-byte multiple.
        std::uint8_t row[16]; // one row needs 12
        std::memset(row, 0, sizeof row);
        GetDIBits(source, pick.sampleBitmap, kSampleMiddle, 1, row, &pick.sampleInfo,
                  DIB_RGB_COLORS);
        std::uint16_t pixel; // little-endian, like the platform
        std::memcpy(&pixel, row + 2 * kSampleMiddle, sizeof pixel);
        return Expand555(pixel);
    }
    // Read straight from the screen; off it this is CLR_INVALID.
    return GetPixel(source, p.x, p.y);
}

void OnPickPaint(PickControl& pick) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(pick.window, &ps);
    if (pick.sampleBitmap) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, pick.sampleBitmap);
        StretchBlt(dc, 0, 0, pick.clientWidth, pick.clientHeight, memory, 0, 0, kSampleSize,
                   kSampleSize, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    // The cross-hair image in the middle, as large as the screen's scale makes it.
    const int image = ScaleForDpi(kCursorImage, pick.dpi);
    DrawIconEx(dc, (pick.clientWidth - image) >> 1, (pick.clientHeight - image) >> 1,
               LoadCursorA(nullptr, IDC_CROSS), image, image, 0, nullptr, DI_NORMAL);
    EndPaint(pick.window, &ps);
}

void ReadClientSize(PickControl& pick) {
    RECT client;
    GetClientRect(pick.window, &client);
    pick.clientWidth = client.right;
    pick.clientHeight = client.bottom;
}

void OnPickEraseBackground(PickControl& pick, HDC dc) {
    if (!pick.backgroundBrush) return;
    RECT r;
    GetClientRect(pick.window, &r);
    FillRect(dc, &r, pick.backgroundBrush);
}

// Runs at every press, also during a pick: a second press begins anew.
void BeginPick(PickControl& pick) {
    SetFocus(pick.window);
    pick.capturing = 1;
    ForgetNudge(pick);
    // Wine sends WM_CAPTURECHANGED even when the capture goes to the window
    // that holds it already, which would cancel the pick this press goes on.
    if (GetCapture() != pick.window) SetCapture(pick.window);
    InvalidateRect(pick.window, nullptr, TRUE);
    SetCursor(LoadCursorA(nullptr, IDC_CROSS));
    SendPickState(pick, kPickBegin);
}

void EndPick(PickControl& pick, WPARAM outcome) {
    if (!pick.capturing) return;
    // Cleared before ReleaseCapture: the WM_CAPTURECHANGED it delivers at once
    // comes back here and must find nothing to end.
    pick.capturing = 0;
    StopNudgeWatch(pick);
    ReleaseCapture();
    SendPickState(pick, outcome);
    InvalidateRect(pick.window, nullptr, FALSE);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

// The sample step at a screen point: preview and report.
void SampleAt(PickControl& pick, POINT p) {
    if (WindowFromPoint(p) == pick.window) return; // keep the last preview, report nothing
    // Read what the screen shows: many windows (GPU-drawn, layered) hold
    // nothing readable in their own device context.
    HDC screen = GetDC(nullptr);
    const COLORREF colour = ReadSample(pick, screen, p);
    InvalidateRect(pick.window, nullptr, FALSE);
    ReleaseDC(nullptr, screen);
    if (colour != CLR_INVALID)
        PostMessageA(pick.parent, pick.baseMessage, static_cast<WPARAM>(colour), RecordParam(pick));
}

void OnPickKeyDown(PickControl& pick, WPARAM key, LPARAM lp) {
    if (pick.capturing && key == VK_ESCAPE) {
        EndPick(pick, kPickCancel); // swallowed: Esc here must not close the main window
        return;
    }
    if (pick.capturing && IsNudgeKey(key)) {
        POINT to;
        // Sampled at once, where the pointer was sent: its own report may lag.
        if (NudgePointer(pick, key, &to)) SampleAt(pick, to);
        return;
    }
    PostMessageA(pick.parent, WM_KEYDOWN, key, lp);
}

void OnPickMouseMove(PickControl& pick) {
    if (!pick.capturing) return;
    POINT p;
    if (!GetCursorPos(&p)) return; // the message's own coordinates are relative to us
    if (IsNudgeEcho(pick, p)) return;
    SampleAt(pick, p);
}

// Wine alone: after a nudge the pointer's moves and the release come by timer.
void OnPickTimer(PickControl& pick) {
    if (!pick.capturing) return;
    POINT p;
    switch (WatchAfterNudge(pick, &p)) {
    case NudgeWatch::Moved: SampleAt(pick, p); break;
    case NudgeWatch::Released: EndPick(pick, kPickCommit); break;
    case NudgeWatch::Nothing: break;
    }
}

LRESULT CALLBACK PickProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* pick = reinterpret_cast<PickControl*>(GetWindowLongA(w, GWL_USERDATA));
    if (!pick) return DefWindowProcA(w, msg, wp, lp);
    switch (msg) {
    case WM_PAINT: OnPickPaint(*pick); return 0;
    case WM_ERASEBKGND: OnPickEraseBackground(*pick, reinterpret_cast<HDC>(wp)); return 1;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: OnPickMouseMove(*pick); break;
    case WM_KEYDOWN: OnPickKeyDown(*pick, wp, lp); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: BeginPick(*pick); break;
    case WM_LBUTTONUP: EndPick(*pick, kPickCommit); break;
    case WM_CAPTURECHANGED: EndPick(*pick, kPickCancel); break;
    case WM_TIMER: OnPickTimer(*pick); break;
    default: break;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

} // namespace

PickControl::PickControl()
    : sampleBitmap(nullptr), sampleInfo{}, backgroundBrush(nullptr), parent(nullptr),
      window(nullptr), baseMessage(0), bitsPerPixel(0), clientWidth(0), clientHeight(0),
      capturing(0), dpi(kBaseDpi), nudge{} {
    if (pickCount == 0) RegisterControlClass(kPickClass);
    ++pickCount;
}

PickControl::~PickControl() {
    --pickCount;
    if (sampleBitmap) DeleteObject(sampleBitmap);
    if (backgroundBrush) DeleteObject(backgroundBrush);
}

bool CreatePickControl(PickControl& pick, HWND parent, std::uint32_t baseMessage, const RECT& rect,
                       COLORREF background) {
    pick.baseMessage = baseMessage;
    pick.parent = parent;
    pick.window = CreateWindowExA(WS_EX_CLIENTEDGE, kPickClass, nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                  nullptr, InstanceHandle(), nullptr);
    if (!pick.window) return false;

    // The user data first: the pick procedure reads it for every message.
    SetWindowLongA(pick.window, GWL_USERDATA, static_cast<LONG>(reinterpret_cast<LONG_PTR>(&pick)));
    SetWindowLongA(pick.window, GWL_WNDPROC,
                   static_cast<LONG>(reinterpret_cast<LONG_PTR>(&PickProc)));
    ReadClientSize(pick);
    if (background != CLR_INVALID) pick.backgroundBrush = CreateSolidBrush(background);
    return true;
}

void SetPickScale(PickControl& pick, const RECT& rect, std::uint32_t dpi) {
    pick.dpi = dpi;
    if (!pick.window) return;
    MoveWindow(pick.window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               FALSE);
    ReadClientSize(pick);
    InvalidateRect(pick.window, nullptr, TRUE);
}
