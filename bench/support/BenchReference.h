// The reference every benchmark program measures beside its own figures in
// the same run: a memcpy of the 800 x 600 screen's 1.92 MB. Register it in a
// program with BENCHMARK(Bench::ReferenceMemcpyScreen).
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace Bench
{

inline void ReferenceMemcpyScreen(benchmark::State& state)
{
    const size_t bytes = 800 * 600 * sizeof(uint32_t);
    std::vector<uint32_t> from(800 * 600, 0xFF336699u);
    std::vector<uint32_t> to(800 * 600);
    for (auto _ : state)
    {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

} // namespace Bench
