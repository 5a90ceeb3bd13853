#include "app/settings.h"
#include "app/main_messages.h"
#include "app/main_window.h"
#include "app/settings_format.h"
#include "colour/colour_state.h"
#include "recolour/worker.h"

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

static void Load(wchar_t* path) {
    SettingsValues v = CurrentSettings();
    ReadSettings(ReadProfileInt, path, v);
    windowX = v.x;
    windowY = v.y;
    currentColor.store(v.currentColor); // applied through the colour model later
    backgroundColor = v.backgroundColor;
    autoApply = v.autoApply;
    for (int i = 0; i < 10; ++i)
        customColors[i] = v.customColors[i];
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
