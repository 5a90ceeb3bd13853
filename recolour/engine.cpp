#include "recolour/engine.h"
#include "platform/quirks.h"
#include "recolour/pixel_passes.h"
#include <cstdlib>

RecolourEngine::RecolourEngine()
    : captureBuffer(nullptr), outputBuffer(nullptr), captureCapacity(0), outputCapacity(0),
      targetWindow(nullptr), area{}, pickPoint{}, colorToReplace(kNoColor), bitmapInfo{},
      bitsPerPixel(0), width(0), height(0) {}

RecolourEngine::~RecolourEngine() {
    std::free(captureBuffer);
    std::free(outputBuffer);
    captureBuffer = outputBuffer = nullptr;
    captureCapacity = outputCapacity = 0;
    targetWindow = nullptr;
}

// Buffers grow and never shrink; a failed allocation leaves none at all, so
// the capacity never claims bytes that are not there.
static bool Reserve(std::uint8_t*& buffer, std::uint32_t& capacity, std::uint64_t need) {
    if (need <= capacity) return true;
    std::free(buffer);
    buffer = static_cast<std::uint8_t*>(std::malloc(std::size_t(need)));
    capacity = buffer ? std::uint32_t(need) : 0;
    return buffer != nullptr;
}

static bool Fail(RecolourEngine& e) {
    e.width = e.height = 0; // every later render finds nothing to paint
    return false;
}

static void DescribeSnapshot(RecolourEngine& e) {
    e.bitmapInfo = BITMAPINFO{};
    BITMAPINFOHEADER& h = e.bitmapInfo.bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = e.width;
    h.biHeight = e.height; // positive: rows bottom-up
    h.biPlanes = 1;
    h.biBitCount = WORD(e.bitsPerPixel);
    h.biCompression = BI_RGB;
}

// Copies the client area from its origin into the capture buffer. The window's
// device context is taken and released by the caller.
static bool TakeSnapshot(RecolourEngine& e, HDC windowDC) {
    // Refuse what cannot be held before any bitmap exists: a huge compatible
    // bitmap can take the whole process down.
    const int deviceDepth = GetDeviceCaps(windowDC, BITSPIXEL) * GetDeviceCaps(windowDC, PLANES);
    if (!DibFits(deviceDepth < 16 ? 16 : std::uint32_t(deviceDepth), e.width, e.height))
        return Fail(e);

    HDC memoryDC = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, e.width, e.height);
    BITMAP info;
    if (!memoryDC || !bitmap || !GetObjectA(bitmap, sizeof info, &info)) {
        if (bitmap) DeleteObject(bitmap);
        if (memoryDC) DeleteDC(memoryDC);
        return Fail(e);
    }
    e.bitsPerPixel = info.bmBitsPixel;
    const std::uint64_t need = DibBufferBytes(e.bitsPerPixel, e.width, e.height);
    if (e.bitsPerPixel < 16 || !DibFits(e.bitsPerPixel, e.width, e.height)) {
        DeleteDC(memoryDC);
        DeleteObject(bitmap);
        return Fail(e);
    }

    HGDIOBJ old = SelectObject(memoryDC, bitmap);
    BitBlt(memoryDC, 0, 0, e.width, e.height, windowDC, 0, 0, SRCCOPY);
    SelectObject(memoryDC, old);

    bool ok = Reserve(e.captureBuffer, e.captureCapacity, need);
    if (ok) {
        DescribeSnapshot(e);
        ok = GetDIBits(windowDC, bitmap, 0, UINT(e.height), e.captureBuffer, &e.bitmapInfo,
                       DIB_RGB_COLORS) != 0;
    }
    DeleteObject(bitmap);
    DeleteDC(memoryDC);
    return ok ? true : Fail(e);
}

bool CaptureTarget(RecolourEngine& e, HWND window, const RECT* area, const POINT* point) {
    if (!point) return false;
    e.pickPoint = *point;
    e.targetWindow = window;
    RECT client;
    if (!GetClientRect(window, &client)) return Fail(e); // closed since the pick
    e.area = area ? *area : client;
    if (e.area.right > client.right) e.area.right = client.right; // only the right edge

    e.height = e.area.bottom - e.area.top;
    if (e.height <= 0) return false;
    e.width = e.area.right - e.area.left;
    if (e.width <= 0) return false;

    HDC windowDC = GetDC(window);
    const COLORREF picked = GetPixel(windowDC, e.pickPoint.x, e.pickPoint.y);
    e.colorToReplace = picked;
    if (picked == CLR_INVALID) {
        ReleaseDC(window, windowDC);
        return Fail(e);
    }
    e.colorToReplace = PackedFromColorRef(picked);
    const bool ok = TakeSnapshot(e, windowDC);
    ReleaseDC(window, windowDC);
    return ok;
}

bool Render(RecolourEngine& e, ColorRef color) {
    // A target closed since the pick is nothing to paint, and no frame.
    if (!e.captureBuffer || !IsWindow(e.targetWindow)) return false;
    const Packed to = PackedFromColorRef(color);
    const std::uint64_t need = DibBufferBytes(e.bitsPerPixel, e.width, e.height);
    // Never read past the snapshot, whatever a failed capture left behind.
    if (need == 0 || need > e.captureCapacity) return false;
    if (!Reserve(e.outputBuffer, e.outputCapacity, need)) return false;
    if (!ReplacePass(e.bitsPerPixel, e.captureBuffer, e.outputBuffer, e.width, e.height,
                     e.colorToReplace, to))
        return false;

    HDC dc = GetDC(e.targetWindow);
    if (!dc) return false;
    SetDIBitsToDevice(dc, e.area.left, e.area.top, DWORD(e.width), DWORD(e.height), 0, 0, 0,
                      UINT(e.height), e.outputBuffer, &e.bitmapInfo, DIB_RGB_COLORS);
    if (PlatformQuirks().readBackAfterRender) GetPixel(dc, e.area.left, e.area.top);
    ReleaseDC(e.targetWindow, dc);
    return true;
}
