#include "colour/recent_colours.h"
#include "app/hotkey_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<ColorRef> Listed(const RecentColors& recent) {
    return std::vector<ColorRef>(recent.colors, recent.colors + recent.count);
}

TEST(RecentColors, NewestFirstATakenOneToTheFrontSixteenAtMost) {
    RecentColors recent;
    RememberColor(recent, 0x0000FF);
    RememberColor(recent, 0x00FF00);
    RememberColor(recent, 0xFF0000);
    EXPECT_EQ((std::vector<ColorRef>{0xFF0000, 0x00FF00, 0x0000FF}), Listed(recent));
    RememberColor(recent, 0x0000FF); // taken again: to the front, once
    EXPECT_EQ((std::vector<ColorRef>{0x0000FF, 0xFF0000, 0x00FF00}), Listed(recent));
    RememberColor(recent, 0x120000FF); // the top byte is no part of a colour
    EXPECT_EQ(3, recent.count);
    for (ColorRef c = 1; c <= 14; ++c)
        RememberColor(recent, c);
    ASSERT_EQ(16, recent.count);
    EXPECT_EQ(14u, recent.colors[0]);
    EXPECT_EQ(0xFF0000u, recent.colors[15]);
    RememberColor(recent, 15); // the seventeenth: the oldest goes
    EXPECT_EQ(16, recent.count);
    EXPECT_EQ(15u, recent.colors[0]);
    EXPECT_EQ(0x0000FFu, recent.colors[15]) << "the oldest, 0x00FF00, should have gone";
    RememberColor(recent, 0x0000FF); // the last moves up, nothing drops
    EXPECT_EQ(16, recent.count);
    EXPECT_EQ(0x0000FFu, recent.colors[0]);
    EXPECT_EQ(1u, recent.colors[15]);
}

TEST(RecentColors, AppendedInFileOrderWithoutRepeatsUpToSixteen) {
    RecentColors recent;
    EXPECT_TRUE(AppendColor(recent, 5));
    EXPECT_TRUE(AppendColor(recent, 7));
    EXPECT_FALSE(AppendColor(recent, 5)) << "a repeat";
    EXPECT_EQ((std::vector<ColorRef>{5, 7}), Listed(recent));
    for (ColorRef c = 100; c < 114; ++c)
        EXPECT_TRUE(AppendColor(recent, c));
    EXPECT_FALSE(AppendColor(recent, 999)) << "a seventeenth";
    EXPECT_EQ(16, recent.count);
}

TEST(HotkeyText, ModifiersJoinedToOneKeyAnyCaseOrNoneOrUnreadable) {
    const struct {
        const char* text;
        HotkeyText read;
        std::uint32_t modifiers, key;
    } cases[] = {
        {"Win+Shift+C", HotkeyText::Key, kHotkeyWin | kHotkeyShift, 'C'},
        {"Ctrl+Alt+F9", HotkeyText::Key, kHotkeyCtrl | kHotkeyAlt, 0x78},
        {"ctrl+ALT+f24", HotkeyText::Key, kHotkeyCtrl | kHotkeyAlt, 0x87},
        {"Shift+F1", HotkeyText::Key, kHotkeyShift, 0x70},
        {"alt+7", HotkeyText::Key, kHotkeyAlt, '7'},
        {"Win+z", HotkeyText::Key, kHotkeyWin, 'Z'},
        {"none", HotkeyText::None, 0, 0},
        {"NONE", HotkeyText::None, 0, 0},
        {"C", HotkeyText::Unreadable, 0, 0},           // no modifier
        {"Ctrl+", HotkeyText::Unreadable, 0, 0},       // no key
        {"Ctrl + C", HotkeyText::Unreadable, 0, 0},    // spaces
        {"Ctrl+Ctrl+C", HotkeyText::Unreadable, 0, 0}, // a modifier twice
        {"Ctrl+F25", HotkeyText::Unreadable, 0, 0},
        {"Ctrl+F0", HotkeyText::Unreadable, 0, 0},
        {"Ctrl+F", HotkeyText::Key, kHotkeyCtrl, 'F'},
        {"Ctrl+Esc", HotkeyText::Unreadable, 0, 0},
        {"Super+C", HotkeyText::Unreadable, 0, 0},
        {"Ctrl+Shift", HotkeyText::Unreadable, 0, 0},
        {"", HotkeyText::Unreadable, 0, 0},
        {"Ctrl+CC", HotkeyText::Unreadable, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + '"');
        Hotkey hotkey{99, 99};
        EXPECT_EQ(c.read, ParseHotkey(c.text, &hotkey));
        if (c.read == HotkeyText::Key) {
            EXPECT_EQ(c.modifiers, hotkey.modifiers);
            EXPECT_EQ(c.key, hotkey.key);
        }
    }
    Hotkey defaults{};
    ASSERT_EQ(HotkeyText::Key, ParseHotkey(kDefaultHotkeyText, &defaults));
    EXPECT_EQ(kHotkeyWin | kHotkeyShift, defaults.modifiers);
}

} // namespace
