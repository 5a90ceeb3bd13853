#include "app/settings_format.h"
#include "platform/decimal.h"
#include <cstring>
#include <cwchar>

namespace {

void Put(SettingsEntry& e, const char* key, std::int32_t value) {
    std::size_t i = 0;
    for (; key[i] != '\0' && i + 1 < sizeof e.key; ++i)
        e.key[i] = key[i];
    e.key[i] = '\0';
    PutSigned(e.value, value);
}

} // namespace

void PaletteKey(int cell, char (&out)[32]) {
    static const char prefix[] = "Custom color ";
    std::memcpy(out, prefix, sizeof prefix);
    PutSigned(out + sizeof prefix - 1, cell);
}

void RecentColorKey(int place, char (&out)[32]) {
    const std::size_t n = std::strlen(kRecentColorPrefix);
    std::memcpy(out, kRecentColorPrefix, n);
    PutSigned(out + n, place);
}

bool ParseColorText(const char* text, std::uint32_t* color) {
    std::uint32_t value = 0;
    int digits = 0;
    for (; text[digits] != '\0'; ++digits) {
        const char c = text[digits];
        if (c < '0' || c > '9') return false;
        value = value * 10 + std::uint32_t(c - '0');
        if (value > 0xFFFFFFu) return false; // stops before the value can wrap
    }
    if (digits == 0) return false;
    *color = value;
    return true;
}

bool AsciiText(const wchar_t* text, char* out, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        if (std::uint32_t(text[i]) > 0x7F) return false;
        out[i] = char(text[i]);
        if (out[i] == '\0') return true;
    }
    return false;
}

bool IsRecentColorKey(const char* key) {
    return std::strncmp(key, kRecentColorPrefix, std::strlen(kRecentColorPrefix)) == 0;
}

void FormatSettings(const SettingsValues& v, SettingsEntry (&out)[kSettingsKeyCount]) {
    Put(out[0], "Current color", std::int32_t(v.currentColor));
    Put(out[1], "Background color", std::int32_t(v.backgroundColor));
    Put(out[2], "X", v.x);
    Put(out[3], "Y", v.y);
    Put(out[4], "Auto apply", v.autoApply ? 1 : 0);
    for (int i = 0; i < 10; ++i) {
        char key[32];
        PaletteKey(i, key);
        Put(out[5 + i], key, std::int32_t(v.customColors[i]));
    }
    std::strcpy(out[15].key, "AvgFPS");
    PutUnsigned(out[15].value, v.averageFps);
}

void ReadSettings(SettingsIntReader readInt, void* context, SettingsValues& v) {
    v.x = readInt("X", v.x, context);
    v.y = readInt("Y", v.y, context);
    v.currentColor = std::uint32_t(readInt("Current color", std::int32_t(v.currentColor), context));
    v.backgroundColor =
        std::uint32_t(readInt("Background color", std::int32_t(v.backgroundColor), context));
    v.autoApply = readInt("Auto apply", v.autoApply ? 1 : 0, context) != 0;
    for (int i = 0; i < 10; ++i) {
        char key[32];
        PaletteKey(i, key);
        v.customColors[i] = std::uint32_t(readInt(key, std::int32_t(v.customColors[i]), context));
    }
}

bool BuildSettingsPath(const wchar_t* directory, wchar_t* out, std::size_t outSize) {
    const std::size_t dirLen = std::wcslen(directory);
    const std::size_t nameLen = std::wcslen(kSettingsFileName);
    if (dirLen == 0 || dirLen + nameLen + 1 > outSize) return false;
    std::wmemcpy(out, directory, dirLen);
    std::wmemcpy(out + dirLen, kSettingsFileName, nameLen + 1);
    return true;
}
