// The recolour worker on the real platform: its thread, event and lock.
#include "app/main_messages.h"
#include "app/records.h"
#include "colour/brightness.h"
#include "colour/colour_state.h"
#include "recolour/worker.h"
#include <gtest/gtest.h>

namespace {

HANDLE passEntered; // set when a slow pass has begun
HANDLE passRelease; // lets a slow pass finish
std::atomic<int> slowPasses{0};

bool SlowRender(std::uint32_t) {
    if (slowPasses.fetch_add(1) == 0) {
        SetEvent(passEntered);
        WaitForSingleObject(passRelease, 5000);
    }
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
        slowPasses = 0;
        autoApply = true;
        passEntered = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        passRelease = CreateEventA(nullptr, TRUE, FALSE, nullptr);
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
    RecolourRenderFn defaultRender = recolourRender;
};

} // namespace

TEST_F(Worker, WakeUpsDuringAPassLeadToExactlyOneMorePass) {
    recolourRender = SlowRender;
    WakeWorker();
    ASSERT_EQ(WaitForSingleObject(passEntered, 5000), WAIT_OBJECT_0);
    for (int i = 0; i < 10; ++i)
        WakeWorker();
    SetEvent(passRelease);
    ASSERT_TRUE(WaitFor(passCount, 2, 5000));
    // Give a wrongly queued third pass the chance to show itself.
    Sleep(100);
    EXPECT_EQ(passCount.load(), 2u);
    EXPECT_EQ(frameCount, 2u);
}

TEST_F(Worker, WakeUpsBeforeAPassTakesTheLockMergeIntoIt) {
    EnterCriticalSection(&engineLock);
    for (int i = 0; i < 5; ++i)
        WakeWorker();
    Sleep(20); // the worker is now waiting for the lock
    LeaveCriticalSection(&engineLock);
    ASSERT_TRUE(WaitFor(passCount, 1, 5000));
    Sleep(100);
    EXPECT_EQ(passCount.load(), 1u);
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
    recolourRender = SlowRender;
    EndWorker();
    EXPECT_EQ(WaitForSingleObject(workerThread, 0), WAIT_OBJECT_0);
    EXPECT_EQ(passCount.load(), 0u);
}
