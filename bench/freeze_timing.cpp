// The time to freeze the screen (the whole screen read once and the picture
// shown) against the limit it can reach: one plain BitBlt of the whole
// screen into a 32-bit DIB section plus one plain draw of it into a window
// of the screen's size, in one run; and a sample step of a frozen pick
// against a live one. Each line gives medians. Run on a Wine virtual
// desktop of the size to measure (make bench: 1920x1080 and 3840x2160).
#include "controls/freeze.h"
#include "controls/loupe.h"
#include "controls/pick_control.h"
#include "platform/bitmaps.h"
#include "platform/instance.h"
#include "bench/timing.h"
#include "platform/screen.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::Median;
using bench::Pump;
using bench::TimeMs;

constexpr int kFreezes = 15, kSteps = 200;
constexpr POINT kAt{300, 300};

// The limit: the screen read plainly into a picture of its size, and the
// picture drawn plainly into a window of that size.
class PlainFreeze {
  public:
    explicit PlainFreeze(const Rect32& screen)
        : screen_(screen), width_(screen.right - screen.left), height_(screen.bottom - screen.top),
          picture_(MakeTopDownDib32(width_, height_, &bits_)),
          window_(CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, "STATIC", "",
                                  WS_POPUP, screen.left, screen.top, width_, height_, nullptr,
                                  nullptr, nullptr, nullptr)) {}
    ~PlainFreeze() {
        DestroyWindow(window_);
        DeleteObject(picture_);
    }
    void Freeze() {
        bench::ReadScreenPlainly(picture_, screen_.left, screen_.top, width_, height_);
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        bench::DrawPlainly(window_, picture_, width_, height_);
    }
    void Thaw() { ShowWindow(window_, SW_HIDE); }

  private:
    Rect32 screen_;
    int width_, height_;
    std::uint32_t* bits_ = nullptr;
    HBITMAP picture_;
    HWND window_;
};

} // namespace

int main() {
    SetProcessDPIAware();
    SetInstanceHandle(GetModuleHandleA(nullptr));
    HWND parent =
        CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 20,
                        20, 60, 50, nullptr, nullptr, nullptr, nullptr);
    PickControl pick;
    if (!parent || !CreatePickControl(pick, parent, WM_APP, RECT{0, 0, 50, 40}, 0xFFFFFF)) {
        std::fprintf(stderr, "freeze_timing: no window\n");
        return 1;
    }
    pick.freezes = 1;
    const Rect32 screen = VirtualScreen();
    PlainFreeze plain(screen);
    std::vector<double> freezes, limits;
    for (int r = 0; r < kFreezes; ++r) {
        Pump();
        freezes.push_back(TimeMs([&] { FreezeScreen(parent); }));
        ThawScreen();
        Pump();
        limits.push_back(TimeMs([&] { plain.Freeze(); }));
        plain.Thaw();
    }
    // Sample steps, live and then frozen: in place, where nothing is drawn
    // anew, and a pixel on each time, where the loupe moves and draws.
    std::vector<double> live[2], frozen[2];
    for (int freezing = 0; freezing < 2; ++freezing) {
        if (freezing) FreezeScreen(parent);
        for (int moving = 0; moving < 2; ++moving)
            for (int r = 0; r < kSteps; ++r) {
                const POINT at{kAt.x + (moving ? r % 2 : 0), kAt.y};
                (freezing ? frozen : live)[moving].push_back(TimeMs([&] { SampleAt(pick, at); }));
                Pump();
            }
    }
    ThawScreen();
    HideLoupe();
    const double freeze = Median(freezes), limit = Median(limits);
    std::printf("freeze %ldx%ld  %7.2f ms  plain read and draw %7.2f ms  ratio %5.2f\n",
                long(screen.right - screen.left), long(screen.bottom - screen.top), freeze, limit,
                freeze / limit);
    for (int moving = 0; moving < 2; ++moving)
        std::printf("  sample step %-8s frozen %6.3f ms, live %6.3f ms, ratio %5.2f\n",
                    moving ? "moving" : "in place", Median(frozen[moving]), Median(live[moving]),
                    Median(frozen[moving]) / Median(live[moving]));
    DestroyWindow(parent);
    std::fflush(stdout);
    return 0;
}
