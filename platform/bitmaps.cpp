#include "platform/bitmaps.h"

HBITMAP MakeTopDownDib32(std::int32_t width, std::int32_t height, std::uint32_t** bits) {
    BITMAPINFO info{};
    BITMAPINFOHEADER& h = info.bmiHeader;
    h.biSize = sizeof h;
    h.biWidth = width;
    h.biHeight = -height; // top row first
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = dib ? static_cast<std::uint32_t*>(pixels) : nullptr;
    return dib;
}

bool MakeCanvas(Canvas32& canvas, std::int32_t width, std::int32_t height) {
    FreeCanvas(canvas);
    canvas.bitmap = MakeTopDownDib32(width, height, &canvas.bits);
    canvas.dc = canvas.bitmap ? CreateCompatibleDC(nullptr) : nullptr;
    if (!canvas.dc) {
        FreeCanvas(canvas);
        return false;
    }
    SelectObject(canvas.dc, canvas.bitmap);
    return true;
}

void FreeCanvas(Canvas32& canvas) {
    if (canvas.dc) DeleteDC(canvas.dc); // the bitmap leaves it with it
    if (canvas.bitmap) DeleteObject(canvas.bitmap);
    canvas = Canvas32{};
}
