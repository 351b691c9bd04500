// One design-script call (a new interpreter, the shipped script loaded and
// run, one function called, the state closed) beside a memcpy of the
// 800 x 600 screen's 1.92 MB in the same run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/support/BenchReference.h"
#include "src/script/DesignScript.h"

namespace
{
BENCHMARK(Bench::ReferenceMemcpyScreen);

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
