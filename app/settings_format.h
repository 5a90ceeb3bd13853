// The settings file's name, keys and value texts. Pure.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr const char* kSettingsSection = "General";
constexpr const char* kSettingsFileName = "\\ZantheTintwell.ini";
constexpr std::size_t kSettingsPathSize = 1024;

constexpr std::uint32_t kDefaultCurrentColor = 16777215; // white
constexpr std::uint32_t kDefaultBackgroundColor = 16757435; // 0xFFB2BB, light lavender
constexpr std::uint32_t kBuiltInPalette[10] = {
    0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFFFF,
    0xFF00FF, 0xFFFF00, 0x800000, 0x808080, 0x000000,
};

// The sixteen keys in the order they are written.
constexpr std::size_t kSettingsKeyCount = 16;
extern const char* const kSettingsKeys[kSettingsKeyCount];

// The directory with "\ZantheTintwell.ini" appended as it stands (a drive
// root gives a doubled backslash). False when it does not fit.
bool BuildSettingsPath(const char* directory, char* out, std::size_t outSize);

// "Custom color " and the cell number, "%d".
void PaletteKey(int cell, char (&out)[32]);

// "%ld" of a signed 32-bit value and "%lu" of an unsigned one.
void FormatSigned(std::int32_t value, char (&out)[32]);
void FormatUnsigned(std::uint32_t value, char (&out)[32]);
