#include "app/pick_hotkey.h"
#include "app/hotkey_text.h"
#include "app/main_window.h"
#include "app/records.h"
#include "app/settings_format.h"

static_assert(kHotkeyAlt == MOD_ALT && kHotkeyCtrl == MOD_CONTROL && kHotkeyShift == MOD_SHIFT &&
                  kHotkeyWin == MOD_WIN,
              "the modifiers as RegisterHotKey takes them");
static_assert(VK_F1 == 0x70 && VK_F24 == 0x87, "the function keys' codes");

wchar_t pickHotkeyText[64];
bool pickHotkeyInFile = false;

namespace {

constexpr int kPickHotkeyId = 1;
bool registered = false;

// What both eyedroppers say; the pick color one then of the freeze, and of
// what became of the key.
constexpr char kEyedropperHelp[] =
    "Press here and move the pointer to a pixel, or press Space: the arrow keys move the pointer "
    "a pixel, ten with Shift; Space, Enter or the release takes the pixel, Esc cancels.";
constexpr char kFreezeHelp[] = " F freezes the screen during a pick.";
char description[sizeof kEyedropperHelp + sizeof kFreezeHelp + 128];

void Describe(const char* sentence, const char* key, const char* ending) {
    lstrcpynA(description, kEyedropperHelp, int(sizeof description));
    lstrcatA(description, kFreezeHelp);
    if (sentence) {
        lstrcatA(description, sentence);
        lstrcatA(description, key);
        lstrcatA(description, ending);
    }
}

} // namespace

const char* EyedropperHelp() {
    return kEyedropperHelp;
}

void RegisterPickHotkey() {
    if (!pickHotkeyInFile)
        for (int i = 0; i == 0 || kDefaultHotkeyText[i - 1] != '\0'; ++i)
            pickHotkeyText[i] = wchar_t(kDefaultHotkeyText[i]);
    char text[64];
    Hotkey hotkey{};
    const bool readable = AsciiText(pickHotkeyText, text, sizeof text); // no key's name has more
    const HotkeyText read = readable ? ParseHotkey(text, &hotkey) : HotkeyText::Unreadable;
    Describe(nullptr, nullptr, nullptr);
    if (read == HotkeyText::Key) {
        // No repeats: a key held down starts one pick.
        registered =
            RegisterHotKey(mainWindow, kPickHotkeyId, hotkey.modifiers | MOD_NOREPEAT,
                           hotkey.key) ||
            RegisterHotKey(mainWindow, kPickHotkeyId, hotkey.modifiers, hotkey.key); // before 7
        if (registered)
            Describe(" Hotkey: ", text, ".");
        else
            Describe(" Hotkey ", text, " is in use by another program.");
    }
    pickColorControl.description = description;
    SetPickToolTip(pickColorControl);
}

void UnregisterPickHotkey() {
    if (registered) UnregisterHotKey(mainWindow, kPickHotkeyId);
    registered = false;
}

void OnPickHotkey(WPARAM id) {
    if (id == kPickHotkeyId) PickFromAnywhere(pickColorControl);
}
