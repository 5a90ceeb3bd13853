// Live recolouring rate against the machine's limit, measured in one run.
//
// recolour_fps TINTWELL_EXE [RESULT_FILE] [CHANGES]
//
// A second copy of this program (started with --target) shows a 1600x1000
// target window with a pattern in which half the pixels have one colour.
// This one starts Tintwell in a fresh directory, picks that colour in the
// target with real mouse input and changes the red component CHANGES times
// with real key strokes, each one waited for until the target shows it.
// After Tintwell has closed, its own "AvgFPS" comes from its settings file.
// The limit is what a second thread of this program reaches when it does only
// the unavoidable part of a render: a memcpy of a snapshot-sized buffer, then
// GetDC + SetDIBitsToDevice + the flush read + ReleaseDC on the same target.
// It runs in bursts between Tintwell's bursts of changes, so both see the
// same load on the machine. The lines go to RESULT_FILE when one is given,
// because the virtual desktop that runs this program does not hand its exit
// code on; the last one reads "EXIT" and the exit code.
#include "recolour/pixel_passes.h"

#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kTargetWidth = 1600, kTargetHeight = 1000;
constexpr int kBlock = 8; // pattern cell size; cells alternate like a chessboard
// Every component a multiple of 8: the same colour on 16-bit screens.
constexpr COLORREF kReplaced = RGB(0x30, 0x60, 0xC0);
constexpr COLORREF kOthers[3] = {RGB(0xF8, 0xF8, 0xF8), RGB(0x20, 0x20, 0x20),
                                 RGB(0xC0, 0x40, 0x40)};
// Green and blue of Tintwell's colour while red sweeps; red starts at 0.
constexpr COLORREF kStartColour = RGB(0x00, 0x60, 0x80);
// Tintwell's main window goes right of the target (its settings' X and Y).
constexpr int kTintwellX = 1640, kTintwellY = 40;
constexpr int kLimitFrames = 300;
constexpr int kDefaultChanges = 300;
// Tintwell's changes come in this many bursts, with a burst of the limit loop
// before each and after the last, so both see the same load on the machine.
constexpr int kBursts = 6;
constexpr DWORD kRenderTimeoutMs = 3000;

FILE* resultFile = nullptr;
COLORREF patternShown = CLR_INVALID; // the pattern colour as the screen shows it

void Report(const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    // Without console handles the file may sit on the standard output's
    // descriptor, so a line goes to one place only.
    FILE* out = resultFile ? resultFile : stdout;
    std::fputs(line, out);
    std::fflush(out);
}

// ---- Waiting ---------------------------------------------------------------

// Handles this thread's messages, so the target window stays responsive.
void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

template <typename Done> bool WaitUntil(Done done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return done();
        Sleep(1);
    }
}

// Lets `ms` pass while handling messages.
void PumpFor(DWORD ms) {
    WaitUntil([] { return false; }, ms);
}

// Waits for a handle while still handling this thread's messages.
bool WaitPumping(HANDLE handle, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD left = timeoutMs - std::min(timeoutMs, GetTickCount() - start);
        const DWORD r = MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        if (r != WAIT_OBJECT_0 + 1) return false;
        PumpMessages();
    }
}

// ---- The target window -------------------------------------------------------

std::vector<std::uint32_t> patternPixels; // top-down, 0x00RRGGBB

COLORREF PatternAt(int x, int y) {
    const int cx = x / kBlock, cy = y / kBlock;
    if ((cx + cy) % 2 == 0) return kReplaced;
    return kOthers[(cx / 2 + cy) % 3];
}

void MakePattern() {
    patternPixels.resize(std::size_t(kTargetWidth) * kTargetHeight);
    for (int y = 0; y < kTargetHeight; ++y)
        for (int x = 0; x < kTargetWidth; ++x) {
            const COLORREF c = PatternAt(x, y);
            patternPixels[std::size_t(y) * kTargetWidth + x] =
                std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c);
        }
}

void PaintTarget(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kTargetWidth;
    info.bmiHeader.biHeight = -kTargetHeight; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, kTargetWidth, kTargetHeight, 0, 0, 0, kTargetHeight,
                      patternPixels.data(), &info, DIB_RGB_COLORS);
    EndPaint(window, &ps);
}

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: PaintTarget(window); return 0;
    case WM_ERASEBKGND: return 1; // the paint covers everything
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateTarget() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "RecolourFpsTarget";
    if (!RegisterClassA(&wc)) return nullptr;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT r{0, 0, kTargetWidth, kTargetHeight};
    AdjustWindowRect(&r, style, FALSE);
    HWND window =
        CreateWindowExA(0, wc.lpszClassName, "Recolour target", style, 0, 0, r.right - r.left,
                        r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window) return nullptr;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return window;
}

// The target lives in a process of its own, as any window Tintwell recolours
// does: Wine draws on another process's window straight to the display, and
// on its own windows through a private copy, which would not compare.
int TargetMain() {
    MakePattern();
    if (!CreateTarget()) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

COLORREF TargetPixel(HWND target, int x, int y) {
    HDC dc = GetDC(target);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(target, dc);
    return c;
}

// ---- The limit ---------------------------------------------------------------

// The snapshot as Tintwell takes it: a compatible bitmap's depth, bottom-up
// rows in DIB layout.
struct Snapshot {
    BITMAPINFO info{};
    int bits = 0;
    std::vector<std::uint8_t> pixels;
};

bool TakeSnapshot(HWND target, Snapshot* s) {
    HDC windowDC = GetDC(target);
    HDC memoryDC = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, kTargetWidth, kTargetHeight);
    BITMAP described{};
    GetObjectA(bitmap, sizeof described, &described);
    HGDIOBJ old = SelectObject(memoryDC, bitmap);
    BitBlt(memoryDC, 0, 0, kTargetWidth, kTargetHeight, windowDC, 0, 0, SRCCOPY);
    SelectObject(memoryDC, old);
    s->bits = described.bmBitsPixel;
    s->pixels.assign(
        std::size_t(DibBufferBytes(std::uint32_t(s->bits), kTargetWidth, kTargetHeight)), 0);
    BITMAPINFOHEADER& h = s->info.bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = kTargetWidth;
    h.biHeight = kTargetHeight;
    h.biPlanes = 1;
    h.biBitCount = WORD(s->bits);
    h.biCompression = BI_RGB;
    const bool ok = s->bits >= 16 && !s->pixels.empty() &&
                    GetDIBits(windowDC, bitmap, 0, kTargetHeight, s->pixels.data(), &s->info,
                              DIB_RGB_COLORS) != 0;
    DeleteObject(bitmap);
    DeleteDC(memoryDC);
    ReleaseDC(target, windowDC);
    return ok;
}

struct LimitRun {
    HWND target;
    const Snapshot* snapshot;
    int burst = 0; // frames of the next burst
    int frames = 0;
    // Totals over all frames, milliseconds: the copy, GetDC, SetDIBitsToDevice,
    // the flush read and ReleaseDC.
    double total = 0, copy = 0, getDC = 0, draw = 0, flush = 0, release = 0;
    // The same frames timed as Tintwell times its renders: tick counter
    // differences on top of 1 ms.
    DWORD ticks = 1;
};

double ticksPerMs = 1;

double Ms(const LARGE_INTEGER& a, const LARGE_INTEGER& b) {
    return double(b.QuadPart - a.QuadPart) / ticksPerMs;
}

DWORD WINAPI LimitThread(LPVOID parameter) {
    LimitRun& run = *static_cast<LimitRun*>(parameter);
    const Snapshot& s = *run.snapshot;
    std::vector<std::uint8_t> output(s.pixels.size());
    for (int i = 0; i < run.burst; ++i) {
        LARGE_INTEGER t0, t1, t2, t3, t4, t5;
        const DWORD tick = GetTickCount();
        QueryPerformanceCounter(&t0);
        std::memcpy(output.data(), s.pixels.data(), s.pixels.size());
        QueryPerformanceCounter(&t1);
        HDC dc = GetDC(run.target);
        QueryPerformanceCounter(&t2);
        SetDIBitsToDevice(dc, 0, 0, kTargetWidth, kTargetHeight, 0, 0, 0, kTargetHeight,
                          output.data(), &s.info, DIB_RGB_COLORS);
        QueryPerformanceCounter(&t3);
        // The same round trip as Tintwell's render: without it Wine keeps a
        // second thread's drawing queued and the loop would time nothing.
        GetPixel(dc, 0, 0);
        QueryPerformanceCounter(&t4);
        ReleaseDC(run.target, dc);
        QueryPerformanceCounter(&t5);
        run.ticks += GetTickCount() - tick;
        run.copy += Ms(t0, t1);
        run.getDC += Ms(t1, t2);
        run.draw += Ms(t2, t3);
        run.flush += Ms(t3, t4);
        run.release += Ms(t4, t5);
        run.total += Ms(t0, t5);
        ++run.frames;
    }
    return 0;
}

// Runs `frames` more frames of the limit loop on a thread of its own.
bool MeasureLimit(LimitRun* run, int frames) {
    run->burst = frames;
    HANDLE thread = CreateThread(nullptr, 0, LimitThread, run, 0, nullptr);
    if (!thread) return false;
    const bool done = WaitPumping(thread, 120000);
    CloseHandle(thread);
    return done;
}

double Fps(const LimitRun& run) {
    return run.total > 0 ? run.frames * 1000.0 / run.total : 0;
}

void ReportLimit(const char* name, const LimitRun& run) {
    const double n = run.frames;
    Report("%s: %.1f frames/s (ms per frame: memcpy %.2f, GetDC %.2f, SetDIBitsToDevice %.2f, "
           "flush read %.2f, ReleaseDC %.2f)\n",
           name, Fps(run), run.copy / n, run.getDC / n, run.draw / n, run.flush / n,
           run.release / n);
}

// ---- Input -------------------------------------------------------------------

void SendMouseAt(int x, int y, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    const LONG w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    // Rounded up: the system maps back with (n * size) >> 16.
    in.mi.dx = LONG((LONGLONG(x) * 65536 + w - 1) / w);
    in.mi.dy = LONG((LONGLONG(y) * 65536 + h - 1) / h);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

void MouseMove(int x, int y) {
    SetCursorPos(x, y);
    SendMouseAt(x, y, 0);
}

void SendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = WORD(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    // Page Up and Page Down are extended keys on the keyboard they come from.
    in.ki.dwFlags = KEYEVENTF_EXTENDEDKEY | (up ? KEYEVENTF_KEYUP : 0);
    SendInput(1, &in, sizeof in);
}

// ---- Tintwell ----------------------------------------------------------------

std::string WindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string out = "Z:" + path;
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
}

struct Tintwell {
    PROCESS_INFORMATION process{};
    std::string directory, ini;
    HWND window = nullptr, editBox = nullptr;
};

struct FindContext {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindTopWindow(HWND window, LPARAM lParam) {
    auto& context = *reinterpret_cast<FindContext*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (pid == context.processId && std::strcmp(cls, context.className) == 0 &&
        IsWindowVisible(window)) {
        context.found = window;
        return FALSE;
    }
    return TRUE;
}

// Waits for the visible top-level window of that class and process.
HWND WaitForWindow(DWORD processId, const char* className) {
    FindContext context{processId, className, nullptr};
    WaitUntil(
        [&] {
            context.found = nullptr;
            EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&context));
            return context.found != nullptr;
        },
        10000);
    return context.found;
}

bool MakeDirectory(Tintwell* t) {
    char base[MAX_PATH];
    if (!GetTempPathA(MAX_PATH, base)) return false;
    for (int i = 0; i < 1000; ++i) {
        char name[MAX_PATH];
        snprintf(name, sizeof name, "%stintwell-fps-%lu-%d", base, GetCurrentProcessId(), i);
        if (CreateDirectoryA(name, nullptr)) {
            t->directory = name;
            t->ini = t->directory + "\\ZantheTintwell.ini";
            return true;
        }
    }
    return false;
}

bool Start(const std::string& exe, Tintwell* t) {
    if (!MakeDirectory(t)) return false;
    // Placed beside the target, with a known colour and "Auto apply" on.
    char value[32];
    snprintf(value, sizeof value, "%d", kTintwellX);
    WritePrivateProfileStringA("General", "X", value, t->ini.c_str());
    snprintf(value, sizeof value, "%d", kTintwellY);
    WritePrivateProfileStringA("General", "Y", value, t->ini.c_str());
    snprintf(value, sizeof value, "%lu", static_cast<unsigned long>(kStartColour));
    WritePrivateProfileStringA("General", "Current color", value, t->ini.c_str());
    WritePrivateProfileStringA("General", "Auto apply", "1", t->ini.c_str());

    std::string command = "\"" + WindowsPath(exe) + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        t->directory.c_str(), &si, &t->process))
        return false;
    WaitForInputIdle(t->process.hProcess, 10000);
    t->window = WaitForWindow(t->process.dwProcessId, "Tintwell");
    if (t->window) t->editBox = FindWindowExA(t->window, nullptr, "Edit", nullptr);
    return t->window && t->editBox;
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

std::string EditText(const Tintwell& t) {
    char text[64] = "";
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(t.editBox, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    return text;
}

int RedOf(const std::string& hex) {
    if (hex.size() < 2) return -1;
    return int(std::strtoul(hex.substr(0, 2).c_str(), nullptr, 16));
}

void RemoveRunDirectory(const Tintwell& t) {
    DeleteFileA(t.ini.c_str());
    RemoveDirectoryA(t.directory.c_str());
}

struct ChangeRun {
    std::string text;   // the edit box's text after the last change
    COLORREF shown = 0; // what the target's picked cell showed last
    bool up = true;     // red's direction
    double pauseMs = 5; // first look at the target this long after a change
    int changes = 0, timeouts = 0;
    double seconds = 0;
};

// Focuses the red bar with a click on it, which is a change of its own.
bool FocusRedBar(const Tintwell& t, HWND target, POINT pick, ChangeRun* run) {
    const RECT bar{80, 30, 230, 48};
    const POINT barPoint = ClientToScreenPoint(t.window, bar.left + 40, (bar.top + bar.bottom) / 2);
    const COLORREF picked = TargetPixel(target, pick.x, pick.y);
    MouseMove(barPoint.x, barPoint.y);
    SendMouseAt(barPoint.x, barPoint.y, MOUSEEVENTF_LEFTDOWN);
    SendMouseAt(barPoint.x, barPoint.y, MOUSEEVENTF_LEFTUP);
    if (!WaitUntil([&] { return RedOf(run->text = EditText(t)) > 0; }, 3000)) return false;
    return WaitUntil([&] { return (run->shown = TargetPixel(target, pick.x, pick.y)) != picked; },
                     kRenderTimeoutMs);
}

// Red sweeps between 0 and 255 by Page Up / Page Down (steps of 32), so that
// every change is visible on a 16-bit screen too. Each change is waited for
// until the edit box shows it and then until the target shows a new colour;
// the target is first read a little after the change, so that these reads
// do not compete with the render they wait for.
bool ChangeColours(const Tintwell& t, HWND target, POINT pick, int changes, ChangeRun* run) {
    run->shown = TargetPixel(target, pick.x, pick.y);
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < changes; ++i) {
        const int red = RedOf(run->text);
        if (red == 255) run->up = false;
        if (red == 0) run->up = true;
        const WORD key = run->up ? VK_PRIOR : VK_NEXT;
        SendKey(key, false);
        SendKey(key, true);
        const std::string before = run->text;
        if (!WaitUntil([&] { return (run->text = EditText(t)) != before; }, 3000)) return false;
        PumpFor(DWORD(run->pauseMs));
        const COLORREF previous = run->shown;
        const bool seen = WaitUntil(
            [&] {
                if ((run->shown = TargetPixel(target, pick.x, pick.y)) != previous) return true;
                Sleep(1);
                return false;
            },
            kRenderTimeoutMs);
        if (!seen) ++run->timeouts;
        ++run->changes;
    }
    QueryPerformanceCounter(&t1);
    run->seconds += Ms(t0, t1) / 1000;
    return true;
}

// Press on the pick-window eyedropper, move over the target's pattern colour,
// release: the target is chosen with that colour to replace.
bool PickTarget(const Tintwell& t, HWND target, POINT pick) {
    const POINT from = ClientToScreenPoint(t.window, (7 + 57) / 2, (129 + 169) / 2);
    const POINT to = ClientToScreenPoint(target, pick.x, pick.y);
    MouseMove(from.x, from.y);
    SendMouseAt(from.x, from.y, MOUSEEVENTF_LEFTDOWN);
    constexpr int kSteps = 20;
    for (int i = 1; i <= kSteps; ++i) {
        MouseMove(from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps);
        PumpFor(5);
    }
    PumpFor(100); // the last hover report is the colour picked
    SendMouseAt(to.x, to.y, MOUSEEVENTF_LEFTUP);
    // The commit wakes the worker, which paints the target in Tintwell's colour.
    return WaitUntil([&] { return TargetPixel(target, pick.x, pick.y) != patternShown; },
                     kRenderTimeoutMs);
}

bool CloseTintwell(Tintwell& t, DWORD* exitCode) {
    PostMessageA(t.window, WM_CLOSE, 0, 0);
    const bool ended = WaitPumping(t.process.hProcess, 15000);
    if (!ended) TerminateProcess(t.process.hProcess, 1);
    GetExitCodeProcess(t.process.hProcess, exitCode);
    CloseHandle(t.process.hThread);
    CloseHandle(t.process.hProcess);
    return ended;
}

struct TargetProcess {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

bool StartTarget(TargetProcess* target) {
    char self[MAX_PATH];
    if (!GetModuleFileNameA(nullptr, self, MAX_PATH)) return false;
    std::string command = std::string("\"") + self + "\" --target";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &target->process))
        return false;
    target->window = WaitForWindow(target->process.dwProcessId, "RecolourFpsTarget");
    return target->window != nullptr;
}

void EndTarget(TargetProcess* target) {
    if (!target->process.hProcess) return;
    if (target->window) PostMessageA(target->window, WM_CLOSE, 0, 0);
    if (!WaitPumping(target->process.hProcess, 10000))
        TerminateProcess(target->process.hProcess, 1);
    CloseHandle(target->process.hThread);
    CloseHandle(target->process.hProcess);
}

// The target repaints itself and shows its pattern again.
bool Restore(HWND target, POINT pick) {
    InvalidateRect(target, nullptr, FALSE);
    return WaitUntil([&] { return TargetPixel(target, pick.x, pick.y) == patternShown; }, 5000);
}

int Measure(const char* tintwellExe, HWND target, int changes) {
    const POINT pick{10 * kBlock + kBlock / 2, 10 * kBlock + kBlock / 2};
    const POINT neighbour{pick.x + kBlock, pick.y};
    // Painted once two neighbouring cells differ; what the screen shows for
    // the pattern colour is read back, as a 16-bit screen rounds it.
    COLORREF neighbourShown = 0;
    WaitUntil(
        [&] {
            patternShown = TargetPixel(target, pick.x, pick.y);
            neighbourShown = TargetPixel(target, neighbour.x, neighbour.y);
            return patternShown != CLR_INVALID && neighbourShown != CLR_INVALID &&
                   patternShown != neighbourShown;
        },
        5000);
    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    RECT client;
    GetClientRect(target, &client);
    POINT corner{client.right, client.bottom};
    ClientToScreen(target, &corner);
    const bool inside =
        corner.x <= GetSystemMetrics(SM_CXSCREEN) && corner.y <= GetSystemMetrics(SM_CYSCREEN);
    Report("screen %dx%d at %d bits per pixel; target client %ldx%ld, bottom-right corner at "
           "(%ld,%ld)%s; pattern colour reads back as 0x%06lX\n",
           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), depth, client.right,
           client.bottom, corner.x, corner.y, inside ? "" : " (past the screen's edge)",
           patternShown);

    Snapshot snapshot;
    if (!TakeSnapshot(target, &snapshot)) {
        Report("FAILED: could not read the target back\n");
        return 1;
    }
    LimitRun limit;
    limit.target = target;
    limit.snapshot = &snapshot;
    LimitRun warmUp = limit;
    if (!MeasureLimit(&warmUp, 10)) {
        Report("FAILED: the limit loop did not finish\n");
        return 1;
    }
    Restore(target, pick);

    Tintwell t;
    if (!Start(tintwellExe, &t)) {
        Report("FAILED: Tintwell did not start (%s)\n", tintwellExe);
        if (t.process.hProcess) TerminateProcess(t.process.hProcess, 1);
        return 1;
    }
    ChangeRun changed;
    bool ok = PickTarget(t, target, pick);
    if (!ok) Report("FAILED: picking the target repainted nothing\n");
    if (ok) {
        ok = FocusRedBar(t, target, pick, &changed);
        if (!ok) Report("FAILED: a click on the red bar changed nothing\n");
    }
    for (int burst = 0; ok && burst < kBursts; ++burst) {
        ok = MeasureLimit(&limit, kLimitFrames / (kBursts + 1));
        if (!ok) Report("FAILED: the limit loop did not finish\n");
        changed.pauseMs = std::min(200.0, std::max(2.0, 1.5 * limit.total / limit.frames));
        const int count = changes / kBursts + (burst < changes % kBursts ? 1 : 0);
        if (ok) ok = ChangeColours(t, target, pick, count, &changed);
        if (!ok) Report("FAILED: a colour change did not reach Tintwell's edit box\n");
    }
    // What the last render left: the picked colour replaced, the rest as drawn.
    const COLORREF pickShows = TargetPixel(target, pick.x, pick.y);
    const COLORREF neighbourShows = TargetPixel(target, neighbour.x, neighbour.y);
    if (ok) ok = MeasureLimit(&limit, kLimitFrames - limit.frames);
    const std::string lastText = EditText(t);
    DWORD exitCode = 0;
    const bool closed = CloseTintwell(t, &exitCode);
    const UINT avgFps = GetPrivateProfileIntA("General", "AvgFPS", 0, t.ini.c_str());
    RemoveRunDirectory(t);
    if (!closed) Report("FAILED: Tintwell did not close\n");
    ok = ok && closed;

    if (!ok) return 1;

    Report("colour changes: %d in %.1f s (%.1f per second, each waited for on the target); "
           "%d not seen within %lu ms\n",
           changed.changes, changed.seconds, changed.changes / changed.seconds, changed.timeouts,
           kRenderTimeoutMs);
    Report("after the last change (%s): the picked cell shows 0x%06lX, its neighbour 0x%06lX "
           "(before: 0x%06lX); Tintwell exit code %lu\n",
           lastText.c_str(), pickShows, neighbourShows, neighbourShown, exitCode);
    ReportLimit("limit, in bursts between Tintwell's", limit);
    const double limitFps = Fps(limit);
    // Wine's tick counter moves in steps of about 16 ms, as long as a frame
    // here; the limit counted the same way shows how much that skews.
    const double limitTickFps = limit.frames * 1000.0 / limit.ticks;
    Report("limit counted with the tick counter, as Tintwell counts: %.1f frames/s\n",
           limitTickFps);
    Report("RESULT depth %d: Tintwell AvgFPS %u, limit %.1f frames/s, ratio %.2f (by the tick "
           "counter: limit %.1f, ratio %.2f)\n",
           depth, avgFps, limitFps, limitFps > 0 ? avgFps / limitFps : 0.0, limitTickFps,
           avgFps / limitTickFps);
    return 0;
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        Report("usage: recolour_fps TINTWELL_EXE [RESULT_FILE] [CHANGES]\n");
        return 2;
    }
    const int changes = argc > 3 ? std::max(10, std::atoi(argv[3])) : kDefaultChanges;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerMs = double(frequency.QuadPart) / 1000.0;

    TargetProcess target;
    int rc = 1;
    if (StartTarget(&target))
        rc = Measure(argv[1], target.window, changes);
    else
        Report("FAILED: no target window\n");
    EndTarget(&target);
    return rc;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--target") == 0) return TargetMain();
    if (argc > 2) resultFile = std::fopen(WindowsPath(argv[2]).c_str(), "w");
    const int rc = Run(argc, argv);
    if (resultFile) {
        std::fprintf(resultFile, "EXIT %d\n", rc);
        std::fclose(resultFile);
    }
    return rc;
}
