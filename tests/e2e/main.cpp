// The end-to-end driver. Usage:
//   tintwell_e2e.exe [gtest flags] TINTWELL_EXE RESULT_FILE
//   tintwell_e2e.exe --screenshot OUT.bmp TINTWELL_EXE [window|menu|recent|pick|loupe]
// The result file receives the test run's exit status: the Wine desktop that
// hosts the driver does not pass its exit code on.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "tests/e2e/harness.h"

int main(int argc, char** argv) {
    // Physical pixels on a scaled screen, as Tintwell itself uses them.
    SetProcessDPIAware();
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "--screenshot") == 0)
        return e2e::TakeScreenshot(argv[3], argv[2], argc == 5 ? argv[4] : "window");
    testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s [gtest flags] TINTWELL_EXE RESULT_FILE\n", argv[0]);
        return 2;
    }
    e2e::SetTintwellPath(argv[1]);
    const int layout = e2e::Screen16BitLayout();
    std::printf("screen: %dx%d, %d bits per pixel%s\n", e2e::ScreenWidth(), e2e::ScreenHeight(),
                e2e::ScreenDepth(),
                layout == 565   ? " (5-6-5)"
                : layout == 555 ? " (5-5-5)"
                                : "");
    const int result = RUN_ALL_TESTS();
    std::FILE* out = std::fopen(e2e::WindowsPath(argv[2]).c_str(), "w");
    if (out) {
        std::fprintf(out, "%d\n", result);
        std::fclose(out);
    }
    return result;
}
