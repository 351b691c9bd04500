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

class ArtServices : public Framework::ResourceServices
{
public:
    Framework::SharedImageCache cache;
    Framework::SharedImageCache::Result GetSharedImage(const std::string& path, const std::string& variant) override
    {
        return cache.GetSharedImage(path, variant);
    }
    void ShowErrorBox(const std::string&) override {}
    bool LoadSoundAt(int32_t, const std::string&) override { return true; }
};

// Expert arcade's largest counts.
class ExpertHost final : public PlayHost
{
public:
    PlayState state;
    PlayState& State() override { return state; }
    void PlaySound(int32_t) override {}
    void StartWindLoop() override {}
    void StopWindLoop() override {}
    void ResetStage() override {}
    void StageReached(int32_t) override {}
    void EndStage(bool) override {}
    void ConfigureObstacles() override {}
    int32_t ObstacleCount(int32_t index) const override
    {
        static constexpr int32_t counts[ObstacleKinds] = {10, 2, 4, 6, 3, 4, 9, 6, 8, 8, 6};
        return index >= 0 && index < ObstacleKinds ? counts[index] : 0;
    }
    int32_t ColourCount() const override { return 6; }
    void StampStageStart() override {}
};

struct Art
{
    std::unique_ptr<ArtServices> services;
    std::unique_ptr<Framework::ResourceManager> manager;
    std::filesystem::path dir;
};

// The "Game" group of the generated data tree, bound to the variables; the
// data tree's folder becomes the working directory. False without one.
bool LoadArt(Art& art)
{
    std::vector<std::filesystem::path> candidates;
    if (const char* env = std::getenv("FROTHWICK_DATA_DIR"); env != nullptr && *env != 0)
        candidates.emplace_back(env);
    candidates.emplace_back(FROTHWICK_BENCH_DATA_DIR);
    candidates.emplace_back(FROTHWICK_MAIN_DATA_DIR);
    for (const auto& dir : candidates)
    {
        if (!std::filesystem::exists(dir / "properties" / "resources.xml"))
            continue;
        std::filesystem::current_path(dir);
        art.dir = dir;
        art.services = std::make_unique<ArtServices>();
        art.manager = std::make_unique<Framework::ResourceManager>(art.services.get());
        if (!art.manager->ReadManifest("properties/resources.xml") || !art.manager->LoadGroup("Game"))
            return false;
#define FROTHWICK_BENCH_BIND(kind, name) Bind(*art.manager, #name, name);
        auto Bind = [](Framework::ResourceManager& m, const char* id, auto& variable)
        {
            if constexpr (std::is_same_v<std::decay_t<decltype(variable)>, Framework::Image*>)
                variable = m.RequireImage(id).get();
        };
        FROTHWICK_GAME_RESOURCES(FROTHWICK_BENCH_BIND)
#undef FROTHWICK_BENCH_BIND
        return true;
    }
    return false;
}

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
    ExpertHost host;
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
    Art art;
    if (!LoadArt(art))
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
    ExpertHost host;
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
    Art art;
    if (!LoadArt(art))
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
    Art art;
    if (!LoadArt(art))
    {
        state.SkipWithError("no generated data tree (build the game's data first)");
        return;
    }
    RuntimeRandom::Global().Seed(1);
    RandomUtil::SeedAll(1);
    Screen screen;
    ExpertHost host;
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

void BM_MemcpyScreen(benchmark::State& state)
{
    const size_t bytes = size_t(SCREEN_WIDTH) * SCREEN_HEIGHT * 4;
    std::vector<uint8_t> a(bytes, 1), b(bytes, 0);
    for (auto _ : state)
    {
        std::memcpy(b.data(), a.data(), bytes);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
BENCHMARK(BM_MemcpyScreen)->Unit(benchmark::kMicrosecond);

} // namespace
