// The Current colour: its three components and its colour reference. Every
// change is one or more SetColorComponent calls followed by one
// RefreshColorViews. User-interface thread only, except that the recolour
// worker reads currentColor once per pass.
#pragma once
#include "colour/components.h"
#include <atomic>
#include <cstdint>

extern std::uint8_t currentRed, currentGreen, currentBlue;
// Read by the worker without a lock, so it is only ever written whole.
extern std::atomic<ColorRef> currentColor;
extern bool hexTextSetByProgram; // the next EN_CHANGE is our own WM_SETTEXT

void SetColorComponent(std::uint8_t selector, std::int32_t value, bool updateBrightness,
                       bool wakeWorker);

// Brings the hex text (unless skipHexText) and the bars in line with the
// components and has the swatch and the bars repainted.
void RefreshColorViews(bool skipHexText);
