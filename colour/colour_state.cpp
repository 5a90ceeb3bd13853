#include "colour/colour_state.h"
#include "app/main_messages.h"
#include "app/main_window.h"
#include "app/records.h"
#include "colour/hex_text.h"
#include "recolour/worker.h"

std::uint8_t currentRed, currentGreen, currentBlue;
std::atomic<ColorRef> currentColor{0x00FFFFFF};
bool hexTextSetByProgram;

void SetColorComponent(std::uint8_t selector, std::int32_t value, bool updateBrightness,
                       bool wakeWorker) {
    Components c{currentRed, currentGreen, currentBlue};
    ApplyComponent(c, selector, value);
    currentRed = c.red;
    currentGreen = c.green;
    currentBlue = c.blue;
    currentColor.store(ColorRefOf(c));
    if (updateBrightness) SetBarValueSilently(brightnessBar, BrightnessOf(c));
    // After the store, so the woken worker paints the new colour.
    if (wakeWorker && autoApply) WakeWorker();
}

// A window not created is skipped: InvalidateRect of a null window repaints
// every window on the desktop.
static void Repaint(HWND window, const RECT* part) {
    if (window) InvalidateRect(window, part, FALSE);
}

void RefreshColorViews(bool skipHexText) {
    if (!skipHexText) {
        char text[16];
        FormatHexText(PackedOf(Components{currentRed, currentGreen, currentBlue}), text);
        hexTextSetByProgram = true;
        SendMessageA(editBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        // Normally EN_CHANGE has cleared it by now; if the edit box reported
        // no change, the user's next keystroke must not be taken for ours.
        hexTextSetByProgram = false;
    }
    SetBarValueSilently(redBar, currentRed);
    SetBarValueSilently(greenBar, currentGreen);
    SetBarValueSilently(blueBar, currentBlue);
    const RECT swatch = SwatchRect();
    Repaint(mainWindow, &swatch);
    // The other three bars were invalidated by their silent writes.
    Repaint(brightnessBar.window, nullptr);
}
