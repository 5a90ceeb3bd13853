// The main window's handling of the four bars' reports: red, green and blue
// go straight to the components, brightness shifts all three from a snapshot.
#pragma once
#include <windows.h>
#include <cstdint>

extern std::int32_t brightnessBase; // bar value at the snapshot; -1: none held
extern std::uint8_t snapshotRed, snapshotGreen, snapshotBlue;
extern std::int32_t snapshotMax, snapshotMin;

void OnBarValueChanged(std::int32_t value, LPARAM bar);
void OnBarDragState(std::int32_t state, LPARAM bar);
void TakeBrightnessSnapshot();
