// 32-bit bitmaps whose pixels the program reads and writes itself.
#pragma once
#include <windows.h>
#include <cstdint>

// A DIB section of 32 bits a pixel, top row first, its pixels 0x00RRGGBB at
// *bits; null where it cannot be made.
HBITMAP MakeTopDownDib32(std::int32_t width, std::int32_t height, std::uint32_t** bits);
