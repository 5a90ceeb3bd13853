// The program's main window with its children, made in this process for a
// test and taken away after it, leaving the globals as the next test needs
// them.
#pragma once
#include "app/main_window.h"
#include "app/records.h"
#include "app/shell.h"
#include "platform/instance.h"
#include <gtest/gtest.h>

class MainWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        SetInstanceHandle(GetModuleHandleA(nullptr));
        windowX = 40;
        windowY = 50;
        RegisterMainClass();
        ASSERT_TRUE(CreateMainWindow(SW_SHOWNOACTIVATE));
    }

    void TearDown() override {
        DestroyWindow(mainWindow);
        UnregisterClassA("Tintwell", GetModuleHandleA(nullptr)); // its brush goes below
        ReleaseMainClassObjects();
        mainWindow = closeButton = copyButton = autoApplyBox = editBox = nullptr;
        for (PositionBar* bar : {&redBar, &greenBar, &blueBar, &brightnessBar})
            bar->window = nullptr;
        pickColorControl.window = pickWindowControl.window = nullptr;
    }

    // Handles what is queued, as the message loop would next.
    static void HandleQueued() {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
};
