#include "app/copy_menu.h"
#include "app/main_messages.h"
#include "app/main_window.h"
#include "app/recent_menu.h"
#include "colour/colour_formats.h"
#include "colour/colour_state.h"

namespace {

constexpr int kFormatCount = sizeof kCopyFormats / sizeof kCopyFormats[0];

// The menu at a screen point; the chosen entry's text goes to the clipboard.
// Esc or a click elsewhere ends the menu's own loop with nothing chosen, and
// the Esc is that loop's: it never reaches the Copy button.
void ShowCopyMenu(POINT at) {
    char texts[kFormatCount][kColorTextSize];
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    const ColorRef colour = currentColor.load();
    for (int i = 0; i < kFormatCount; ++i) {
        FormatColor(colour, kCopyFormats[i], texts[i]);
        AppendMenuA(menu, MF_STRING, UINT_PTR(i + 1), texts[i]); // 0 is "nothing chosen"
    }
    const int chosen =
        int(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                           at.x, at.y, 0, mainWindow, nullptr));
    DestroyMenu(menu);
    if (chosen < 1 || chosen > kFormatCount) return;
    CopyTextToClipboard(texts[chosen - 1]);
    TakeColor(colour);
}

// lParam -1 comes from the keyboard: the menu then opens at the button.
POINT MenuPoint(HWND button, LPARAM lParam) {
    if (lParam == -1) {
        RECT r;
        GetWindowRect(button, &r);
        return POINT{r.left, r.bottom};
    }
    return POINT{short(LOWORD(lParam)), short(HIWORD(lParam))};
}

} // namespace

// The platform turns a right-button release, the context-menu key and
// Shift+F10 into WM_CONTEXTMENU; not passing it on keeps it from the parent.
LRESULT CALLBACK CopyButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CONTEXTMENU) {
        ShowCopyMenu(MenuPoint(window, lParam));
        return 0;
    }
    return KeyForwardProc(window, message, wParam, lParam);
}
