#include "colour/brightness.h"
#include "app/records.h"
#include "colour/brightness_math.h"
#include "colour/colour_state.h"
#include <algorithm>

std::int32_t brightnessBase = -1;
std::uint8_t snapshotRed, snapshotGreen, snapshotBlue;
std::int32_t snapshotMax, snapshotMin;

static bool IsBar(LPARAM lParam, const PositionBar& bar) {
    return lParam == reinterpret_cast<LPARAM>(&bar);
}

void TakeBrightnessSnapshot() {
    // The bar's own value, not R + G + B: after a brightness change they differ.
    brightnessBase = brightnessBar.value;
    snapshotRed = currentRed;
    snapshotGreen = currentGreen;
    snapshotBlue = currentBlue;
    snapshotMax = std::max({snapshotRed, snapshotGreen, snapshotBlue});
    snapshotMin = std::min({snapshotRed, snapshotGreen, snapshotBlue});
}

static void OnBrightnessChanged(std::int32_t value) {
    if (brightnessBase == -1) TakeBrightnessSnapshot();
    const std::int32_t f = BrightnessShift(brightnessBase, snapshotMax, snapshotMin, value);
    // Only the last call wakes the worker, so it sees the finished colour.
    SetColorComponent(ComponentRed, snapshotRed + f, false, false);
    SetColorComponent(ComponentGreen, snapshotGreen + f, false, false);
    SetColorComponent(ComponentBlue, snapshotBlue + f, false, true);
    RefreshColorViews(false);
}

void OnBarValueChanged(std::int32_t value, LPARAM bar) {
    std::uint8_t selector = 0;
    if (IsBar(bar, redBar))
        selector = ComponentRed;
    else if (IsBar(bar, greenBar))
        selector = ComponentGreen;
    else if (IsBar(bar, blueBar))
        selector = ComponentBlue;
    else if (IsBar(bar, brightnessBar))
        return OnBrightnessChanged(value);
    else
        return;
    SetColorComponent(selector, value, true, true);
    RefreshColorViews(false);
}

void OnBarDragState(std::int32_t state, LPARAM bar) {
    if (!IsBar(bar, brightnessBar)) return;
    if (state == 1)
        TakeBrightnessSnapshot();
    else
        brightnessBase = -1;
}
