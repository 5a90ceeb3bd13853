#include "app/main_window.h"
#include "app/copy_menu.h"
#include "app/layout.h"
#include "app/main_messages.h"
#include "app/records.h"
#include "app/settings_format.h"
#include "app/shell.h"
#include "colour/colour_state.h"
#include "colour/components.h"

HWND mainWindow;
HWND closeButton, copyButton, autoApplyBox, editBox;
std::int32_t windowX = -1, windowY = -1;
COLORREF backgroundColor = kDefaultBackgroundColor;
COLORREF customColors[10] = {
    kBuiltInPalette[0], kBuiltInPalette[1], kBuiltInPalette[2], kBuiltInPalette[3],
    kBuiltInPalette[4], kBuiltInPalette[5], kBuiltInPalette[6], kBuiltInPalette[7],
    kBuiltInPalette[8], kBuiltInPalette[9],
};
const RECT swatchRect = {kSwatchRect.left, kSwatchRect.top, kSwatchRect.right, kSwatchRect.bottom};

static const char kMainTitle[] = "Zanthe Tintwell,  v1.0,  by Varnow";

static RECT ToRect(const Rect32& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

static HWND CreateStandardChild(const char* cls, const char* text, DWORD style, const Rect32& box) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, box.left, box.top,
                           box.right, box.bottom, mainWindow, nullptr, instanceHandle, nullptr);
}

static void CreateBars() {
    CreatePositionBar(redBar, mainWindow, kBarMessage, ToRect(kRedBarRect), 0x000000FF);
    SetBarValueSilently(redBar, currentRed);
    CreatePositionBar(greenBar, mainWindow, kBarMessage, ToRect(kGreenBarRect), 0x0000FF00);
    SetBarValueSilently(greenBar, currentGreen);
    CreatePositionBar(blueBar, mainWindow, kBarMessage, ToRect(kBlueBarRect), 0x00FF0000);
    SetBarValueSilently(blueBar, currentBlue);
    CreatePositionBar(brightnessBar, mainWindow, kBarMessage, ToRect(kBrightnessBarRect),
                      0x00C8C8C8);
    // The only place that gives the brightness bar its range.
    brightnessBar.minimum = 0;
    brightnessBar.maximum = 765;
    SetBarValueSilently(brightnessBar, std::int32_t(currentRed) + currentGreen + currentBlue);
}

bool CreateMainWindow(int showCommand) {
    RECT desktop;
    GetClientRect(GetDesktopWindow(), &desktop);
    if (windowX == -1) windowX = CentredX(desktop.right);
    if (windowY == -1) windowY = CentredY(desktop.bottom);

    mainWindow =
        CreateWindowExA(WS_EX_CONTROLPARENT | WS_EX_TOPMOST, "Tintwell", kMainTitle,
                        WS_OVERLAPPED | WS_SYSMENU | WS_MINIMIZEBOX, windowX, windowY, kMainWidth,
                        kMainHeight, nullptr, nullptr, instanceHandle, nullptr);
    if (!mainWindow) return false;

    closeButton =
        CreateStandardChild("BUTTON", "Close", WS_GROUP | BS_DEFPUSHBUTTON, kCloseButtonBox);
    copyButton = CreateStandardChild("BUTTON", "Copy", WS_GROUP | BS_DEFPUSHBUTTON, kCopyButtonBox);
    autoApplyBox =
        CreateStandardChild("BUTTON", "Auto apply", WS_GROUP | BS_AUTOCHECKBOX, kAutoApplyBox);
    editBox = CreateStandardChild("EDIT", nullptr, WS_BORDER | WS_GROUP | ES_UPPERCASE, kEditBox);

    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    SendMessageA(autoApplyBox, BM_SETCHECK, autoApply ? BST_CHECKED : BST_UNCHECKED, 0);

    CreateBars();
    CreatePickControl(pickColorControl, mainWindow, kPickColorMessage, ToRect(kPickColorRect),
                      backgroundColor);
    CreatePickControl(pickWindowControl, mainWindow, kPickWindowMessage, ToRect(kPickWindowRect),
                      backgroundColor);

    SetFocus(editBox);
    SubclassForKeys(editBox, KeyForwardProc);
    SubclassForKeys(copyButton, CopyButtonProc);
    SubclassForKeys(closeButton, KeyForwardProc);
    SubclassForKeys(autoApplyBox, KeyForwardProc);
    return true;
}

static void PaintLabels(HDC dc) {
    SetTextColor(dc, kLabelColor);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, uiFont);
    static const struct {
        int x, y;
        const char* text;
    } labels[] = {
        {7, 55, "Pick color:"},
        {7, 115, "Pick window:"},
        {246, 5, "Custom colors"},
        {239, 17, "(right click to add)"},
    };
    for (const auto& l : labels)
        TextOutA(dc, l.x, l.y, l.text, lstrlenA(l.text));
    SelectObject(dc, oldFont);
}

static void FillPaletteCell(HDC dc, int index) {
    const Rect32 r = PaletteCellRect(index);
    const RECT cell = ToRect(r);
    HBRUSH brush = CreateSolidBrush(customColors[index]);
    FillRect(dc, &cell, brush);
    DeleteObject(brush);
}

void PaintMainWindow() {
    HBRUSH swatch = CreateSolidBrush(currentColor.load());
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(mainWindow, &ps);
    HGDIOBJ oldBrush = SelectObject(dc, swatch);
    Rectangle(dc, swatchRect.left, swatchRect.top, swatchRect.right, swatchRect.bottom);
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
