#include "recolour/pixel_passes.h"
#include "recolour/pixel_passes_impl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using pixel_passes_detail::PassImpl;

// ---- Plain reference passes, written from the rules and nothing else ----

std::size_t RefStride(int bytesPerPixel, int width) {
    return (std::size_t(bytesPerPixel) * std::size_t(width) + 3) / 4 * 4;
}

std::uint32_t ReadUnit(const Bytes& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

void WriteUnit(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k)
        b[at + k] = std::uint8_t(v >> (8 * k));
}

void Reference24(const Bytes& src, Bytes& dst, int width, int height, std::uint32_t from,
                 std::uint32_t to) {
    std::size_t at = 0;
    const std::size_t padding = RefStride(3, width) - 3 * std::size_t(width);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, at += 3) {
            std::uint32_t unit = ReadUnit(src, at);
            if ((unit & 0xFFFFFF) == (from & 0xFFFFFF))
                unit = (unit & 0xFF000000) | (to & 0xFFFFFF);
            WriteUnit(dst, at, unit);
        }
        at += padding;
    }
}

void Reference32(const Bytes& src, Bytes& dst, int width, int height, std::uint32_t from,
                 std::uint32_t to) {
    for (std::size_t at = 0; at < 4 * std::size_t(width) * std::size_t(height); at += 4) {
        const std::uint32_t unit = ReadUnit(src, at);
        WriteUnit(dst, at, (unit & 0xFFFFFF) == (from & 0xFFFFFF) ? (to & 0xFFFFFF) : unit);
    }
}

void Reference16(const Bytes& src, Bytes& dst, int width, int height, std::uint16_t from,
                 std::uint16_t to) {
    std::size_t at = 0;
    const std::size_t padding = RefStride(2, width) - 2 * std::size_t(width);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, at += 2) {
            std::uint16_t pixel = std::uint16_t(src[at] | src[at + 1] << 8);
            if (pixel == from) pixel = to;
            dst[at] = std::uint8_t(pixel);
            dst[at + 1] = std::uint8_t(pixel >> 8);
        }
        at += padding;
    }
}

// ---- Random snapshots -----------------------------------------------------

Bytes RandomBytes(std::mt19937& rng, std::size_t n) {
    Bytes b(n);
    for (auto& v : b)
        v = std::uint8_t(rng());
    return b;
}

// Random pixels, about a quarter set to `from`, some more off by one bit of
// one byte and some off in two bytes, so a pass that compares too few bytes,
// or only some of them, is caught.
Bytes Snapshot(std::mt19937& rng, int bytesPerPixel, int width, int height, std::uint32_t from) {
    const std::size_t stride = RefStride(bytesPerPixel, width);
    const unsigned compared = bytesPerPixel == 2 ? 2 : 3;
    Bytes b = RandomBytes(rng, stride * std::size_t(height) + 1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = y * stride + std::size_t(x) * bytesPerPixel;
            const unsigned roll = unsigned(rng() % 100);
            if (roll >= 45) continue;
            std::uint32_t value = from;
            const unsigned first = unsigned(rng() % compared);
            if (roll >= 25) value ^= 1u << (8 * first + rng() % 8);
            if (roll >= 35) value ^= 1u << (8 * ((first + 1) % compared) + rng() % 8);
            for (unsigned k = 0; k < compared; ++k)
                b[at + k] = std::uint8_t(value >> 8 * k);
        }
    }
    return b;
}

struct Case {
    int width;
    int height;
};

// Every width up to 70 pixels: every tail of the 16- and 32-byte vectors and
// the 15-byte steps. Then around the 24-bit pass's 96-byte blocks (32 pixels),
// and some plain large ones.
std::vector<Case> Sizes() {
    std::vector<Case> sizes;
    for (int w = 1; w <= 70; ++w)
        for (int h : {1, 2, 3, 5})
            sizes.push_back({w, h});
    for (int w : {95, 96, 97, 127, 128, 255, 257, 1000, 1023, 1024, 1025, 1057, 1921, 2081})
        for (int h : {1, 3})
            sizes.push_back({w, h});
    return sizes;
}

std::vector<PassImpl> Impls() {
    std::size_t n = 0;
    const PassImpl* list = pixel_passes_detail::AvailablePassImpls(&n);
    std::vector<PassImpl> impls(list, list + n);
    impls.push_back({"public", ReplacePass24, ReplacePass32, ReplacePass16});
    return impls;
}

std::string Where(const PassImpl& impl, const Case& c) {
    return std::string(impl.name) + " " + std::to_string(c.width) + "x" + std::to_string(c.height);
}

TEST(PassImpls, PlainVersionComesFirstAndTheFastestTakesItsPassesFromTheList) {
    std::size_t n = 0;
    const PassImpl* list = pixel_passes_detail::AvailablePassImpls(&n);
    ASSERT_GE(n, 1u);
    EXPECT_EQ(std::string(list[0].name), "scalar");
    const PassImpl& fastest = pixel_passes_detail::FastestPassImpl();
    EXPECT_EQ(fastest.pass32, list[n - 1].pass32);
    EXPECT_EQ(fastest.pass16, list[n - 1].pass16);
    const PassImpl* timed = std::find_if(list, list + n, [&](const PassImpl& impl) {
        return impl.pass24 == fastest.pass24 && std::string(impl.name) == fastest.name;
    });
    EXPECT_NE(timed, list + n);
    for (std::size_t i = 0; i < n; ++i)
        std::printf("pass implementation: %s\n", list[i].name);
    std::printf("fastest 24-bit pass: %s\n", fastest.name);
}

// The 24-bit choice, from each implementation's best time, plainest first.
TEST(PassChoice, TheWidestStaysUnlessAnotherBeatsItByMoreThanATenth) {
    const struct {
        std::vector<std::int64_t> times;
        std::size_t chosen;
    } cases[] = {
        {{5000}, 0},
        {{40000, 12000, 11000, 9500, 10000}, 4},       // 5 % ahead: not enough
        {{40000, 12000, 11000, 9000, 10000}, 4},       // a tenth ahead: not more
        {{40000, 12000, 11000, 8999, 10000}, 3},       // just more than a tenth
        {{40000, 12000, 11000, 8500, 10000}, 3},       // 15 % ahead
        {{40000, 8000, 8500, 9950, 10000}, 1},         // the fastest of those ahead
        {{3000, 10000, 10000}, 0},                     // the plainest, far ahead
        {{40000, 12000, 11000, 9500, 10000, 9800}, 5}, // a wider last one stays
    };
    for (const auto& c : cases) {
        std::string times;
        for (std::int64_t t : c.times)
            times += " " + std::to_string(t);
        EXPECT_EQ(pixel_passes_detail::ChooseByTimes(c.times.data(), c.times.size()), c.chosen)
            << "times" << times;
    }
}

// Runs `pass` on copies of src and dst that start `srcShift` and `dstShift`
// bytes into larger buffers, so the vector code meets every alignment of its
// loads and stores; returns the whole output buffer, the bytes before dst too.
template <class Pass>
Bytes RunShifted(const Bytes& src, const Bytes& dst, std::size_t srcShift, std::size_t dstShift,
                 Pass pass) {
    Bytes s(srcShift, 0x5A), d(dstShift, 0xA5);
    s.insert(s.end(), src.begin(), src.end());
    d.insert(d.end(), dst.begin(), dst.end());
    pass(s.data() + srcShift, d.data() + dstShift);
    return d;
}

using Reference = void (*)(const Bytes& src, Bytes& dst, int width, int height, std::uint32_t from,
                           std::uint32_t to);
using Runner = void (*)(const PassImpl& impl, const std::uint8_t* src, std::uint8_t* dst, int width,
                        int height, std::uint32_t from, std::uint32_t to);

// Every implementation this CPU runs, byte for byte against the reference, at
// every size and at shifting alignments, with the output buffer full of junk
// so that unwritten padding and the bytes before the output are checked too.
void CheckEveryImplementation(std::uint32_t seed, int bytesPerPixel, std::uint32_t colourBits,
                              Reference reference, Runner run) {
    std::mt19937 rng(seed);
    for (const PassImpl& impl : Impls()) {
        for (const Case& c : Sizes()) {
            const auto from = std::uint32_t(rng() & colourBits),
                       to = std::uint32_t(rng() & colourBits);
            const Bytes src = Snapshot(rng, bytesPerPixel, c.width, c.height, from);
            Bytes out = RandomBytes(rng, src.size());
            const std::size_t srcShift = rng() % 32, dstShift = rng() % 32;
            const Bytes expected =
                RunShifted(src, out, srcShift, dstShift, [&](const std::uint8_t*, std::uint8_t* d) {
                    Bytes ref(d, d + out.size());
                    reference(src, ref, c.width, c.height, from, to);
                    std::copy(ref.begin(), ref.end(), d);
                });
            const Bytes actual = RunShifted(src, out, srcShift, dstShift,
                                            [&](const std::uint8_t* s, std::uint8_t* d) {
                                                run(impl, s, d, c.width, c.height, from, to);
                                            });
            ASSERT_EQ(actual, expected)
                << Where(impl, c) << " shifted " << srcShift << "/" << dstShift;
        }
    }
}

void Reference16Wide(const Bytes& src, Bytes& dst, int width, int height, std::uint32_t from,
                     std::uint32_t to) {
    Reference16(src, dst, width, height, std::uint16_t(from), std::uint16_t(to));
}

TEST(ReplacePass24, EveryImplementationMatchesThePlainPassByteForByte) {
    CheckEveryImplementation(24, 3, 0xFFFFFF, Reference24,
                             [](const PassImpl& impl, const std::uint8_t* s, std::uint8_t* d, int w,
                                int h, std::uint32_t from,
                                std::uint32_t to) { impl.pass24(s, d, w, h, from, to); });
}

TEST(ReplacePass32, EveryImplementationMatchesThePlainPassByteForByte) {
    CheckEveryImplementation(32, 4, 0xFFFFFF, Reference32,
                             [](const PassImpl& impl, const std::uint8_t* s, std::uint8_t* d, int w,
                                int h, std::uint32_t from,
                                std::uint32_t to) { impl.pass32(s, d, w, h, from, to); });
}

TEST(ReplacePass16, EveryImplementationMatchesThePlainPassByteForByte) {
    CheckEveryImplementation(16, 2, 0x7FFF, Reference16Wide,
                             [](const PassImpl& impl, const std::uint8_t* s, std::uint8_t* d, int w,
                                int h, std::uint32_t from, std::uint32_t to) {
                                 impl.pass16(s, d, w, h, std::uint16_t(from), std::uint16_t(to));
                             });
}

// Only the low 24 bits of the colours count: a top byte on either is dropped.
TEST(ReplacePass24And32, TopByteOfTheColoursIsIgnored) {
    std::mt19937 rng(7);
    for (const PassImpl& impl : Impls()) {
        const Case c{37, 3};
        const std::uint32_t from = 0x00ABCDEF, to = 0x00102030;
        const Bytes src24 = Snapshot(rng, 3, c.width, c.height, from);
        Bytes expected = RandomBytes(rng, src24.size()), actual = expected;
        Reference24(src24, expected, c.width, c.height, from, to);
        impl.pass24(src24.data(), actual.data(), c.width, c.height, 0xFF000000 | from,
                    0x7F000000 | to);
        EXPECT_EQ(actual, expected) << Where(impl, c);

        const Bytes src32 = Snapshot(rng, 4, c.width, c.height, from);
        expected = RandomBytes(rng, src32.size());
        actual = expected;
        Reference32(src32, expected, c.width, c.height, from, to);
        impl.pass32(src32.data(), actual.data(), c.width, c.height, 0x01000000 | from,
                    0xFF000000 | to);
        EXPECT_EQ(actual, expected) << Where(impl, c);
    }
}

// ---- Layout -----------------------------------------------------------------

struct LayoutCase {
    std::uint32_t bits;
    std::int32_t width;
    std::int32_t height;
    std::uint64_t stride;
    std::uint64_t bufferBytes;
    bool fits;
};

TEST(DibLayout, StrideBufferSizeAndFitFollowTheRowRounding) {
    const LayoutCase cases[] = {
        {24, 101, 1, 304, 305, true},
        {24, 101, 7, 304, 304 * 7 + 1, true},
        {16, 3, 2, 8, 17, true},
        {16, 4, 2, 8, 17, true},
        {24, 1, 1, 4, 5, true},
        {24, 4, 1, 12, 13, true},
        {32, 1920, 1080, 7680, 7680ull * 1080 + 1, true},
        {32, 0, 5, 0, 0, false},
        {24, 5, 0, 16, 0, false},
        {32, -4, 5, 0, 0, false},
        {16, 20000, 20000, 40000, 40000ull * 20000 + 1, false},
        // 4 * 2^30 + 4 wraps to 4 in 32 bits.
        {32, 0x40000001, 1, 0x100000004ull, 0x100000005ull, false},
        // The product 2^18 * 2^16 wraps to 0 in 32 bits.
        {32, 65536, 65536, 262144, (1ull << 34) + 1, false},
        // The limit counts the spare byte.
        {32, 4096, 16383, 16384, 16384ull * 16383 + 1, true},
        {32, 4096, 16384, 16384, 16384ull * 16384 + 1, false},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.bits) + " bits " + std::to_string(c.width) + "x" +
                     std::to_string(c.height));
        EXPECT_EQ(DibStride(c.bits, c.width), c.stride);
        EXPECT_EQ(DibBufferBytes(c.bits, c.width, c.height), c.bufferBytes);
        EXPECT_EQ(DibFits(c.bits, c.width, c.height), c.fits);
    }
}

// ---- The dispatching entry ----------------------------------------------------

TEST(ReplacePass, RefusesDepthsWithoutAPassAndLeavesTheOutputAlone) {
    const Bytes src(4 * 4 + 1, 0x11);
    for (std::uint32_t bits : {0u, 1u, 4u, 8u, 15u, 48u}) {
        Bytes dst(src.size(), 0xEE);
        EXPECT_FALSE(ReplacePass(bits, src.data(), dst.data(), 2, 2, 0x111111, 0x222222)) << bits;
        EXPECT_EQ(dst, Bytes(src.size(), 0xEE)) << bits;
    }
    for (std::uint32_t bits : {16u, 24u, 32u}) {
        Bytes dst(src.size(), 0xEE);
        EXPECT_TRUE(ReplacePass(bits, src.data(), dst.data(), 2, 2, 0x111111, 0x222222)) << bits;
    }
}

TEST(ReplacePass, TwentyFourBitPixelOfTheColourGetsTheNewBytesAndItsNeighbourStays) {
    // Two pixels: 0x123456 (bytes 56 34 12) then 0xABCDEF; padding 2; spare.
    const Bytes src = {0x56, 0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x99, 0x98, 0x97};
    Bytes dst(src.size(), 0x00);
    ASSERT_TRUE(ReplacePass(24, src.data(), dst.data(), 2, 1, 0x123456, 0x0A0B0C));
    // The first padding byte comes from the snapshot; the second is not written.
    EXPECT_EQ(dst, (Bytes{0x0C, 0x0B, 0x0A, 0xEF, 0xCD, 0xAB, 0x99, 0x00, 0x00}));
}

TEST(ReplacePass, ThirtyTwoBitMatchLosesItsTopByteAndOtherPixelsKeepIt) {
    const Bytes src = {0x56, 0x34, 0x12, 0xAA, 0x21, 0x43, 0x65, 0xAA, 0x77};
    Bytes dst(src.size(), 0x00);
    ASSERT_TRUE(ReplacePass(32, src.data(), dst.data(), 2, 1, 0x123456, 0x0A0B0C));
    EXPECT_EQ(dst, (Bytes{0x0C, 0x0B, 0x0A, 0x00, 0x21, 0x43, 0x65, 0xAA, 0x00}));
}

TEST(ReplacePass, SixteenBitsComparesTheTopFiveBitsOfEachComponent) {
    // 0x08CA is the five-five-five form of 0x123456; the others differ by one
    // bit in red, green or blue.
    const std::uint16_t pixels[] = {0x08CA, 0x0CCA, 0x08EA, 0x08CB, 0x88CA, 0x08CA};
    Bytes src(sizeof(pixels) + 1, 0x55);
    for (std::size_t i = 0; i < 6; ++i) {
        src[2 * i] = std::uint8_t(pixels[i]);
        src[2 * i + 1] = std::uint8_t(pixels[i] >> 8);
    }
    const std::uint16_t newPixel = 0x7C00; // red, 0xFF0000
    for (Packed from : {0x123456u, 0x153757u, 0x103050u}) {
        Bytes dst(src.size(), 0x00);
        ASSERT_TRUE(ReplacePass(16, src.data(), dst.data(), 6, 1, from, 0xFF0000));
        Bytes expected = src;
        expected.back() = 0x00;
        for (std::size_t i : {0u, 5u}) {
            expected[2 * i] = std::uint8_t(newPixel);
            expected[2 * i + 1] = std::uint8_t(newPixel >> 8);
        }
        EXPECT_EQ(dst, expected) << std::hex << from;
    }
}

TEST(ReplacePass, SixteenBitsOddWidthReachesEveryPixelOfEveryRow) {
    const int width = 3, height = 4;
    const std::size_t stride = 8;
    ASSERT_EQ(DibStride(16, width), stride);
    const std::uint16_t old16 = 0x08CA; // 0x123456
    const std::uint16_t new16 = 0x03E0; // green, 0x00FF00
    Bytes src(stride * height + 1, 0x33);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            src[y * stride + 2 * x] = std::uint8_t(old16);
            src[y * stride + 2 * x + 1] = std::uint8_t(old16 >> 8);
        }
    Bytes dst(src.size(), 0xEE);
    ASSERT_TRUE(ReplacePass(16, src.data(), dst.data(), width, height, 0x123456, 0x00FF00));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = y * stride + 2 * x;
            EXPECT_EQ(dst[at] | dst[at + 1] << 8, new16) << "row " << y << " pixel " << x;
        }
        EXPECT_EQ(dst[y * stride + 6], 0xEE) << "padding of row " << y;
        EXPECT_EQ(dst[y * stride + 7], 0xEE) << "padding of row " << y;
    }
    EXPECT_EQ(dst.back(), 0xEE);
}

} // namespace
