// One sample step of an eyedropper during a pick (the screen read once, the
// loupe and the 5x5 preview drawn from it) against the limit a step can
// reach: one plain BitBlt of the same square from the screen into a 32-bit
// DIB section plus one plain BitBlt of a picture of the loupe's size into a
// window of that size, in one run, at the loupe's default zoom and at its
// largest square: in place with a new picture, and one pixel on, where the
// loupe moves too, against the same limit with a plain move of that window
// by a pixel. Each line gives the medians of many single steps. Run on a
// Wine virtual desktop (make bench).
#include "controls/loupe.h"
#include "controls/loupe_math.h"
#include "controls/pick_control.h"
#include "platform/bitmaps.h"
#include "platform/instance.h"
#include "bench/timing.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::Median;
using bench::Pump;
using bench::TimeMs;

constexpr int kRepetitions = 41, kSteps = 20;
constexpr POINT kAt{600, 420}; // away from the eyedropper's own window

// The limit a step is measured against: the plain read of the square, and
// the plain draw of a picture of the loupe's size into a window of that size.
class PlainStep {
  public:
    PlainStep(int side, Size32 loupe)
        : side_(side), loupe_(loupe), read_(MakeTopDownDib32(side, side, &readBits_)),
          picture_(MakeTopDownDib32(loupe.width, loupe.height, &pictureBits_)),
          window_(CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "STATIC", "",
                                  WS_POPUP | WS_VISIBLE, 700, 100, loupe.width, loupe.height,
                                  nullptr, nullptr, nullptr, nullptr)) {}
    ~PlainStep() {
        DestroyWindow(window_);
        DeleteObject(picture_);
        DeleteObject(read_);
    }
    void Read() {
        bench::ReadScreenPlainly(read_, kAt.x - side_ / 2, kAt.y - side_ / 2, side_, side_);
    }
    // A pixel on, or back.
    void Move(int dx) {
        SetWindowPos(window_, nullptr, 700 + dx, 100, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS);
    }
    // A new picture each time, as each step has one.
    void Draw(std::uint32_t shade) {
        std::fill_n(pictureBits_, loupe_.width * loupe_.height, shade);
        bench::DrawPlainly(window_, picture_, loupe_.width, loupe_.height);
    }

  private:
    int side_;
    Size32 loupe_;
    std::uint32_t *readBits_ = nullptr, *pictureBits_ = nullptr;
    HBITMAP read_, picture_;
    HWND window_;
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

// The loupe's window at its present zoom.
Size32 LoupeSize(std::uint32_t dpi) {
    int level = 0;
    while (level + 1 < kLoupeLevels && LoupeCount(level) != LoupeSampleCount())
        ++level;
    return LoupeLayoutFor(level, dpi).size;
}

// One step with a new picture under the square, timed: the source switched
// first, untimed.
double TimedStep(PickControl& pick, HWND source, POINT at) {
    flipped = !flipped;
    InvalidateRect(source, nullptr, FALSE);
    UpdateWindow(source);
    const double ms = TimeMs([&] {
        SampleAt(pick, at);
        UpdateWindow(pick.window); // the preview, where it waits for a paint
    });
    Pump();
    return ms;
}

void Measure(PickControl& pick, HWND source, const char* name) {
    const std::int32_t side = LoupeSampleCount();
    PlainStep plain(side, LoupeSize(pick.dpi));
    std::vector<double> steps, moves, limits, movingLimits;
    // In place: the loupe stays where it is and draws its new picture.
    SampleAt(pick, kAt);
    for (int r = 0; r < kRepetitions * kSteps; ++r) {
        steps.push_back(TimedStep(pick, source, kAt));
        limits.push_back(TimeMs([&] {
            plain.Read();
            plain.Draw(flipped ? 0x203040u : 0x405060u);
        }));
    }
    // A pixel on each time, where the loupe must follow too.
    for (int r = 0; r < kRepetitions * kSteps; ++r) {
        moves.push_back(TimedStep(pick, source, POINT{kAt.x + r % 2, kAt.y}));
        movingLimits.push_back(TimeMs([&] {
            plain.Read();
            plain.Move(r % 2);
            plain.Draw(flipped ? 0x203040u : 0x405060u);
        }));
        Pump();
    }
    const double step = Median(steps), limit = Median(limits);
    const double move = Median(moves), movingLimit = Median(movingLimits);
    std::printf(
        "loupe %-7s %2dx%-2d  in place: sample step %6.3f ms, plain read and draw %6.3f ms,"
        " ratio %5.2f;  moving: %6.3f ms, plain read, move and draw %6.3f ms, ratio %5.2f\n",
        name, side, side, step, limit, step / limit, move, movingLimit, move / movingLimit);
}

} // namespace

int main() {
    SetProcessDPIAware();
    SetInstanceHandle(GetModuleHandleA(nullptr));
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
    Measure(pick, source, "default");
    ZoomLoupe(-kLoupeLevels); // the smallest blocks: the largest square
    Measure(pick, source, "largest");
    HideLoupe();
    DestroyWindow(source);
    DestroyWindow(parent);
    std::fflush(stdout);
    return 0;
}
