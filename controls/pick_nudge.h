// Arrow keys during a pick: the pointer moves one screen pixel, ten with
// Shift, so a hand that cannot land on one pixel can get there by keys.
#pragma once
#include <windows.h>
#include <cstdint>

struct PickControl;

// The last nudge of a pick. The watch is Wine's alone (platform/quirks.h).
struct NudgeState {
    POINT point;        // where the nudge sent the pointer
    std::uint32_t tick; // when
    bool active;        // a nudge was made in this pick
    bool watching;      // the watch timer runs
    POINT watched;      // the pointer's place as the watch last saw it
    bool buttonDown;    // the left button as the watch last saw it
};

// Left, Right, Up and Down.
bool IsNudgeKey(WPARAM key);

// Moves the pointer for a nudge key and gives where to; false when the pick's
// position cannot be read or the pointer not set.
bool NudgePointer(PickControl& pick, WPARAM key, POINT* to);

// Whether a pointer report at `at` is the late echo of the place a nudge left
// (Wine's, platform/quirks.h), to be ignored.
bool IsNudgeEcho(const PickControl& pick, POINT at);

// Where the pick is: the nudged point while a nudge settles, else the
// pointer's position. False when that cannot be read.
bool PickPoint(const PickControl& pick, POINT* at);

// Where the system stops sending the pointer's moves and the button's release
// to the eyedropper after a nudge (Wine, platform/quirks.h), a timer on the
// control watches them itself. Windows needs no watch and starts none.
constexpr UINT_PTR kNudgeWatchTimer = 1;
enum class NudgeWatch { Nothing, Moved, Released };
// One look, at the watch timer: the pointer moved (to `at`), or the left
// button was let go.
NudgeWatch WatchAfterNudge(PickControl& pick, POINT* at);
// Ends the watch, when the pick ends; the nudged point stays for the commit.
void StopNudgeWatch(PickControl& pick);
// Ends the watch and forgets the nudge, when a pick begins.
void ForgetNudge(PickControl& pick);
