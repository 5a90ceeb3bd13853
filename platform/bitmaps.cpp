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
