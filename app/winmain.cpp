// Tintwell's entry point: start-up, the message loop and shutdown.
#include <windows.h>
#include "app/main_messages.h"
#include "app/main_window.h"
#include "app/settings.h"
#include "app/shell.h"
#include "colour/colour_state.h"
#include "controls/accessible.h"
#include "platform/instance.h"
#include "platform/system_function.h"
#include "recolour/worker.h"

static int RunMessageLoop() {
    // No accelerators and no dialog processing: the controls pass Tab on to
    // the main window, which moves the focus in its own order (MoveFocus).
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) != 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return int(msg.wParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    LoadLibrariesFromSystemFolderOnly();
    SetInstanceHandle(instance);
    ReadStartupDirectory();
    LoadOrSaveSettings(true);
    RegisterMainClass();
    if (!CreateMainWindow(StartupShowCommand())) return 0;

    StartWorker();
    SetColorComponent(ComponentWhole, std::int32_t(currentColor.load()), true, false);
    RefreshColorViews(false);

    const int exitCode = RunMessageLoop();

    // The worker must be gone before the event, the lock and the engine go,
    // and before the target is told to repaint for the last time.
    EndWorker();
    LoadOrSaveSettings(false);
    ReleaseWorker();
    InvalidateTarget();
    ReleaseMainClassObjects();
    ReleaseAccessibility();
    return exitCode;
}
