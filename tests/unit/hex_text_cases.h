// The hex conversion's table, shared by the pure test and the comparison with
// the C runtime's own strtoul under Windows.
#pragma once
#include <cstdint>

struct HexCase {
    const char* text;
    std::uint32_t value;
    int consumed; // characters up to the end pointer
};

inline const HexCase kHexCases[] = {
    {"00ff00", 0x0000FF00u, 6},
    {"12", 0x12u, 2},
    {"1234567", 0x1234567u, 7},
    {"-1", 0xFFFFFFFFu, 2},
    {"FFFFFFFFF", 0xFFFFFFFFu, 9},
    {"FFFFFFFF", 0xFFFFFFFFu, 8},
    {"100000000", 0xFFFFFFFFu, 9},
    {"G", 0u, 0},
    {" ", 0u, 0},
    {"", 0u, 0},
    {"0x1F", 0x1Fu, 4},
    {"0X1f", 0x1Fu, 4},
    {"0x", 0u, 1},
    {"0xG", 0u, 1},
    {"  \t+ff", 0xFFu, 6},
    {"+-1", 0u, 0},
    {"-0x10", 0xFFFFFFF0u, 5},
    {"12zz", 0x12u, 2},
    {"- 1", 0u, 0},
    {"-80000000", 0x80000000u, 9},
    {"-FFFFFFFF", 1u, 9},
    {"-1000000FF", 0xFFFFFFFFu, 10},
    {"000000000000000000ABC", 0xABCu, 21},
};
