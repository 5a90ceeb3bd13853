// Arrow-key nudges during a pick on the real platform, as Windows and as Wine:
// where the pointer goes, and what each side trusts about where it is.
#include "controls/pick_control.h"
#include "tests/unit/win32/both_platforms.h"
#include <gtest/gtest.h>

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

    // Once settled, Wine's watch follows the pointer again.
    pick.nudge.tick -= 1000;
    EXPECT_FALSE(IsNudgeEcho(pick, POINT{200, 300}));
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
