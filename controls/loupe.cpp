#include "controls/loupe.h"
#include "controls/loupe_math.h"
#include "controls/pick_control.h"
#include "platform/bitmaps.h"
#include "platform/dpi.h"
#include "platform/fonts.h"
#include "platform/instance.h"
#include "platform/screen.h"
#include "platform/system_function.h"

#include <algorithm>

namespace {

constexpr const char* kLoupeClass = "zLoupe";
constexpr FontStyle kLoupeFont{12, FW_NORMAL, true};
constexpr std::uint32_t kExcludeFromCaptureBuild = 19041; // Windows 10 2004
constexpr DWORD kExcludeFromCapture = 0x11;               // WDA_EXCLUDEFROMCAPTURE

int level = kDefaultLoupeLevel;
HWND loupe = nullptr;
bool excludedFromCapture = false; // the system leaves it out of screen reads
HDC loupeDc = nullptr;            // its own, kept: a class DC costs no look-up a step
bool showing = false;
RECT lastShown{}; // where it was when it was last hidden
// Read when it shows, kept while it does: each costs Wine a round trip.
Rect32 avoid{};         // the main window
MonitorAreas monitor{}; // the monitor under the pointer, with its scale
std::int32_t cursorReach = 0;
Rect32 placed{}; // where it is
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
// The picture's frame, blocks and text background, drawn whole in a buffer
// with a memory device context of its own and copied to the window in one
// piece.
Canvas32 buffer;
Size32 bufferSize{0, 0};
// The height of the text's cell at the scale it was last drawn at.
std::uint32_t textDpi = 0;
std::int32_t textCellHeight = 0;

LoupeLayout Layout() {
    return LoupeLayoutFor(level, monitor.dpi ? monitor.dpi : kBaseDpi);
}

bool ReserveBuffer(Size32 size) {
    if (buffer.dc && size.width <= bufferSize.width && size.height <= bufferSize.height)
        return true;
    const bool made = MakeCanvas(buffer, size.width, size.height);
    bufferSize = made ? size : Size32{0, 0};
    return made;
}

void PaintText(const LoupeLayout& l) {
    char text[kLoupeTextSize];
    // The picture's own place; before the first, the pointer's.
    const POINT at = picture->sampleCount > 0 ? picture->samplePoint : pointer;
    LoupeText(picture->sampleColour, Point32{at.x, at.y}, text);
    HGDIOBJ old = SelectObject(buffer.dc, FontForDpi(kLoupeFont, monitor.dpi));
    if (textDpi != monitor.dpi) {
        TEXTMETRICA tm{};
        GetTextMetricsA(buffer.dc, &tm);
        textDpi = monitor.dpi;
        textCellHeight = tm.tmHeight;
    }
    SetTextColor(buffer.dc, 0);
    SetBkMode(buffer.dc, TRANSPARENT);
    SetTextAlign(buffer.dc, TA_CENTER | TA_TOP);
    TextOutA(buffer.dc, l.size.width / 2, l.size.width + (l.textHeight - textCellHeight) / 2, text,
             lstrlenA(text));
    // Not left selected: a font of another scale may be deleted meanwhile.
    SelectObject(buffer.dc, old);
}

// The picture, drawn whole in the buffer and copied to the window in one piece.
void Draw(HDC dc) {
    const LoupeLayout l = Layout();
    if (!picture || !ReserveBuffer(l.size)) return;
    GdiFlush(); // the text of the last drawing is in the bits before they are written
    RenderLoupe(picture->sample.bits, kLargestLoupeCount, picture->sampleCount, l, buffer.bits,
                bufferSize.width);
    PaintText(l);
    BitBlt(dc, 0, 0, l.size.width, l.size.height, buffer.dc, 0, 0, SRCCOPY);
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
    excludedFromCapture = setAffinity && setAffinity(window, kExcludeFromCapture);
}

bool MakeLoupe(HWND owner) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.style = CS_OWNDC;
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
    loupeDc = GetDC(loupe);
    return true;
}

// How far the pointer's image reaches from its hot spot now, in the system's
// pixels: the cross-hair a pick shows, as large as the user has made pointers.
std::int32_t CrossHairReach() {
    ICONINFO info{};
    if (!GetIconInfo(LoadCursorA(nullptr, IDC_CROSS), &info)) return 0;
    BITMAP image{};
    const bool measured =
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof image, &image) != 0;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (!measured) return 0;
    // A cursor without colour keeps its AND and XOR masks one above the other.
    const std::int32_t height = info.hbmColor ? image.bmHeight : image.bmHeight / 2;
    return CursorReach(Size32{image.bmWidth, height},
                       Point32{std::int32_t(info.xHotspot), std::int32_t(info.yHotspot)});
}

// The reach on the monitor under the pointer: where the system draws the
// pointer at that monitor's scale it is larger there, never smaller.
std::int32_t ReachOnMonitor(std::uint32_t dpi) {
    return std::max(cursorReach, ScaleBetweenDpi(cursorReach, SystemDpi(), dpi));
}

// Everything read once a pick: the main window to keep clear of, and the
// pointer's size, which the user may have changed since the last.
void BeginShowing(const PickControl& pick) {
    RECT r{};
    GetWindowRect(GetAncestor(pick.window, GA_ROOT), &r);
    avoid = Rect32{r.left, r.top, r.right, r.bottom};
    cursorReach = CrossHairReach();
}

} // namespace

std::int32_t LoupeSampleCount() {
    return LoupeCount(level);
}

void ShowLoupe(const PickControl& pick, POINT at) {
    if (!loupe && !MakeLoupe(GetAncestor(pick.window, GA_ROOT))) return;
    const Point32 p{at.x, at.y};
    if (!showing) BeginShowing(pick);
    if (!showing || !Contains(monitor.monitor, p)) monitor = MonitorAt(p);
    picture = &pick;
    pointer = at;
    const LoupePlace place = PlaceLoupeOnMonitor(p, level, monitor.dpi, ReachOnMonitor(monitor.dpi),
                                                 monitor.work, avoid);
    const Size32 size = place.layout.size;
    const Rect32 to{place.origin.x, place.origin.y, place.origin.x + size.width,
                    place.origin.y + size.height};
    const bool moved = !(to == placed);
    // A move copies, erases and paints nothing: the picture is drawn at once
    // after it, in one piece.
    const Drawn now{pick.sampleHash, level, pick.sampleCount > 0 ? pick.samplePoint : at,
                    pick.sampleColour, monitor.dpi};
    const bool redraw = !showing || moved || !(now == drawn);
    constexpr UINT kQuietMove = SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOREDRAW | SWP_DEFERERASE |
                                SWP_NOSENDCHANGING | SWP_NOOWNERZORDER;
    if (!showing) {
        SetWindowPos(loupe, HWND_TOPMOST, to.left, to.top, size.width, size.height,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
        showing = true;
    } else if (moved) {
        const bool resized = to.right - to.left != placed.right - placed.left ||
                             to.bottom - to.top != placed.bottom - placed.top;
        SetWindowPos(loupe, nullptr, to.left, to.top, size.width, size.height,
                     kQuietMove | SWP_NOZORDER | (resized ? 0 : SWP_NOSIZE));
    }
    if (redraw) Draw(loupeDc); // at once, and without the round trips of a paint message
    placed = to;
    drawn = now;
}

void HideLoupe() {
    if (loupe && showing) {
        GetWindowRect(loupe, &lastShown);
        ShowWindow(loupe, SW_HIDE);
    }
    showing = false;
    picture = nullptr;
}

void AwaitRepaintUnderLoupe(HWND window) {
    if (WindowReadsShowTheScreen())
        AwaitWindowRepainted(
            window, Rect32{lastShown.left, lastShown.top, lastShown.right, lastShown.bottom});
}

bool HideLoupeForScreenRead() {
    if (!showing || excludedFromCapture) return false;
    ShowWindow(loupe, SW_HIDE);
    AwaitScreenRepainted(placed);
    return true;
}

void ShowLoupeAfterScreenRead() {
    SetWindowPos(loupe, HWND_TOPMOST, placed.left, placed.top, 0, 0,
                 SWP_NOACTIVATE | SWP_NOSIZE | SWP_SHOWWINDOW);
    Draw(loupeDc);
}

bool ZoomLoupe(int steps) {
    const int to = std::max(0, std::min(kLoupeLevels - 1, level + steps));
    if (to == level) return false;
    level = to;
    return true;
}
