// One design-script call (a new interpreter, the shipped script loaded and
// run, one function called, the state closed) beside a memcpy of the
// 800 x 600 screen's 1.92 MB in the same run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "src/script/DesignScript.h"

namespace
{
void BM_ReferenceMemcpyScreen(benchmark::State& state)
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
BENCHMARK(BM_ReferenceMemcpyScreen);

void BM_CalcScore(benchmark::State& state)
{
    if (DesignScript::CalcScore(4, FROTHWICK_DESIGN_SCRIPT) != 50)
    {
        state.SkipWithError("the shipped script does not answer CalcScore(4) = 50");
        return;
    }
    int32_t count = 3;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(DesignScript::CalcScore(count, FROTHWICK_DESIGN_SCRIPT));
        count = count == 12 ? 3 : count + 1;
    }
}
BENCHMARK(BM_CalcScore);

void BM_GetStageFile(benchmark::State& state)
{
    if (!DesignScript::GetStageFile(30000, FROTHWICK_DESIGN_SCRIPT))
    {
        state.SkipWithError("the shipped script names no file for stage 30000");
        return;
    }
    int32_t stage = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(DesignScript::GetStageFile(30000 + stage, FROTHWICK_DESIGN_SCRIPT));
        stage = (stage + 1) % 16;
    }
}
BENCHMARK(BM_GetStageFile);
} // namespace
