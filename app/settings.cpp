#include "app/settings.h"
#include "app/main_messages.h"
#include "app/main_window.h"
#include "app/settings_format.h"
#include "colour/colour_state.h"
#include "recolour/worker.h"

char startupDirectory[MAX_PATH];

void ReadStartupDirectory() {
    const DWORD n = GetCurrentDirectoryA(MAX_PATH, startupDirectory);
    // A directory longer than the buffer is not delivered at all; the current
    // directory as a relative path still finds the same file.
    if (n == 0 || n >= MAX_PATH) lstrcpyA(startupDirectory, ".");
}

static std::int32_t ReadProfileInt(const char* key, std::int32_t fallback, void* path) {
    return std::int32_t(
        GetPrivateProfileIntA(kSettingsSection, key, fallback, static_cast<const char*>(path)));
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

static void Load(char* path) {
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

static void Save(const char* path) {
    // A read-only file is the user's way of keeping settings fixed. Not every
    // system refuses the write (an administrator under Wine is let through),
    // so do not rely on the refusal.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return;
    SettingsValues v = CurrentSettings();
    v.averageFps = AverageFps();
    SettingsEntry entries[kSettingsKeyCount];
    FormatSettings(v, entries);
    for (const auto& e : entries)
        WritePrivateProfileStringA(kSettingsSection, e.key, e.value, path);
}

void LoadOrSaveSettings(bool load) {
    char path[kSettingsPathSize];
    if (!BuildSettingsPath(startupDirectory, path, sizeof path)) return;
    if (load)
        Load(path);
    else
        Save(path);
}
