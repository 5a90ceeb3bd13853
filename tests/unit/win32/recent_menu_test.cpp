// The recent colours' menu as it is made, read in this process: under Wine
// another process cannot read a menu's entries, which the end-to-end tests
// see on the screen and choose with the keys.
#include "app/recent_menu.h"
#include <gtest/gtest.h>

#include <string>

namespace {

struct Entry {
    std::string text;
    UINT id;
    bool greyed, square;
};

std::vector<Entry> EntriesOf(HMENU menu) {
    std::vector<Entry> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP | MIIM_STATE;
        item.dwTypeData = text;
        item.cch = sizeof text;
        GetMenuItemInfoA(menu, UINT(i), TRUE, &item);
        entries.push_back(
            Entry{text, item.wID, (item.fState & MFS_GRAYED) != 0, item.hbmpItem != nullptr});
    }
    return entries;
}

TEST(RecentMenu, EachColoursDigitsBesideItsSquareNewestFirst) {
    RecentColors recent;
    RememberColor(recent, 0x00020100);
    RememberColor(recent, 0x000080FF); // FF8000
    std::vector<HBITMAP> squares;
    HMENU menu = MakeRecentMenu(recent, &squares);
    ASSERT_NE(nullptr, menu);
    const std::vector<Entry> entries = EntriesOf(menu);
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ("FF8000", entries[0].text);
    EXPECT_EQ("000102", entries[1].text);
    for (UINT i = 0; i < 2; ++i) {
        EXPECT_EQ(i + 1, entries[i].id);
        EXPECT_FALSE(entries[i].greyed);
        EXPECT_TRUE(entries[i].square);
    }
    ASSERT_EQ(2u, squares.size());
    BITMAP square{};
    ASSERT_TRUE(GetObjectA(squares[0], sizeof square, &square));
    EXPECT_EQ(GetSystemMetrics(SM_CYMENUCHECK), square.bmWidth);
    EXPECT_EQ(square.bmWidth, square.bmHeight);
    // The middle in the colour, opaque for a menu that draws by the alpha.
    EXPECT_EQ(0xFFFF8000u, static_cast<const std::uint32_t*>(
                               square.bmBits)[(square.bmHeight / 2) * square.bmWidth + 2]);
    DestroyMenu(menu);
    for (HBITMAP s : squares)
        DeleteObject(s);
}

TEST(RecentMenu, NothingRememberedIsOneGreyedEntry) {
    std::vector<HBITMAP> squares;
    HMENU menu = MakeRecentMenu(RecentColors{}, &squares);
    ASSERT_NE(nullptr, menu);
    const std::vector<Entry> entries = EntriesOf(menu);
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ("No recent colors", entries[0].text);
    EXPECT_TRUE(entries[0].greyed);
    EXPECT_FALSE(entries[0].square);
    EXPECT_TRUE(squares.empty());
    DestroyMenu(menu);
}

} // namespace
