// The play field's set-up, sparks and frame, with the game's generated art,
// beside a memcpy of the screen's 1.92 MB in the same run:
//   - GenerateStage at expert arcade's largest counts (fire world), with the
//     ClearGrid before it;
//   - loading the largest shipped stage file (read and placed; the design
//     script's call apart), with its ClearGrid;
//   - 600 sparks ticked and rendered into the screen image;
//   - one play-field frame: full grid, shot, preview and 600 sparks.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <type_traits>
#include <vector>

#include "bench/support/BenchArt.h"
#include "bench/support/BenchPlayHost.h"
#include "bench/support/BenchReference.h"
#include "external/lumora/EffectManager.h"
#include "external/lumora/ParticleSystemManager.h"
#include "external/util/RandomUtil.h"
#include "external/util/RuntimeRandom.h"
#include "framework/app/ResourceManager.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SharedImageCache.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/effects/BurstParticles.h"
#include "src/effects/Clock.h"
#include "src/effects/SpriteParticlePool.h"
#include "src/play/GameAreaWidget.h"
#include "src/play/StageFile.h"

namespace
{

struct Screen
{
    Framework::MemoryImage image;
    std::unique_ptr<Framework::Graphics> g;
    Screen()
    {
        std::vector<uint32_t> background(size_t(SCREEN_WIDTH) * SCREEN_HEIGHT, 0xFF203040u);
        image.SetPixels(background.data(), SCREEN_WIDTH, SCREEN_HEIGHT, false);
        g = std::make_unique<Framework::Graphics>(&image);
        g->Translate(15, 37);
    }
};

// Tops the pool up to 600 live sparks, in bursts of 16 over the field.
void FillSparks(const std::shared_ptr<Clock>& clock, const std::shared_ptr<SpriteParticlePool>& pool)
{
    int32_t n = 0;
    while (pool->FreeCount() > 0)
    {
        BurstParticles(clock, pool, {float(40 + (n * 37) % 440), float(60 + (n * 53) % 380)}, 16);
        Lumora::ParticleSystemManager::Instance()->Tick();
        ++n;
    }
}

void BM_GenerateStageExpert(benchmark::State& state)
{
    RuntimeRandom::Global().Seed(1);
    RandomUtil::SeedAll(1);
    Bench::PlayHostStub host;
    host.Expert();
    BubbleGrid grid;
    for (auto _ : state)
    {
        grid.ClearGrid();
        StageFile::GenerateStage(grid, host, Game::WorldFire);
        benchmark::DoNotOptimize(grid.GetCell(0, 0));
    }
}
BENCHMARK(BM_GenerateStageExpert)->Unit(benchmark::kMicrosecond);

void BM_LoadLargestStageFile(benchmark::State& state)
{
    Bench::Art art;
    if (!Bench::LoadArt(art))
    {
        state.SkipWithError("no generated data tree (build the game's data first)");
        return;
    }
    std::filesystem::path largest;
    std::uintmax_t size = 0;
    for (const auto& entry : std::filesystem::directory_iterator(art.dir / "data"))
    {
        const auto name = entry.path().filename().string();
        if (entry.path().extension() == ".dat" && name != "usr.dat" && name != "game.dat" && entry.file_size() > size)
        {
            size = entry.file_size();
            largest = entry.path();
        }
    }
    Bench::PlayHostStub host;
    host.Expert();
    BubbleGrid grid(true);
    for (auto _ : state)
    {
        grid.ClearGrid();
        const auto bytes = StageFile::ReadFile(largest);
        StageFile::LoadStageBytes(grid, host, *bytes);
        benchmark::DoNotOptimize(grid.GetCell(2, 0));
    }
    state.SetLabel(largest.filename().string() + ", " + std::to_string(size) + " bytes");
    ResetResourceVariables();
}
BENCHMARK(BM_LoadLargestStageFile)->Unit(benchmark::kMicrosecond);

void BM_Sparks600(benchmark::State& state)
{
    Bench::Art art;
    if (!Bench::LoadArt(art))
    {
        state.SkipWithError("no generated data tree (build the game's data first)");
        return;
    }
    Screen screen;
    auto clock = std::make_shared<Clock>();
    auto pool = std::make_shared<SpriteParticlePool>();
    pool->SetImageAll(IMAGE_PARTICLE_ALL, IMAGE_PARTICLE_ALL->columns * IMAGE_PARTICLE_ALL->rows);
    auto* particles = Lumora::ParticleSystemManager::Instance();
    FillSparks(clock, pool);
    for (auto _ : state)
    {
        if (pool->FreeCount() > 0)
        {
            state.PauseTiming();
            FillSparks(clock, pool);
            state.ResumeTiming();
        }
        clock->Advance(1.0);
        particles->Tick();
        pool->SetGraphicsAll(screen.g.get());
        particles->RenderAllParticleEffects();
        pool->ClearGraphics();
        benchmark::DoNotOptimize(screen.image.pixels.data());
        benchmark::ClobberMemory();
    }
    Lumora::ParticleSystemManager::Release();
    ResetResourceVariables();
}
BENCHMARK(BM_Sparks600)->Unit(benchmark::kMicrosecond);

void BM_FieldFrame(benchmark::State& state)
{
    Bench::Art art;
    if (!Bench::LoadArt(art))
    {
        state.SkipWithError("no generated data tree (build the game's data first)");
        return;
    }
    RuntimeRandom::Global().Seed(1);
    RandomUtil::SeedAll(1);
    Screen screen;
    Bench::PlayHostStub host;
    host.Expert();
    host.state.world = Game::WorldFire;
    auto field = std::make_shared<GameAreaWidget>(host, false);
    // Rows 9 to 14 as well: the whole grid.
    for (int32_t row = 9; row < GRID_ROWS; ++row)
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
            field->SetCell(row, column, std::make_shared<BubbleSprite>(KIND_RED + (row + column) % 6), true);
    FillSparks(field->GetClock(), field->GetParticlePool());
    for (auto _ : state)
    {
        if (field->GetParticlePool()->FreeCount() > 0)
        {
            state.PauseTiming();
            FillSparks(field->GetClock(), field->GetParticlePool());
            state.ResumeTiming();
        }
        field->Draw(screen.g.get());
        benchmark::DoNotOptimize(screen.image.pixels.data());
        benchmark::ClobberMemory();
    }
    field.reset();
    Lumora::ParticleSystemManager::Release();
    Lumora::EffectManager::Release();
    ResetResourceVariables();
}
BENCHMARK(BM_FieldFrame)->Unit(benchmark::kMicrosecond);

BENCHMARK(Bench::ReferenceMemcpyScreen)->Unit(benchmark::kMicrosecond);

} // namespace
