// Arrow keys during a pick: the pointer moves one screen pixel, ten with
// Shift, so a hand that cannot land on one pixel can get there by keys.
#pragma once
#include <windows.h>
#include <cstdint>

struct PickControl;

// The last nudge of a pick, and the watch on the pointer (below).
struct NudgeState {
    POINT from;         // where the nudge took the pointer from
    POINT point;        // where it sent it
    std::uint32_t tick; // when
    bool active;        // a nudge was made in this pick
    // A report of `from` may still be the nudge's stale echo (Wine): until the
    // pointer is reported anywhere else, also in the next pick.
    bool staleEchoDue;
    bool watching;   // the watch timer runs
    POINT watched;   // the pointer's place as the watch last saw it
    bool buttonDown; // the left button as the watch last saw it
};

// Left, Right, Up and Down.
bool IsNudgeKey(WPARAM key);

// Moves the pointer for a nudge key, ten pixels with `shift`, and gives where
// to; false when the pick's position cannot be read or the pointer not set.
bool NudgePointer(PickControl& pick, WPARAM key, bool shift, POINT* to);

// Whether a pointer report at `at` is the late echo of the place a nudge left
// (Wine's, platform/quirks.h), to be ignored.
bool IsNudgeEcho(const PickControl& pick, POINT at);

// Where the pick is: the pointer's position, or the nudged point while the
// pointer's reports are the nudge's echo. False when that cannot be read.
bool PickPoint(const PickControl& pick, POINT* at);

// Where the mouse's moves and buttons do not reach the eyedropper holding the
// capture, it watches them itself: in a pick begun from the keyboard, where
// no button is held and the capture brings nothing from over another
// program's window; and after a nudge under Wine (platform/quirks.h), which
// then stops sending them altogether. A timer looks at the pointer and the
// left button; presses, too short for a timer to see, come from a low-level
// mouse hook as kPressElsewhere, with the button's message in wParam and the
// screen point in lParam. In a pick from anywhere, where no window of ours
// is active, the hook keeps the presses, their releases and the wheel from
// the programs below, as the pick's own: a release it kept comes as
// kReleaseElsewhere, a turn of the wheel as kWheelElsewhere with its delta.
constexpr UINT_PTR kNudgeWatchTimer = 1;
constexpr UINT kPressElsewhere = WM_APP + 1;
constexpr UINT kReleaseElsewhere = WM_APP + 3;
constexpr UINT kWheelElsewhere = WM_APP + 4;
// The hook is in while the watching eyedropper carries this window property,
// so that anyone may see that no pick leaves one behind: a hook on the
// whole desktop's mouse makes every mouse event wait for this thread.
constexpr const char* kMouseHookProperty = "zMouseHook";
enum class NudgeWatch { Nothing, Moved, Released };
// Starts the watch, unless it runs; `presses` adds the hook, which keeps
// the mouse's buttons from the programs below with `keepButtons`.
void StartPointerWatch(PickControl& pick, bool presses = false, bool keepButtons = false);
// One look, at the watch timer: the pointer moved (to `at`), or the left
// button was let go.
NudgeWatch WatchPointer(PickControl& pick, POINT* at);
// Ends the watch, when the pick ends; the nudged point stays for the commit.
void StopNudgeWatch(PickControl& pick);
// Ends the watch and forgets the nudge but its stale echo, when a pick begins.
void ForgetNudge(PickControl& pick);
// The pointer was reported somewhere that is no echo: none is due any more.
void PointerMovedItself(PickControl& pick);
