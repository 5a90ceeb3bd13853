// A pick's colour reports are posted and its end is sent, so an end that
// comes as a sent message (the capture taken by another thread, Esc from a
// keyboard hook, the system's cancel) is handled while reports are still
// queued. Here the queue is held back on purpose: the end decides the colour.
#include "app/main_messages.h"
#include "colour/colour_state.h"
#include "colour/components.h"
#include "main_window_fixture.h"
#include "recolour/engine.h"
#include "recolour/worker.h"

#include <new>

namespace {

constexpr ColorRef kBefore = 0x00123456;

class PickEnd : public MainWindowTest {
  protected:
    // The worker as the program runs it, for the lock a pick's commit takes;
    // Auto apply off, so that it paints nothing.
    void SetUp() override {
        stopFlag = false;
        autoApply = false;
        StartWorker();
        MainWindowTest::SetUp();
        SetColorComponent(ComponentWhole, std::int32_t(kBefore), true, false);
        RefreshColorViews(false);
        HandleQueued();
    }

    void TearDown() override {
        MainWindowTest::TearDown();
        EndWorker();
        ReleaseWorker();
        recolourEngine.~RecolourEngine(); // no target for the tests after this one
        new (&recolourEngine) RecolourEngine();
    }

    // A pick begun on `pick` and one step of it read away from the main
    // window, its report left in the queue.
    static void BeginAndStep(const PickControl& pick) {
        RECT frame;
        GetWindowRect(mainWindow, &frame);
        ASSERT_TRUE(SetCursorPos(frame.right + 20, frame.bottom + 20));
        SendMessageA(pick.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
        ASSERT_TRUE(pick.capturing);
        SendMessageA(pick.window, WM_MOUSEMOVE, MK_LBUTTON, 0);
        ASSERT_NE(pick.reported, CLR_INVALID) << "the step reported nothing";
        ASSERT_NE(pick.reported, kBefore) << "the screen shows the colour from before";
    }

    static void PressEsc(const PickControl& pick) {
        SendMessageA(pick.window, WM_KEYDOWN, VK_ESCAPE, 1);
        ASSERT_FALSE(pick.capturing);
    }
};

TEST_F(PickEnd, ACancelKeepsTheColourFromBeforeThoughAReportWasStillQueued) {
    BeginAndStep(pickColorControl);
    PressEsc(pickColorControl);
    HandleQueued();
    EXPECT_EQ(currentColor.load(), kBefore);
    char text[16] = "";
    GetWindowTextA(editBox, text, sizeof text);
    EXPECT_STREQ(text, "563412"); // red first
}

TEST_F(PickEnd, ACommitTakesTheLastReportAtOnceThoughItWasStillQueued) {
    BeginAndStep(pickColorControl);
    const COLORREF last = pickColorControl.reported;
    SendMessageA(pickColorControl.window, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(currentColor.load(), last);
    HandleQueued();
    EXPECT_EQ(currentColor.load(), last);
}

// The pick-window eyedropper shows what it hovers in the swatch alone and
// puts the colour from before back at its end; its commit replaces the
// colour hovered last.
TEST_F(PickEnd, TheWindowPicksHoverQueuedAtItsEndLeavesNothingAndIsTheOneReplaced) {
    BeginAndStep(pickWindowControl);
    const COLORREF last = pickWindowControl.reported;
    SendMessageA(pickWindowControl.window, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(recolourEngine.colorToReplace, PackedFromColorRef(last));
    HandleQueued();
    EXPECT_EQ(currentColor.load(), kBefore);

    BeginAndStep(pickWindowControl);
    PressEsc(pickWindowControl);
    HandleQueued();
    EXPECT_EQ(currentColor.load(), kBefore);
}

} // namespace
