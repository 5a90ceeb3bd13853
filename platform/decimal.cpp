#include "platform/decimal.h"

char* PutUnsigned(char* out, std::uint32_t v) {
    char digits[10];
    int n = 0;
    do {
        digits[n++] = char('0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (n > 0)
        *out++ = digits[--n];
    *out = '\0';
    return out;
}

char* PutSigned(char* out, std::int32_t v) {
    if (v < 0) *out++ = '-';
    return PutUnsigned(out, v < 0 ? 0u - std::uint32_t(v) : std::uint32_t(v));
}
