// The pixel passes against a memcpy of the same buffer, timed in the same
// run, interleaved, so the ratio does not depend on how busy the machine is.
// Counters: pass_us and memcpy_us (the best of the run) and ratio.
#include "recolour/pixel_passes.h"
#include "recolour/pixel_passes_impl.h"
#include "bench/snapshot.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

namespace {

using bench::RunPass;
using bench::Snapshot;
using pixel_passes_detail::PassImpl;

double Micros(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

void PassVersusMemcpy(benchmark::State& state, PassImpl impl, int bits, int width, int height) {
    const std::vector<std::uint8_t> src = Snapshot(bits, width, height);
    std::vector<std::uint8_t> dst(src.size()), copy(src.size());
    double bestPass = 1e30, bestCopy = 1e30;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        RunPass(impl, bits, src.data(), dst.data(), width, height);
        benchmark::ClobberMemory();
        auto t1 = std::chrono::steady_clock::now();
        std::memcpy(copy.data(), src.data(), src.size());
        benchmark::ClobberMemory();
        auto t2 = std::chrono::steady_clock::now();
        bestPass = std::min(bestPass, Micros(t1 - t0));
        bestCopy = std::min(bestCopy, Micros(t2 - t1));
        benchmark::DoNotOptimize(dst.data());
        benchmark::DoNotOptimize(copy.data());
    }
    state.counters["pass_us"] = bestPass;
    state.counters["memcpy_us"] = bestCopy;
    state.counters["ratio"] = bestPass / bestCopy;
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(src.size()));
}

int Register() {
    std::size_t n = 0;
    const PassImpl* list = pixel_passes_detail::AvailablePassImpls(&n);
    std::vector<PassImpl> impls(list, list + n);
    // What the program runs: the widest code at 16 and 32 bits, the 24-bit
    // pass its timing chose (named in the label).
    PassImpl inUse = pixel_passes_detail::FastestPassImpl();
    static const std::string inUseName = std::string("in-use(") + inUse.name + ")";
    inUse.name = inUseName.c_str();
    impls.push_back(inUse);
    for (const auto& c : bench::kCases)
        for (const PassImpl& impl : impls) {
            const std::string name = "Pass" + std::to_string(c.bits) + "/" +
                                     std::to_string(c.width) + "x" + std::to_string(c.height) +
                                     "/" + impl.name;
            benchmark::RegisterBenchmark(name.c_str(), PassVersusMemcpy, impl, c.bits, c.width,
                                         c.height)
                ->Unit(benchmark::kMicrosecond)
                ->MinTime(0.3);
        }
    return 0;
}

const int registered = Register();

} // namespace

BENCHMARK_MAIN();
