// The hexadecimal text of the edit box. Pure.
#pragma once
#include "colour/colour_math.h"
#include <cstdint>

// Base-16 conversion with the semantics of a C runtime `strtoul` whose
// unsigned long is 32 bits wide: leading white space, an optional sign, an
// optional "0x"/"0X", digits up to the first other character; 0 without
// digits, 0xFFFFFFFF when the magnitude passes 32 bits, and a minus sign
// negating modulo 2^32. `end`, when given, receives the first unread
// character (the start of the text when there was no number).
std::uint32_t HexToUint32(const char* text, const char** end = nullptr);

// What a typed text means: a leading '#' is skipped, the rest converted.
// Returns false for an empty text, which changes nothing.
bool ParseTypedHex(const char* text, Packed* value);

// Six upper-case digits with leading zeros, "%06lX" of a packed value, NUL
// terminated. Values above 0xFFFFFF give more digits, as wsprintf would.
void FormatHexText(Packed value, char (&out)[16]);
