#include "colour/hex_text.h"
#include "hex_text_cases.h"
#include <gtest/gtest.h>

TEST(HexToUint32, BehavesAsA32BitStrtoul) {
    for (const auto& c : kHexCases) {
        const char* end = nullptr;
        EXPECT_EQ(HexToUint32(c.text, &end), c.value) << '"' << c.text << '"';
        EXPECT_EQ(end - c.text, c.consumed) << '"' << c.text << '"';
    }
}

TEST(ParseTypedHex, SkipsOneHashAndIgnoresEmptyText) {
    Packed v = 0xDEAD;
    EXPECT_FALSE(ParseTypedHex("", &v));
    EXPECT_EQ(v, 0xDEADu);
    ASSERT_TRUE(ParseTypedHex("#00ff00", &v));
    EXPECT_EQ(ColorRefFromPacked(v), 0x0000FF00u);
    ASSERT_TRUE(ParseTypedHex("1234567", &v));
    EXPECT_EQ(ColorRefFromPacked(v), 0x00674523u); // red 0x23, green 0x45, blue 0x67
    ASSERT_TRUE(ParseTypedHex("##1", &v));
    EXPECT_EQ(v, 0u);
    ASSERT_TRUE(ParseTypedHex("#", &v));
    EXPECT_EQ(v, 0u);
}

TEST(ParseTypedHex, TypingOrangePassesThroughEveryPrefix) {
    const char* prefixes[] = {"F", "FF", "FF8", "FF80", "FF800", "FF8000"};
    const Packed expected[] = {0x00000F, 0x0000FF, 0x000FF8, 0x00FF80, 0x0FF800, 0xFF8000};
    for (int i = 0; i < 6; ++i) {
        Packed v;
        ASSERT_TRUE(ParseTypedHex(prefixes[i], &v));
        EXPECT_EQ(v, expected[i]) << prefixes[i];
    }
}

TEST(FormatHexText, SixUpperCaseDigitsWithLeadingZeros) {
    const struct {
        Packed value;
        const char* text;
    } cases[] = {
        {0x00000A, "00000A"}, {0xFF8000, "FF8000"},   {0, "000000"},
        {0xFFFFFF, "FFFFFF"}, {0x1234567, "1234567"}, {0xFFFFFFFF, "FFFFFFFF"},
    };
    for (const auto& c : cases) {
        char out[16];
        FormatHexText(c.value, out);
        EXPECT_STREQ(out, c.text);
    }
}
