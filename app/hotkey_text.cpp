#include "app/hotkey_text.h"

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Whether text[0, length) is `word`, whatever the case.
bool Is(const char* text, int length, const char* word) {
    int i = 0;
    for (; i < length && word[i] != '\0'; ++i)
        if (Lower(text[i]) != word[i]) return false;
    return i == length && word[i] == '\0';
}

const struct {
    const char* name;
    std::uint32_t modifier;
} kModifiers[] = {
    {"ctrl", kHotkeyCtrl}, {"alt", kHotkeyAlt}, {"shift", kHotkeyShift}, {"win", kHotkeyWin}};

// A letter, a digit, or F1 to F24, as a virtual-key code; 0 for anything else.
std::uint32_t KeyCode(const char* text, int length) {
    if (length == 1) {
        const char c = Lower(text[0]);
        if (c >= 'a' && c <= 'z') return std::uint32_t('A' + (c - 'a'));
        if (c >= '0' && c <= '9') return std::uint32_t(c);
        return 0;
    }
    if ((length == 2 || length == 3) && Lower(text[0]) == 'f' && text[1] >= '1' && text[1] <= '9') {
        int n = text[1] - '0';
        if (length == 3) {
            if (text[2] < '0' || text[2] > '9') return 0;
            n = n * 10 + (text[2] - '0');
        }
        if (n >= 1 && n <= 24) return std::uint32_t(0x70 + n - 1); // VK_F1 on
    }
    return 0;
}

} // namespace

HotkeyText ParseHotkey(const char* text, Hotkey* hotkey) {
    int length = 0;
    while (text[length] != '\0')
        ++length;
    if (Is(text, length, "none")) return HotkeyText::None;
    std::uint32_t modifiers = 0;
    int start = 0;
    for (int i = 0; i <= length; ++i) {
        if (i < length && text[i] != '+') continue;
        const int part = i - start;
        if (i == length) { // the key, after at least one modifier
            const std::uint32_t key = KeyCode(text + start, part);
            if (key == 0 || modifiers == 0) return HotkeyText::Unreadable;
            *hotkey = Hotkey{modifiers, key};
            return HotkeyText::Key;
        }
        std::uint32_t modifier = 0;
        for (const auto& m : kModifiers)
            if (Is(text + start, part, m.name)) modifier = m.modifier;
        if (modifier == 0 || (modifiers & modifier) != 0) return HotkeyText::Unreadable;
        modifiers |= modifier;
        start = i + 1;
    }
    return HotkeyText::Unreadable;
}
