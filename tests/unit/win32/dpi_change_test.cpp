// The main window moved to a monitor of another scale and back, in this
// process: Wine has one scale for every monitor, so the message is sent here.
#include "app/main_window.h"
#include "app/records.h"
#include "app/shell.h"
#include <gtest/gtest.h>

namespace {

// A child's rectangle in the main window's client coordinates.
RECT ClientRectOf(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Same(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != 0;
}

void ExpectRect(HWND child, const RECT& expected, const char* what) {
    const RECT r = ClientRectOf(child);
    EXPECT_TRUE(Same(r, expected)) << what << " at " << r.left << "," << r.top << "," << r.right
                                   << "," << r.bottom;
}

LONG FontHeight(HFONT font) {
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    return lf.lfHeight;
}

void SendDpiChange(UINT dpi, RECT suggested) {
    SendMessageA(mainWindow, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
}

} // namespace

TEST(DpiChange, LaysOutAtTheNewScaleAndComesBackToTheLayoutAt100) {
    instanceHandle = GetModuleHandleA(nullptr);
    windowX = 40;
    windowY = 50;
    RegisterMainClass();
    ASSERT_TRUE(CreateMainWindow(SW_SHOWNOACTIVATE));
    ASSERT_EQ(windowDpi, 96u) << "the tests run at 100 %";

    SendDpiChange(144, RECT{60, 70, 60 + 495, 70 + 300});
    RECT frame;
    GetWindowRect(mainWindow, &frame);
    EXPECT_TRUE(Same(frame, RECT{60, 70, 555, 370}));
    ExpectRect(closeButton, RECT{165, 221, 300, 254}, "Close");
    ExpectRect(editBox, RECT{120, 8, 233, 38}, "edit box");
    ExpectRect(redBar.window, RECT{120, 45, 345, 72}, "red bar");
    ExpectRect(pickWindowControl.window, RECT{11, 194, 86, 254}, "pick-window eyedropper");
    // The bar's track: its client area less 20 pixels of arrows either side.
    RECT client;
    GetClientRect(redBar.window, &client);
    EXPECT_EQ(redBar.track.left, 20);
    EXPECT_EQ(redBar.track.right, client.right - 20);
    EXPECT_EQ(redBar.metrics.thumbRadius, 6);
    EXPECT_EQ(FontHeight(uiFont), 21);
    EXPECT_EQ(FontHeight(controlFont), 24);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(copyButton, WM_GETFONT, 0, 0)), controlFont);
    GetClientRect(pickColorControl.window, &client);
    EXPECT_EQ(pickColorControl.clientWidth, client.right);
    EXPECT_EQ(pickColorControl.clientHeight, client.bottom);

    SendDpiChange(96, RECT{40, 50, 40 + 330, 50 + 200});
    GetWindowRect(mainWindow, &frame);
    EXPECT_TRUE(Same(frame, RECT{40, 50, 370, 250}));
    ExpectRect(closeButton, RECT{110, 147, 200, 169}, "Close");
    ExpectRect(copyButton, RECT{165, 5, 230, 25}, "Copy");
    ExpectRect(autoApplyBox, RECT{110, 124, 230, 144}, "Auto apply");
    ExpectRect(editBox, RECT{80, 5, 155, 25}, "edit box");
    ExpectRect(redBar.window, RECT{80, 30, 230, 48}, "red bar");
    ExpectRect(brightnessBar.window, RECT{80, 100, 230, 118}, "brightness bar");
    ExpectRect(pickColorControl.window, RECT{7, 69, 57, 109}, "pick-colour eyedropper");
    ExpectRect(pickWindowControl.window, RECT{7, 129, 57, 169}, "pick-window eyedropper");
    EXPECT_EQ(redBar.track.left, 13);
    EXPECT_EQ(redBar.track.right, 133);
    EXPECT_EQ(redBar.metrics.thumbRadius, 4);
    EXPECT_EQ(FontHeight(uiFont), 14);
    EXPECT_EQ(controlFont, nullptr);
    EXPECT_EQ(pickColorControl.clientWidth, 46);
    EXPECT_EQ(mainLayout.cells[9].left, 284);

    // The later tests find the program's globals without windows.
    DestroyWindow(mainWindow);
    ReleaseMainClassObjects();
    mainWindow = closeButton = copyButton = autoApplyBox = editBox = nullptr;
    for (PositionBar* bar : {&redBar, &greenBar, &blueBar, &brightnessBar})
        bar->window = nullptr;
    pickColorControl.window = pickWindowControl.window = nullptr;
}
