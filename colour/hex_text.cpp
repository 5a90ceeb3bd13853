#include "colour/hex_text.h"

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::uint32_t HexToUint32(const char* text, const char** end) {
    const char* p = text;
    while (IsSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    // "0x" counts only when a digit follows; otherwise the "0" is the number.
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && HexDigit(p[2]) >= 0) p += 2;
    if (HexDigit(*p) < 0) {
        if (end) *end = text;
        return 0;
    }
    std::uint64_t value = 0;
    bool overflow = false;
    for (int d; (d = HexDigit(*p)) >= 0; ++p) {
        value = value * 16 + std::uint64_t(d);
        if (value > 0xFFFFFFFFull) {
            overflow = true;
            value = 0xFFFFFFFFull; // keep reading digits, but stay bounded
        }
    }
    if (end) *end = p;
    if (overflow) return 0xFFFFFFFFu;
    const auto v = std::uint32_t(value);
    return negative ? std::uint32_t(0u - v) : v;
}

bool ParseTypedHex(const char* text, Packed* value) {
    if (text[0] == '\0') return false;
    if (text[0] == '#') ++text;
    *value = HexToUint32(text);
    return true;
}

void FormatHexText(Packed value, char (&out)[16]) {
    static const char digits[] = "0123456789ABCDEF";
    char tmp[8];
    int n = 0;
    do {
        tmp[n++] = digits[value & 15u];
        value >>= 4;
    } while (value != 0);
    int i = 0;
    for (int pad = 6 - n; pad > 0; --pad)
        out[i++] = '0';
    while (n > 0)
        out[i++] = tmp[--n];
    out[i] = '\0';
}
