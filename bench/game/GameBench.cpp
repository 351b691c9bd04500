// One frame of the game screen as the running game makes it -- the update
// pass, the smooth update pass (clock, effects, the flight, sparks, the
// board's fade and timer), the draw pass into the 800 x 600 screen image and
// the change finder over the result -- with the generated art, beside a
// memcpy of the screen's 1.92 MB in the same run:
//   - busy: all 240 cells taken, each world's obstacles at expert arcade's
//     largest counts (Arg: the world), a shot flying below the field,
//     300 sparks, a stage tip and a bomb burst running;
//   - the same with the closing banner at ten times its size, and with the
//     banner at rest;
//   - a push-down slide over a field full to row 13.
// Whatever ends (the tip, the burst, the slide) is started again with the
// timing paused, so every measured frame carries the same load.
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
#include "external/timer/TimeManager.h"
#include "external/util/RandomUtil.h"
#include "external/util/RuntimeRandom.h"
#include "framework/app/ResourceManager.h"
#include "framework/graphics/DisplayChangeFinder.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SharedImageCache.h"
#include "framework/widgets/WidgetManager.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/effects/FieldEffects.h"
#include "src/effects/FlipBooks.h"
#include "src/effects/SpriteAnimation.h"
#include "src/effects/SpriteParticlePool.h"
#include "src/effects/StageEffects.h"
#include "src/play/BulletBubbleMoveEffect.h"
#include "src/play/GameAreaWidget.h"
#include "src/screens/game/Board.h"

namespace
{

enum Variant : int64_t
{
    Busy = 0,
    BannerLarge = 1,
    BannerResting = 2,
};

// The game screen in a widget manager drawing into its own screen image.
class GameScreen
{
public:
    explicit GameScreen(int32_t world, int32_t lastFullRow)
    {
        RuntimeRandom::Global().Seed(1);
        RandomUtil::SeedAll(1);
        RuntimeRandom::Drawing().Seed(1);
        TimeManager::Instance()->Init();
        screen.Allocate(SCREEN_WIDTH, SCREEN_HEIGHT);
        manager.width = SCREEN_WIDTH;
        manager.height = SCREEN_HEIGHT;
        manager.screenImage = &screen;
        host.state.world = world;
        host.state.difficulty = Game::Expert;
        host.state.score = 123450;
        host.state.displayedScore = 123450;
        board = std::make_shared<Board>(host, nullptr);
        board->Resize(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
        board->ShowWorldBackground(world);
        manager.AddWidget(board.get());
        field = board->GetPlayField();
        Fill(lastFullRow);
    }

    ~GameScreen()
    {
        manager.RemoveAllChildren();
        board.reset();
        SpriteAnimationManager::Release();
        Lumora::ParticleSystemManager::Release();
        Lumora::EffectManager::Release();
        TimeManager::Instance()->Fini();
    }

    // Every empty cell of rows 0 to lastRow gets a colour bubble.
    void Fill(int32_t lastRow)
    {
        for (int32_t row = 0; row <= lastRow; ++row)
            for (int32_t column = 0; column < GRID_COLUMNS; ++column)
                if (!field->GetCell(row, column))
                    field->SetCell(row, column, std::make_shared<BubbleSprite>(KIND_RED + (row + column) % 6), true);
    }

    // A shot bouncing between the walls below row 14, where it touches
    // nothing.
    void KeepShotFlying()
    {
        if (field->shotInFlight && field->GetBulletEffect()->IsRunning())
            return;
        const auto& shot = field->GetShot();
        shot->SetPosition({250.0f, 490.0f});
        field->GetBulletEffect()->SetTarget(shot);
        field->GetBulletEffect()->GetAlgorithm()->SetVelocity({700.0f, 0.0f});
        field->GetBulletEffect()->Start();
        field->shotInFlight = true;
    }

    void KeepSparks(size_t count)
    {
        // A burst takes its sparks from the pool at its first tick.
        for (int32_t n = 0; field->GetParticlePool()->InUseCount() < count && n < 100; ++n)
        {
            field->BurstParticles({float(40 + (n * 37) % 440), float(60 + (n * 53) % 380)}, 16);
            Lumora::ParticleSystemManager::Instance()->Tick();
        }
    }

    // The stage tip and the bomb burst, each started again once it ends.
    void KeepAnimations()
    {
        auto& list = SpriteAnimationManager::Instance();
        if (!tip || tip->IsDone())
        {
            tip = std::make_shared<StageTipAnimation>(7);
            list.Add(tip);
        }
        if (!bomb || bomb->IsDone())
        {
            bomb = MakeBombBurstAnimation({200.0f, 200.0f});
            list.Add(bomb);
        }
    }

    // A new banner drawn until it shows (lost: 20 draws), or on to its rest.
    void NewBanner(bool resting)
    {
        auto& list = SpriteAnimationManager::Instance();
        if (banner)
            list.Remove(banner.get());
        banner = std::make_shared<GameOverEffect>(host, field, false);
        Framework::Graphics scratch(&screen);
        for (int32_t i = 0; i < (resting ? 400 : 19); ++i)
            banner->Draw(&scratch);
        list.Add(banner);
    }

    bool BannerShrunk() const { return banner && banner->GetScale() < 9.0f; }

    // One frame as the application makes it.
    void Frame()
    {
        manager.RunUpdatePass();
        manager.RunSmoothUpdatePass(1.0);
        manager.RunDrawPass();
        bool whole = false;
        changes = finder.Find(screen.GetPixels(), SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_WIDTH, whole);
        benchmark::DoNotOptimize(changes.data());
        benchmark::ClobberMemory();
    }

    // Expert arcade's largest counts; the player "Ada" without a picture.
    Bench::PlayHostStub host = []
    {
        Bench::PlayHostStub expert;
        expert.Expert().name = "Ada";
        return expert;
    }();
    Framework::MemoryImage screen;
    Framework::WidgetManager manager;
    std::shared_ptr<Board> board;
    std::shared_ptr<GameAreaWidget> field;
    std::shared_ptr<SpriteAnimation> tip;
    std::shared_ptr<SpriteAnimation> bomb;
    std::shared_ptr<GameOverEffect> banner;
    Framework::DisplayChangeFinder finder;
    std::vector<Framework::ChangedRect> changes;
};

void BM_GameFrame(benchmark::State& state)
{
    Bench::Art art;
    if (!Bench::LoadArt(art))
    {
        state.SkipWithError("no generated data tree (build the game's data first)");
        return;
    }
    const auto world = int32_t(state.range(0));
    const auto variant = Variant(state.range(1));
    {
        GameScreen game(world, GRID_ROWS - 1);
        game.KeepShotFlying();
        game.KeepSparks(300);
        game.KeepAnimations();
        if (variant != Busy)
            game.NewBanner(variant == BannerResting);
        // The board's fade-in over first, as in play.
        for (int32_t i = 0; i < 90; ++i)
            game.Frame();
        for (auto _ : state)
        {
            state.PauseTiming();
            game.KeepShotFlying();
            game.KeepSparks(300);
            game.KeepAnimations();
            if (variant == BannerLarge && game.BannerShrunk())
                game.NewBanner(false);
            state.ResumeTiming();
            game.Frame();
        }
        state.counters["changed_rects"] = double(game.changes.size());
    }
    ResetResourceVariables();
}
BENCHMARK(BM_GameFrame)
    ->ArgNames({"world", "variant"})
    ->Args({Game::WorldWater, Busy})
    ->Args({Game::WorldFire, Busy})
    ->Args({Game::WorldEarth, Busy})
    ->Args({Game::WorldAir, Busy})
    ->Args({Game::WorldFire, BannerLarge})
    ->Args({Game::WorldFire, BannerResting})
    ->Unit(benchmark::kMicrosecond);

// The field full to row 13 sliding one row down (70 frames a slide).
void BM_GameFramePushDown(benchmark::State& state)
{
    Bench::Art art;
    if (!Bench::LoadArt(art))
    {
        state.SkipWithError("no generated data tree (build the game's data first)");
        return;
    }
    {
        GameScreen game(Game::WorldFire, GRID_ROWS - 2);
        for (int32_t i = 0; i < 90; ++i)
            game.Frame();
        for (auto _ : state)
        {
            if (!game.field->GetPushDownEffect() || !game.field->GetPushDownEffect()->IsActive())
            {
                state.PauseTiming();
                game.field->ClearGrid();
                game.Fill(GRID_ROWS - 2);
                game.host.state.stageOver = false;
                game.field->PushDown();
                state.ResumeTiming();
            }
            game.Frame();
        }
    }
    ResetResourceVariables();
}
BENCHMARK(BM_GameFramePushDown)->Unit(benchmark::kMicrosecond);

BENCHMARK(Bench::ReferenceMemcpyScreen)->Unit(benchmark::kMicrosecond);

} // namespace
