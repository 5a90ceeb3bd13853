// The text of the key that starts a pick from anywhere, as the settings file
// gives it: modifier names "Ctrl", "Alt", "Shift" and "Win" joined by '+' to
// one key, a letter, a digit or F1 to F24 ("Ctrl+Alt+F9"); any case, no
// spaces, at least one modifier. Pure.
#pragma once
#include <cstdint>

// The modifiers as the system's RegisterHotKey takes them (MOD_ALT,
// MOD_CONTROL, MOD_SHIFT, MOD_WIN), and the key as a virtual-key code.
constexpr std::uint32_t kHotkeyAlt = 0x1, kHotkeyCtrl = 0x2, kHotkeyShift = 0x4, kHotkeyWin = 0x8;
struct Hotkey {
    std::uint32_t modifiers;
    std::uint32_t key;
};

// What the file says when it says nothing.
constexpr const char* kDefaultHotkeyText = "Win+Shift+C";

enum class HotkeyText {
    Key,        // a key to register, in *hotkey
    None,       // "none": no key
    Unreadable, // anything else: no key either, and the text kept as it is
};
HotkeyText ParseHotkey(const char* text, Hotkey* hotkey);
