// Our controls on the real platform: arrow-key nudges during a pick, as
// Windows and as Wine (where the pointer goes, and what each side trusts about
// where it is), and what a bar tells screen readers.
#include "controls/pick_control.h"
#include "controls/position_bar.h"
#include "tests/unit/win32/both_platforms.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

bool Same(POINT a, POINT b) {
    return a.x == b.x && a.y == b.y;
}

class Nudge : public BothPlatforms {
  protected:
    void SetUp() override {
        BothPlatforms::SetUp();
        parent = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 600, 500,
                                 80, 60, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(CreatePickControl(pick, parent, WM_APP, RECT{0, 0, 50, 40}, CLR_INVALID));
        pick.capturing = 1; // as a press on it would leave it
        ASSERT_TRUE(SetCursorPos(200, 300));
    }
    void TearDown() override {
        StopNudgeWatch(pick);
        DestroyWindow(parent);
        BothPlatforms::TearDown();
    }

    HWND parent = nullptr;
    PickControl pick;
};
RUN_AS_BOTH_PLATFORMS(Nudge);

} // namespace

TEST_P(Nudge, AnArrowMovesThePointerAPixelAndOnlyWineWaitsForItToSettle) {
    POINT to;
    ASSERT_TRUE(NudgePointer(pick, VK_RIGHT, &to));
    EXPECT_TRUE(Same(to, POINT{201, 300}));
    ASSERT_TRUE(NudgePointer(pick, VK_DOWN, &to));
    // Wine's pointer may still report 200,300: the nudge goes on from its own
    // point there. Windows' pointer is where it was sent.
    if (AsWine()) {
        EXPECT_TRUE(Same(to, POINT{201, 301}));
    }
    EXPECT_EQ(pick.nudge.watching, AsWine()) << "the watch timer is Wine's alone";
    EXPECT_EQ(IsNudgeEcho(pick, POINT{200, 300}), AsWine());
    EXPECT_FALSE(IsNudgeEcho(pick, to));

    POINT before, at, after;
    ASSERT_TRUE(SetCursorPos(250, 350));
    GetCursorPos(&before);
    ASSERT_TRUE(PickPoint(pick, &at));
    GetCursorPos(&after);
    if (AsWine()) {
        EXPECT_TRUE(Same(at, to)) << "the nudged point is trusted while it settles";
    } else if (Same(before, after)) {
        EXPECT_TRUE(Same(at, before)) << "Windows' pick is where the pointer is";
    }

    // Once settled, Wine's watch follows the pointer again, but for a report
    // of the very place the last nudge left, which is its stale echo.
    pick.nudge.tick -= 1000;
    EXPECT_FALSE(IsNudgeEcho(pick, POINT{200, 300}));
    EXPECT_EQ(IsNudgeEcho(pick, POINT{201, 300}), AsWine());
    ForgetNudge(pick); // the next pick: that echo may still come
    EXPECT_EQ(IsNudgeEcho(pick, POINT{201, 300}), AsWine());
    PointerMovedItself(pick); // until the pointer has been elsewhere
    EXPECT_FALSE(IsNudgeEcho(pick, POINT{201, 300}));
}

TEST_P(Nudge, ShiftMovesTenAndTheScreensEdgeStopsIt) {
    ASSERT_TRUE(SetCursorPos(4, 300));
    POINT to;
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    const bool moved = NudgePointer(pick, VK_LEFT, &to);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    ASSERT_TRUE(moved);
    EXPECT_TRUE(Same(to, POINT{GetSystemMetrics(SM_XVIRTUALSCREEN), 300}))
        << "to " << to.x << "," << to.y;
    EXPECT_FALSE(IsNudgeKey(VK_HOME));
    EXPECT_FALSE(NudgePointer(pick, VK_HOME, &to));
}

namespace {

std::vector<DWORD> barEvents;
HWND eventBar;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                         DWORD) {
    if (window == eventBar && object == OBJID_CLIENT && child == CHILDID_SELF)
        barEvents.push_back(event);
}

} // namespace

// Out-of-context events do not reach another process under Wine: heard here.
TEST(BarEvents, ABarTellsOfTheFocusAndOfEveryChangeOfItsValue) {
    HWND parent = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 600, 500,
                                  160, 30, nullptr, nullptr, nullptr, nullptr);
    PositionBar bar;
    ASSERT_TRUE(CreatePositionBar(bar, parent, WM_APP, RECT{0, 0, 150, 18}, 0x0000FF));
    eventBar = bar.window;
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, OnWinEvent,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(nullptr, hook);
    SetFocus(bar.window);
    SetBarValueSilently(bar, 10);
    SetBarValueSilently(bar, 10); // no change, nothing to tell
    SendMessageA(bar.window, WM_KEYDOWN, VK_RIGHT, 0);
    const DWORD start = GetTickCount();
    MSG msg;
    while (barEvents.size() < 3 && GetTickCount() - start < 2000) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(1);
    }
    UnhookWinEvent(hook);
    DestroyWindow(parent);
    std::vector<DWORD> values;
    for (DWORD e : barEvents)
        if (e != EVENT_OBJECT_FOCUS) values.push_back(e);
    EXPECT_NE(barEvents.end(), std::find(barEvents.begin(), barEvents.end(), EVENT_OBJECT_FOCUS));
    EXPECT_EQ((std::vector<DWORD>{EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE}), values);
    EXPECT_EQ(11, bar.value);
}
