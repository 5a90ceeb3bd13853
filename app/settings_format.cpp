#include "app/settings_format.h"
#include <cstdio>
#include <cstring>

const char* const kSettingsKeys[kSettingsKeyCount] = {
    "Current color",  "Background color", "X",              "Y",
    "Auto apply",     "Custom color 0",   "Custom color 1", "Custom color 2",
    "Custom color 3", "Custom color 4",   "Custom color 5", "Custom color 6",
    "Custom color 7", "Custom color 8",   "Custom color 9", "AvgFPS",
};

bool BuildSettingsPath(const char* directory, char* out, std::size_t outSize) {
    const std::size_t dirLen = std::strlen(directory);
    const std::size_t nameLen = std::strlen(kSettingsFileName);
    if (dirLen + nameLen + 1 > outSize) return false;
    std::memcpy(out, directory, dirLen);
    std::memcpy(out + dirLen, kSettingsFileName, nameLen + 1);
    return true;
}

void PaletteKey(int cell, char (&out)[32]) { std::snprintf(out, sizeof out, "Custom color %d", cell); }

void FormatSigned(std::int32_t value, char (&out)[32]) {
    std::snprintf(out, sizeof out, "%ld", long(value));
}

void FormatUnsigned(std::uint32_t value, char (&out)[32]) {
    std::snprintf(out, sizeof out, "%lu", static_cast<unsigned long>(value));
}
