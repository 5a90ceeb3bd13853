// One sample step of an eyedropper during a pick (the screen read once, the
// loupe and the 5x5 preview drawn from it) against one plain BitBlt of the
// same square from the screen into a 32-bit DIB section, in one run, at the
// loupe's default zoom and at its largest square. Both take turns at going
// first in each repetition; each line gives the medians and the median of
// the repetitions' ratios. Run on a Wine virtual desktop (make bench).
#include "controls/loupe.h"
#include "controls/loupe_math.h"
#include "controls/pick_control.h"
#include "platform/instance.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRepetitions = 41, kSteps = 20;
constexpr POINT kAt{600, 420}; // away from the eyedropper's own window

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

// The plain read a step must be measured against.
class PlainRead {
  public:
    explicit PlainRead(int side) : side_(side) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = side;
        info.bmiHeader.biHeight = -side;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        dib_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    ~PlainRead() { DeleteObject(dib_); }
    void Read() {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(memory, dib_);
        BitBlt(memory, 0, 0, side_, side_, screen, kAt.x - side_ / 2, kAt.y - side_ / 2, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        GdiFlush();
    }

  private:
    int side_;
    HBITMAP dib_;
};

template <typename Step> double TimeMs(Step step, double ticksPerMs) {
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < kSteps; ++i)
        step();
    QueryPerformanceCounter(&t1);
    return double(t1.QuadPart - t0.QuadPart) / ticksPerMs / kSteps;
}

void Measure(PickControl& pick, const char* name, double ticksPerMs) {
    const std::int32_t side = LoupeSampleCount();
    PlainRead plain(side);
    auto step = [&] {
        SampleAt(pick, kAt);
        UpdateWindow(pick.window); // the preview; the loupe is drawn at once
    };
    std::vector<double> steps, reads, ratios;
    for (int r = 0; r < kRepetitions; ++r) {
        const bool stepFirst = r % 2 == 0;
        double s = 0, p = 0;
        if (stepFirst) s = TimeMs(step, ticksPerMs);
        p = TimeMs([&] { plain.Read(); }, ticksPerMs);
        if (!stepFirst) s = TimeMs(step, ticksPerMs);
        Pump();
        steps.push_back(s);
        reads.push_back(p);
        ratios.push_back(s / p);
    }
    std::printf("loupe %-8s %2dx%-2d square  sample step %7.3f ms  plain BitBlt %7.3f ms  "
                "ratio %.2f\n",
                name, side, side, Median(steps), Median(reads), Median(ratios));
}

} // namespace

int main() {
    SetProcessDPIAware();
    SetInstanceHandle(GetModuleHandleA(nullptr));
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double ticksPerMs = double(frequency.QuadPart) / 1000.0;
    HWND parent = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 20, 20,
                                  60, 50, nullptr, nullptr, nullptr, nullptr);
    PickControl pick;
    if (!parent || !CreatePickControl(pick, parent, WM_APP, RECT{0, 0, 50, 40}, 0xFFFFFF)) {
        std::fprintf(stderr, "loupe_timing: no window\n");
        return 1;
    }
    Pump();
    Measure(pick, "default", ticksPerMs);
    ZoomLoupe(-kLoupeLevels); // the smallest blocks: the largest square
    Measure(pick, "largest", ticksPerMs);
    HideLoupe();
    DestroyWindow(parent);
    std::fflush(stdout);
    return 0;
}
