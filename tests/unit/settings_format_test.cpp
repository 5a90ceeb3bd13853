#include "app/settings_format.h"
#include <gtest/gtest.h>
#include <climits>
#include <cstdint>
#include <map>
#include <string>

TEST(SettingsPath, AppendsTheFileNameWithItsBackslash) {
    wchar_t path[kSettingsPathSize];
    ASSERT_TRUE(BuildSettingsPath(L"C:\\Users\\me", path, kSettingsPathSize));
    EXPECT_STREQ(path, L"C:\\Users\\me\\ZantheTintwell.ini");
    ASSERT_TRUE(BuildSettingsPath(L"D:\\", path, kSettingsPathSize));
    EXPECT_STREQ(path, L"D:\\\\ZantheTintwell.ini");
    // Letters outside the ANSI code page are kept as they are.
    ASSERT_TRUE(
        BuildSettingsPath(L"C:\\Farben-\u0426\u0432\u0435\u0442-\u8272", path, kSettingsPathSize));
    EXPECT_STREQ(path, L"C:\\Farben-\u0426\u0432\u0435\u0442-\u8272\\ZantheTintwell.ini");
}

// What the profile calls take: 259 characters and the NUL.
TEST(SettingsPath, RefusesWhatTheProfileCallsCannotTakeAndAnUnknownDirectory) {
    wchar_t path[kSettingsPathSize];
    const std::wstring fits = L"C:\\" + std::wstring(240 - 3, L'a'); // 240 + 19 = 259
    ASSERT_TRUE(BuildSettingsPath(fits.c_str(), path, kSettingsPathSize));
    EXPECT_EQ(std::wstring(path).size(), 259u);
    EXPECT_FALSE(BuildSettingsPath((fits + L"a").c_str(), path, kSettingsPathSize));
    EXPECT_FALSE(BuildSettingsPath((L"C:\\" + std::wstring(254, L'a')).c_str(), path,
                                   kSettingsPathSize)); // a 257-character start-up folder
    EXPECT_FALSE(BuildSettingsPath(L"", path, kSettingsPathSize));
}

TEST(FormatSettings, SixteenKeysInOrderWithDefaults) {
    SettingsEntry e[kSettingsKeyCount];
    FormatSettings(SettingsValues{}, e);
    const char* keys[] = {"Current color",
                          "Background color",
                          "X",
                          "Y",
                          "Auto apply",
                          "Custom color 0",
                          "Custom color 1",
                          "Custom color 2",
                          "Custom color 3",
                          "Custom color 4",
                          "Custom color 5",
                          "Custom color 6",
                          "Custom color 7",
                          "Custom color 8",
                          "Custom color 9",
                          "AvgFPS"};
    const char* values[] = {"16777215", "16757435", "-1",    "-1",       "1",        "255",
                            "65280",    "16711680", "65535", "16777215", "16711935", "16776960",
                            "8388608",  "8421504",  "0",     "0"};
    for (std::size_t i = 0; i < kSettingsKeyCount; ++i) {
        EXPECT_STREQ(e[i].key, keys[i]) << i;
        EXPECT_STREQ(e[i].value, values[i]) << i;
    }
}

TEST(FormatSettings, SignedPositionsFlagAndUnsignedRate) {
    SettingsValues v;
    v.x = -32000;
    v.y = 2147483647;
    v.autoApply = false;
    v.currentColor = 0x00345678;
    v.customColors[3] = 0xFFFFFFFFu; // written back as it was read: "%ld" gives -1
    v.averageFps = 4000000000u;
    SettingsEntry e[kSettingsKeyCount];
    FormatSettings(v, e);
    EXPECT_STREQ(e[0].value, "3430008");
    EXPECT_STREQ(e[2].value, "-32000");
    EXPECT_STREQ(e[3].value, "2147483647");
    EXPECT_STREQ(e[4].value, "0");
    EXPECT_STREQ(e[8].value, "-1");
    EXPECT_STREQ(e[15].value, "4000000000");
    v.x = INT32_MIN;
    FormatSettings(v, e);
    EXPECT_STREQ(e[2].value, "-2147483648");
}

namespace {
std::int32_t FromMap(const char* key, std::int32_t fallback, void* context) {
    const auto& m = *static_cast<std::map<std::string, std::int32_t>*>(context);
    const auto it = m.find(key);
    return it == m.end() ? fallback : it->second;
}
} // namespace

TEST(ReadSettings, MissingKeysKeepTheirDefaultsAndAnyNonZeroApplies) {
    std::map<std::string, std::int32_t> file = {
        {"X", 10},
        {"Y", -20},
        {"Current color", 0x123456},
        {"Auto apply", 5},
        {"Custom color 0", 1},
        {"Custom color 9", 9},
        {"AvgFPS", 77},
    };
    SettingsValues v;
    ReadSettings(FromMap, &file, v);
    EXPECT_EQ(v.x, 10);
    EXPECT_EQ(v.y, -20);
    EXPECT_EQ(v.currentColor, 0x123456u);
    EXPECT_EQ(v.backgroundColor, kDefaultBackgroundColor);
    EXPECT_TRUE(v.autoApply);
    EXPECT_EQ(v.customColors[0], 1u);
    EXPECT_EQ(v.customColors[3], 0x00FFFFu); // yellow kept
    EXPECT_EQ(v.customColors[9], 9u);
    EXPECT_EQ(v.averageFps, 0u); // never read

    file["Auto apply"] = 0;
    ReadSettings(FromMap, &file, v);
    EXPECT_FALSE(v.autoApply);
}

TEST(RecentColorKeys, NamedByPlaceAndReadAsWholeDecimalColours) {
    char key[32];
    RecentColorKey(0, key);
    EXPECT_STREQ("Recent color 0", key);
    RecentColorKey(15, key);
    EXPECT_STREQ("Recent color 15", key);
    EXPECT_TRUE(IsRecentColorKey("Recent color 7"));
    EXPECT_TRUE(IsRecentColorKey("Recent color 99"));
    EXPECT_FALSE(IsRecentColorKey("Recent colour 7"));
    EXPECT_FALSE(IsRecentColorKey("Custom color 7"));

    const struct {
        const char* text;
        bool read;
        std::uint32_t color;
    } cases[] = {
        {"0", true, 0},
        {"16777215", true, 16777215},
        {"33023", true, 33023},
        {"007", true, 7},
        {"16777216", false, 0},
        {"4294967296", false, 0},
        {"99999999999", false, 0},
        {"-1", false, 0},
        {"+5", false, 0},
        {"", false, 0},
        {"12abc", false, 0},
        {"0x10", false, 0},
        {" 12", false, 0},
        {"1e3", false, 0},
        {"1.5", false, 0},
    };
    for (const auto& c : cases) {
        std::uint32_t color = 12345;
        EXPECT_EQ(c.read, ParseColorText(c.text, &color)) << '"' << c.text << '"';
        EXPECT_EQ(c.read ? c.color : 12345u, color) << "read from \"" << c.text << '"';
    }
}

TEST(SettingsFormat, AsciiTextTakesOnlyWhatFitsAndIsAscii) {
    char out[4];
    EXPECT_TRUE(AsciiText(L"abc", out, sizeof out));
    EXPECT_STREQ("abc", out);
    EXPECT_FALSE(AsciiText(L"abcd", out, sizeof out)) << "no room for the end";
    EXPECT_FALSE(AsciiText(L"a\u00e9", out, sizeof out));
    EXPECT_TRUE(AsciiText(L"", out, sizeof out));
    EXPECT_STREQ("", out);
}
