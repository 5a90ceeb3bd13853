// The Recolour engine: one target window, a snapshot of its client area taken
// when it was picked, and a render that paints the snapshot back with one
// colour replaced. Used inside the engine lock only (worker.h).
#pragma once
#include <windows.h>
#include "colour/colour_math.h"
#include <cstdint>

struct RecolourEngine {
    std::uint8_t* captureBuffer; // the snapshot, DIB rows bottom-up
    std::uint8_t* outputBuffer;  // the recoloured copy a render paints
    std::uint32_t captureCapacity, outputCapacity;
    HWND targetWindow;
    RECT area;             // captured part of the client area, client coordinates
    POINT pickPoint;       // where the colour was picked, client coordinates
    Packed colorToReplace; // kNoColor: none
    BITMAPINFO bitmapInfo;
    std::uint32_t bitsPerPixel;
    std::int32_t width, height;

    RecolourEngine();
    ~RecolourEngine();
    RecolourEngine(const RecolourEngine&) = delete;
    RecolourEngine& operator=(const RecolourEngine&) = delete;
};

// Chooses the target and takes the snapshot; area null means the whole
// client rectangle. False when no snapshot was taken.
bool CaptureTarget(RecolourEngine& engine, HWND window, const RECT* area, const POINT* point);

// Paints the snapshot onto the target with the colour to replace changed to
// `color` (low 24 bits). False when there is nothing to paint.
bool Render(RecolourEngine& engine, ColorRef color);
