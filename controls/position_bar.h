// The Position bar: our own horizontal slider, window class zPositionBar.
//
// Reports to its parent with the base message N it was created with: N is
// posted with the new value whenever an input changed it, N + 1 is sent with
// 1 when a drag begins and 0 when it ends by a left-button release or Esc.
// lParam is always the record's address. Every key is passed on to the parent.
#pragma once
#include <windows.h>
#include "controls/bar_math.h"
#include <cstdint>

struct PositionBar {
    HPEN pen;     // thumb ring, in the inverse of the bar colour
    HBRUSH brush; // track, in the bar colour
    HWND parent;
    HWND window;
    std::uint32_t baseMessage;
    RECT track; // client rectangle inset 13 pixels left and right
    std::int32_t width, height;
    COLORREF colour; // -1 until created
    std::int32_t value;
    std::int32_t savedValue; // value when the current drag began; -1 otherwise
    std::int32_t minimum, maximum;
    std::uint8_t dragging;
    BarMetrics metrics; // the drawing at the bar's scale
    std::uint32_t dpi;  // that scale, which the bar font is made for
    const char* name;   // what a screen reader calls it; the owner sets it

    PositionBar();  // registers the class and makes the bar font on the first
    ~PositionBar(); // lets the fonts go with the last
    PositionBar(const PositionBar&) = delete;
    PositionBar& operator=(const PositionBar&) = delete;
};

bool CreatePositionBar(PositionBar& bar, HWND parent, std::uint32_t baseMessage, const RECT& rect,
                       COLORREF colour);

// Puts the bar at `rect` and draws it for a screen of `dpi` dots per inch:
// arrows, track, ring and font scaled, and the pointer mapping with them.
void SetBarScale(PositionBar& bar, const RECT& rect, std::uint32_t dpi);

// The owner's silent write: clamp to the range, no notification to the
// parent, repaint; a screen reader hears of a change.
void SetBarValueSilently(PositionBar& bar, std::int32_t value);
