// A full grid of 240 sprites of every kind, drawn with the game's generated
// art into the 800 x 600 screen image at the play field's place, a quarter of
// them shaking; beside a memcpy of the screen's 1.92 MB in the same run.
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
#include "framework/app/ResourceManager.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SharedImageCache.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/sprites/BombSprite.h"
#include "src/sprites/BubbleSprite.h"
#include "src/sprites/BurningFlameSprite.h"
#include "src/sprites/GreenEatingPlantSprite.h"
#include "src/sprites/LavaSprite.h"
#include "src/sprites/LockSprite.h"
#include "src/sprites/MushroomSprite.h"
#include "src/sprites/SnowManSprite.h"
#include "src/sprites/TornadoSprite.h"
#include "src/sprites/WallSprite.h"
#include "src/sprites/WaterHoleSprite.h"
#include "src/sprites/WindCloudSprite.h"

namespace
{

std::shared_ptr<BubbleSprite> MakeVariant(PlayHost& host, int32_t n)
{
    switch (n % 26)
    {
        case 0:
            return std::make_shared<BubbleSprite>(KIND_RED);
        case 1:
            return std::make_shared<BubbleSprite>(KIND_YELLOW);
        case 2:
            return std::make_shared<BubbleSprite>(KIND_BLUE);
        case 3:
            return std::make_shared<BubbleSprite>(KIND_GREEN);
        case 4:
            return std::make_shared<BubbleSprite>(KIND_AQUA);
        case 5:
            return std::make_shared<BubbleSprite>(KIND_FUCHSIA);
        case 6:
            return std::make_shared<LockSprite>();
        case 7:
            return std::make_shared<WallSprite>(host, WallSprite::ElementAir);
        case 8:
            return std::make_shared<WallSprite>(host, WallSprite::ElementFire);
        case 9:
            return std::make_shared<WallSprite>(host, WallSprite::ElementWater);
        case 10:
            return std::make_shared<WallSprite>(host, WallSprite::ElementEarth);
        case 11:
            return std::make_shared<BombSprite>();
        case 12:
            return std::make_shared<SnowManSprite>(host);
        case 13:
            return std::make_shared<WaterHoleSprite>();
        case 14:
            return std::make_shared<BurningFlameSprite>();
        case 15:
            return std::make_shared<LavaSprite>();
        case 16:
            return std::make_shared<TornadoSprite>(TornadoSprite::Left);
        case 17:
            return std::make_shared<TornadoSprite>(TornadoSprite::Right);
        case 18:
            return std::make_shared<TornadoSprite>(TornadoSprite::Up);
        case 19:
            return std::make_shared<WindCloudSprite>(host, WindCloudSprite::Left);
        case 20:
            return std::make_shared<WindCloudSprite>(host, WindCloudSprite::Right);
        case 21:
            return std::make_shared<WindCloudSprite>(host, WindCloudSprite::Up);
        case 22:
            return std::make_shared<GreenEatingPlantSprite>();
        case 23:
            return std::make_shared<MushroomSprite>(MushroomSprite::Left);
        case 24:
            return std::make_shared<MushroomSprite>(MushroomSprite::Right);
        default:
            return std::make_shared<MushroomSprite>(MushroomSprite::Straight);
    }
}

// state.range(0): 26 cycles through every kind and obstacle variant, 6 only
// through the colours.
void BM_SpriteGrid240(benchmark::State& state)
{
    const int32_t variants = int32_t(state.range(0));
    Bench::Art art;
    if (!Bench::LoadArt(art))
    {
        state.SkipWithError("no generated data tree (build the game's data first)");
        return;
    }
    Bench::PlayHostStub host;
    std::vector<std::shared_ptr<BubbleSprite>> grid;
    for (int32_t row = 0; row < GRID_ROWS; ++row)
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            auto sprite = MakeVariant(host, (row * GRID_COLUMNS + column) % variants);
            sprite->SetRow(row);
            sprite->SetColumn(column);
            sprite->SetPosition(
                {float(GRID_LEFT + column * CELL_SIZE + (row % 2 == 1 ? ODD_ROW_SHIFT : 0)), float(row * CELL_SIZE)});
            grid.push_back(std::move(sprite));
        }
    Framework::MemoryImage screen;
    std::vector<uint32_t> background(size_t(SCREEN_WIDTH) * SCREEN_HEIGHT, 0xFF203040u);
    screen.SetPixels(background.data(), SCREEN_WIDTH, SCREEN_HEIGHT, false);
    Framework::Graphics g(&screen);
    g.Translate(15, 37);
    for (auto _ : state)
    {
        for (size_t i = 0; i < grid.size(); ++i)
        {
            if (i % 4 == 0 && !grid[i]->IsShaking())
                grid[i]->Shake({0.6f, 0.8f}, 1.0f);
            grid[i]->Draw(&g);
        }
        benchmark::DoNotOptimize(screen.pixels.data());
        benchmark::ClobberMemory();
    }
    ResetResourceVariables();
}
BENCHMARK(BM_SpriteGrid240)->Arg(26)->Arg(6)->Unit(benchmark::kMicrosecond);

BENCHMARK(Bench::ReferenceMemcpyScreen)->Unit(benchmark::kMicrosecond);

} // namespace
