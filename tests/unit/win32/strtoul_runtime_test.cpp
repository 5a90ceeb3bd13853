// Our conversion against the C runtime's own strtoul, whose unsigned long is
// 32 bits on Windows. Where the runtime departs from the C standard the
// standard holds; those cases are listed, not copied.
#include "colour/hex_text.h"
#include "tests/unit/hex_text_cases.h"
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// Known departures of Wine's runtime: a negative overflow is negated instead
// of giving ULONG_MAX.
const char* const kKnownRuntimeDifferences[] = {"-1000000FF"};
// For "0x" without a digit after it the standard ends the number after the
// "0"; the runtime reports no number at all. The value is 0 either way.
const char* const kKnownEndDifferences[] = {"0x", "0xG"};

template <std::size_t N> bool IsListed(const char* const (&list)[N], const char* text) {
    for (const char* k : list)
        if (std::strcmp(k, text) == 0) return true;
    return false;
}
bool IsKnownDifference(const char* text) {
    return IsListed(kKnownRuntimeDifferences, text);
}

} // namespace

TEST(HexToUint32, AgreesWithTheRuntimesStrtoul) {
    static_assert(sizeof(unsigned long) == 4, "the Windows runtime's unsigned long");
    for (const auto& c : kHexCases) {
        char* runtimeEnd = nullptr;
        const unsigned long runtime = std::strtoul(c.text, &runtimeEnd, 16);
        const char* ourEnd = nullptr;
        const std::uint32_t ours = HexToUint32(c.text, &ourEnd);
        if (IsKnownDifference(c.text)) {
            EXPECT_EQ(ours, 0xFFFFFFFFu) << c.text;
            continue;
        }
        EXPECT_EQ(ours, runtime) << '"' << c.text << '"';
        if (!IsListed(kKnownEndDifferences, c.text)) {
            EXPECT_EQ(ourEnd, runtimeEnd) << '"' << c.text << '"';
        }
    }
}

TEST(HexToUint32, KnownRuntimeDifferencesAreStillDifferent) {
    // If the runtime is fixed, this list should shrink.
    for (const char* text : kKnownRuntimeDifferences) {
        const unsigned long runtime = std::strtoul(text, nullptr, 16);
        RecordProperty("runtime", std::to_string(runtime));
        EXPECT_EQ(HexToUint32(text), 0xFFFFFFFFu) << text;
    }
}
