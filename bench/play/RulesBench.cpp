// The rules of play on a full grid, beside a memcpy of the screen's 1.92 MB
// in the same run:
//   - MatchAndScore with its DropFloating: a burst of three that cuts 200
//     items loose (the design script's CalcScore asked once, the sparks of
//     203 bursts started), and a miss that drops nothing;
//   - a push-down of a nine-row field with its 70 slide draws.
// Allocations per iteration are counted by replacing the global operator
// new: the match search and the drop allocate nothing once warmed up; the
// burst's sparks are particle systems, one allocation group each.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <vector>

#include "bench/support/BenchPlayHost.h"
#include "bench/support/BenchReference.h"
#include "external/lumora/EffectManager.h"
#include "external/lumora/ParticleSystemManager.h"
#include "external/util/RandomUtil.h"
#include "external/util/RuntimeRandom.h"
#include "src/core/PlayHost.h"
#include "src/effects/SpriteAnimation.h"
#include "src/play/GameAreaWidget.h"

// The counting operator new hands out malloc's memory, which the matching
// delete frees; the compiler cannot see that they pair up.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace
{
std::atomic<int64_t> allocations{0};
} // namespace

void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size))
    {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace
{

// The shipped design script is read from the assets folder.
void EnterScriptFolder()
{
    std::filesystem::current_path(FROTHWICK_BENCH_SCRIPT_DIR);
}

std::shared_ptr<GameAreaWidget> MakeField(Bench::PlayHostStub& host, int32_t mode)
{
    host.state.mode = mode;
    host.state.world = Game::WorldEarth;
    auto field = std::make_shared<GameAreaWidget>(host, false);
    field->ClearGrid();
    return field;
}

void Release()
{
    SpriteAnimationManager::Release();
    Lumora::ParticleSystemManager::Release();
}

BENCHMARK(Bench::ReferenceMemcpyScreen)->Unit(benchmark::kMicrosecond);

// Three reds in row 0 (the shot the third); rows 1 to 12 and half of row 13
// hang from them alone: 200 items.
void FillBurstField(GameAreaWidget& field)
{
    field.ClearGrid();
    for (int32_t column = 6; column <= 7; ++column)
    {
        field.SetCell(0, column, std::make_shared<BubbleSprite>(KIND_RED), true);
    }
    field.SetCell(0, 8, field.GetShot(), true);
    for (int32_t row = 1; row <= 13; ++row)
    {
        for (int32_t column = 0; column < (row == 13 ? 8 : GRID_COLUMNS); ++column)
        {
            field.SetCell(row, column, std::make_shared<BubbleSprite>(KIND_BLUE + (row + column) % 2), true);
        }
    }
}

void BM_MatchBurstDropping200(benchmark::State& state)
{
    EnterScriptFolder();
    Bench::PlayHostStub host;
    auto field = MakeField(host, Game::ModeTime);
    field->GetShot()->SetKind(KIND_RED);
    int64_t allocated = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        Release();
        FillBurstField(*field);
        host.state.score = 0;
        const int64_t before = allocations.load();
        state.ResumeTiming();
        field->MatchAndScore(true, true);
        allocated += allocations.load() - before;
    }
    if (field->CountOccupied(5) != 0)
    {
        state.SkipWithError("the burst did not drop the field");
    }
    state.counters["allocations"] = benchmark::Counter(double(allocated), benchmark::Counter::kAvgIterations);
    Release();
}
BENCHMARK(BM_MatchBurstDropping200)->Unit(benchmark::kMicrosecond);

void BM_MissDroppingNothing(benchmark::State& state)
{
    EnterScriptFolder();
    Bench::PlayHostStub host;
    auto field = MakeField(host, Game::ModeTime);
    RandomUtil random(1);
    // Nine full rows in which no two neighbours share a colour: a red shot
    // below them matches nothing.
    for (int32_t row = 0; row < 9; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            field->SetCell(row, column, std::make_shared<BubbleSprite>(KIND_YELLOW + (row % 2) * 2 + column % 2), true);
        }
    }
    field->GetShot()->SetKind(KIND_RED);
    field->SetCell(9, 4, field->GetShot(), true);
    field->MatchAndScore(true, true);
    int64_t allocated = 0;
    for (auto _ : state)
    {
        host.state.shotsUntilPushDown = 6;
        const int64_t before = allocations.load();
        field->MatchAndScore(true, true);
        allocated += allocations.load() - before;
    }
    if (field->CountOccupied(9) != 1)
    {
        state.SkipWithError("the miss changed the field");
    }
    state.counters["allocations"] = benchmark::Counter(double(allocated), benchmark::Counter::kAvgIterations);
    Release();
}
BENCHMARK(BM_MissDroppingNothing)->Unit(benchmark::kMicrosecond);

void BM_PushDownWithSlide(benchmark::State& state)
{
    EnterScriptFolder();
    RandomUtil::SeedAll(1);
    Bench::PlayHostStub host;
    auto field = MakeField(host, Game::ModeArcade);
    for (auto _ : state)
    {
        state.PauseTiming();
        field->ClearGrid();
        for (int32_t row = 0; row < 9; ++row)
        {
            for (int32_t column = 0; column < GRID_COLUMNS; ++column)
            {
                field->SetCell(row, column, std::make_shared<BubbleSprite>(KIND_RED + (row + column) % 6), true);
            }
        }
        state.ResumeTiming();
        field->PushDown();
        for (int32_t draw = 0; draw < 70; ++draw)
        {
            SpriteAnimationManager::Instance().DrawAll(nullptr);
        }
    }
    if (field->shotInFlight || field->CountOccupied(9) != GRID_COLUMNS)
    {
        state.SkipWithError("the push-down did not finish");
    }
    Release();
}
BENCHMARK(BM_PushDownWithSlide)->Unit(benchmark::kMicrosecond);

} // namespace
