// The Pick control: our own eyedropper, window class zPickColor.
//
// Press on it and move anywhere on the screen: the box shows the 5x5 pixels
// around the pointer enlarged, and the loupe (loupe.h) beside the pointer a
// larger square of them. Each move reads the screen once, into a 32-bit
// picture both are drawn from. N is posted with the colour reference under
// the pointer at each move (never over the control itself, never where no
// colour can be read); N + 1 is sent with 1 at each press, then exactly one
// of 0 (left-button release: commit) or -1 (Esc or capture loss: cancel).
// During a pick the arrow keys move the pointer by a pixel (pick_nudge.h),
// and the wheel and the + and - keys zoom the loupe. Space or Enter on the
// focused control picks from the keyboard: a pick from where the pointer is,
// which Space or Enter commits and Esc, a click elsewhere, the loss of the
// capture, of the focus or of the activation, WM_CANCELMODE or the window's
// end cancels. A screen reader hears the control pressed while it picks.
#pragma once
#include <windows.h>
#include "controls/pick_nudge.h"
#include "platform/bitmaps.h"
#include "platform/scale.h"
#include <cstdint>

struct PickControl {
    // The square read last, top row first, 0x00RRGGBB: a 32-bit DIB section
    // large enough for the loupe's largest square, made at the first sample.
    Canvas32 sample;          // its rows kLargestLoupeCount pixels apart
    HDC screenDc;             // the screen, read through a device context of our own
    std::int32_t sampleCount; // the side of the square read last; 0 before
    COLORREF sampleColour;    // its middle pixel; CLR_INVALID where none was read
    POINT samplePoint;        // that pixel's place on the screen
    // Fingerprints of the square and of its middle 5x5, so that what shows
    // them is drawn again only when they change.
    std::uint64_t sampleHash, previewHash;
    // The virtual screen and the box's place on it as a pick began: asking
    // for them costs Wine more than the read itself. Empty: not known yet.
    Rect32 screen, boxOnScreen;
    // The box's picture, composed in a buffer of its own and copied to the
    // box in one piece through the box's own device context.
    Canvas32 box; // its rows clientWidth pixels apart
    HDC windowDc;
    HBRUSH backgroundBrush;
    HWND parent;
    HWND window;
    std::uint32_t baseMessage;
    std::int32_t bitsPerPixel; // the screen's, at the first sample; 0 before
    std::int32_t clientWidth, clientHeight;
    std::uint8_t capturing;
    std::uint32_t dpi;      // the main window's scale, for the box's cross-hair
    NudgeState nudge;       // the last arrow-key nudge of the pointer
    std::int32_t wheelRest; // wheel movement short of a notch, in this pick
    std::uint8_t keyboard;  // this pick began from the keyboard
    std::uint8_t anywhere;  // this pick began from anywhere, by the hotkey
    std::uint8_t focused;   // it has the keyboard focus
    std::uint8_t freezes;   // F freezes the screen in its picks (freeze.h); the owner's
    // The colour this pick reported last, which a commit takes;
    // CLR_INVALID while it has reported none. Kept until the next pick.
    COLORREF reported;
    const char* name;        // what a screen reader calls it; the owner sets it
    const char* description; // how it is used, said and shown in its tooltip; the owner's

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

// Ends a pick begun from the keyboard as Esc ends it; any other is left.
void CancelKeyboardPick(PickControl& pick);

// A pick from wherever the user is, begun by a hotkey while another program
// may be active: it takes neither the focus nor the activation nor the
// capture. The pointer follows the mouse; the arrow keys nudge it (Shift:
// ten pixels), Space, Enter or a left click takes the pixel, Esc or another
// button cancels, the wheel and + and - zoom; the keys and the buttons reach
// no other program meanwhile. Nothing while a pick runs.
void PickFromAnywhere(PickControl& pick);

// The tooltip says the description; set again when it changes.
void SetPickToolTip(PickControl& pick);

// One sample step at a screen point, as each move of a pick makes it: the
// screen read once, the box and the loupe drawn from that, the colour posted.
// Over the control itself nothing is read or posted, and the loupe keeps its
// picture.
void SampleAt(PickControl& pick, POINT p);
