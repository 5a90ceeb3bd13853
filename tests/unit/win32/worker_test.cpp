// The recolour worker on the real platform: its thread, event and lock.
#include "app/main_messages.h"
#include "app/records.h"
#include "colour/brightness.h"
#include "colour/colour_state.h"
#include "recolour/worker.h"
#include <gtest/gtest.h>
#include <new>

namespace {

// Passes the test holds: each signals that it has begun and waits to be let go.
HANDLE passEntered;
HANDLE passRelease;

bool HeldRender(std::uint32_t) {
    SetEvent(passEntered);
    WaitForSingleObject(passRelease, 5000);
    return true;
}

bool WaitFor(const std::atomic<std::uint32_t>& counter, std::uint32_t value, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (counter.load() < value) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(1);
    }
    return true;
}

class Worker : public testing::Test {
  protected:
    void SetUp() override {
        stopFlag = false;
        frameCount = 0;
        renderTime = 1;
        passCount = 0;
        autoApply = true;
        passEntered = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        passRelease = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        StartWorker();
    }
    void TearDown() override {
        SetEvent(passRelease);
        EndWorker();
        ReleaseWorker();
        recolourRender = defaultRender;
        CloseHandle(passEntered);
        CloseHandle(passRelease);
    }

    static bool PassBegins() { return WaitForSingleObject(passEntered, 5000) == WAIT_OBJECT_0; }
    static void LetPassEnd() { SetEvent(passRelease); }
    // Whether a wake-up is waiting for the worker; looking takes it.
    static bool WakeUpWaiting() { return WaitForSingleObject(wakeUpEvent, 0) == WAIT_OBJECT_0; }
    // Ends the worker and gives the number of passes it ran: woken to leave,
    // it runs none more.
    static std::uint32_t PassesAtTheEnd() {
        EndWorker();
        return passCount.load();
    }

    RecolourRenderFn defaultRender = recolourRender;
};

} // namespace

TEST_F(Worker, WakeUpsDuringAPassLeadToExactlyOneMorePass) {
    recolourRender = HeldRender;
    WakeWorker();
    ASSERT_TRUE(PassBegins());
    for (int i = 0; i < 10; ++i)
        WakeWorker();
    LetPassEnd();
    ASSERT_TRUE(PassBegins()) << "the wake-ups during the first pass brought no second";
    EXPECT_FALSE(WakeUpWaiting()) << "a third pass is due";
    LetPassEnd();
    EXPECT_EQ(PassesAtTheEnd(), 2u);
    EXPECT_EQ(frameCount, 2u);
}

// Wake-ups that come after the worker has woken but before its pass has the
// lock are served by that pass: it reads the colour only after clearing them.
TEST_F(Worker, WakeUpsBeforeAPassTakesTheLockMergeIntoIt) {
    recolourRender = HeldRender;
    EnterCriticalSection(&engineLock);
    WakeWorker();
    // The worker has taken the wake-up once the event is clear again; looking
    // takes it too, so a wake-up still there is put back.
    const DWORD start = GetTickCount();
    bool taken = false;
    while (!taken && GetTickCount() - start < 5000) {
        taken = !WakeUpWaiting();
        if (!taken) SetEvent(wakeUpEvent);
        Sleep(1);
    }
    for (int i = 0; i < 4; ++i)
        WakeWorker();
    LeaveCriticalSection(&engineLock);
    ASSERT_TRUE(taken) << "the worker never woke";
    ASSERT_TRUE(PassBegins());
    EXPECT_FALSE(WakeUpWaiting()) << "the pass left the later wake-ups for a second one";
    LetPassEnd();
    EXPECT_EQ(PassesAtTheEnd(), 1u);
}

// The target closed after it was chosen: the pass paints nothing, not even
// on the screen, and counts nothing.
TEST_F(Worker, ATargetClosedBeforeThePassCountsNothing) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "WorkerTestTarget";
    RegisterClassA(&wc);
    HWND target = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 16, 16,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(target);
    POINT p{1, 1};
    ASSERT_TRUE(CaptureTarget(recolourEngine, target, nullptr, &p));
    DestroyWindow(target);
    currentColor.store(0x00FF00FF);
    WakeWorker();
    ASSERT_TRUE(WaitFor(passCount, 1, 5000));
    EXPECT_EQ(PassesAtTheEnd(), 1u);
    EXPECT_EQ(frameCount, 0u);
    EXPECT_EQ(renderTime, 1u);
    HDC screen = GetDC(nullptr);
    EXPECT_NE(GetPixel(screen, 1, 1), COLORREF(0x00FF00FF)) << "the pass painted the screen";
    ReleaseDC(nullptr, screen);
    // No target for the tests after this one.
    recolourEngine.~RecolourEngine();
    new (&recolourEngine) RecolourEngine();
}

TEST_F(Worker, WithNoTargetPassesCountNothing) {
    ASSERT_EQ(recolourEngine.captureBuffer, nullptr);
    WakeWorker();
    ASSERT_TRUE(WaitFor(passCount, 1, 5000));
    EXPECT_EQ(frameCount, 0u);
    EXPECT_EQ(renderTime, 1u);
    EXPECT_EQ(AverageFps(), 0u);
}

TEST_F(Worker, ABrightnessStepWakesOnce) {
    brightnessBar.minimum = 0;
    brightnessBar.maximum = 765;
    SetColorComponent(ComponentWhole, 0x00003264, true, false);
    TakeBrightnessSnapshot();
    const std::uint32_t before = wakeUpCount.load();
    OnBarValueChanged(210, reinterpret_cast<LPARAM>(&brightnessBar));
    EXPECT_EQ(wakeUpCount.load() - before, 1u);
    EXPECT_EQ(currentColor.load(), 0x00184A7Cu);
    brightnessBase = -1;
}

TEST_F(Worker, NothingWakesWithAutoApplyOff) {
    autoApply = false;
    const std::uint32_t before = wakeUpCount.load();
    SetColorComponent(ComponentRed, 10, true, true);
    OnBarValueChanged(20, reinterpret_cast<LPARAM>(&greenBar));
    EXPECT_EQ(wakeUpCount.load(), before);
}

TEST_F(Worker, EndsWithoutPaintingWhenWokenToLeave) {
    recolourRender = HeldRender;
    EndWorker();
    EXPECT_EQ(WaitForSingleObject(workerThread, 0), WAIT_OBJECT_0);
    EXPECT_EQ(passCount.load(), 0u);
}
