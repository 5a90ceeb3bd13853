// Vector versions of the pixel passes. SSE2 is the floor on x86 (the i686
// build is compiled with -msse2); SSSE3, AVX2 and, for 24 bits, AVX-512 are
// used when the CPU has them. Every version writes exactly the bytes the
// scalar passes write, with the same values; all loads and stores are
// unaligned intrinsics.
//
// Tails: instead of a scalar loop, the last vector of a run is placed so that
// it ends at the run's end, overlapping the one before it. The passes read
// only the source, so writing a pixel twice writes the same value twice.
#include "recolour/pixel_passes.h"
#include "recolour/pixel_passes_impl.h"

#include <algorithm>
#include <chrono>
#include <vector>

#if defined(__i386__) || defined(__x86_64__) || defined(_M_IX86) || defined(_M_X64)
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define TW_PASSES_SSE2 1
#include <immintrin.h>
#if defined(__GNUC__) || defined(__clang__)
#define TW_PASSES_WIDE 1
#define TW_TARGET(x) __attribute__((target(x)))
#elif defined(_MSC_VER)
#define TW_PASSES_WIDE 1
#define TW_TARGET(x)
#include <intrin.h>
#endif
#endif
#endif

namespace pixel_passes_detail {
namespace {

#if TW_PASSES_SSE2

// Byte k of the result is byte k % 3 of the 24-bit colour, for the first 15
// bytes: five pixels' worth. Byte 15 is never selected.
inline __m128i Repeat24(std::uint32_t c) {
    const char b0 = char(c), b1 = char(c >> 8), b2 = char(c >> 16);
    return _mm_setr_epi8(b0, b1, b2, b0, b1, b2, b0, b1, b2, b0, b1, b2, b0, b1, b2, 0);
}

inline __m128i Select128(__m128i mask, __m128i ifSet, __m128i ifClear) {
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, ifClear));
}

// ---- 24 bits ------------------------------------------------------------
//
// One 16-byte vector holds five whole pixels (bytes 0-14) and the first byte
// of the next. A pixel matches when its three bytes all equal the colour's;
// the mask is built on the pixel's first byte and spread to the other two.
// The 16th byte is stored as read, which is what the scalar pass leaves
// there until the next pixel's write (or, after the row, for good).

inline __m128i Match24Sse2(__m128i v, __m128i from, __m128i starts) {
    const __m128i eq = _mm_cmpeq_epi8(v, from);
    const __m128i all =
        _mm_and_si128(_mm_and_si128(eq, _mm_srli_si128(eq, 1)), _mm_srli_si128(eq, 2));
    const __m128i first = _mm_and_si128(all, starts);
    return _mm_or_si128(first, _mm_or_si128(_mm_slli_si128(first, 1), _mm_slli_si128(first, 2)));
}

void Row24Sse2(const std::uint8_t* s, std::uint8_t* d, std::size_t width, __m128i from, __m128i to,
               __m128i starts) {
    const std::size_t rowBytes = 3 * width;
    std::size_t o = 0;
    for (; o + 15 <= rowBytes; o += 15) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + o));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + o),
                         Select128(Match24Sse2(v, from, starts), to, v));
    }
    if (o < rowBytes) {
        o = rowBytes - 15;
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + o));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + o),
                         Select128(Match24Sse2(v, from, starts), to, v));
    }
}

void Pass24Sse2(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width, std::int32_t height,
                Packed from, Packed to) {
    if (width <= 0 || height <= 0) return;
    from &= 0xFFFFFFu;
    to &= 0xFFFFFFu;
    const std::size_t stride = std::size_t(DibStride(24, width));
    const std::size_t w = std::size_t(width);
    const __m128i fromV = Repeat24(from), toV = Repeat24(to);
    const __m128i starts = _mm_setr_epi8(-1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, 0);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* s = src + y * stride;
        std::uint8_t* d = dst + y * stride;
        if (w < 5)
            ScalarRow24(s, d, 0, w, from, to);
        else
            Row24Sse2(s, d, w, fromV, toV, starts);
    }
}

// ---- 32 bits ------------------------------------------------------------

inline __m128i Replace32Sse2(__m128i v, __m128i low24, __m128i from, __m128i to) {
    return Select128(_mm_cmpeq_epi32(_mm_and_si128(v, low24), from), to, v);
}

void Pass32Sse2(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width, std::int32_t height,
                Packed from, Packed to) {
    if (width <= 0 || height <= 0) return;
    from &= 0xFFFFFFu;
    to &= 0xFFFFFFu;
    const std::size_t bytes = 4 * std::size_t(width) * std::size_t(height);
    if (bytes < 16) {
        ScalarRun32(src, dst, 0, bytes / 4, from, to);
        return;
    }
    const __m128i low24 = _mm_set1_epi32(0xFFFFFF);
    const __m128i fromV = _mm_set1_epi32(int(from)), toV = _mm_set1_epi32(int(to));
    std::size_t o = 0;
    for (; o + 16 <= bytes; o += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + o));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + o), Replace32Sse2(v, low24, fromV, toV));
    }
    if (o < bytes) {
        o = bytes - 16;
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + o));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + o), Replace32Sse2(v, low24, fromV, toV));
    }
}

// ---- 16 bits ------------------------------------------------------------

void Run16Sse2(const std::uint8_t* s, std::uint8_t* d, std::size_t bytes, __m128i from,
               __m128i to) {
    std::size_t o = 0;
    for (; o + 16 <= bytes; o += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + o));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + o),
                         Select128(_mm_cmpeq_epi16(v, from), to, v));
    }
    if (o < bytes) {
        o = bytes - 16;
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + o));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + o),
                         Select128(_mm_cmpeq_epi16(v, from), to, v));
    }
}

// An even width has no row padding, so the rows form one run; an odd width
// leaves two padding bytes per row that must not be written.
void Pass16Sse2(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width, std::int32_t height,
                std::uint16_t from, std::uint16_t to) {
    if (width <= 0 || height <= 0) return;
    const std::size_t stride = std::size_t(DibStride(16, width));
    const std::size_t rowBytes = 2 * std::size_t(width);
    const std::size_t runBytes = rowBytes == stride ? rowBytes * std::size_t(height) : rowBytes;
    const std::size_t runs = rowBytes == stride ? 1 : std::size_t(height);
    if (runBytes < 16) {
        for (std::size_t r = 0; r < runs; ++r)
            ScalarRun16(src + r * stride, dst + r * stride, 0, runBytes / 2, from, to);
        return;
    }
    const __m128i fromV = _mm_set1_epi16(short(from)), toV = _mm_set1_epi16(short(to));
    for (std::size_t r = 0; r < runs; ++r)
        Run16Sse2(src + r * stride, dst + r * stride, runBytes, fromV, toV);
}

#endif // TW_PASSES_SSE2

#if TW_PASSES_WIDE

// ---- SSSE3: one byte shuffle spreads each pixel's match over its bytes ----

TW_TARGET("ssse3")
void Row24Ssse3(const std::uint8_t* s, std::uint8_t* d, std::size_t width, __m128i from, __m128i to,
                __m128i spread) {
    const std::size_t rowBytes = 3 * width;
    std::size_t o = 0;
    for (;;) {
        if (o + 15 > rowBytes) {
            if (o >= rowBytes) break;
            o = rowBytes - 15;
        }
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + o));
        const __m128i eq = _mm_cmpeq_epi8(v, from);
        const __m128i all =
            _mm_and_si128(_mm_and_si128(eq, _mm_srli_si128(eq, 1)), _mm_srli_si128(eq, 2));
        const __m128i m = _mm_shuffle_epi8(all, spread);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + o),
                         _mm_or_si128(_mm_and_si128(m, to), _mm_andnot_si128(m, v)));
        o += 15;
    }
}

// 0x80 clears byte 15, which stays as read.
inline __m128i Spread24Lanes() {
    return _mm_setr_epi8(0, 0, 0, 3, 3, 3, 6, 6, 6, 9, 9, 9, 12, 12, 12, char(0x80));
}

using Row24LanesFn = void (*)(const std::uint8_t* s, std::uint8_t* d, std::size_t width,
                              __m128i from, __m128i to, __m128i spread);

// ---- AVX2 -----------------------------------------------------------------
//
// 24 bits, rows under one block: each 128-bit lane works on its own five
// pixels, the high lane loaded 15 bytes after the low one, so the in-lane
// shifts and shuffles of the SSSE3 version carry over unchanged. The low lane
// is stored first; the high lane's store then writes over its 16th byte.

TW_TARGET("avx2")
void Row24Avx2(const std::uint8_t* s, std::uint8_t* d, std::size_t width, __m128i from128,
               __m128i to128, __m128i spread128) {
    const std::size_t rowBytes = 3 * width;
    const __m256i from = _mm256_broadcastsi128_si256(from128);
    const __m256i to = _mm256_broadcastsi128_si256(to128);
    const __m256i spread = _mm256_broadcastsi128_si256(spread128);
    std::size_t o = 0;
    for (; o + 30 <= rowBytes; o += 30) {
        const __m256i v = _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + o))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + o + 15)), 1);
        const __m256i eq = _mm256_cmpeq_epi8(v, from);
        const __m256i all = _mm256_and_si256(_mm256_and_si256(eq, _mm256_srli_si256(eq, 1)),
                                             _mm256_srli_si256(eq, 2));
        const __m256i m = _mm256_shuffle_epi8(all, spread);
        const __m256i out = _mm256_blendv_epi8(v, to, m);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + o), _mm256_castsi256_si128(out));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + o + 15), _mm256_extracti128_si256(out, 1));
    }
    for (;;) {
        if (o + 15 > rowBytes) {
            if (o >= rowBytes) break;
            o = rowBytes - 15;
        }
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + o));
        const __m128i eq = _mm_cmpeq_epi8(v, from128);
        const __m128i all =
            _mm_and_si128(_mm_and_si128(eq, _mm_srli_si128(eq, 1)), _mm_srli_si128(eq, 2));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + o),
                         _mm_blendv_epi8(v, to128, _mm_shuffle_epi8(all, spread128)));
        o += 15;
    }
}

// 24 bits, longer rows: blocks of 96 bytes, 32 pixels, written as three whole
// 32-byte vectors. The 30-byte steps above cost two 16-byte stores per ten
// pixels, and stores that cross cache lines cost as much again; a block writes
// the copy's own three stores, 32-byte aligned wherever the row allows.
//
// A block's mask: four gathers put its pixels into 32-bit lanes, three bytes
// and a zero byte each, so one 32-bit compare per lane tests a whole pixel.
// Each 128-bit gather lane takes four pixels that lie within 16 bytes of the
// block; three gathers are single 32-byte loads (one of them the middle output
// vector), one is built from two 16-byte loads. Two packs leave one byte per
// pixel: lane 0 the lane-0 pixels of the four gathers, lane 1 the others.
//
// A block's writes: for each output vector a qword permute puts the pixels
// each of its lanes needs into that lane, and a byte shuffle spreads each
// pixel's byte over the pixel's three bytes. A matching pixel's bytes are
// `from`, so xor with (from ^ to) under that mask turns them into `to`, and
// all other bytes pass through: the 4th byte of a unit is written as read.
//
// Each block is read, masked and written in one step. Masks gathered for a
// run of blocks first and written after kept the reads of the snapshot and the
// writes of the output in separate phases, which past the second-level cache
// cost a quarter more than a copy on Zen 3; in one loop both streams overlap
// as a copy's do. The i686 build's eight vector registers leave some constants
// as memory operands there, which measured no slower.

constexpr std::size_t kBlock24 = 96;

struct Bytes32 {
    alignas(32) std::uint8_t b[32];
};

// Where each gather lane loads its 16 bytes (offset in the block) and which
// four pixels of the block it takes, in mask order.
struct GatherLane {
    int at;
    int px[4];
};
constexpr GatherLane kGatherLanes24[4][2] = {
    {{0, {0, 1, 2, 3}}, {80, {28, 29, 30, 31}}},
    {{8, {4, 5, 6, 7}}, {24, {8, 9, 10, 12}}},
    {{32, {11, 13, 14, 15}}, {48, {16, 17, 18, 20}}},
    {{56, {19, 21, 22, 23}}, {72, {24, 25, 26, 27}}},
};

// The four qwords of each output vector's permuted mask. After the packs,
// qword 2 * lane + g / 2 holds the pixels of lane `lane` of gathers g and
// g ^ 1: pixels 0-7; 11, 13-15, 19, 21-23; 8-10, 12, 28-31; 16-18, 20, 24-27.
constexpr int kSpreadQwords24[3][4] = {{0, 2, 0, 2}, {2, 1, 3, 1}, {1, 3, 3, 2}};

constexpr Bytes32 GatherControl24(int g) {
    Bytes32 c{};
    for (int lane = 0; lane < 2; ++lane)
        for (int u = 0; u < 4; ++u)
            for (int k = 0; k < 4; ++k)
                c.b[16 * lane + 4 * u + k] = k == 3
                                                 ? 0x80
                                                 : std::uint8_t(3 * kGatherLanes24[g][lane].px[u] +
                                                                k - kGatherLanes24[g][lane].at);
    return c;
}

// Index of pixel `px` within qwords qa and qb of the packed mask (0-15), or -1.
constexpr int MaskIndex24(int px, int qa, int qb) {
    for (int g = 0; g < 4; ++g)
        for (int lane = 0; lane < 2; ++lane)
            for (int u = 0; u < 4; ++u)
                if (kGatherLanes24[g][lane].px[u] == px) {
                    const int q = 2 * lane + g / 2, at = (g % 2) * 4 + u;
                    return q == qa ? at : q == qb ? 8 + at : -1;
                }
    return -1;
}

constexpr Bytes32 SpreadControl24(int v) {
    Bytes32 c{};
    for (int j = 0; j < 32; ++j) {
        const int lane = j / 16;
        const int at = MaskIndex24((32 * v + j) / 3, kSpreadQwords24[v][2 * lane],
                                   kSpreadQwords24[v][2 * lane + 1]);
        c.b[j] = std::uint8_t(at < 0 ? 0xFF : at);
    }
    return c;
}

// Every pixel gathered once, every loaded byte inside its 16 bytes, every
// output byte's pixel reachable after its vector's permute.
constexpr bool Tables24Valid() {
    int seen[32] = {};
    for (int g = 0; g < 4; ++g)
        for (int lane = 0; lane < 2; ++lane)
            for (int u = 0; u < 4; ++u) {
                const int px = kGatherLanes24[g][lane].px[u];
                const int at = kGatherLanes24[g][lane].at;
                if (px < 0 || px > 31 || 3 * px < at || 3 * px + 2 > at + 15) return false;
                ++seen[px];
            }
    for (int px = 0; px < 32; ++px)
        if (seen[px] != 1) return false;
    for (int g = 0; g < 4; ++g) {
        const int lo = kGatherLanes24[g][0].at, hi = kGatherLanes24[g][1].at;
        if (lo < 0 || hi < 0 || lo + 16 > int(kBlock24) || hi + 16 > int(kBlock24)) return false;
    }
    for (int v = 0; v < 3; ++v)
        for (int j = 0; j < 32; ++j)
            if (SpreadControl24(v).b[j] == 0xFF) return false;
    return true;
}
static_assert(Tables24Valid(), "every pixel of a block must be gathered and spread");

constexpr Bytes32 kGather24[4] = {GatherControl24(0), GatherControl24(1), GatherControl24(2),
                                  GatherControl24(3)};
constexpr Bytes32 kSpread24[3] = {SpreadControl24(0), SpreadControl24(1), SpreadControl24(2)};

// A template argument, so that the permute sees an immediate in debug builds.
template <int V> struct SpreadPermute24 {
    static constexpr int value = kSpreadQwords24[V][0] | kSpreadQwords24[V][1] << 2 |
                                 kSpreadQwords24[V][2] << 4 | kSpreadQwords24[V][3] << 6;
};

// Byte j of vector v is byte (32 v + j) % 3 of from ^ to: the xor that turns
// a matching pixel into `to`, lined up with the block's three vectors.
struct Delta24 {
    Bytes32 v[3];
};
inline Delta24 MakeDelta24(std::uint32_t from, std::uint32_t to) {
    Delta24 d{};
    for (int v = 0; v < 3; ++v)
        for (int j = 0; j < 32; ++j)
            d.v[v].b[j] = std::uint8_t((from ^ to) >> (8 * ((32 * v + j) % 3)));
    return d;
}

TW_TARGET("avx2")
inline __m256i Load256(const void* p) {
    return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}

// Gather g of the block at s: one 32-byte load when its lanes are 16 bytes
// apart, else two 16-byte loads side by side.
template <int G> TW_TARGET("avx2") inline __m256i GatherLoad24(const std::uint8_t* s) {
    constexpr int lo = kGatherLanes24[G][0].at, hi = kGatherLanes24[G][1].at;
    if constexpr (hi == lo + 16) {
        return Load256(s + lo);
    } else {
        return _mm256_blend_epi32(
            _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + lo))),
            _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + hi))),
            0xF0);
    }
}

template <int V>
TW_TARGET("avx2")
inline void WriteVector24(const std::uint8_t* s, std::uint8_t* d, __m256i mask, __m256i spread,
                          __m256i delta) {
    const __m256i m =
        _mm256_shuffle_epi8(_mm256_permute4x64_epi64(mask, SpreadPermute24<V>::value), spread);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + 32 * V),
                        _mm256_xor_si256(Load256(s + 32 * V), _mm256_and_si256(m, delta)));
}

// Blocks [0, blocks) from s to d.
TW_TARGET("avx2")
void BlockRun24Avx2(const std::uint8_t* s, std::uint8_t* d, std::size_t blocks, std::uint32_t from,
                    const Delta24& delta) {
    const __m256i g0 = Load256(kGather24[0].b), g1 = Load256(kGather24[1].b);
    const __m256i g2 = Load256(kGather24[2].b), g3 = Load256(kGather24[3].b);
    const __m256i f = _mm256_set1_epi32(int(from));
    const __m256i e0 = Load256(kSpread24[0].b), e1 = Load256(kSpread24[1].b);
    const __m256i e2 = Load256(kSpread24[2].b);
    const __m256i x0 = Load256(delta.v[0].b), x1 = Load256(delta.v[1].b);
    const __m256i x2 = Load256(delta.v[2].b);
    for (std::size_t k = 0; k < blocks; ++k, s += kBlock24, d += kBlock24) {
        const __m256i m0 = _mm256_cmpeq_epi32(_mm256_shuffle_epi8(GatherLoad24<0>(s), g0), f);
        const __m256i m1 = _mm256_cmpeq_epi32(_mm256_shuffle_epi8(GatherLoad24<1>(s), g1), f);
        const __m256i m2 = _mm256_cmpeq_epi32(_mm256_shuffle_epi8(GatherLoad24<2>(s), g2), f);
        const __m256i m3 = _mm256_cmpeq_epi32(_mm256_shuffle_epi8(GatherLoad24<3>(s), g3), f);
        const __m256i m =
            _mm256_packs_epi16(_mm256_packs_epi32(m0, m1), _mm256_packs_epi32(m2, m3));
        WriteVector24<0>(s, d, m, e0, x0);
        WriteVector24<1>(s, d, m, e1, x1);
        WriteVector24<2>(s, d, m, e2, x2);
    }
}

using BlockRun24Fn = void (*)(const std::uint8_t* s, std::uint8_t* d, std::size_t blocks,
                              std::uint32_t from, const Delta24& delta);

// One row, or rows without padding, of at least one block. Blocks start on
// pixels; the first one that also starts a 32-byte line of the output sets
// the grid, a block at 0 covers what lies before it and a block ending at the
// row's end what lies after. They overlap, which rewrites bytes with the
// values they already hold. The byte after the row is the last unit's 4th
// byte, copied as read.
void Row24Blocks(const std::uint8_t* s, std::uint8_t* d, std::size_t rowBytes, std::uint32_t from,
                 const Delta24& delta, BlockRun24Fn run) {
    std::size_t o = (32 - std::size_t(reinterpret_cast<std::uintptr_t>(d) & 31)) & 31;
    while (o % 3 != 0)
        o += 32;
    if (o != 0) run(s, d, 1, from, delta);
    const std::size_t blocks = o < rowBytes ? (rowBytes - o) / kBlock24 : 0;
    run(s + o, d + o, blocks, from, delta);
    o += blocks * kBlock24;
    if (o < rowBytes) run(s + rowBytes - kBlock24, d + rowBytes - kBlock24, 1, from, delta);
    d[rowBytes] = s[rowBytes];
}

// Every 24-bit pass from SSSE3 up: rows too short for a block, or every row
// when `blocks` is null, go in 15-byte lanes. A width that is a multiple of
// four leaves no row padding, so the rows form one run, with one head and one
// tail block for the whole buffer instead of one a row.
void Pass24Runs(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width, std::int32_t height,
                Packed from, Packed to, Row24LanesFn lanes, BlockRun24Fn blocks) {
    if (width <= 0 || height <= 0) return;
    from &= 0xFFFFFFu;
    to &= 0xFFFFFFu;
    const std::size_t stride = std::size_t(DibStride(24, width));
    const bool oneRun = stride == 3 * std::size_t(width);
    const std::size_t runs = oneRun ? 1 : std::size_t(height);
    const std::size_t pixels = std::size_t(width) * (oneRun ? std::size_t(height) : 1);
    const Delta24 delta = MakeDelta24(from, to);
    const __m128i fromV = Repeat24(from), toV = Repeat24(to), spread = Spread24Lanes();
    for (std::size_t r = 0; r < runs; ++r) {
        const std::uint8_t* s = src + r * stride;
        std::uint8_t* d = dst + r * stride;
        if (pixels < 5)
            ScalarRow24(s, d, 0, pixels, from, to);
        else if (blocks == nullptr || 3 * pixels < kBlock24)
            lanes(s, d, pixels, fromV, toV, spread);
        else
            Row24Blocks(s, d, 3 * pixels, from, delta, blocks);
    }
}

void Pass24Ssse3(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                 std::int32_t height, Packed from, Packed to) {
    Pass24Runs(src, dst, width, height, from, to, Row24Ssse3, nullptr);
}

void Pass24Avx2Lanes(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                     std::int32_t height, Packed from, Packed to) {
    Pass24Runs(src, dst, width, height, from, to, Row24Avx2, nullptr);
}

void Pass24Avx2(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width, std::int32_t height,
                Packed from, Packed to) {
    Pass24Runs(src, dst, width, height, from, to, Row24Avx2, BlockRun24Avx2);
}

// ---- AVX-512 (VBMI), 24 bits: optional ------------------------------------
//
// The same blocks and writes as the AVX2 pass, at the same 256-bit width.
// Byte permutes that cross lanes replace the loads, packs and qword permutes:
// gather g takes pixels 8g to 8g + 7 from the source vectors themselves (two
// of the gathers straddle two vectors), zero-masking gives the zero top byte,
// the compares go to mask registers, and one byte per pixel is rebuilt from
// those in pixel order. Chosen at run time only where the CPU and the system
// both have it.

#define TW_AVX512 TW_TARGET("avx512f,avx512bw,avx512vl,avx512vbmi")

constexpr Bytes32 PermuteGather24(int g) {
    // Offset of the gather's first byte in the vector (or pair) it reads.
    constexpr int base[4] = {0, 24, 16, 8};
    Bytes32 c{};
    for (int j = 0; j < 32; ++j)
        c.b[j] = std::uint8_t(j % 4 == 3 ? 0 : base[g] + 3 * (j / 4) + j % 4);
    return c;
}
constexpr Bytes32 PermuteSpread24(int v) {
    Bytes32 c{};
    for (int j = 0; j < 32; ++j)
        c.b[j] = std::uint8_t((32 * v + j) / 3);
    return c;
}
constexpr Bytes32 kPermuteGather24[4] = {PermuteGather24(0), PermuteGather24(1), PermuteGather24(2),
                                         PermuteGather24(3)};
constexpr Bytes32 kPermuteSpread24[3] = {PermuteSpread24(0), PermuteSpread24(1),
                                         PermuteSpread24(2)};

TW_AVX512
void BlockRun24Avx512(const std::uint8_t* s, std::uint8_t* d, std::size_t blocks,
                      std::uint32_t from, const Delta24& delta) {
    const __m256i i0 = Load256(kPermuteGather24[0].b), i1 = Load256(kPermuteGather24[1].b);
    const __m256i i2 = Load256(kPermuteGather24[2].b), i3 = Load256(kPermuteGather24[3].b);
    const __m256i e0 = Load256(kPermuteSpread24[0].b), e1 = Load256(kPermuteSpread24[1].b);
    const __m256i e2 = Load256(kPermuteSpread24[2].b);
    const __m256i x0 = Load256(delta.v[0].b), x1 = Load256(delta.v[1].b);
    const __m256i x2 = Load256(delta.v[2].b);
    const __m256i f = _mm256_set1_epi32(int(from));
    const __mmask32 low3 = 0x77777777u;
    // The zero-masking form with every byte kept: GCC 12's plain form trips
    // -Wmaybe-uninitialized on its own header.
    const __mmask32 all = ~__mmask32(0);
    for (std::size_t k = 0; k < blocks; ++k, s += kBlock24, d += kBlock24) {
        const __m256i v0 = Load256(s), v1 = Load256(s + 32), v2 = Load256(s + 64);
        const __mmask8 k0 = _mm256_cmpeq_epi32_mask(_mm256_maskz_permutexvar_epi8(low3, i0, v0), f);
        const __mmask8 k1 =
            _mm256_cmpeq_epi32_mask(_mm256_maskz_permutex2var_epi8(low3, v0, i1, v1), f);
        const __mmask8 k2 =
            _mm256_cmpeq_epi32_mask(_mm256_maskz_permutex2var_epi8(low3, v1, i2, v2), f);
        const __mmask8 k3 = _mm256_cmpeq_epi32_mask(_mm256_maskz_permutexvar_epi8(low3, i3, v2), f);
        const __m256i m =
            _mm256_movm_epi8(_mm512_kunpackw(_mm512_kunpackb(k3, k2), _mm512_kunpackb(k1, k0)));
        // 0x78: a ^ (b & c).
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(d),
            _mm256_ternarylogic_epi32(v0, _mm256_maskz_permutexvar_epi8(all, e0, m), x0, 0x78));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(d + 32),
            _mm256_ternarylogic_epi32(v1, _mm256_maskz_permutexvar_epi8(all, e1, m), x1, 0x78));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(d + 64),
            _mm256_ternarylogic_epi32(v2, _mm256_maskz_permutexvar_epi8(all, e2, m), x2, 0x78));
    }
}

void Pass24Avx512(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                  std::int32_t height, Packed from, Packed to) {
    Pass24Runs(src, dst, width, height, from, to, Row24Avx2, BlockRun24Avx512);
}

TW_TARGET("avx2")
void Pass32Avx2(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width, std::int32_t height,
                Packed from, Packed to) {
    if (width <= 0 || height <= 0) return;
    const std::size_t bytes = 4 * std::size_t(width) * std::size_t(height);
    if (bytes < 32) {
        Pass32Sse2(src, dst, width, height, from, to);
        return;
    }
    const __m256i low24 = _mm256_set1_epi32(0xFFFFFF);
    const __m256i fromV = _mm256_set1_epi32(int(from & 0xFFFFFFu));
    const __m256i toV = _mm256_set1_epi32(int(to & 0xFFFFFFu));
    std::size_t o = 0;
    for (;;) {
        if (o + 32 > bytes) {
            if (o >= bytes) break;
            o = bytes - 32;
        }
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + o));
        const __m256i m = _mm256_cmpeq_epi32(_mm256_and_si256(v, low24), fromV);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + o), _mm256_blendv_epi8(v, toV, m));
        o += 32;
    }
}

TW_TARGET("avx2")
void Run16Avx2(const std::uint8_t* s, std::uint8_t* d, std::size_t bytes, std::uint16_t from,
               std::uint16_t to) {
    const __m256i fromV = _mm256_set1_epi16(short(from)), toV = _mm256_set1_epi16(short(to));
    std::size_t o = 0;
    for (;;) {
        if (o + 32 > bytes) {
            if (o >= bytes) break;
            o = bytes - 32;
        }
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + o));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + o),
                            _mm256_blendv_epi8(v, toV, _mm256_cmpeq_epi16(v, fromV)));
        o += 32;
    }
}

TW_TARGET("avx2")
void Pass16Avx2(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width, std::int32_t height,
                std::uint16_t from, std::uint16_t to) {
    if (width <= 0 || height <= 0) return;
    const std::size_t stride = std::size_t(DibStride(16, width));
    const std::size_t rowBytes = 2 * std::size_t(width);
    const std::size_t runBytes = rowBytes == stride ? rowBytes * std::size_t(height) : rowBytes;
    const std::size_t runs = rowBytes == stride ? 1 : std::size_t(height);
    if (runBytes < 32) {
        Pass16Sse2(src, dst, width, height, from, to);
        return;
    }
    for (std::size_t r = 0; r < runs; ++r)
        Run16Avx2(src + r * stride, dst + r * stride, runBytes, from, to);
}

#if defined(_MSC_VER) && !defined(__clang__)
bool CpuHasSsse3() {
    int info[4];
    __cpuid(info, 1);
    return (info[2] & (1 << 9)) != 0;
}
bool CpuHasAvx2() {
    int info[4];
    __cpuid(info, 0);
    if (info[0] < 7) return false;
    __cpuid(info, 1);
    const bool osSavesYmm = (info[2] & (1 << 27)) != 0 && (_xgetbv(0) & 6) == 6;
    if (!osSavesYmm || (info[2] & (1 << 28)) == 0) return false;
    __cpuidex(info, 7, 0);
    return (info[1] & (1 << 5)) != 0;
}
// F, BW and VL in EBX, VBMI in ECX; the system must save the mask and the
// upper vector registers (XCR0 bits 5 to 7) as well as the AVX ones.
bool CpuHasAvx512Vbmi() {
    if (!CpuHasAvx2() || (_xgetbv(0) & 0xE6) != 0xE6) return false;
    int info[4];
    __cpuidex(info, 7, 0);
    const unsigned need = (1u << 16) | (1u << 30) | (1u << 31);
    return (unsigned(info[1]) & need) == need && (info[2] & (1 << 1)) != 0;
}
#else
// libgcc's check for AVX2 also asks whether the system saves the wide registers.
bool CpuHasSsse3() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3");
}
bool CpuHasAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}
bool CpuHasAvx512Vbmi() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
           __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512vbmi");
}
#endif

#endif // TW_PASSES_WIDE

struct ImplList {
    PassImpl items[6];
    std::size_t count = 0;
};

ImplList FindImpls() {
    ImplList list;
    list.items[list.count++] = {"scalar", ScalarPass24, ScalarPass32, ScalarPass16};
#if TW_PASSES_SSE2
    list.items[list.count++] = {"sse2", Pass24Sse2, Pass32Sse2, Pass16Sse2};
#endif
#if TW_PASSES_WIDE
    // 32 and 16 bits gain nothing from SSSE3; only the 24-bit pass differs.
    if (CpuHasSsse3()) list.items[list.count++] = {"ssse3", Pass24Ssse3, Pass32Sse2, Pass16Sse2};
    if (CpuHasSsse3() && CpuHasAvx2()) {
        list.items[list.count++] = {"avx2-lanes", Pass24Avx2Lanes, Pass32Avx2, Pass16Avx2};
        list.items[list.count++] = {"avx2", Pass24Avx2, Pass32Avx2, Pass16Avx2};
    }
    // Only the 24-bit pass has a use for byte permutes across lanes.
    if (CpuHasSsse3() && CpuHasAvx512Vbmi())
        list.items[list.count++] = {"avx512", Pass24Avx512, Pass32Avx2, Pass16Avx2};
#endif
    return list;
}

const ImplList& Impls() {
    static const ImplList list = FindImpls();
    return list;
}

// The 24-bit passes differ the most from one processor to the next: the block
// code makes the fewest loads and stores, the lane code the fewest shuffles,
// and which of those runs out first depends on the core. So each one this CPU
// runs is timed on a buffer that stays in the cache, taking turns, and
// ChooseByTimes picks from the best times; the other depths take the widest
// code.
PassImpl ChooseFastest(const ImplList& list) {
    constexpr int width = 1920, height = 8;
    const std::size_t bytes = std::size_t(DibBufferBytes(24, width, height));
    // Random bytes: apart from the plain loop, no pass takes longer for
    // pixels that match.
    std::vector<std::uint8_t> src(bytes), dst(bytes);
    std::uint32_t seed = 1;
    for (auto& b : src) {
        seed = seed * 1664525u + 1013904223u;
        b = std::uint8_t(seed >> 24);
    }
    std::vector<std::chrono::steady_clock::duration> best(
        list.count, std::chrono::steady_clock::duration::max());
    for (int round = 0; round < 9; ++round)
        for (std::size_t i = 0; i < list.count; ++i) {
            const auto start = std::chrono::steady_clock::now();
            list.items[i].pass24(src.data(), dst.data(), width, height, 0x3366CC, 0xFFEE00);
            best[i] = std::min(best[i], std::chrono::steady_clock::now() - start);
        }
    std::vector<std::int64_t> nanoseconds(list.count);
    for (std::size_t i = 0; i < list.count; ++i)
        nanoseconds[i] =
            std::int64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(best[i]).count());
    const std::size_t fastest = ChooseByTimes(nanoseconds.data(), list.count);
    PassImpl chosen = list.items[list.count - 1];
    chosen.name = list.items[fastest].name;
    chosen.pass24 = list.items[fastest].pass24;
    return chosen;
}

} // namespace

const PassImpl* AvailablePassImpls(std::size_t* count) {
    *count = Impls().count;
    return Impls().items;
}

std::size_t ChooseByTimes(const std::int64_t* bestTimes, std::size_t count) {
    const std::size_t widest = count - 1;
    const std::size_t fastest =
        std::size_t(std::min_element(bestTimes, bestTimes + count) - bestTimes);
    return 10 * bestTimes[fastest] < 9 * bestTimes[widest] ? fastest : widest;
}

const PassImpl& FastestPassImpl() {
    static const PassImpl fastest = ChooseFastest(Impls());
    return fastest;
}

} // namespace pixel_passes_detail
