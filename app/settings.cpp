#include "app/settings.h"
#include "app/main_messages.h"
#include "app/main_window.h"
#include "app/pick_hotkey.h"
#include "app/recent_menu.h"
#include "app/settings_format.h"
#include "platform/decimal.h"
#include "colour/colour_state.h"
#include "recolour/worker.h"

#include <string>
#include <vector>

static_assert(kSettingsPathSize == MAX_PATH, "the profile calls' limit");

wchar_t startupDirectory[MAX_PATH];

void ReadStartupDirectory() {
    // Wide calls throughout: the ANSI ones turn letters outside the code page
    // into '?', and the file is then never found. A directory the buffer
    // cannot hold stays unknown.
    const DWORD n = GetCurrentDirectoryW(MAX_PATH, startupDirectory);
    if (n == 0 || n >= MAX_PATH) startupDirectory[0] = L'\0';
}

namespace {
// Keys, values and the section are ASCII; the wide calls take them widened.
struct Wide {
    wchar_t text[32];
    explicit Wide(const char* ascii) {
        int i = 0;
        for (; ascii[i] != '\0' && i < 31; ++i)
            text[i] = wchar_t(ascii[i]);
        text[i] = L'\0';
    }
};
} // namespace

static std::int32_t ReadProfileInt(const char* key, std::int32_t fallback, void* path) {
    return std::int32_t(GetPrivateProfileIntW(Wide(kSettingsSection).text, Wide(key).text, fallback,
                                              static_cast<const wchar_t*>(path)));
}

static SettingsValues CurrentSettings() {
    SettingsValues v;
    v.x = windowX;
    v.y = windowY;
    v.currentColor = currentColor.load();
    v.backgroundColor = backgroundColor;
    v.autoApply = autoApply;
    for (int i = 0; i < 10; ++i)
        v.customColors[i] = customColors[i];
    return v;
}

// Every key of the section, as the file has them.
static std::vector<std::wstring> KeysOfSection(const wchar_t* path) {
    std::vector<wchar_t> names(4096);
    for (;;) {
        const DWORD n = GetPrivateProfileStringW(Wide(kSettingsSection).text, nullptr, L"",
                                                 names.data(), DWORD(names.size()), path);
        if (n + 2 < names.size()) break; // it fitted
        names.resize(names.size() * 2);
    }
    std::vector<std::wstring> keys;
    for (const wchar_t* k = names.data(); *k; k += lstrlenW(k) + 1)
        keys.emplace_back(k);
    return keys;
}

static bool HasKey(const std::vector<std::wstring>& keys, const char* key) {
    const Wide wide(key);
    for (const std::wstring& k : keys)
        if (lstrcmpiW(k.c_str(), wide.text) == 0) return true;
    return false;
}

// The recent colours as the file lists them, newest first: a value that is
// no colour is skipped, and so is a colour read already; a missing place
// ends nothing.
static void LoadRecentColors(const wchar_t* path) {
    recentColors = RecentColors{};
    for (int place = 0; place < kRecentColorCount; ++place) {
        char key[32];
        RecentColorKey(place, key);
        wchar_t wide[32];
        GetPrivateProfileStringW(Wide(kSettingsSection).text, Wide(key).text, L"", wide, 32, path);
        char text[32];
        std::uint32_t color;
        if (AsciiText(wide, text, sizeof text) && ParseColorText(text, &color))
            AppendColor(recentColors, color);
    }
}

static void Load(wchar_t* path) {
    SettingsValues v = CurrentSettings();
    ReadSettings(ReadProfileInt, path, v);
    LoadRecentColors(path);
    pickHotkeyInFile = HasKey(KeysOfSection(path), kPickHotkeyKey);
    if (pickHotkeyInFile)
        GetPrivateProfileStringW(Wide(kSettingsSection).text, Wide(kPickHotkeyKey).text, L"",
                                 pickHotkeyText, 64, path);
    windowX = v.x;
    windowY = v.y;
    currentColor.store(v.currentColor); // applied through the colour model later
    backgroundColor = v.backgroundColor;
    autoApply = v.autoApply;
    for (int i = 0; i < 10; ++i)
        customColors[i] = v.customColors[i];
}

// One key for each recent colour, from "Recent color 0" on, and no other:
// the places the list no longer fills lose their keys.
static void SaveRecentColors(const wchar_t* path) {
    for (int place = 0; place < recentColors.count; ++place) {
        char key[32], value[16];
        RecentColorKey(place, key);
        PutUnsigned(value, recentColors.colors[place]);
        WritePrivateProfileStringW(Wide(kSettingsSection).text, Wide(key).text, Wide(value).text,
                                   path);
    }
    for (const std::wstring& key : KeysOfSection(path)) {
        char ascii[32];
        if (!AsciiText(key.c_str(), ascii, sizeof ascii) || !IsRecentColorKey(ascii)) continue;
        bool kept = false;
        for (int place = 0; place < recentColors.count && !kept; ++place) {
            char wanted[32];
            RecentColorKey(place, wanted);
            kept = lstrcmpiA(wanted, ascii) == 0;
        }
        if (!kept)
            WritePrivateProfileStringW(Wide(kSettingsSection).text, key.c_str(), nullptr, path);
    }
}

static void Save(const wchar_t* path) {
    // A read-only file is the user's way of keeping settings fixed. Not every
    // system refuses the write (an administrator under Wine is let through),
    // so do not rely on the refusal.
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return;
    SettingsValues v = CurrentSettings();
    v.averageFps = AverageFps();
    SettingsEntry entries[kSettingsKeyCount];
    FormatSettings(v, entries);
    for (const auto& e : entries)
        WritePrivateProfileStringW(Wide(kSettingsSection).text, Wide(e.key).text,
                                   Wide(e.value).text, path);
    if (pickHotkeyInFile)
        WritePrivateProfileStringW(Wide(kSettingsSection).text, Wide(kPickHotkeyKey).text,
                                   pickHotkeyText, path);
    SaveRecentColors(path);
}

// A start-up directory too deep for the file's name is reached by its short
// form, which FAT volumes (USB sticks) and most system volumes keep. Without
// one the settings are neither read nor written.
static bool SettingsPath(wchar_t (&path)[kSettingsPathSize]) {
    if (BuildSettingsPath(startupDirectory, path, kSettingsPathSize)) return true;
    wchar_t shortDirectory[MAX_PATH];
    const DWORD n = GetShortPathNameW(startupDirectory, shortDirectory, MAX_PATH);
    return n != 0 && n < MAX_PATH && BuildSettingsPath(shortDirectory, path, kSettingsPathSize);
}

void LoadOrSaveSettings(bool load) {
    wchar_t path[kSettingsPathSize];
    if (!SettingsPath(path)) return;
    if (load)
        Load(path);
    else
        Save(path);
}
