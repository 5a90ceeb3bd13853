// The recolour engine against real windows on the test's display, as Windows
// and as Wine.
#include "recolour/engine.h"
#include "recolour/pixel_passes.h"
#include "tests/unit/win32/both_platforms.h"
#include <gtest/gtest.h>

namespace {

HWND MakeWindow(int width, int height) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "EngineTestTarget";
        RegisterClassA(&wc);
        registered = true;
    }
    HWND w = CreateWindowExA(0, "EngineTestTarget", "", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(w);
    return w;
}

class RecolourEngineOn : public BothPlatforms {};
RUN_AS_BOTH_PLATFORMS(RecolourEngineOn);

} // namespace

TEST_P(RecolourEngineOn, RenderWithoutTargetPaintsNothing) {
    RecolourEngine e;
    EXPECT_FALSE(Render(e, 0x00FF0000));
}

TEST_P(RecolourEngineOn, CaptureWithoutPointChangesNothing) {
    RecolourEngine e;
    HWND w = MakeWindow(40, 30);
    EXPECT_FALSE(CaptureTarget(e, w, nullptr, nullptr));
    EXPECT_EQ(e.targetWindow, nullptr);
    DestroyWindow(w);
}

TEST_P(RecolourEngineOn, SnapshotTakesTheClientAreaAndTheColourUnderThePoint) {
    RecolourEngine e;
    HWND w = MakeWindow(41, 17);
    POINT p{3, 4};
    ASSERT_TRUE(CaptureTarget(e, w, nullptr, &p));
    EXPECT_EQ(e.width, 41);
    EXPECT_EQ(e.height, 17);
    EXPECT_EQ(e.colorToReplace, 0x00FFFFFFu);
    EXPECT_GE(e.bitsPerPixel, 16u);
    EXPECT_GE(e.captureCapacity, DibBufferBytes(e.bitsPerPixel, 41, 17));
    EXPECT_TRUE(Render(e, 0x000000FF));
    EXPECT_GE(e.outputCapacity, DibBufferBytes(e.bitsPerPixel, 41, 17));
    HDC dc = GetDC(w);
    EXPECT_EQ(GetPixel(dc, 40, 16), 0x000000FFu) << "the render did not reach the window";
    ReleaseDC(w, dc);
    DestroyWindow(w);
}

TEST_P(RecolourEngineOn, BuffersAreReusedAndOnlyGrow) {
    RecolourEngine e;
    HWND big = MakeWindow(64, 64), small = MakeWindow(8, 8);
    POINT p{1, 1};
    ASSERT_TRUE(CaptureTarget(e, big, nullptr, &p));
    ASSERT_TRUE(Render(e, 0));
    const std::uint8_t* capture = e.captureBuffer;
    const std::uint8_t* output = e.outputBuffer;
    const std::uint32_t capacity = e.captureCapacity;
    ASSERT_TRUE(CaptureTarget(e, small, nullptr, &p));
    ASSERT_TRUE(Render(e, 0));
    EXPECT_EQ(e.captureBuffer, capture);
    EXPECT_EQ(e.outputBuffer, output);
    EXPECT_EQ(e.captureCapacity, capacity);
    DestroyWindow(big);
    DestroyWindow(small);
}

TEST_P(RecolourEngineOn, AnAreaTooLargeToHoldIsRefusedAndLaterRendersDrawNothing) {
    RecolourEngine e;
    HWND w = MakeWindow(64, 64);
    POINT p{1, 1};
    ASSERT_TRUE(CaptureTarget(e, w, nullptr, &p));
    // Grow the window far past what a snapshot may hold; the capture must be
    // refused before any bitmap is made.
    SetWindowPos(w, nullptr, 0, 0, 20000, 20000, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(w, &client);
    if (client.right < 10000) GTEST_SKIP() << "the window manager limits window sizes";
    EXPECT_FALSE(CaptureTarget(e, w, nullptr, &p));
    EXPECT_FALSE(Render(e, 0x00FF00FF));
    DestroyWindow(w);
}

TEST_P(RecolourEngineOn, AFailedCaptureLeavesNoSnapshotToPaint) {
    RecolourEngine e;
    HWND w = MakeWindow(32, 32);
    POINT inside{1, 1}, outside{500, 500};
    ASSERT_TRUE(CaptureTarget(e, w, nullptr, &inside));
    EXPECT_FALSE(CaptureTarget(e, w, nullptr, &outside)); // pixel cannot be read
    EXPECT_EQ(e.width, 0);
    EXPECT_EQ(e.height, 0);
    EXPECT_FALSE(Render(e, 0));
    // A target closed between the pick and the capture has no client area.
    ASSERT_TRUE(CaptureTarget(e, w, nullptr, &inside));
    DestroyWindow(w);
    EXPECT_FALSE(CaptureTarget(e, w, nullptr, &inside));
    EXPECT_EQ(e.width, 0);
    EXPECT_EQ(e.height, 0);
}
