#include "recolour/worker.h"
#include "app/records.h"
#include "colour/colour_state.h"
#include "recolour/fps.h"

HANDLE wakeUpEvent;
HANDLE workerThread;
CRITICAL_SECTION engineLock;
std::atomic<bool> stopFlag{false};
std::uint32_t frameCount = 0;
std::uint32_t renderTime = 1; // never 0, so the average never divides by zero

static bool RenderTarget(std::uint32_t color) {
    return Render(recolourEngine, color);
}

RecolourRenderFn recolourRender = RenderTarget;
std::atomic<std::uint32_t> passCount{0};
std::atomic<std::uint32_t> wakeUpCount{0};

void StartWorker() {
    // Created signalled and reset at once, so the worker starts with nothing
    // to do.
    wakeUpEvent = CreateEventA(nullptr, FALSE, TRUE, nullptr);
    ResetEvent(wakeUpEvent);
    workerThread = CreateThread(nullptr, 0, WorkerThread, nullptr, 0, nullptr);
    // Safe after the thread: it takes the lock only once woken, and nothing
    // wakes it before the message loop runs.
    InitializeCriticalSection(&engineLock);
}

void WakeWorker() {
    if (!wakeUpEvent) return;
    wakeUpCount.fetch_add(1);
    SetEvent(wakeUpEvent);
}

static void RunRecolourPass() {
    EnterCriticalSection(&engineLock);
    // Wake-ups that came while we were waiting for the lock are served by
    // this pass, which reads currentColor only after the reset.
    ResetEvent(wakeUpEvent);
    const DWORD start = GetTickCount();
    if (recolourRender(currentColor.load())) {
        renderTime += GetTickCount() - start; // unsigned: a tick wrap still subtracts right
        frameCount += 1;
    }
    passCount.fetch_add(1);
    LeaveCriticalSection(&engineLock);
}

DWORD WINAPI WorkerThread(LPVOID) {
    while (!stopFlag.load()) {
        if (WaitForSingleObject(wakeUpEvent, INFINITE) != WAIT_OBJECT_0) return 0;
        // Woken to leave: do not paint over the target on the way out.
        if (stopFlag.load()) return 0;
        RunRecolourPass();
    }
    return 0;
}

void EndWorker() {
    stopFlag.store(true);
    if (!workerThread) return;
    SetEvent(wakeUpEvent);
    WaitForSingleObject(workerThread, INFINITE);
}

void ReleaseWorker() {
    if (workerThread) CloseHandle(workerThread);
    if (wakeUpEvent) CloseHandle(wakeUpEvent);
    DeleteCriticalSection(&engineLock);
    workerThread = wakeUpEvent = nullptr;
}

std::uint32_t AverageFps() {
    EnterCriticalSection(&engineLock);
    const std::uint32_t fps = AverageFpsOf(frameCount, renderTime);
    LeaveCriticalSection(&engineLock);
    return fps;
}
