// Vector versions of the pixel passes. SSE2 is the floor on x86 (the i686
// build is compiled with -msse2); SSSE3 and AVX2 are used when the CPU has
// them. Every version writes exactly the bytes the scalar passes write, with
// the same values; all loads and stores are unaligned intrinsics.
//
// Tails: instead of a scalar loop, the last vector of a run is placed so that
// it ends at the run's end, overlapping the one before it. The passes read
// only the source, so writing a pixel twice writes the same value twice.
#include "recolour/pixel_passes.h"
#include "recolour/pixel_passes_impl.h"

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

TW_TARGET("ssse3")
void Pass24Ssse3(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width,
                 std::int32_t height, Packed from, Packed to) {
    if (width <= 0 || height <= 0) return;
    from &= 0xFFFFFFu;
    to &= 0xFFFFFFu;
    const std::size_t stride = std::size_t(DibStride(24, width));
    const std::size_t w = std::size_t(width);
    const __m128i fromV = Repeat24(from), toV = Repeat24(to);
    // 0x80 clears byte 15, which stays as read.
    const __m128i spread =
        _mm_setr_epi8(0, 0, 0, 3, 3, 3, 6, 6, 6, 9, 9, 9, 12, 12, 12, char(0x80));
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* s = src + y * stride;
        std::uint8_t* d = dst + y * stride;
        if (w < 5)
            ScalarRow24(s, d, 0, w, from, to);
        else
            Row24Ssse3(s, d, w, fromV, toV, spread);
    }
}

// ---- AVX2 -----------------------------------------------------------------
//
// 24 bits: each 128-bit lane works on its own five pixels, the high lane
// loaded 15 bytes after the low one, so the in-lane shifts and shuffles of
// the SSSE3 version carry over unchanged. The low lane is stored first; the
// high lane's store then writes over its 16th byte.

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

TW_TARGET("avx2")
void Pass24Avx2(const std::uint8_t* src, std::uint8_t* dst, std::int32_t width, std::int32_t height,
                Packed from, Packed to) {
    if (width <= 0 || height <= 0) return;
    from &= 0xFFFFFFu;
    to &= 0xFFFFFFu;
    const std::size_t stride = std::size_t(DibStride(24, width));
    const std::size_t w = std::size_t(width);
    const __m128i fromV = Repeat24(from), toV = Repeat24(to);
    const __m128i spread =
        _mm_setr_epi8(0, 0, 0, 3, 3, 3, 6, 6, 6, 9, 9, 9, 12, 12, 12, char(0x80));
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* s = src + y * stride;
        std::uint8_t* d = dst + y * stride;
        if (w < 5)
            ScalarRow24(s, d, 0, w, from, to);
        else
            Row24Avx2(s, d, w, fromV, toV, spread);
    }
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
#endif

#endif // TW_PASSES_WIDE

struct ImplList {
    PassImpl items[4];
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
    if (CpuHasSsse3() && CpuHasAvx2())
        list.items[list.count++] = {"avx2", Pass24Avx2, Pass32Avx2, Pass16Avx2};
#endif
    return list;
}

const ImplList& Impls() {
    static const ImplList list = FindImpls();
    return list;
}

} // namespace

const PassImpl* AvailablePassImpls(std::size_t* count) {
    *count = Impls().count;
    return Impls().items;
}

const PassImpl& FastestPassImpl() {
    return Impls().items[Impls().count - 1];
}

} // namespace pixel_passes_detail
