// Decimal text as "%lu" and "%ld" give it, without printf, which would bring
// the whole formatting machinery into the program. Pure.
#pragma once
#include <cstdint>

// Writes the digits (and a leading '-') at `out`, NUL terminated, and returns
// where the NUL is: 11 characters and the NUL at the most.
char* PutUnsigned(char* out, std::uint32_t v);
char* PutSigned(char* out, std::int32_t v);
