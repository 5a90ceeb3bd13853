#include "app/main_window.h"
#include "app/copy_menu.h"
#include "app/main_messages.h"
#include "app/pick_hotkey.h"
#include "app/placement.h"
#include "app/records.h"
#include "app/settings_format.h"
#include "app/shell.h"
#include "colour/colour_state.h"
#include "colour/components.h"
#include "controls/keyboard_cues.h"
#include "platform/dpi.h"
#include "platform/fonts.h"
#include "platform/instance.h"
#include "platform/screen.h"
#include "version.h" // configured by CMake from the project version
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

static const char kMainTitle[] = "Zanthe Tintwell,  v" TINTWELL_VERSION_TEXT ",  by Varnow";
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kMainExStyle = WS_EX_CONTROLPARENT | WS_EX_TOPMOST;
// The system gives an overlapped window a title bar; its frame is measured with one.
constexpr DWORD kMainFrameStyle = kMainStyle | WS_CAPTION;
// How much of the title bar a saved position must leave on a work area, at 100 %.
constexpr std::int32_t kTitleBarGrip = 32;

static RECT ToRect(const Rect32& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

RECT SwatchRect() {
    return ToRect(mainLayout.swatch);
}

Size32 MainWindowSize(std::uint32_t dpi) {
    Size32 at96, atDpi;
    if (FrameForDpi(kMainFrameStyle, kMainExStyle, kBaseDpi, &at96) &&
        FrameForDpi(kMainFrameStyle, kMainExStyle, dpi, &atDpi))
        return WindowSizeForDpi(at96, atDpi, dpi);
    // Before Windows 10 1607 the system tells the frame at its own scale only.
    return Size32{ScaleForDpi(kMainLayout.width, dpi), ScaleForDpi(kMainLayout.height, dpi)};
}

static HWND CreateStandardChild(const char* cls, const char* text, DWORD style, const Rect32& r) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, mainWindow, nullptr,
                           InstanceHandle(), nullptr);
}

static void CreateBars() {
    redBar.name = "Red";
    greenBar.name = "Green";
    blueBar.name = "Blue";
    brightnessBar.name = "Brightness";
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

// A position saved on a monitor since unplugged, or with the title bar above
// the screen or under the taskbar, would leave an always-on-top window that
// nobody can move.
static bool TitleBarOnAWorkArea(std::int32_t x, std::int32_t y, std::int32_t width) {
    Rect32 areas[32]; // more monitors than any desk has
    const std::size_t count = AllWorkAreas(areas, 32);
    const std::int32_t frameX = GetSystemMetrics(SM_CXFIXEDFRAME);
    const std::int32_t frameY = GetSystemMetrics(SM_CYFIXEDFRAME);
    const Rect32 caption{frameX, frameY, width - frameX, frameY + GetSystemMetrics(SM_CYCAPTION)};
    return TitleBarReachable(x, y, caption, ScaleForDpi(kTitleBarGrip, windowDpi), areas, count);
}

// Screen readers and UI Automation walk the children in window order, which
// creation left as the order of making them: the first in the Tab order
// goes on top, each next one under the one before. No two overlap, so
// nothing is drawn anew.
static void PutChildrenInTabOrder() {
    HWND above = HWND_TOP;
    for (HWND child : ControlsInTabOrder().windows) {
        SetWindowPos(child, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = child;
    }
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

// The layout and fonts of a scale. The fonts of the old one stay until the
// children have been given the new (KeepOnlyFontsForDpi after LayOutChildren).
static void UseDpi(std::uint32_t dpi) {
    windowDpi = dpi;
    mainLayout = LayoutForDpi(dpi);
    SetFontsForDpi(dpi);
}

bool CreateMainWindow(int showCommand) {
    RECT desktop;
    GetClientRect(GetDesktopWindow(), &desktop);
    const Size32 screen{desktop.right, desktop.bottom};
    UseDpi(SystemDpi());
    Size32 size = MainWindowSize(windowDpi);
    Point32 centre = CentredOrigin(screen, size, windowDpi);
    bool centreX = windowX == -1, centreY = windowY == -1;
    if (centreX) windowX = centre.x;
    if (centreY) windowY = centre.y;
    if (!TitleBarOnAWorkArea(windowX, windowY, size.width)) {
        windowX = centre.x;
        windowY = centre.y;
        centreX = centreY = true;
    }

    mainWindow =
        CreateWindowExA(kMainExStyle, "Tintwell", kMainTitle, kMainStyle, windowX, windowY,
                        size.width, size.height, nullptr, nullptr, InstanceHandle(), nullptr);
    if (!mainWindow) return false;
    // Landed on a monitor of another scale than the system's: that monitor's
    // size, and centred with it.
    if (const std::uint32_t dpi = DpiOfWindow(mainWindow); dpi != windowDpi) {
        UseDpi(dpi);
        size = MainWindowSize(dpi);
        centre = CentredOrigin(screen, size, dpi);
        if (centreX) windowX = centre.x;
        if (centreY) windowY = centre.y;
        SetWindowPos(mainWindow, nullptr, windowX, windowY, size.width, size.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

    closeButton =
        CreateStandardChild("BUTTON", "Close", WS_GROUP | BS_DEFPUSHBUTTON, mainLayout.closeButton);
    copyButton =
        CreateStandardChild("BUTTON", "Copy", WS_GROUP | BS_DEFPUSHBUTTON, mainLayout.copyButton);
    autoApplyBox = CreateStandardChild("BUTTON", "Auto apply", WS_GROUP | BS_AUTOCHECKBOX,
                                       mainLayout.autoApplyBox);
    editBox = CreateStandardChild("EDIT", nullptr, WS_BORDER | WS_GROUP | ES_UPPERCASE,
                                  mainLayout.editBox);
    // At 100 % on a 100 % system there is no control font: the controls keep
    // the system's.
    if (controlFont)
        for (HWND control : {closeButton, copyButton, autoApplyBox, editBox})
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont), FALSE);

    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    SendMessageA(autoApplyBox, BM_SETCHECK, autoApply ? BST_CHECKED : BST_UNCHECKED, 0);

    CreateBars();
    pickColorControl.name = "Pick color";
    pickWindowControl.name = "Pick window";
    pickWindowControl.description = EyedropperHelp();
    pickColorControl.freezes = 1; // the window under the pointer must be the live one
    CreatePickControl(pickColorControl, mainWindow, kPickColorMessage, ToRect(mainLayout.pickColor),
                      backgroundColor);
    CreatePickControl(pickWindowControl, mainWindow, kPickWindowMessage,
                      ToRect(mainLayout.pickWindow), backgroundColor);
    if (windowDpi != kBaseDpi) LayOutChildren();
    KeepOnlyFontsForDpi(windowDpi);

    SetFocus(editBox);
    SubclassForKeys(editBox, EditBoxProc);
    SubclassForKeys(copyButton, CopyButtonProc);
    SubclassForKeys(closeButton, KeyForwardProc);
    SubclassForKeys(autoApplyBox, KeyForwardProc);
    PutChildrenInTabOrder();
    InitializeFocusCues(mainWindow);
    RegisterPickHotkey();
    return true;
}

void OnDpiChanged(std::uint32_t dpi, const RECT& suggested) {
    UseDpi(dpi);
    // Where the system suggests, at our own size: one it worked out without
    // asking WM_GETDPISCALEDSIZE (Windows 10 before 1703) scales the title bar
    // with the rest.
    const Size32 size = MainWindowSize(dpi);
    SetWindowPos(mainWindow, nullptr, suggested.left, suggested.top, size.width, size.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutChildren();
    KeepOnlyFontsForDpi(dpi);
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
