// Every workaround this program makes for Wine, and why. Windows takes none
// of them. Code asks for the quirk, never "is this Wine", so a reader sees
// what is worked around and a test can run the side Windows takes.
#pragma once
#include <cstdint>

struct Quirks {
    // SetCursorPos comes back a few milliseconds later as a move to the old
    // place, and GetCursorPos gives the old place meanwhile: after an
    // arrow-key nudge the nudged point is trusted for this long, and the
    // pointer's own reports of elsewhere are ignored. 0: the pointer is where
    // it was sent at once.
    std::uint32_t nudgeSettleMs;
    // With no button held, the echo comes from the program whose window is
    // under the pointer, at any time, and leaves the reported place where the
    // nudge left it: a report of exactly that place is the echo too.
    bool staleNudgeEcho;
    // SetCursorPos also ends the X server's hold on the pointer that the
    // press began: until the pick ends, moves and the button's release go to
    // the window under the pointer, not to the eyedropper holding the
    // capture. So after a nudge a timer on the eyedropper watches both.
    bool watchPointerAfterNudge;
    // A second thread's drawing waits in its X connection until that thread
    // reads from the display (GdiFlush does not send it): a render ends with
    // a one-pixel read. On Windows a read from a composited window would copy
    // its surface back every frame.
    bool readBackAfterRender;
    // No keyboard-cue state is kept for windows (WM_QUERYUISTATE answers 0,
    // which says the cues show, and WM_CHANGEUISTATE changes nothing): our
    // controls keep one state for the process, from the user's choice and
    // the keyboard's moves (controls/keyboard_cues.cpp). Windows keeps it
    // per window, starting from the last input.
    bool ownCueState;
};

constexpr Quirks kWindowsQuirks{0, false, false, false, false};
constexpr Quirks kWineQuirks{300, true, true, true, true};

// Decided once, at the first call: Wine's ntdll exports wine_get_version,
// Windows' does not.
const Quirks& PlatformQuirks();

// Tests run both sides: kWindowsQuirks or kWineQuirks.
void SetPlatformQuirksForTest(const Quirks& quirks);

// Guards made for Wine that cost Windows nothing, so always on, each where
// it is needed:
// - A control takes the mouse capture only when it does not hold it already:
//   Wine sends the holder WM_CAPTURECHANGED even then, which would end the
//   drag or pick that the press goes on with (controls/position_bar.cpp,
//   controls/pick_control.cpp).
// - A standard control that was given our font gets the system font back by
//   name: Wine draws the stock SYSTEM_FONT as it draws no font at all
//   (app/main_window.cpp).
// - A read-only settings file is not written: an administrator under Wine is
//   let through where Windows refuses (app/settings.cpp).
// - The settings file's path stops at MAX_PATH: Wine makes files with
//   garbage names of a longer one (app/settings_format.h).
// - The edit box is named for screen readers by Dynamic Annotation; where
//   that is not done (Wine answers E_NOTIMPL), it answers WM_GETOBJECT itself
//   with an object that wraps the standard one (app/main_messages.cpp).
// - A window read for a recolour target first repaints what the loupe just
//   covered, where window reads show the screen: Wine, and Windows without
//   desktop composition (controls/loupe.cpp, AwaitRepaintUnderLoupe).
//
// Found the same as on Windows, so worked around nowhere: Wine raises
// EVENT_OBJECT_FOCUS itself when a window takes the focus, and so our
// controls never raise it (tests/unit/win32/controls_test.cpp).
