// What the Windows timing programs share: a step timed with the performance
// counter, the median of many, and the messages of this thread handled
// between steps.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

// Milliseconds a tick of the performance counter.
inline double TicksPerMs() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(frequency.QuadPart) / 1000.0;
}

// The plain read a step is measured against: a part of the screen into a
// 32-bit picture, with nothing kept from one read to the next.
inline void ReadScreenPlainly(HBITMAP into, int x, int y, int width, int height) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, into);
    BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    GdiFlush();
}

// And the plain draw: a picture into a window, through a device context
// asked for and given back.
inline void DrawPlainly(HWND window, HBITMAP picture, int width, int height) {
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(window, dc);
}

template <typename Step> double TimeMs(Step step) {
    static const double ticksPerMs = TicksPerMs();
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    step();
    QueryPerformanceCounter(&t1);
    return double(t1.QuadPart - t0.QuadPart) / ticksPerMs;
}

} // namespace bench
