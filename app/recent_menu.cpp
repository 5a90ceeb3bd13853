#include "app/recent_menu.h"
#include "app/main_window.h"
#include "colour/colour_state.h"
#include "colour/hex_text.h"
#include "platform/bitmaps.h"

#include <vector>

RecentColors recentColors;

namespace {

constexpr const char* kNoRecentColors = "No recent colors";

// A square of the colour beside an entry, as large as the menu's check mark,
// with a grey edge so that a colour like the menu's own still shows. Opaque
// 32-bit pixels: the menu draws such a bitmap by its alpha.
HBITMAP ColorSquare(COLORREF color) {
    const int side = GetSystemMetrics(SM_CYMENUCHECK);
    std::uint32_t* bits = nullptr;
    HBITMAP square = MakeTopDownDib32(side, side, &bits);
    if (!square) return nullptr;
    const std::uint32_t inside = 0xFF000000u | PackedFromColorRef(color);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const bool edge = x == 0 || y == 0 || x == side - 1 || y == side - 1;
            bits[y * side + x] = edge ? 0xFF808080u : inside;
        }
    return square;
}

} // namespace

void TakeColor(COLORREF color) {
    RememberColor(recentColors, color);
}

HMENU MakeRecentMenu(const RecentColors& shown, std::vector<HBITMAP>* squares) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    for (int i = 0; i < shown.count; ++i) {
        char text[16];
        FormatHexText(PackedFromColorRef(shown.colors[i]), text);
        squares->push_back(ColorSquare(shown.colors[i]));
        // A real string beside the bitmap, which screen readers read.
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
        item.wID = UINT(i + 1); // 0 is "nothing chosen"
        item.dwTypeData = text;
        item.hbmpItem = squares->back();
        InsertMenuItemA(menu, UINT(i), TRUE, &item);
    }
    if (shown.count == 0) AppendMenuA(menu, MF_STRING | MF_GRAYED, 1, kNoRecentColors);
    return menu;
}

void ShowRecentMenu(POINT at) {
    const RecentColors shown = recentColors; // what the menu lists, whatever happens meanwhile
    std::vector<HBITMAP> squares;
    HMENU menu = MakeRecentMenu(shown, &squares);
    if (!menu) return;
    const int chosen =
        int(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                           at.x, at.y, 0, mainWindow, nullptr));
    DestroyMenu(menu);
    for (HBITMAP square : squares)
        if (square) DeleteObject(square);
    if (chosen < 1 || chosen > shown.count) return;
    const COLORREF color = shown.colors[chosen - 1];
    SetColorComponent(ComponentWhole, std::int32_t(color), true, true);
    RefreshColorViews(false);
    TakeColor(color);
}

bool OnSwatchContextMenu(LPARAM lParam) {
    if (lParam == -1) return false; // from the keyboard: the focused control's
    POINT at{short(LOWORD(lParam)), short(HIWORD(lParam))};
    POINT client = at;
    ScreenToClient(mainWindow, &client);
    const RECT swatch = SwatchRect();
    if (!PtInRect(&swatch, client)) return false;
    ShowRecentMenu(at);
    return true;
}

bool OnEditBoxMenuKey(HWND editBox, UINT message, WPARAM key) {
    const bool altDown = message == WM_SYSKEYDOWN && key == VK_DOWN;
    const bool f4 = message == WM_KEYDOWN && key == VK_F4;
    if (!altDown && !f4) return false;
    RECT r;
    GetWindowRect(editBox, &r);
    ShowRecentMenu(POINT{r.left, r.bottom});
    return true;
}
