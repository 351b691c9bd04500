// DrawAll of 50 running animations into the 800 x 600 screen image beside a
// memcpy of the screen's 1.92 MB in the same run. The list is topped up to
// 50 before every call with new effects of the kinds that ended, so every
// call draws 50: 12 three-cell flame bursts, 12 tornado sweeps, 12 bomb
// flip-books, 8 snowman heads, 4 rising bubble groups, the banner and the
// stage tip. The art is made of round cels of the game's sizes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "bench/support/BenchPlayHost.h"
#include "bench/support/BenchReference.h"
#include "external/util/RuntimeRandom.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/effects/CellBurstEffects.h"
#include "src/effects/FieldEffects.h"
#include "src/effects/FlipBooks.h"
#include "src/effects/PlayFieldServices.h"
#include "src/effects/SpriteAnimation.h"
#include "src/effects/StageEffects.h"
#include "src/sprites/BubbleSprite.h"

namespace
{
BENCHMARK(Bench::ReferenceMemcpyScreen);

// Each cel a round picture as the game's art has: clear corners, a two-pixel
// soft rim and an opaque inside.
std::unique_ptr<Framework::MemoryImage> Art(int32_t cels, int32_t w, int32_t h)
{
    auto image = std::make_unique<Framework::MemoryImage>();
    std::vector<uint32_t> pixels(size_t(cels * w * h));
    const float rx = float(w) / 2.0f;
    const float ry = float(h) / 2.0f;
    for (int32_t y = 0; y < h; ++y)
    {
        for (int32_t x = 0; x < cels * w; ++x)
        {
            const float dx = (float(x % w) + 0.5f - rx) / rx;
            const float dy = (float(y) + 0.5f - ry) / ry;
            const float d = std::sqrt(dx * dx + dy * dy);
            const float rim = 2.0f / std::min(rx, ry);
            uint32_t alpha = 0u;
            if (d < 1.0f - rim)
            {
                alpha = 0xFFu;
            }
            else if (d < 1.0f)
            {
                alpha = 0x80u;
            }
            pixels[size_t(y * cels * w + x)] = alpha == 0u ? 0u : (alpha << 24) | uint32_t(0x3070B0 + x % w * 3);
        }
    }
    image->SetPixels(pixels.data(), cels * w, h, true);
    image->columns = cels;
    return image;
}

class BenchField final : public PlayFieldServices
{
public:
    virtual ~BenchField() = default;
    Lumora::Vector2 CellToPixel(int32_t row, int32_t column) const override
    {
        return {float(5 + column * 31 + (row % 2) * 15), float(row * 27 + 35)};
    }
    std::shared_ptr<BubbleSprite> GetCell(int32_t, int32_t) const override { return bubble; }
    void BurstCell(int32_t, int32_t) override {}
    void EndShot() override {}
    void SetCell(int32_t, int32_t, const std::shared_ptr<BubbleSprite>&, bool) override {}
    void RecordSunkBubble(const Lumora::Vector2&, Framework::Image*) override {}
    void ClearBelowBarrier() override {}
    void ShowHighScores(int32_t, bool) override {}
    void ShowCongratulation() override {}

    std::shared_ptr<BubbleSprite> bubble = std::make_shared<BubbleSprite>(KIND_RED);
};

void BM_DrawAllFiftyEffects(benchmark::State& state)
{
    auto burst = Art(8, 31, 31);
    auto burstWind = Art(8, 31, 31);
    auto tornado = Art(8, 50, 70);
    auto bomb = Art(15, 130, 100);
    auto head = Art(1, 32, 28);
    auto water = Art(1, 24, 24);
    auto banner = Art(1, 320, 90);
    auto stageText = Art(1, 120, 40);
    auto digits = Art(10, 30, 40);
    IMAGE_BURST = burst.get();
    IMAGE_BURSTWIND = burstWind.get();
    IMAGE_TORNADO_RIGHT = tornado.get();
    IMAGE_BOMB_BURST = bomb.get();
    IMAGE_SNOWMAN_HEAD = head.get();
    IMAGE_WATERBUBBLE = water.get();
    IMAGE_YOUWIN = banner.get();
    IMAGE_TEXT_STAGE = stageText.get();
    IMAGE_STAGE_NUMBER = digits.get();

    Framework::MemoryImage screen;
    std::vector<uint32_t> backdrop(800 * 600, 0xFF204060u);
    screen.SetPixels(backdrop.data(), 800, 600, true);
    Framework::Graphics g(&screen);
    g.Translate(15, 37);

    auto field = std::make_shared<BenchField>();
    Bench::PlayHostStub host;
    host.colours = 4;
    RuntimeRandom random(7);
    int32_t serial = 0;
    using Maker = std::function<std::shared_ptr<SpriteAnimation>()>;
    const std::vector<std::pair<int32_t, Maker>> kinds = {
        {12,
         [&]
         {
             const float row = float(serial % 12);
             return std::make_shared<FlameBurstEffect>(field,
                                                       std::vector<Lumora::Vector2>{{row, 3}, {row, 4}, {row, 5}});
         }},
        {12,
         [&]
         {
             const int32_t row = serial % 12;
             std::vector<Lumora::Vector2> cells;
             for (int32_t c = 1; c < 16; ++c)
             {
                 cells.push_back({float(row), float(c)});
             }
             return std::make_shared<TornadoEffect>(field, cells, field->CellToPixel(row, 0),
                                                    field->CellToPixel(row, 15), 2);
         }},
        {12,
         [&] {
             return MakeBombBurstAnimation({float(60 + serial % 9 * 40), float(80 + serial % 7 * 40)});
         }},
        {8,
         [&] {
             return std::make_shared<SnowManHeadEffect>(250, 300, Lumora::Vector2{float(serial % 5) - 2.0f, -4.0f},
                                                        true);
         }},
        {4, [&] { return std::make_shared<BubbleEffect>(false, random); }},
        {1, [&] { return std::make_shared<GameOverEffect>(host, field, true); }},
        {1, [&] { return std::make_shared<StageTipAnimation>(serial % 16); }},
    };
    // Which kind each live animation is, to replace the ended ones in kind.
    std::vector<std::pair<std::shared_ptr<SpriteAnimation>, size_t>> live;
    auto& manager = SpriteAnimationManager::Instance();
    auto topUp = [&]
    {
        for (size_t k = 0; k < kinds.size(); ++k)
        {
            int32_t have = 0;
            for (const auto& entry : live)
            {
                have += entry.second == k ? 1 : 0;
            }
            for (; have < kinds[k].first; ++have)
            {
                ++serial;
                auto animation = kinds[k].second();
                manager.Add(animation);
                live.emplace_back(animation, k);
            }
        }
    };
    for (auto _ : state)
    {
        std::erase_if(live, [](const auto& entry) { return entry.first->IsDone(); });
        topUp();
        manager.DrawAll(&g);
        benchmark::DoNotOptimize(screen.GetPixels());
        benchmark::ClobberMemory();
    }
    SpriteAnimationManager::Release();
    ResetResourceVariables();
}
BENCHMARK(BM_DrawAllFiftyEffects);
} // namespace
