// The settings file's name, keys, defaults and value texts. Pure.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr const char* kSettingsSection = "General";
constexpr const wchar_t* kSettingsFileName = L"\\ZantheTintwell.ini";
// The profile calls take at most MAX_PATH characters, the NUL included; Wine
// makes files with garbage names of a longer path.
constexpr std::size_t kSettingsPathSize = 260;

constexpr std::uint32_t kDefaultCurrentColor = 16777215;    // white
constexpr std::uint32_t kDefaultBackgroundColor = 16757435; // 0xFFB2BB, light lavender
constexpr std::uint32_t kBuiltInPalette[10] = {
    0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFFFF,
    0xFF00FF, 0xFFFF00, 0x800000, 0x808080, 0x000000,
};

// Everything the file holds, with the defaults of a missing file.
struct SettingsValues {
    std::int32_t x = -1, y = -1; // -1: centre the window
    std::uint32_t currentColor = kDefaultCurrentColor;
    std::uint32_t backgroundColor = kDefaultBackgroundColor;
    bool autoApply = true;
    std::uint32_t customColors[10] = {
        kBuiltInPalette[0], kBuiltInPalette[1], kBuiltInPalette[2], kBuiltInPalette[3],
        kBuiltInPalette[4], kBuiltInPalette[5], kBuiltInPalette[6], kBuiltInPalette[7],
        kBuiltInPalette[8], kBuiltInPalette[9],
    };
    std::uint32_t averageFps = 0; // written, never read
};

constexpr std::size_t kSettingsKeyCount = 16;

struct SettingsEntry {
    char key[32];
    char value[32];
};

// The sixteen keys with their value texts, in the order they are written:
// "%ld" for everything but "AvgFPS", which is "%lu"; "Auto apply" as 1 or 0.
void FormatSettings(const SettingsValues& values, SettingsEntry (&out)[kSettingsKeyCount]);

// Reads every key but "AvgFPS" through `readInt`, each with the value that
// `values` already holds as its default; any non-zero "Auto apply" is on.
using SettingsIntReader = std::int32_t (*)(const char* key, std::int32_t fallback, void* context);
void ReadSettings(SettingsIntReader readInt, void* context, SettingsValues& values);

// The directory with "\ZantheTintwell.ini" appended as it stands (a drive
// root gives a doubled backslash). False when the directory is unknown
// (empty) or the path and its NUL do not fit in outSize characters.
bool BuildSettingsPath(const wchar_t* directory, wchar_t* out, std::size_t outSize);

// "Custom color " and the cell number.
void PaletteKey(int cell, char (&out)[32]);

// The keys beyond the sixteen, each read as text and written only by its own
// code: the recent colours, newest first ("Recent color " and the place, 0
// to 15), and the key that starts a pick from anywhere.
constexpr const char* kRecentColorPrefix = "Recent color ";
void RecentColorKey(int place, char (&out)[32]);
constexpr const char* kPickHotkeyKey = "Pick hotkey";

// A colour as the recent colours' keys hold it: a whole decimal number from
// 0 to 16777215, digits alone; false for any other text.
bool ParseColorText(const char* text, std::uint32_t* color);

// `text` as ASCII in `out`, which holds `size` characters with the end:
// false where it has anything else, which no key or value of ours has, or
// does not fit.
bool AsciiText(const wchar_t* text, char* out, std::size_t size);

// Whether `key` names a recent colour's place, whatever the place: a key
// that starts "Recent color ".
bool IsRecentColorKey(const char* key);
