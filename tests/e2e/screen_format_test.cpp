// The driver's own colour reading: a window of the driver's painted in known
// colours must read back exactly as ScreenColour predicts, at any depth.
#include <gtest/gtest.h>

#include <vector>

#include "tests/e2e/harness.h"

namespace {

const COLORREF kStripes[] = {0x00FFB2BB, 0x00003050, 0x00808080, 0x00800000, 0x000000FF,
                             0x0000FF00, 0x00FF0000, 0x00FFFFFF, 0x00000000, 0x00123456,
                             0x00C8C8C8, 0x00004D44, 0x00070707, 0x00F8FCF8};
constexpr int kStripeWidth = 10, kStripeHeight = 20;

LRESULT CALLBACK StripeProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        int x = 0;
        for (COLORREF c : kStripes) {
            RECT r{x, 0, x + kStripeWidth, kStripeHeight};
            HBRUSH brush = CreateSolidBrush(c);
            FillRect(dc, &r, brush);
            DeleteObject(brush);
            x += kStripeWidth;
        }
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

TEST(ScreenFormat, QuantisedColoursMatchPaintedOnes) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = StripeProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "E2eStripes";
    RegisterClassA(&wc);
    const int count = static_cast<int>(sizeof kStripes / sizeof kStripes[0]);
    HWND w = CreateWindowExA(WS_EX_TOPMOST, "E2eStripes", "", WS_POPUP | WS_VISIBLE, 20, 20,
                             count * kStripeWidth, kStripeHeight, nullptr, nullptr, wc.hInstance,
                             nullptr);
    ASSERT_NE(nullptr, w);
    UpdateWindow(w);
    auto allMatch = [&] {
        e2e::ScreenImage image(RECT{20, 20, 20 + count * kStripeWidth, 20 + kStripeHeight});
        for (int i = 0; i < count; ++i)
            if (!e2e::ShowsColour(image.At(25 + i * kStripeWidth, 30), kStripes[i])) return false;
        return true;
    };
    const bool matched = e2e::WaitPumping(allMatch, 3000);
    e2e::ScreenImage image(RECT{20, 20, 20 + count * kStripeWidth, 20 + kStripeHeight});
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(e2e::ScreenColour(kStripes[i]), image.At(25 + i * kStripeWidth, 30))
            << "stripe " << i << " painted 0x" << std::hex << kStripes[i];
    EXPECT_TRUE(matched);
    DestroyWindow(w);
}

TEST(ScreenFormat, Quantise16KeepsTheTopBitsAndRepeatsThem) {
    struct Case {
        COLORREF in;
        int layout;
        COLORREF out;
    };
    const Case cases[] = {
        {0x00FFB2BB, 565, 0x00FFB2BD}, {0x00FFB2BB, 555, 0x00FFB5BD}, {0x00003050, 565, 0x00003052},
        {0x00FFFFFF, 565, 0x00FFFFFF}, {0x00000000, 555, 0x00000000}, {0x00808080, 565, 0x00848284},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.out, e2e::Quantise16(c.in, c.layout)) << std::hex << c.in << " " << c.layout;
}

} // namespace
