// The pixel passes against a memcpy of the same buffer in the Windows builds,
// timed with the performance counter. Pass and copy run back to back in each
// repetition, taking turns at going first, so both see the same machine; each
// line gives the median and best times of both, the median of the
// repetitions' ratios, which shrugs off other programs' bursts, and the ratio
// of the best times.
#include "recolour/pixel_passes.h"
#include "recolour/pixel_passes_impl.h"
#include "bench/snapshot.h"
#include "bench/timing.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using bench::Median;
using bench::RunPass;
using bench::Snapshot;
using pixel_passes_detail::PassImpl;

constexpr int kRepetitions = 41;

// Keeps the compiler from dropping a copy nobody reads.
volatile std::uint8_t sink;

void Measure(const PassImpl& impl, int bits, int width, int height, double ticksPerMs) {
    const std::vector<std::uint8_t> src = Snapshot(bits, width, height);
    std::vector<std::uint8_t> dst(src.size()), copy(src.size());
    std::vector<double> pass, memcpyMs, ratio;
    for (int r = 0; r < kRepetitions; ++r) {
        LARGE_INTEGER t0, t1, t2, t3;
        const bool passFirst = r % 2 == 0;
        if (!passFirst) QueryPerformanceCounter(&t2);
        if (!passFirst) std::memcpy(copy.data(), src.data(), src.size());
        if (!passFirst) QueryPerformanceCounter(&t3);
        QueryPerformanceCounter(&t0);
        RunPass(impl, bits, src.data(), dst.data(), width, height);
        QueryPerformanceCounter(&t1);
        if (passFirst) QueryPerformanceCounter(&t2);
        if (passFirst) std::memcpy(copy.data(), src.data(), src.size());
        if (passFirst) QueryPerformanceCounter(&t3);
        sink = std::uint8_t(sink + dst[r] + copy[r]);
        pass.push_back(double(t1.QuadPart - t0.QuadPart) / ticksPerMs);
        memcpyMs.push_back(double(t3.QuadPart - t2.QuadPart) / ticksPerMs);
        ratio.push_back(pass.back() / memcpyMs.back());
    }
    const double p = Median(pass), m = Median(memcpyMs);
    const double bestPass = *std::min_element(pass.begin(), pass.end());
    const double bestCopy = *std::min_element(memcpyMs.begin(), memcpyMs.end());
    std::printf("%2d bits %4dx%-4d %-6s pass %7.3f ms (best %7.3f)  memcpy %7.3f ms (best %7.3f)"
                "  ratio %.2f (of bests %.2f)\n",
                bits, width, height, impl.name, p, bestPass, m, bestCopy, Median(ratio),
                bestPass / bestCopy);
}

} // namespace

int main() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double ticksPerMs = double(frequency.QuadPart) / 1000.0;
    std::size_t n = 0;
    const PassImpl* impls = pixel_passes_detail::AvailablePassImpls(&n);
    // What the program runs: the widest code at 16 and 32 bits, the 24-bit
    // pass its timing chose.
    PassImpl inUse = pixel_passes_detail::FastestPassImpl();
    std::printf("24-bit pass in use: %s\n", inUse.name);
    inUse.name = "in use";
    for (const auto& c : bench::kCases) {
        for (std::size_t i = 0; i < n; ++i)
            Measure(impls[i], c.bits, c.width, c.height, ticksPerMs);
        Measure(inUse, c.bits, c.width, c.height, ticksPerMs);
    }
    std::fflush(stdout);
    return 0;
}
