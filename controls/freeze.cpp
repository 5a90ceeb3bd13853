#include "controls/freeze.h"
#include "controls/loupe.h"
#include "controls/loupe_math.h"
#include "platform/bitmaps.h"
#include "platform/instance.h"
#include "platform/screen.h"

namespace {

constexpr const char* kFrozenClass = "zFrozenScreen";

HWND frozen = nullptr; // the window that shows the picture, made at the first freeze
Canvas32 picture;
Rect32 pictureRect{}; // the virtual screen it shows, in screen coordinates

void OnFrozenPaint(HWND w) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    if (picture.dc)
        BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, picture.dc, ps.rcPaint.left, ps.rcPaint.top,
               SRCCOPY);
    EndPaint(w, &ps);
}

LRESULT CALLBACK FrozenProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: OnFrozenPaint(w); return 0;
    case WM_ERASEBKGND: return 1; // the paint covers every pixel
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: return DefWindowProcA(w, msg, wp, lp);
    }
}

bool MakeFrozenWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = FrozenProc;
    wc.hInstance = InstanceHandle();
    wc.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    wc.lpszClassName = kFrozenClass;
    RegisterClassA(&wc); // once; a second time fails harmlessly
    // A tool window that is never activated: no taskbar, no Alt+Tab, no focus.
    frozen =
        CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kFrozenClass, nullptr,
                        WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, InstanceHandle(), nullptr);
    return frozen != nullptr;
}

// The whole virtual screen, read once, as a live read would read it: into
// 32 bits a pixel, whatever the screen's depth.
bool TakePicture() {
    pictureRect = VirtualScreen();
    const std::int32_t width = pictureRect.right - pictureRect.left;
    const std::int32_t height = pictureRect.bottom - pictureRect.top;
    if (!MakeCanvas(picture, width, height)) return false;
    HDC screen = GetDC(nullptr);
    const bool read = BitBlt(picture.dc, 0, 0, width, height, screen, pictureRect.left,
                             pictureRect.top, SRCCOPY) != FALSE;
    ReleaseDC(nullptr, screen);
    GdiFlush();
    if (!read) FreeCanvas(picture);
    return read;
}

} // namespace

bool FreezeScreen(HWND mainWindow) {
    if (picture.bitmap) return true;
    if (!frozen && !MakeFrozenWindow()) return false;
    const bool loupeHidden = HideLoupeForScreenRead();
    const bool taken = TakePicture();
    if (taken) {
        // Over every other window, then Tintwell's own window over it, and
        // the loupe, which it owns, over that.
        SetWindowPos(frozen, HWND_TOPMOST, pictureRect.left, pictureRect.top,
                     pictureRect.right - pictureRect.left, pictureRect.bottom - pictureRect.top,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
        SetWindowPos(mainWindow, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
        UpdateWindow(frozen);
    }
    if (loupeHidden) ShowLoupeAfterScreenRead();
    return taken;
}

void ThawScreen() {
    if (frozen) ShowWindow(frozen, SW_HIDE);
    FreeCanvas(picture);
}

void ThawScreenAndAwait(const Rect32& thenRead) {
    const bool wasFrozen = picture.bitmap != nullptr;
    ThawScreen();
    if (wasFrozen) AwaitScreenRepainted(thenRead);
}

bool ScreenFrozen() {
    return picture.bitmap != nullptr;
}

bool ReadFrozenSquare(POINT p, std::int32_t count, std::uint32_t* out, std::int32_t outStride) {
    if (!picture.bits) return false;
    CopySquare(picture.bits, pictureRect, Point32{p.x, p.y}, count, kLoupeFrameColour, out,
               outStride);
    return true;
}
