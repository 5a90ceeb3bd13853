#include "app/main_window.h"
#include "app/copy_menu.h"
#include "app/dpi.h"
#include "app/main_messages.h"
#include "app/placement.h"
#include "app/records.h"
#include "app/settings_format.h"
#include "app/shell.h"
#include "colour/colour_state.h"
#include "colour/components.h"
#include <initializer_list>

HWND mainWindow;
HWND closeButton, copyButton, autoApplyBox, editBox;
std::int32_t windowX = -1, windowY = -1;
COLORREF backgroundColor = kDefaultBackgroundColor;
COLORREF customColors[10] = {
    kBuiltInPalette[0], kBuiltInPalette[1], kBuiltInPalette[2], kBuiltInPalette[3],
    kBuiltInPalette[4], kBuiltInPalette[5], kBuiltInPalette[6], kBuiltInPalette[7],
    kBuiltInPalette[8], kBuiltInPalette[9],
};
std::uint32_t windowDpi = kBaseDpi;
MainLayout mainLayout = kMainLayout;

static const char kMainTitle[] = "Zanthe Tintwell,  v1.0,  by Varnow";

static RECT ToRect(const Rect32& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

RECT SwatchRect() {
    return ToRect(mainLayout.swatch);
}

static HWND CreateStandardChild(const char* cls, const char* text, DWORD style, const Rect32& r) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, mainWindow, nullptr, instanceHandle,
                           nullptr);
}

static void CreateBars() {
    CreatePositionBar(redBar, mainWindow, kBarMessage, ToRect(mainLayout.redBar), 0x000000FF);
    SetBarValueSilently(redBar, currentRed);
    CreatePositionBar(greenBar, mainWindow, kBarMessage, ToRect(mainLayout.greenBar), 0x0000FF00);
    SetBarValueSilently(greenBar, currentGreen);
    CreatePositionBar(blueBar, mainWindow, kBarMessage, ToRect(mainLayout.blueBar), 0x00FF0000);
    SetBarValueSilently(blueBar, currentBlue);
    CreatePositionBar(brightnessBar, mainWindow, kBarMessage, ToRect(mainLayout.brightnessBar),
                      0x00C8C8C8);
    // The only place that gives the brightness bar its range.
    brightnessBar.minimum = 0;
    brightnessBar.maximum = 765;
    SetBarValueSilently(brightnessBar, std::int32_t(currentRed) + currentGreen + currentBlue);
}

namespace {
struct MonitorList {
    static constexpr std::size_t kMost = 32; // more than any desk has
    Rect32 rects[kMost];
    std::size_t count;
};
} // namespace

static BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM list) {
    auto& monitors = *reinterpret_cast<MonitorList*>(list);
    monitors.rects[monitors.count++] = Rect32{r->left, r->top, r->right, r->bottom};
    return monitors.count < MonitorList::kMost;
}

// A position saved on a monitor since unplugged would leave an always-on-top
// window nobody can see.
static bool ShownOnAMonitor(std::int32_t x, std::int32_t y, std::int32_t width,
                            std::int32_t height) {
    MonitorList monitors{};
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return ShownByAnyMonitor(x, y, width, height, monitors.rects, monitors.count);
}

// Gives every child its place and font at the window's scale.
static void LayOutChildren() {
    const struct {
        HWND window;
        const Rect32& rect;
    } standard[] = {{closeButton, mainLayout.closeButton},
                    {copyButton, mainLayout.copyButton},
                    {autoApplyBox, mainLayout.autoApplyBox},
                    {editBox, mainLayout.editBox}};
    for (const auto& c : standard) {
        if (!c.window) continue;
        MoveWindow(c.window, c.rect.left, c.rect.top, c.rect.right - c.rect.left,
                   c.rect.bottom - c.rect.top, FALSE);
        // A control that never had a font draws with the system's; one given
        // ours gets the system's back by name, which Wine draws alike.
        if (controlFont || SendMessageA(c.window, WM_GETFONT, 0, 0)) {
            const HGDIOBJ font = controlFont ? controlFont : GetStockObject(SYSTEM_FONT);
            SendMessageA(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        }
    }
    SetBarScale(redBar, ToRect(mainLayout.redBar), windowDpi);
    SetBarScale(greenBar, ToRect(mainLayout.greenBar), windowDpi);
    SetBarScale(blueBar, ToRect(mainLayout.blueBar), windowDpi);
    SetBarScale(brightnessBar, ToRect(mainLayout.brightnessBar), windowDpi);
    SetPickScale(pickColorControl, ToRect(mainLayout.pickColor), windowDpi);
    SetPickScale(pickWindowControl, ToRect(mainLayout.pickWindow), windowDpi);
}

static void UseDpi(std::uint32_t dpi) {
    windowDpi = dpi;
    mainLayout = LayoutForDpi(dpi);
    SetFontsForDpi(dpi);
}

bool CreateMainWindow(int showCommand) {
    RECT desktop;
    GetClientRect(GetDesktopWindow(), &desktop);
    UseDpi(SystemDpi());
    const std::int32_t centredX = Centred(desktop.right, mainLayout.centringWidth);
    const std::int32_t centredY = Centred(desktop.bottom, mainLayout.centringHeight);
    if (windowX == -1) windowX = centredX;
    if (windowY == -1) windowY = centredY;
    if (!ShownOnAMonitor(windowX, windowY, mainLayout.width, mainLayout.height)) {
        windowX = centredX;
        windowY = centredY;
    }

    mainWindow = CreateWindowExA(WS_EX_CONTROLPARENT | WS_EX_TOPMOST, "Tintwell", kMainTitle,
                                 WS_OVERLAPPED | WS_SYSMENU | WS_MINIMIZEBOX, windowX, windowY,
                                 mainLayout.width, mainLayout.height, nullptr, nullptr,
                                 instanceHandle, nullptr);
    if (!mainWindow) return false;
    // Opened on a monitor of another scale than the system's: that monitor's.
    if (const std::uint32_t dpi = WindowDpi(mainWindow); dpi != windowDpi) {
        UseDpi(dpi);
        SetWindowPos(mainWindow, nullptr, 0, 0, mainLayout.width, mainLayout.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    closeButton =
        CreateStandardChild("BUTTON", "Close", WS_GROUP | BS_DEFPUSHBUTTON, mainLayout.closeButton);
    copyButton =
        CreateStandardChild("BUTTON", "Copy", WS_GROUP | BS_DEFPUSHBUTTON, mainLayout.copyButton);
    autoApplyBox = CreateStandardChild("BUTTON", "Auto apply", WS_GROUP | BS_AUTOCHECKBOX,
                                       mainLayout.autoApplyBox);
    editBox = CreateStandardChild("EDIT", nullptr, WS_BORDER | WS_GROUP | ES_UPPERCASE,
                                  mainLayout.editBox);
    // At the system's own scale they keep the system's font.
    if (controlFont)
        for (HWND control : {closeButton, copyButton, autoApplyBox, editBox})
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont), FALSE);

    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    SendMessageA(autoApplyBox, BM_SETCHECK, autoApply ? BST_CHECKED : BST_UNCHECKED, 0);

    CreateBars();
    CreatePickControl(pickColorControl, mainWindow, kPickColorMessage, ToRect(mainLayout.pickColor),
                      backgroundColor);
    CreatePickControl(pickWindowControl, mainWindow, kPickWindowMessage,
                      ToRect(mainLayout.pickWindow), backgroundColor);
    if (windowDpi != kBaseDpi) LayOutChildren();

    SetFocus(editBox);
    SubclassForKeys(editBox, KeyForwardProc);
    SubclassForKeys(copyButton, CopyButtonProc);
    SubclassForKeys(closeButton, KeyForwardProc);
    SubclassForKeys(autoApplyBox, KeyForwardProc);
    return true;
}

void OnDpiChanged(std::uint32_t dpi, const RECT& suggested) {
    UseDpi(dpi);
    SetWindowPos(mainWindow, nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutChildren();
    InvalidateRect(mainWindow, nullptr, TRUE);
}

static void PaintLabels(HDC dc) {
    SetTextColor(dc, kLabelColor);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, uiFont);
    for (int i = 0; i < kLabelCount; ++i)
        TextOutA(dc, mainLayout.labels[i].x, mainLayout.labels[i].y, kLabelTexts[i],
                 lstrlenA(kLabelTexts[i]));
    SelectObject(dc, oldFont);
}

static void FillPaletteCell(HDC dc, int index) {
    const RECT cell = ToRect(mainLayout.cells[index]);
    HBRUSH brush = CreateSolidBrush(customColors[index]);
    FillRect(dc, &cell, brush);
    DeleteObject(brush);
}

void PaintMainWindow() {
    HBRUSH swatch = CreateSolidBrush(currentColor.load());
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(mainWindow, &ps);
    HGDIOBJ oldBrush = SelectObject(dc, swatch);
    const Rect32& s = mainLayout.swatch;
    Rectangle(dc, s.left, s.top, s.right, s.bottom);
    SelectObject(dc, oldBrush);
    PaintLabels(dc);
    for (int i = 0; i < kPaletteCells; ++i)
        FillPaletteCell(dc, i);
    EndPaint(mainWindow, &ps);
    DeleteObject(swatch);
}

void PaintPaletteCell(int index) {
    HDC dc = GetDC(mainWindow);
    FillPaletteCell(dc, index);
    ReleaseDC(mainWindow, dc);
}
