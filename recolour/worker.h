// The Recolour worker: the second thread. It sleeps on an auto-reset event and
// runs one recolour pass, inside the engine lock, each time it is woken.
// Wake-ups merge: at most one pass runs and one is pending.
#pragma once
#include <windows.h>
#include <atomic>
#include <cstdint>

extern HANDLE wakeUpEvent;
extern HANDLE workerThread;
extern CRITICAL_SECTION engineLock;
extern std::atomic<bool> stopFlag;
extern std::uint32_t frameCount; // successful renders
extern std::uint32_t renderTime; // their milliseconds, on top of 1

// The render one pass runs; replaceable so tests can slow a pass down.
using RecolourRenderFn = bool (*)(std::uint32_t color);
extern RecolourRenderFn recolourRender;
extern std::atomic<std::uint32_t> passCount;   // passes run, counted or not
extern std::atomic<std::uint32_t> wakeUpCount; // wake-ups requested

void StartWorker(); // event (created signalled, then reset), thread, lock
void WakeWorker();  // SetEvent; safe before the worker exists
// Ends the worker for good: raises the stop flag, wakes it and waits until it
// has left, so the event, the lock and the engine can go.
void EndWorker();
void ReleaseWorker(); // closes the handles and deletes the lock
DWORD WINAPI WorkerThread(LPVOID);
std::uint32_t AverageFps();
