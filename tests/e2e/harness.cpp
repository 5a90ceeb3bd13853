#include "tests/e2e/harness.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <sstream>

namespace e2e {

namespace {
std::string tintwellPath;
int directoryCounter = 0;

COLORREF ColourOfPacked(std::uint32_t p) {
    return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}

// Expands an n-bit channel to 8 bits by repeating its top bits, as the
// platform does when it reads a 16-bit screen back.
unsigned Expand(unsigned value, int bits) {
    unsigned v = value << (8 - bits);
    return v | (v >> bits);
}

// The pointer is moved and its buttons pressed on the X display, as a mouse
// would: Wine then takes it as the hardware input it is, with the cursor, the
// X pointer and every window agreeing on where it is. Input Wine injects
// itself does not give that: a move sent with SendInput leaves the X pointer
// behind, and Wine puts the cursor back there about 100 ms later; SetCursorPos
// moves the X pointer, and its motion comes back late as moves to earlier
// places. xdotool, a Unix program that Wine starts like any other, gives the
// input; Wine has taken it once the cursor is there or the button's state has
// changed. Delivery may need an answer from a window of the calling thread
// (the one under the pointer, say), so its messages are dispatched meanwhile.
bool PointerInput(const std::string& command, const std::function<bool()>& taken) {
    std::string line = "/usr/bin/xdotool " + command;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        ADD_FAILURE() << "cannot run " << line << " (error " << GetLastError() << ")";
        return false;
    }
    // A Unix process gives no handle to wait on; what counts is Wine's taking
    // it. Nor does Wine fill the process information for one (the 64-bit Wine
    // leaves stack garbage in it): closing those "handles" once closed the
    // driver's own window station, and every program it started afterwards
    // came up on another desktop, unseen.
    const bool delivered = WaitPumping(taken, 3000);
    if (!delivered) ADD_FAILURE() << "\"xdotool " << command << "\" was not delivered";
    return delivered;
}

bool ButtonDown(Button button) {
    return (GetAsyncKeyState(button == Button::Left ? VK_LBUTTON : VK_RBUTTON) & 0x8000) != 0;
}

void PressOrRelease(Button button, bool down) {
    const std::string which = button == Button::Left ? "1" : "3";
    PointerInput(std::string(down ? "mousedown " : "mouseup ") + which,
                 [=] { return ButtonDown(button) == down; });
}

void SendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE: in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY; break;
    default: break;
    }
    SendInput(1, &in, sizeof in);
}

bool OpenClipboardPatiently() {
    return WaitUntil([] { return OpenClipboard(nullptr) != 0; }, 2000);
}

std::wstring Widen(const std::string& text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(n), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), &wide[0], n);
    return wide;
}

// "\\?\" lifts the file calls' limit of MAX_PATH; the path must be absolute.
std::wstring Unlimited(const std::wstring& path) {
    return L"\\\\?\\" + path;
}

bool ReadWholeFile(const std::wstring& path, std::string* text) {
    HANDLE file =
        CreateFileW(Unlimited(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    text->clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text->append(buffer, got);
    CloseHandle(file);
    return true;
}

bool WriteWholeFile(const std::wstring& path, const std::string& text) {
    HANDLE file = CreateFileW(Unlimited(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr) &&
                    written == text.size();
    return CloseHandle(file) && ok;
}

void RemoveDirectoryTree(const std::wstring& dir) {
    for (const std::wstring& name : FolderEntries(dir)) {
        const std::wstring path = dir + L"\\" + name;
        if (GetFileAttributesW(Unlimited(path).c_str()) & FILE_ATTRIBUTE_DIRECTORY)
            RemoveDirectoryTree(path);
        else
            DeleteFileW(Unlimited(path).c_str());
    }
    RemoveDirectoryW(Unlimited(dir).c_str());
}

// A top-level window of a process, by its class.
struct FindWindowOf {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindWindowOfProc(HWND window, LPARAM param) {
    auto* find = reinterpret_cast<FindWindowOf*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (pid != find->processId || std::strcmp(cls, find->className) != 0) return TRUE;
    find->found = window;
    return FALSE;
}

HWND WindowOf(DWORD processId, const char* className) {
    FindWindowOf find{processId, className, nullptr};
    EnumWindows(FindWindowOfProc, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
    return TRUE;
}

bool WriteBmpFile(const std::string& path, const std::vector<std::uint32_t>& pixels, int width,
                  int height) {
    // 24-bit bottom-up rows padded to four bytes: the plainest BMP there is.
    const int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(rowBytes * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::vector<unsigned char> row(rowBytes, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = pixels[static_cast<size_t>(y) * width + x];
            row[x * 3 + 0] = static_cast<unsigned char>(p);
            row[x * 3 + 1] = static_cast<unsigned char>(p >> 8);
            row[x * 3 + 2] = static_cast<unsigned char>(p >> 16);
        }
        std::fwrite(row.data(), 1, row.size(), out);
    }
    return std::fclose(out) == 0;
}
} // namespace

const std::string& TintwellPath() {
    return tintwellPath;
}
void SetTintwellPath(const std::string& path) {
    tintwellPath = WindowsPath(path);
}

std::string WindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string out = "Z:" + path;
    for (char& c : out)
        if (c == '/') c = '\\';
    return out;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return done();
        Sleep(10);
    }
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

bool WaitPumping(const std::function<bool()>& done, DWORD timeoutMs) {
    return WaitUntil(
        [&] {
            PumpMessages();
            return done();
        },
        timeoutMs);
}

// ---- Geometry -------------------------------------------------------------

int Area(const RECT& r) {
    return (r.right - r.left) * (r.bottom - r.top);
}
POINT Middle(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
RECT Inset(RECT r, int by) {
    InflateRect(&r, -by, -by);
    return r;
}

// ---- Colour text ----------------------------------------------------------

std::string HexText(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

COLORREF ColourOfHex(const std::string& text) {
    if (text.size() != 6) return CLR_INVALID;
    char* end = nullptr;
    const unsigned long packed = std::strtoul(text.c_str(), &end, 16);
    if (*end != '\0') return CLR_INVALID;
    return RGB((packed >> 16) & 0xFF, (packed >> 8) & 0xFF, packed & 0xFF);
}

std::string DecimalText(COLORREF colour) {
    return std::to_string(static_cast<unsigned long>(colour));
}

// ---- Screen ---------------------------------------------------------------

int ScreenDepth() {
    HDC screen = GetDC(nullptr);
    int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}
int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int AtScreenScale(int at100) {
    return MulDiv(at100, ScreenDpi(), 96);
}

RECT AtScreenScale(const RECT& r) {
    return RECT{AtScreenScale(r.left), AtScreenScale(r.top), AtScreenScale(r.right),
                AtScreenScale(r.bottom)};
}

int ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}
int ScreenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}

// A 16-bit X server runs Wine's screen as 5-6-5 (a screen-compatible bitmap
// claims 5-5-5, but the pixels read back keep six bits of green); the
// driver's own windows, which every 16-bit run waits to see in their colours
// as predicted, check this on every run.
int Screen16BitLayout() {
    return ScreenDepth() == 16 ? 565 : 0;
}

COLORREF Quantise16(COLORREF colour, int layout) {
    const unsigned r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    const int greenBits = layout == 565 ? 6 : 5;
    const unsigned qr = Expand(r >> 3, 5), qg = Expand(g >> (8 - greenBits), greenBits),
                   qb = Expand(b >> 3, 5);
    return qr | (qg << 8) | (qb << 16);
}

COLORREF ScreenColour(COLORREF colour) {
    colour &= 0x00FFFFFF;
    if (ScreenDepth() != 16) return colour;
    return Quantise16(colour, Screen16BitLayout());
}

bool ShowsColour(COLORREF shown, COLORREF expected) {
    return (shown & 0x00FFFFFF) == ScreenColour(expected);
}

ScreenImage::ScreenImage(const RECT& area) : area_(area) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) {
        HGDIOBJ old = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        pixels_.assign(p, p + static_cast<size_t>(w) * h);
        for (auto& px : pixels_)
            px &= 0x00FFFFFF;
        SelectObject(memory, old);
    }
    if (dib) DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF ScreenImage::At(int x, int y) const {
    const int w = area_.right - area_.left;
    if (x < area_.left || x >= area_.right || y < area_.top || y >= area_.bottom || pixels_.empty())
        return CLR_INVALID;
    return ColourOfPacked(pixels_[static_cast<size_t>(y - area_.top) * w + (x - area_.left)]);
}

int ScreenImage::Count(const RECT& part, COLORREF expected) const {
    RECT r;
    if (!IntersectRect(&r, &part, &area_)) return 0;
    const COLORREF want = ScreenColour(expected);
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (At(x, y) == want) ++n;
    return n;
}

bool ScreenImage::WriteBmp(const std::string& path) const {
    if (pixels_.empty()) return false;
    return WriteBmpFile(path, pixels_, area_.right - area_.left, area_.bottom - area_.top);
}

COLORREF ScreenPixel(int x, int y) {
    ScreenImage one(RECT{x, y, x + 1, y + 1});
    return one.At(x, y);
}

// ---- Windows of the driver's -------------------------------------------------

namespace {
// The stripes' shift lives in the window's user data; the shift painted
// last, plus one, in a property.
constexpr const char* kPaintedShift = "E2ePaintedShift";

LRESULT CALLBACK StripesProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        RECT client;
        GetClientRect(w, &client);
        const LONG_PTR shift = GetWindowLongPtrA(w, GWLP_USERDATA);
        for (int x = 0; x < client.right; ++x) {
            const RECT column{x, 0, x + 1, client.bottom};
            HBRUSH brush = CreateSolidBrush(StripesWindow::Colour(x + int(shift)));
            FillRect(dc, &column, brush);
            DeleteObject(brush);
        }
        EndPaint(w, &ps);
        SetPropA(w, kPaintedShift, reinterpret_cast<HANDLE>(shift + 1));
        return 0;
    }
    case WM_ERASEBKGND: return 1; // the paint covers every pixel
    default: return DefWindowProcA(w, msg, wp, lp);
    }
}
} // namespace

ThreadWindow::ThreadWindow(const char* className, WNDPROC procedure, const RECT& screen,
                           DWORD exStyle)
    : screen_(screen) {
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([=] { Run(className, procedure, exStyle); });
    WaitForSingleObject(ready_, 10000);
}

ThreadWindow::~ThreadWindow() {
    if (window_) SendMessageA(window_, WM_CLOSE, 0, 0);
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    CloseHandle(ready_);
}

void ThreadWindow::Run(const char* className, WNDPROC procedure, DWORD exStyle) {
    threadId_ = GetCurrentThreadId();
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    RegisterClassA(&wc); // fails harmlessly when an earlier window registered it
    HWND w = CreateWindowExA(exStyle, className, "", WS_POPUP, screen_.left, screen_.top,
                             screen_.right - screen_.left, screen_.bottom - screen_.top, nullptr,
                             nullptr, wc.hInstance, nullptr);
    if (w) {
        ShowWindow(w, SW_SHOWNOACTIVATE);
        UpdateWindow(w);
    }
    window_ = w;
    SetEvent(ready_);
    MSG msg;
    while (w && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

StripesWindow::StripesWindow(POINT origin, int columns, int height)
    : window_("E2eStripesWindow", StripesProc,
              RECT{origin.x, origin.y, origin.x + columns, origin.y + height}) {}

POINT StripesWindow::Column(int i) const {
    const RECT& r = window_.ScreenRect();
    return POINT{r.left + i, (r.top + r.bottom) / 2};
}

COLORREF StripesWindow::Colour(int i) {
    // Five bits widened to eight as the platform widens them, so that the
    // colour survives a 5-5-5 round trip unchanged.
    auto widen = [](int c) { return static_cast<BYTE>((c << 3) | (c >> 2)); };
    return RGB(widen(i & 31), widen(4 + 3 * ((i >> 5) & 7)), widen(31 - (i & 31)));
}

bool StripesWindow::Shown(DWORD timeoutMs) const {
    const RECT& r = window_.ScreenRect();
    return Handle() && WaitUntil(
                           [&] {
                               const ScreenImage image(r);
                               for (int i = 0; i < r.right - r.left; ++i) {
                                   const POINT p = Column(i);
                                   if (image.At(p.x, p.y) != ShownColour(i)) return false;
                               }
                               return true;
                           },
                           timeoutMs);
}

bool StripesWindow::Recolour(int shift) const {
    SetWindowLongPtrA(Handle(), GWLP_USERDATA, shift);
    InvalidateRect(Handle(), nullptr, FALSE);
    return WaitUntil([&] {
        return GetPropA(Handle(), kPaintedShift) == reinterpret_cast<HANDLE>(LONG_PTR(shift) + 1);
    });
}

namespace {
std::atomic<int> flickerFrames{0};

LRESULT CALLBACK FlickerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: SetTimer(w, 1, 30, nullptr); return 0;
    case WM_TIMER: InvalidateRect(w, nullptr, FALSE); return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        RECT client;
        GetClientRect(w, &client);
        const int frame = flickerFrames.load();
        HBRUSH brush = CreateSolidBrush(FlickerWindow::Colour(frame));
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        EndPaint(w, &ps);
        flickerFrames.store(frame + 1);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    default: return DefWindowProcA(w, msg, wp, lp);
    }
}
} // namespace

FlickerWindow::FlickerWindow(const RECT& screen) : window_("E2eFlicker", FlickerProc, screen) {}

COLORREF FlickerWindow::Colour(int frame) {
    const COLORREF colours[] = {0x000000F8, 0x0000F800, 0x00F80000, 0x0000F8F8};
    return colours[frame % 4];
}

POINT FlickerWindow::Middle() const {
    return e2e::Middle(window_.ScreenRect());
}

int FlickerWindow::Frames() {
    return flickerFrames.load();
}

bool FlickerWindow::Changes(int frames) const {
    const int from = Frames();
    return WaitUntil([&] { return Frames() >= from + frames; });
}

COLORREF LoupeView::Block(int dx, int dy) const {
    const int middle = border + (count / 2) * block + block / 2;
    return ScreenPixel(rect.left + middle + dx * block, rect.top + middle + dy * block);
}

bool LoupeView::SizeIsRight() const {
    const int side = 2 * border + count * block;
    return rect.right - rect.left == side && rect.bottom - rect.top == side + text;
}

bool LoupeView::ShowsColumnsAround(int column) const {
    for (int dx : {-1, 0, 1})
        if (!ShowsColour(Block(dx, 0), StripesWindow::Colour(column + dx))) return false;
    return true;
}

// ---- Input ------------------------------------------------------------------

bool MouseMove(int x, int y) {
    auto there = [=] {
        POINT now;
        return GetCursorPos(&now) && now.x == x && now.y == y;
    };
    if (there()) return true;
    return PointerInput("mousemove " + std::to_string(x) + " " + std::to_string(y), there);
}

void MouseDownHere(Button button) {
    PressOrRelease(button, true);
}
void MouseUpHere(Button button) {
    PressOrRelease(button, false);
}

void MouseDown(int x, int y, Button button) {
    MouseMove(x, y);
    MouseDownHere(button);
}

void MouseUp(int x, int y, Button button) {
    MouseMove(x, y);
    MouseUpHere(button);
}

void Click(int x, int y, Button button) {
    MouseDown(x, y, button);
    MouseUpHere(button);
}

void ClickKeptFromOthers() {
    PointerInput("click 1", [] { return true; });
}

void Drag(POINT from, POINT to, int steps, Button button) {
    if (steps < 1) steps = 1;
    MouseDown(from.x, from.y, button);
    for (int i = 1; i <= steps; ++i)
        MouseMove(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
    MouseUpHere(button);
}

void Wheel(int notches) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_WHEEL;
    in.mi.mouseData = DWORD(notches * WHEEL_DELTA);
    SendInput(1, &in, sizeof in);
}

void KeyDown(WORD vk) {
    SendKey(vk, false);
}
void KeyUp(WORD vk) {
    SendKey(vk, true);
}
void KeyPress(WORD vk) {
    KeyDown(vk);
    KeyUp(vk);
}

void KeyChord(const std::vector<WORD>& vks) {
    for (WORD vk : vks)
        KeyDown(vk);
    for (auto it = vks.rbegin(); it != vks.rend(); ++it)
        KeyUp(*it);
}

void TypeText(const std::string& text) {
    for (char c : text) {
        SHORT scan = VkKeyScanA(c);
        if (scan == -1) continue;
        const WORD vk = LOBYTE(scan);
        const bool shift = (HIBYTE(scan) & 1) != 0;
        if (shift) KeyDown(VK_SHIFT);
        KeyPress(vk);
        if (shift) KeyUp(VK_SHIFT);
    }
}

HWND VisibleMenu() {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

bool MenuShowsColourSquares(const std::vector<COLORREF>& colours) {
    const HWND menu = VisibleMenu();
    RECT r{};
    if (!menu || !GetWindowRect(menu, &r)) return false;
    const ScreenImage image(r);
    int above = r.top - 1;
    for (COLORREF c : colours) {
        const COLORREF shown = ScreenColour(c);
        int count = 0;
        long rows = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (image.At(x, y) == shown) {
                    ++count;
                    rows += y;
                }
        // A square of at least 5 by 5, wholly below the one before.
        if (count < 25 || rows / count <= above) return false;
        above = int(rows / count);
    }
    return true;
}

void SelectAllText() {
    KeyPress(VK_END);
    KeyChord({VK_SHIFT, VK_HOME});
}

// ---- Screen readers -------------------------------------------------------------

namespace {
VARIANT Self() {
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}
} // namespace

Accessible::Accessible(HWND window) {
    AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                               reinterpret_cast<void**>(&object_));
}

Accessible::~Accessible() {
    if (object_) object_->Release();
}

bool Accessible::DoDefaultAction() const {
    return object_ && SUCCEEDED(object_->accDoDefaultAction(Self()));
}

std::string Accessible::Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) const {
    BSTR text = nullptr;
    if (!object_ || (object_->*get)(Self(), &text) != S_OK || !text) return "<none>";
    const std::string ascii(text, text + SysStringLen(text));
    SysFreeString(text);
    return ascii;
}

long Accessible::Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) const {
    VARIANT v;
    VariantInit(&v);
    if (!object_ || (object_->*get)(Self(), &v) != S_OK || v.vt != VT_I4) return -1;
    return v.lVal;
}

// ---- Clipboard ---------------------------------------------------------------

namespace {
template <typename Char> bool ReadClipboard(UINT format, std::basic_string<Char>* text) {
    if (!OpenClipboardPatiently()) return false;
    bool ok = false;
    if (HANDLE data = GetClipboardData(format)) {
        if (const Char* p = static_cast<const Char*>(GlobalLock(data))) {
            *text = p;
            ok = true;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return ok;
}

template <typename Char> bool WriteClipboard(UINT format, const std::basic_string<Char>& text) {
    if (!OpenClipboardPatiently()) return false;
    EmptyClipboard();
    bool ok = false;
    const size_t bytes = (text.size() + 1) * sizeof(Char);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        ok = SetClipboardData(format, memory) != nullptr;
        if (!ok) GlobalFree(memory);
    }
    CloseClipboard();
    return ok;
}
} // namespace

bool ClipboardText(std::string* text) {
    return ReadClipboard(CF_TEXT, text);
}
bool ClipboardUnicodeText(std::wstring* text) {
    return ReadClipboard(CF_UNICODETEXT, text);
}
bool SetClipboardText(const std::string& text) {
    return WriteClipboard(CF_TEXT, text);
}
bool SetClipboardUnicodeText(const std::wstring& text) {
    return WriteClipboard(CF_UNICODETEXT, text);
}

// ---- Settings file -------------------------------------------------------------

std::vector<IniLine> ParseIni(const std::string& text) {
    std::vector<IniLine> lines;
    std::istringstream in(text);
    std::string line, section;
    auto trim = [](std::string s) {
        const char* blanks = " \t\r\n";
        s.erase(0, s.find_first_not_of(blanks));
        s.erase(s.find_last_not_of(blanks) + 1);
        return s;
    };
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            section = trim(line.substr(1, line.find(']') - 1));
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        lines.push_back({section, trim(line.substr(0, eq)), trim(line.substr(eq + 1))});
    }
    return lines;
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(Unlimited(folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// ---- The program under test ----------------------------------------------------

Tintwell::Tintwell() {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    std::string base = temp;
    if (!base.empty() && base.back() == '\\') base.pop_back();
    for (;;) {
        directory_ = base + "\\tintwell-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(++directoryCounter);
        if (CreateDirectoryA(directory_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    folder_ = Widen(directory_);
}

Tintwell::~Tintwell() {
    if (Running()) {
        DWORD code = 1;
        if (!Close(5000, &code)) {
            ADD_FAILURE() << "Tintwell did not close when asked";
            Kill();
        } else {
            EXPECT_EQ(0u, code) << "Tintwell's exit code";
        }
    }
    if (process_.hProcess) CloseHandle(process_.hProcess);
    if (process_.hThread) CloseHandle(process_.hThread);
    RemoveDirectoryTree(Widen(directory_));
}

bool Tintwell::Start(const LaunchOptions& options) {
    // Made one level at a time.
    for (size_t end = 0; end != std::wstring::npos && !options.folder.empty();) {
        end = options.folder.find(L'\\', end + 1);
        folder_ = Widen(directory_) + L"\\" + options.folder.substr(0, end);
        CreateDirectoryW(Unlimited(folder_).c_str(), nullptr);
    }
    if (options.ini && !WriteWholeFile(IniPath(), *options.ini)) return false;
    std::wstring program = Widen(TintwellPath());
    std::vector<wchar_t> environment;
    if (!options.plantedLibraries.empty()) {
        if (!PlantLibraries(options.plantedLibraries, &program, &environment)) return false;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (options.showCommand) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = *options.showCommand;
    }
    std::wstring command = L"\"" + program + L"\"";
    if (!options.arguments.empty()) command += Widen(" " + options.arguments);
    std::vector<wchar_t> line(command.begin(), command.end());
    line.push_back(L'\0');
    auto create = [&] {
        return CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE,
                              CREATE_UNICODE_ENVIRONMENT,
                              environment.empty() ? nullptr : environment.data(), folder_.c_str(),
                              &startup, &process_);
    };
    // Once in some thousand starts of the 64-bit build (seen in CI, not
    // again in 400 starts here) Wine loses the new process before it has
    // finished starting, before any window, and CreateProcess says
    // ERROR_INTERNAL_ERROR: that start is made again, once, and said. Any
    // other failure, or a second one, fails the test.
    bool created = create();
    if (!created && GetLastError() == ERROR_INTERNAL_ERROR) {
        std::fprintf(stderr, "Wine lost %s while starting it; starting it again\n",
                     TintwellPath().c_str());
        created = create();
    }
    if (!created) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", TintwellPath().c_str(),
                     GetLastError());
        return false;
    }
    if (!options.expectWindow) return true;
    WaitForInputIdle(process_.hProcess, 10000);
    const bool found = WaitUntil(
        [this] {
            window_ = WindowOf(process_.dwProcessId, "Tintwell");
            return window_ && IsWindowVisible(window_);
        },
        10000);
    if (!found) return false;
    return Settle();
}

bool Tintwell::PlantLibraries(const std::vector<std::string>& names, std::wstring* program,
                              std::vector<wchar_t>* environment) {
    // The driver's own library lies beside the driver.
    wchar_t driver[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, driver, MAX_PATH);
    std::wstring planted(driver, n);
    planted = planted.substr(0, planted.rfind(L'\\') + 1) + L"planted_library.dll";
    programFolder_ = Widen(directory_) + L"\\program";
    *program = programFolder_ + L"\\Tintwell.exe";
    if (!CreateDirectoryW(programFolder_.c_str(), nullptr) ||
        !CopyFileW(Widen(TintwellPath()).c_str(), program->c_str(), TRUE))
        return false;
    std::wstring overrides;
    for (const std::string& name : names) {
        if (!CopyFileW(planted.c_str(), (programFolder_ + L"\\" + Widen(name)).c_str(), TRUE))
            return false;
        overrides += (overrides.empty() ? L"" : L",") + Widen(name.substr(0, name.rfind('.')));
    }
    // The driver's environment, with the libraries first looked for beside
    // the program; a block of NUL-ended strings, ended by one more NUL.
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* p = block; *p; p += std::wcslen(p) + 1) {
        std::wstring entry(p);
        if (_wcsnicmp(entry.c_str(), L"WINEDLLOVERRIDES=", 17) == 0) {
            overrides = entry.substr(17) + L";" + overrides;
            continue;
        }
        environment->insert(environment->end(), entry.begin(), entry.end());
        environment->push_back(L'\0');
    }
    FreeEnvironmentStringsW(block);
    const std::wstring entry = L"WINEDLLOVERRIDES=" + overrides + L"=n,b";
    environment->insert(environment->end(), entry.begin(), entry.end());
    environment->push_back(L'\0');
    environment->push_back(L'\0');
    return true;
}

std::vector<std::wstring> Tintwell::Modules() const {
    std::vector<std::wstring> modules;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process_.dwProcessId);
    if (snapshot == INVALID_HANDLE_VALUE) return modules;
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry))
        modules.push_back(entry.szExePath);
    CloseHandle(snapshot);
    return modules;
}

bool Tintwell::Running() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Tintwell::Settle(DWORD timeoutMs) const {
    if (!window_) return false;
    WaitForInputIdle(process_.hProcess, timeoutMs);
    // Pumping: the program may be waiting on a window of the driver's.
    return WaitPumping(
        [this] {
            DWORD_PTR result;
            // Sent messages are handled before painting, so once the thread
            // answers and no window of it has an update region, it is painted.
            if (!SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result))
                return false;
            if (GetUpdateRect(window_, nullptr, FALSE)) return false;
            for (const ChildWindow& child : Children())
                if (GetUpdateRect(child.handle, nullptr, FALSE)) return false;
            return true;
        },
        timeoutMs);
}

POINT Tintwell::ToScreen(int x, int y) const {
    POINT p{x, y};
    ClientToScreen(window_, &p);
    return p;
}

RECT Tintwell::ToScreen(const RECT& client) const {
    POINT a = ToScreen(client.left, client.top);
    return RECT{a.x, a.y, a.x + (client.right - client.left), a.y + (client.bottom - client.top)};
}

RECT Tintwell::WindowRect() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return r;
}

RECT Tintwell::ClientRect() const {
    RECT r{};
    GetClientRect(window_, &r);
    return r;
}

std::vector<ChildWindow> Tintwell::Children() const {
    std::vector<HWND> handles;
    if (window_) EnumChildWindows(window_, CollectChild, reinterpret_cast<LPARAM>(&handles));
    std::vector<ChildWindow> children;
    for (HWND h : handles) {
        if (GetParent(h) != window_) continue;
        ChildWindow child{};
        child.handle = h;
        char cls[64] = "";
        GetClassNameA(h, cls, sizeof cls);
        child.className = cls;
        child.text = Text(h);
        GetWindowRect(h, &child.rect);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&child.rect), 2);
        child.id = GetWindowLongA(h, GWL_ID);
        children.push_back(child);
    }
    return children;
}

HWND Tintwell::ChildAt(const char* className, const RECT& rect) const {
    for (const ChildWindow& child : Children())
        if (_stricmp(child.className.c_str(), className) == 0 && EqualRect(&child.rect, &rect))
            return child.handle;
    return nullptr;
}

std::string Tintwell::Title() const {
    char title[256] = "";
    GetWindowTextA(window_, title, sizeof title);
    return title;
}

LONG Tintwell::ExStyle() const {
    return GetWindowLongA(window_, GWL_EXSTYLE);
}

GUITHREADINFO Tintwell::ThreadInfo() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(process_.dwThreadId, &info)) info = GUITHREADINFO{};
    return info;
}

HWND Tintwell::Focus() const {
    return ThreadInfo().hwndFocus;
}
HWND Tintwell::Capture() const {
    return ThreadInfo().hwndCapture;
}

std::string Tintwell::ToolTip() const {
    const HWND tip = WindowOf(process_.dwProcessId, "tooltips_class32");
    return tip && IsWindowVisible(tip) ? Text(tip) : "";
}

HWND Tintwell::FrozenScreen() const {
    const HWND frozen = WindowOf(process_.dwProcessId, expected::kFrozenClass);
    return frozen && IsWindowVisible(frozen) ? frozen : nullptr;
}

HWND Tintwell::Loupe() const {
    const HWND loupe = WindowOf(process_.dwProcessId, expected::kLoupeClass);
    return loupe && IsWindowVisible(loupe) ? loupe : nullptr;
}

RECT Tintwell::LoupeRect() const {
    RECT r{};
    if (const HWND loupe = Loupe()) GetWindowRect(loupe, &r);
    return r;
}

bool Tintwell::FocusBecomes(HWND window) const {
    return WaitUntil([&] { return Focus() == window; }, 3000);
}

bool Tintwell::Activate() const {
    if (GetForegroundWindow() == window_) return true;
    SetForegroundWindow(window_);
    if (WaitUntil([this] { return GetForegroundWindow() == window_; }, 1000)) return true;
    const RECT r = WindowRect();
    Click(r.left + 40,
          r.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2);
    return WaitUntil([this] { return GetForegroundWindow() == window_; }, 2000);
}

std::string Tintwell::Text(HWND window) {
    char text[1024] = "";
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    return std::string(text, text + (copied < sizeof text ? copied : 0));
}

bool Tintwell::CaptionPoint(LRESULT wanted, POINT* point) const {
    const RECT r = WindowRect();
    const int y = r.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    int first = -1, last = -1;
    for (int x = r.left + 1; x < r.right; ++x) {
        DWORD_PTR hit = 0;
        SendMessageTimeoutA(window_, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 1000,
                            &hit);
        if (LRESULT(hit) == wanted) {
            if (first < 0) first = x;
            last = x;
        } else if (first >= 0) {
            break;
        }
    }
    if (first < 0) return false;
    *point = POINT{(first + last) / 2, y};
    return true;
}

void Tintwell::ClickClient(int x, int y, Button button) const {
    POINT p = ToScreen(x, y);
    Click(p.x, p.y, button);
}

std::wstring Tintwell::IniPath() const {
    return folder_ + L"\\" + Widen(expected::kIniName);
}

bool Tintwell::IniExists() const {
    return GetFileAttributesW(Unlimited(IniPath()).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Tintwell::ReadIni(std::string* text) const {
    return ReadWholeFile(IniPath(), text);
}

std::vector<IniLine> Tintwell::IniLines() const {
    std::string text;
    if (!ReadIni(&text)) return {};
    return ParseIni(text);
}

bool Tintwell::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (!process_.hProcess) return false;
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(process_.hProcess, &exitCode_);
    exited_ = true;
    *exitCode = exitCode_;
    return true;
}

bool Tintwell::Close(DWORD timeoutMs, DWORD* exitCode) {
    if (window_ && IsWindow(window_)) PostMessageA(window_, WM_CLOSE, 0, 0);
    return WaitForExit(timeoutMs, exitCode);
}

void Tintwell::Kill() {
    if (!Running()) return;
    std::fprintf(stderr, "killing Tintwell (process %lu) after a failure\n", process_.dwProcessId);
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
}

std::string IniValue(const std::vector<IniLine>& lines, const std::string& key) {
    for (const IniLine& line : lines)
        if (line.section == expected::kIniSection && line.key == key) return line.value;
    return "<missing>";
}

// ---- A fixture: one program per test ---------------------------------------------

bool AppTest::Launch(const LaunchOptions& options) {
    if (!app.Start(options)) return false;
    edit = app.ChildAt("Edit", AtScreenScale(expected::kEdit));
    return edit != nullptr;
}

RECT AppTest::OnScreen(const RECT& client100) const {
    return app.ToScreen(AtScreenScale(client100));
}
POINT AppTest::MiddleOf(const RECT& client100) const {
    return Middle(OnScreen(client100));
}
HWND AppTest::Child(const char* className, const RECT& client100) const {
    return app.ChildAt(className, AtScreenScale(client100));
}

std::string AppTest::Text() const {
    return Tintwell::Text(edit);
}

::testing::AssertionResult AppTest::TextBecomes(const std::string& text, DWORD timeoutMs) const {
    WaitPumping([&] { return Text() == text; }, timeoutMs);
    if (!app.Settle()) return ::testing::AssertionFailure() << "Tintwell did not settle";
    const std::string now = Text();
    if (now == text) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the text is \"" << now << "\", not \"" << text << "\"";
}

namespace {
bool AllShow(const RECT& r, COLORREF colour) {
    return WaitPumping([&] { return ScreenImage(r).Count(r, colour) == Area(r); }, 5000);
}
} // namespace

bool AppTest::SwatchShows(COLORREF colour) const {
    return AllShow(Inset(OnScreen(expected::kSwatch), 1), colour);
}
bool AppTest::CellShows(int cell, COLORREF colour) const {
    return AllShow(OnScreen(expected::PaletteCell(cell)), colour);
}

::testing::AssertionResult AppTest::Type(const std::string& typed, const std::string& shown) const {
    if (app.Focus() != edit) {
        const POINT p = MiddleOf(expected::kEdit);
        Click(p.x, p.y);
        if (!app.FocusBecomes(edit)) return ::testing::AssertionFailure() << "no focus to type";
    }
    SelectAllText();
    TypeText(typed);
    return TextBecomes(shown.empty() ? typed : shown);
}

void AppTest::ClickCopy() const {
    const POINT p = MiddleOf(expected::kCopyButton);
    Click(p.x, p.y);
}

std::vector<IniLine> AppTest::CloseAndReadIni() {
    DWORD code = 1;
    EXPECT_TRUE(app.Close(8000, &code)) << "Tintwell did not exit";
    EXPECT_EQ(0u, code);
    return app.IniLines();
}

namespace {
// Writes the screen around `shown` (screen coordinates), with a margin.
bool WriteScreenArea(RECT shown, const std::string& bmpPath) {
    const int margin = 16;
    InflateRect(&shown, margin, margin);
    const RECT screen{0, 0, ScreenWidth(), ScreenHeight()};
    IntersectRect(&shown, &shown, &screen);
    std::printf("screenshot: %ldx%ld at (%ld, %ld), %d bits per pixel\n", shown.right - shown.left,
                shown.bottom - shown.top, shown.left, shown.top, ScreenDepth());
    return ScreenImage(shown).WriteBmp(WindowsPath(bmpPath));
}

// A menu, opened with a right click at a client rectangle's middle.
bool ShootMenu(Tintwell& app, const RECT& at100, const std::string& bmpPath) {
    const POINT copy = Middle(app.ToScreen(AtScreenScale(at100)));
    Click(copy.x, copy.y, Button::Right);
    if (!WaitPumping([] { return VisibleMenu() != nullptr; }, 3000)) return false;
    RECT menu, shown = app.WindowRect();
    GetWindowRect(VisibleMenu(), &menu);
    // Shown before it is painted: wait for the menu's own background.
    WaitUntil(
        [&] {
            return ShowsColour(ScreenPixel(menu.left + 3, menu.top + 3), GetSysColor(COLOR_MENU));
        },
        3000);
    UnionRect(&shown, &shown, &menu);
    const bool written = WriteScreenArea(shown, bmpPath);
    KeyPress(VK_ESCAPE);
    return written;
}

// A pick over one-pixel columns below the window, nudged two pixels right
// with the arrow key, the loupe zoomed by `notches` of the wheel: the box and
// the loupe show the columns around the pointer.
bool ShootNudgedPick(Tintwell& app, const std::string& bmpPath, int notches) {
    const RECT frame = app.WindowRect();
    const StripesWindow stripes(POINT{frame.left + 40, frame.bottom + 24}, 120, 48);
    if (!stripes.Shown() || !app.Activate()) return false;
    const POINT box = Middle(app.ToScreen(AtScreenScale(expected::kPickColour)));
    MouseDown(box.x, box.y);
    const POINT over = stripes.Column(60);
    MouseMove(over.x, over.y);
    KeyPress(VK_RIGHT);
    KeyPress(VK_RIGHT);
    if (notches != 0) Wheel(notches);
    HWND edit = app.ChildAt("Edit", AtScreenScale(expected::kEdit));
    const std::string nudged = HexText(StripesWindow::Colour(62));
    const int block = AtScreenScale(expected::kLoupeBlock * (notches > 0 ? 2 : 1));
    const bool picked = WaitPumping(
        [&] {
            const RECT loupe = app.LoupeRect();
            const int side = AtScreenScale(2 * expected::kLoupeBorder) +
                             block * (notches > 0 ? 9 : expected::kLoupeCount);
            return Tintwell::Text(edit) == nudged && loupe.right - loupe.left == side;
        },
        3000);
    RECT shown = frame, columns = stripes.ScreenRect(), loupe = app.LoupeRect();
    UnionRect(&shown, &shown, &columns);
    UnionRect(&shown, &shown, &loupe);
    const bool written = picked && app.Settle() && WriteScreenArea(shown, bmpPath);
    KeyPress(VK_ESCAPE);
    MouseUpHere();
    return written;
}
} // namespace

int TakeScreenshot(const std::string& tintwell, const std::string& bmpPath,
                   const std::string& scene) {
    SetTintwellPath(tintwell);
    Tintwell app;
    LaunchOptions options;
    if (scene == "menu") options.ini = "[General]\r\nCurrent color=33023\r\n"; // FF8000
    if (scene == "recent") // FF8000 and four colours taken before it
        options.ini = "[General]\r\nCurrent color=33023\r\nRecent color 0=33023\r\n"
                      "Recent color 1=14381203\r\nRecent color 2=3329330\r\n"
                      "Recent color 3=16748574\r\nRecent color 4=9109643\r\n";
    if (!app.Start(options)) {
        std::fprintf(stderr, "screenshot: Tintwell did not show its window\n");
        return 1;
    }
    // Wait for the first frame: the swatch frame's black corner is painted.
    const RECT swatch = app.ToScreen(AtScreenScale(expected::kSwatch));
    WaitUntil([&] { return ShowsColour(ScreenPixel(swatch.left, swatch.top), 0); }, 3000);
    // And the frame, which Wine paints later, at 16 bits noticeably so: the
    // caption is never black.
    const RECT frame = app.WindowRect();
    WaitUntil([&] { return ScreenPixel(frame.left + 60, frame.top + 8) != 0; }, 3000);
    bool written;
    if (scene == "menu")
        written = ShootMenu(app, expected::kCopyButton, bmpPath);
    else if (scene == "recent")
        written = ShootMenu(app, expected::kSwatch, bmpPath);
    else if (scene == "pick" || scene == "loupe")
        written = ShootNudgedPick(app, bmpPath, scene == "loupe" ? 2 : 0);
    else
        written = WriteScreenArea(app.WindowRect(), bmpPath);
    DWORD code = 1;
    const bool exited = app.Close(10000, &code);
    std::printf("screenshot: exit code %lu\n", code);
    return written && exited ? 0 : 1;
}

} // namespace e2e
