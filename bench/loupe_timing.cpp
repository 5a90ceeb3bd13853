// One sample step of an eyedropper during a pick (the screen read once, the
// loupe and the 5x5 preview drawn from it) against one plain BitBlt of the
// same square from the screen into a 32-bit DIB section, in one run, at the
// loupe's default zoom and at its largest square: in place with a new
// picture, and one pixel on, where the loupe moves too. Each line gives the
// medians of many single steps. Run on a Wine virtual desktop (make bench).
#include "controls/loupe.h"
#include "controls/loupe_math.h"
#include "controls/pick_control.h"
#include "platform/bitmaps.h"
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
    explicit PlainRead(int side) : side_(side), dib_(MakeTopDownDib32(side, side, &bits_)) {}
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
    std::uint32_t* bits_ = nullptr;
    HBITMAP dib_;
};

// A window under the sampled square in columns of changing colours, drawn
// in one of two patterns: between timed steps the bench switches them, so
// that each step has a new picture to read and draw.
bool flipped = false;
LRESULT CALLBACK SourceProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_PAINT) return DefWindowProcA(w, msg, wp, lp);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    for (int x = 0; x < ps.rcPaint.right; ++x) {
        const RECT column{x, 0, x + 1, ps.rcPaint.bottom};
        HBRUSH brush = CreateSolidBrush(RGB(x * 3, flipped ? 200 : 40, 255 - x * 3));
        FillRect(dc, &column, brush);
        DeleteObject(brush);
    }
    EndPaint(w, &ps);
    return 0;
}

template <typename Step> double TimeMs(Step step, double ticksPerMs) {
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    step();
    QueryPerformanceCounter(&t1);
    return double(t1.QuadPart - t0.QuadPart) / ticksPerMs;
}

void Measure(PickControl& pick, HWND source, const char* name, double ticksPerMs) {
    const std::int32_t side = LoupeSampleCount();
    PlainRead plain(side);
    std::vector<double> steps, moves, reads;
    for (int r = 0; r < kRepetitions * kSteps; ++r) {
        flipped = !flipped;
        InvalidateRect(source, nullptr, FALSE);
        UpdateWindow(source);
        // In place, with a new picture: read, loupe and preview drawn.
        steps.push_back(TimeMs(
            [&] {
                SampleAt(pick, kAt);
                UpdateWindow(pick.window); // the preview; the loupe is drawn at once
            },
            ticksPerMs));
        reads.push_back(TimeMs([&] { plain.Read(); }, ticksPerMs));
        // One pixel on, where the loupe must follow too.
        moves.push_back(TimeMs(
            [&] {
                SampleAt(pick, POINT{kAt.x + 1 + r % 2, kAt.y});
                UpdateWindow(pick.window);
            },
            ticksPerMs));
        Pump();
    }
    const double step = Median(steps), move = Median(moves), read = Median(reads);
    std::printf("loupe %-7s %2dx%-2d  sample step %6.3f ms (moving %6.3f ms)  plain BitBlt %6.3f ms"
                "  ratio %5.2f (moving %5.2f)\n",
                name, side, side, step, move, read, step / read, move / read);
}

} // namespace

int main() {
    SetProcessDPIAware();
    SetInstanceHandle(GetModuleHandleA(nullptr));
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double ticksPerMs = double(frequency.QuadPart) / 1000.0;
    HWND parent = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 20, 20, 60,
                                  50, nullptr, nullptr, nullptr, nullptr);
    PickControl pick;
    if (!parent || !CreatePickControl(pick, parent, WM_APP, RECT{0, 0, 50, 40}, 0xFFFFFF)) {
        std::fprintf(stderr, "loupe_timing: no window\n");
        return 1;
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = SourceProc;
    wc.lpszClassName = "LoupeTimingSource";
    RegisterClassA(&wc);
    HWND source =
        CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, kAt.x - 40,
                        kAt.y - 40, 80, 80, nullptr, nullptr, nullptr, nullptr);
    Pump();
    Measure(pick, source, "default", ticksPerMs);
    ZoomLoupe(-kLoupeLevels); // the smallest blocks: the largest square
    Measure(pick, source, "largest", ticksPerMs);
    HideLoupe();
    DestroyWindow(source);
    DestroyWindow(parent);
    std::fflush(stdout);
    return 0;
}
