// A cursor image as the system draws it, learnt from two drawings of it, on
// black and on white: either as two masks, every pixel of the background
// ANDed with one and XORed with the other (a cursor without alpha, which may
// invert what lies below), or as colours premultiplied by their alpha (a
// cursor blended by its alpha). Drawn from what was learnt, the eyedropper's
// cross-hair costs a pass over its pixels or one blend, where a DrawIconEx
// each time costs Wine a tenth of a millisecond or more. Pure.
#pragma once
#include "colour/colour_math.h"
#include <cstdint>

// The masks of an image drawn once on black and once on white (n pixels
// each): on black it is XOR alone, on white the AND mask XORed with it.
void DeriveCursorMasks(const Packed* onBlack, const Packed* onWhite, std::int32_t n,
                       Packed* andMask, Packed* xorMask);

// Whether the masks give exactly `drawn`, the image as the system drew it on
// `background`: not so for a cursor blended by its alpha, which must be
// drawn by the system each time.
bool CursorMasksReproduce(const Packed* andMask, const Packed* xorMask, std::int32_t n,
                          Packed background, const Packed* drawn);

// The image as 0xAARRGGBB colours premultiplied by their alpha, which blended
// over black and over white give the two drawings; false where no alpha
// can (an inverting pixel, or channels that disagree on it).
bool DeriveCursorAlpha(const Packed* onBlack, const Packed* onWhite, std::int32_t n,
                       std::uint32_t* premultiplied);

// Draws the masks of a `size` by `size` image with its top left at (left,
// top) of a picture `width` by `height` (rows `stride` pixels apart); what
// falls outside the picture is left out.
void ApplyCursorMasks(Packed* picture, std::int32_t stride, std::int32_t width, std::int32_t height,
                      std::int32_t left, std::int32_t top, std::int32_t size, const Packed* andMask,
                      const Packed* xorMask);
