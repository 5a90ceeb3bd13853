// Internal to the pixel passes and their tests: every implementation compiled
// in, so each one the CPU can run is checked against the same plain rules.
#pragma once
#include "colour/colour_math.h"
#include <cstddef>
#include <cstdint>

namespace pixel_passes_detail {

using Pass24Fn = void (*)(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                          std::int32_t height, Packed from, Packed to);
using Pass32Fn = Pass24Fn;
using Pass16Fn = void (*)(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                          std::int32_t height, std::uint16_t from, std::uint16_t to);

struct PassImpl {
    const char* name;
    Pass24Fn pass24;
    Pass32Fn pass32;
    Pass16Fn pass16;
};

// One pixel at a time; also finishes the rows the vector code leaves over.
void ScalarPass24(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                  std::int32_t height, Packed from, Packed to);
void ScalarPass32(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                  std::int32_t height, Packed from, Packed to);
void ScalarPass16(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                  std::int32_t height, std::uint16_t from, std::uint16_t to);

// Pixels [first, width) of one 24-bit row, including the byte after the row.
void ScalarRow24(const std::uint8_t* src, std::uint8_t* dst, std::size_t first, std::size_t width,
                 std::uint32_t from, std::uint32_t to);
// Units [first, count) of a run of 32-bit or 16-bit pixels.
void ScalarRun32(const std::uint8_t* src, std::uint8_t* dst, std::size_t first, std::size_t count,
                 std::uint32_t from, std::uint32_t to);
void ScalarRun16(const std::uint8_t* src, std::uint8_t* dst, std::size_t first, std::size_t count,
                 std::uint16_t from, std::uint16_t to);

// The implementations this CPU can run, plainest first; never empty.
const PassImpl* AvailablePassImpls(std::size_t* count);

// For 16 and 32 bits the last of AvailablePassImpls; for 24 bits the one of
// them ChooseByTimes picks after a short timing on first use.
const PassImpl& FastestPassImpl();

// Given each implementation's best time, plainest first: the widest (last)
// one, unless another beat it by more than a tenth. A short timing on a busy
// machine misjudges by a few percent, and beyond the caches the widest code
// is the better bet.
std::size_t ChooseByTimes(const std::int64_t* bestTimes, std::size_t count);

} // namespace pixel_passes_detail
