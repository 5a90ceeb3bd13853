// 32-bit bitmaps whose pixels the program reads and writes itself.
#pragma once
#include <windows.h>
#include <cstdint>

// A DIB section of 32 bits a pixel, top row first, its pixels 0x00RRGGBB at
// *bits; null where it cannot be made.
HBITMAP MakeTopDownDib32(std::int32_t width, std::int32_t height, std::uint32_t** bits);

// A 32-bit DIB section selected for good in a memory device context of its
// own, to draw on and copy from with no selecting each time.
struct Canvas32 {
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;
    std::uint32_t* bits = nullptr; // top row first, as MakeTopDownDib32 makes them
};
// Makes it `width` by `height`, in place of what it held; false, and all
// null, where that cannot be done.
bool MakeCanvas(Canvas32& canvas, std::int32_t width, std::int32_t height);
// Deletes what it holds, and leaves it all null.
void FreeCanvas(Canvas32& canvas);
