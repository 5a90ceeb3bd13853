// The Pick control: our own eyedropper, window class zPickColor.
//
// Press on it and move anywhere on the screen: the box shows the 5x5 pixels
// around the pointer enlarged. N is posted with the colour reference under the
// pointer at each move (never over the control itself, never where no colour
// can be read); N + 1 is sent with 1 at each press, then exactly one of 0
// (left-button release: commit) or -1 (Esc or capture loss: cancel). The
// arrow keys move the pointer by a pixel during a pick (pick_nudge.h).
#pragma once
#include <windows.h>
#include "controls/pick_nudge.h"
#include <cstdint>

struct PickControl {
    HBITMAP sampleBitmap;  // 5x5, compatible with the screen at the first sample
    BITMAPINFO sampleInfo; // describes it for GetDIBits
    HBRUSH backgroundBrush;
    HWND parent;
    HWND window;
    std::uint32_t baseMessage;
    std::int32_t bitsPerPixel; // of the sample bitmap; 0 before the first sample
    std::int32_t clientWidth, clientHeight;
    std::uint8_t capturing;
    std::uint32_t dpi; // the screen's scale, for the cross-hair's size
    NudgeState nudge;  // the last arrow-key nudge of the pointer

    PickControl(); // registers the class on the first construction
    ~PickControl();
    PickControl(const PickControl&) = delete;
    PickControl& operator=(const PickControl&) = delete;
};

bool CreatePickControl(PickControl& pick, HWND parent, std::uint32_t baseMessage, const RECT& rect,
                       COLORREF background);

// Puts the box at `rect` for a screen of `dpi` dots per inch: the sample is
// stretched over the new box and the cross-hair drawn at that scale.
void SetPickScale(PickControl& pick, const RECT& rect, std::uint32_t dpi);
