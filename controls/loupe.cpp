#include "controls/loupe.h"
#include "controls/loupe_math.h"
#include "controls/pick_control.h"
#include "platform/bitmaps.h"
#include "platform/fonts.h"
#include "platform/instance.h"
#include "platform/screen.h"
#include "platform/system_function.h"

#include <algorithm>

namespace {

constexpr const char* kLoupeClass = "zLoupe";
constexpr FontStyle kLoupeFont{12, FW_NORMAL, true};
// The cross-hair reaches this far from its hot spot, at 100 %; the loupe keeps
// clear of it and of the sampled square, and a little more.
constexpr std::int32_t kCursorReach = 16, kGap = 4;
constexpr std::uint32_t kExcludeFromCaptureBuild = 19041; // Windows 10 2004
constexpr DWORD kExcludeFromCapture = 0x11;               // WDA_EXCLUDEFROMCAPTURE
constexpr DWORD kRepaintWaitMs = 500;                     // for a window's repaint under it

int level = kDefaultLoupeLevel;
HWND loupe = nullptr;
RECT lastShown{}; // where it was when it was last hidden
// Read when it shows, kept while it does: each costs Wine a round trip.
Rect32 avoid{};         // the main window
MonitorAreas monitor{}; // the monitor under the pointer
Rect32 placed{};        // where it is
// What it shows, so that it is drawn again only when that changes.
struct Drawn {
    std::uint64_t sample;
    int level;
    POINT at;
    COLORREF colour;
    std::uint32_t dpi;
    bool operator==(const Drawn& o) const {
        return sample == o.sample && level == o.level && at.x == o.at.x && at.y == o.at.y &&
               colour == o.colour && dpi == o.dpi;
    }
} drawn{};
const PickControl* picture = nullptr; // whose picture it shows
POINT pointer{};
// The picture's frame, blocks and text background, drawn whole and then
// copied to the window in one piece.
HBITMAP buffer = nullptr;
Packed* bufferBits = nullptr;
Size32 bufferSize{0, 0};

LoupeLayout Layout() {
    return LoupeLayoutFor(level, picture ? picture->dpi : kBaseDpi);
}

bool ReserveBuffer(Size32 size) {
    if (buffer && size.width <= bufferSize.width && size.height <= bufferSize.height) return true;
    if (buffer) DeleteObject(buffer);
    buffer = MakeTopDownDib32(size.width, size.height, &bufferBits);
    bufferSize = buffer ? size : Size32{0, 0};
    return buffer != nullptr;
}

void PaintText(HDC dc, const LoupeLayout& l) {
    char text[kLoupeTextSize];
    // The picture's own place; before the first, the pointer's.
    const POINT at = picture->sampleCount > 0 ? picture->samplePoint : pointer;
    LoupeText(picture->sampleColour, Point32{at.x, at.y}, text);
    HGDIOBJ old = SelectObject(dc, FontForDpi(kLoupeFont, picture->dpi));
    SetTextColor(dc, 0);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    TextOutA(dc, l.size.width / 2, l.size.width + (l.textHeight - tm.tmHeight) / 2, text,
             lstrlenA(text));
    SelectObject(dc, old);
}

// The picture, drawn whole in the buffer and copied to the window in one piece.
void Draw(HDC dc) {
    const LoupeLayout l = Layout();
    if (!picture || !ReserveBuffer(l.size)) return;
    GdiFlush(); // the text of the last drawing is in the bits before they are written
    RenderLoupe(picture->sampleBits, kLargestLoupeCount, picture->sampleCount, l, bufferBits,
                bufferSize.width);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, buffer);
    PaintText(memory, l);
    BitBlt(dc, 0, 0, l.size.width, l.size.height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void OnLoupePaint() {
    PAINTSTRUCT ps;
    Draw(BeginPaint(loupe, &ps));
    EndPaint(loupe, &ps);
}

LRESULT CALLBACK LoupeProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: OnLoupePaint(); return 0;
    case WM_ERASEBKGND: return 1; // the paint covers every pixel
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: return DefWindowProcA(w, msg, wp, lp);
    }
}

// A second guard against the loupe showing in what it reads: Windows 10 2004
// and later leave it out of every screen capture. Older systems take the
// value as WDA_MONITOR and would black it out of every screenshot.
void ExcludeFromCapture(HWND window) {
    if (WindowsBuild() < kExcludeFromCaptureBuild) return;
    using SetAffinityFn = BOOL(WINAPI*)(HWND, DWORD);
    static const auto setAffinity =
        SystemFunction<SetAffinityFn>("user32.dll", "SetWindowDisplayAffinity");
    if (setAffinity) setAffinity(window, kExcludeFromCapture);
}

bool MakeLoupe(HWND owner) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = LoupeProc;
        wc.hInstance = InstanceHandle();
        wc.hCursor = LoadCursorA(nullptr, IDC_CROSS);
        wc.lpszClassName = kLoupeClass;
        registered = RegisterClassA(&wc) != 0;
    }
    // Layered and transparent: the mouse goes through it to what lies below.
    loupe = CreateWindowExA(
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT,
        kLoupeClass, nullptr, WS_POPUP, 0, 0, 1, 1, owner, nullptr, InstanceHandle(), nullptr);
    if (!loupe) return false;
    SetLayeredWindowAttributes(loupe, 0, 255, LWA_ALPHA);
    ExcludeFromCapture(loupe);
    return true;
}

} // namespace

std::int32_t LoupeSampleCount() {
    return LoupeCount(level);
}

void ShowLoupe(const PickControl& pick, POINT at) {
    const HWND main = GetAncestor(pick.window, GA_ROOT);
    if (!loupe && !MakeLoupe(main)) return;
    const bool showing = IsWindowVisible(loupe) != FALSE;
    const Point32 p{at.x, at.y};
    if (!showing) {
        RECT r{};
        GetWindowRect(main, &r);
        avoid = Rect32{r.left, r.top, r.right, r.bottom};
    }
    if (!showing || !Contains(monitor.monitor, p)) monitor = MonitorAt(p);
    picture = &pick;
    pointer = at;
    const LoupeLayout l = Layout();
    const std::int32_t clearance = std::max(l.count / 2 + 1, ScaleForDpi(kCursorReach, pick.dpi)) +
                                   ScaleForDpi(kGap, pick.dpi);
    const Point32 place = PlaceLoupe(p, clearance, l.size, monitor.work, avoid);
    const Rect32 to{place.x, place.y, place.x + l.size.width, place.y + l.size.height};
    const bool moved = !(to == placed);
    if (!showing)
        SetWindowPos(loupe, HWND_TOPMOST, to.left, to.top, l.size.width, l.size.height,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
    else if (moved)
        SetWindowPos(loupe, nullptr, to.left, to.top, l.size.width, l.size.height,
                     SWP_NOACTIVATE | SWP_NOZORDER);
    const Drawn now{pick.sampleHash, level, pick.sampleCount > 0 ? pick.samplePoint : at,
                    pick.sampleColour, pick.dpi};
    if (!showing || moved || !(now == drawn)) {
        // At once, and without the round trips of a paint message.
        HDC dc = GetDC(loupe);
        Draw(dc);
        ReleaseDC(loupe, dc);
    }
    placed = to;
    drawn = now;
}

void HideLoupe() {
    if (loupe && IsWindowVisible(loupe)) {
        GetWindowRect(loupe, &lastShown);
        ShowWindow(loupe, SW_HIDE);
    }
    picture = nullptr;
}

void AwaitRepaintUnderLoupe(HWND window) {
    RECT covered, area;
    if (!window || !WindowReadsShowTheScreen() || !GetWindowRect(window, &area) ||
        !IntersectRect(&covered, &area, &lastShown))
        return;
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&covered), 2);
    RedrawWindow(window, &covered, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    // Painted once its thread has taken the update region and, being one
    // thread, answered a message after the paint.
    const DWORD start = GetTickCount();
    while (GetUpdateRect(window, nullptr, FALSE) && GetTickCount() - start < kRepaintWaitMs)
        Sleep(1);
    DWORD_PTR answer;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kRepaintWaitMs, &answer);
}

bool ZoomLoupe(int steps) {
    const int to = std::max(0, std::min(kLoupeLevels - 1, level + steps));
    if (to == level) return false;
    level = to;
    return true;
}

HWND LoupeWindow() {
    return loupe;
}
