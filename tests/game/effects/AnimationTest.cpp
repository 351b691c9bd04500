#include "external/lumora/Math.h"
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

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace
{

using Lumora::Vector2;

// `cels` cels of w x h pixels side by side, cel n in colour 0xFF000000 | (n + 1).
std::unique_ptr<Framework::MemoryImage> MakeStrip(int32_t cels, int32_t w = 2, int32_t h = 2)
{
    auto image = std::make_unique<Framework::MemoryImage>();
    std::vector<uint32_t> pixels(size_t(cels * w * h));
    for (int32_t y = 0; y < h; ++y)
    {
        for (int32_t x = 0; x < cels * w; ++x)
        {
            pixels[size_t(y * cels * w + x)] = 0xFF000000u | uint32_t(x / w + 1);
        }
    }
    image->SetPixels(pixels.data(), cels * w, h, true);
    image->columns = cels;
    return image;
}

struct Screen
{
    Framework::MemoryImage image;
    std::unique_ptr<Framework::Graphics> g;

    explicit Screen(int32_t w = 800, int32_t h = 600)
    {
        std::vector<uint32_t> blank(size_t(w * h), 0);
        image.SetPixels(blank.data(), w, h, true);
        g = std::make_unique<Framework::Graphics>(&image);
    }
    void Clear()
    {
        uint32_t* p = image.GetPixels();
        std::fill(p, p + size_t(image.GetWidth() * image.GetHeight()), 0u);
        image.PixelsChanged();
    }
    uint32_t At(int32_t x, int32_t y) { return image.GetPixel(x, y); }
};

// A play field of cells in a map, CellToPixel at (column * 50 + 10, row * 30 + 50).
class FakeField final : public PlayFieldServices
{
public:
    virtual ~FakeField() = default;
    Vector2 CellToPixel(int32_t row, int32_t column) const override
    {
        return {float(column * 50 + 10), float(row * 30 + 50)};
    }
    std::shared_ptr<BubbleSprite> GetCell(int32_t row, int32_t column) const override
    {
        auto it = cells.find({row, column});
        return it == cells.end() ? nullptr : it->second;
    }
    void BurstCell(int32_t row, int32_t column) override
    {
        calls.push_back("burst " + std::to_string(row) + "," + std::to_string(column));
        cells.erase({row, column});
    }
    void EndShot() override
    {
        calls.push_back("endshot");
        if (onEndShot)
        {
            onEndShot();
        }
    }
    void SetCell(int32_t row, int32_t column, const std::shared_ptr<BubbleSprite>& sprite, bool reposition) override
    {
        calls.push_back("set " + std::to_string(row) + "," + std::to_string(column));
        cells[{row, column}] = sprite;
        if (sprite && reposition)
        {
            sprite->SetPosition(CellToPixel(row, column));
        }
    }
    void RecordSunkBubble(const Vector2& position, Framework::Image* image) override
    {
        calls.push_back("sunk " + std::to_string(int(position.x)) + "," + std::to_string(int(position.y)));
        sunkImage = image;
    }
    void ClearBelowBarrier() override { calls.push_back("clearbelow"); }
    void ShowHighScores(int32_t rank, bool atStageEnd) override
    {
        calls.push_back("highscores " + std::to_string(rank) + (atStageEnd ? " end" : ""));
    }
    void ShowCongratulation() override { calls.push_back("congratulation"); }

    std::shared_ptr<BubbleSprite> Put(int32_t row, int32_t column, int32_t kind)
    {
        auto sprite = std::make_shared<BubbleSprite>(kind);
        sprite->SetRow(row);
        sprite->SetColumn(column);
        cells[{row, column}] = sprite;
        return sprite;
    }

    std::map<std::pair<int32_t, int32_t>, std::shared_ptr<BubbleSprite>> cells;
    std::vector<std::string> calls;
    Framework::Image* sunkImage = nullptr;
    std::function<void()> onEndShot;
};

class FakeHost final : public PlayHost
{
public:
    virtual ~FakeHost() = default;
    PlayState& State() override { return state; }
    void PlaySound(int32_t soundId) override { sounds.push_back(soundId); }
    void StartWindLoop() override {}
    void StopWindLoop() override {}
    void ResetStage() override {}
    void StageReached(int32_t) override {}
    void EndStage(bool) override {}
    void ConfigureObstacles() override {}
    int32_t ObstacleCount(int32_t) const override { return 0; }
    int32_t ColourCount() const override { return 4; }
    void StampStageStart() override {}

    PlayState state;
    std::vector<int32_t> sounds;
};

class AnimationTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        SpriteAnimationManager::Release();
        ResetResourceVariables();
    }

    // Draws until done; returns the number of the Draw that reported it (0: never, within `limit`).
    static int32_t DrawsUntilDone(SpriteAnimation& animation, Framework::Graphics* g, int32_t limit = 10000)
    {
        for (int32_t n = 1; n <= limit; ++n)
        {
            animation.Draw(g);
            if (animation.IsDone())
            {
                return n;
            }
        }
        return 0;
    }

    std::shared_ptr<FakeField> field = std::make_shared<FakeField>();
    FakeHost host;
};

} // namespace

TEST_F(AnimationTest, FlipBookPlaysEachCelAndEndsOnThePinnedDraw)
{
    auto strip = MakeStrip(4);
    Screen screen(20, 20);
    SpriteAnimation book(strip.get(), 4, 5, 6, 0.2f);
    std::vector<uint32_t> shown;
    for (int32_t n = 1; n <= 19; ++n)
    {
        screen.Clear();
        book.Draw(screen.g.get());
        ASSERT_FALSE(book.IsDone()) << "draw " << n;
        shown.push_back(screen.At(5, 6) & 0xFFu);
    }
    EXPECT_EQ(shown, (std::vector<uint32_t>{1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 4, 4, 4, 4, 4}));
    screen.Clear();
    book.Draw(screen.g.get());
    EXPECT_TRUE(book.IsDone());
    EXPECT_EQ(screen.At(5, 6), 0u);

    auto hit = MakeStrip(5);
    IMAGE_SNOWMAN_HIT = hit.get();
    auto snowman = MakeSnowManHitAnimation({3.0f, 4.0f});
    EXPECT_EQ(DrawsUntilDone(*snowman, screen.g.get()), 51);
}

TEST_F(AnimationTest, FlipBooksSitWhereTheirObstacleIs)
{
    auto lava = MakeStrip(18);
    auto plant = MakeStrip(22);
    auto bomb = MakeStrip(15);
    IMAGE_LAVA_DRY_UP = lava.get();
    IMAGE_PLANT_GONE = plant.get();
    IMAGE_BOMB_BURST = bomb.get();
    const Vector2 at{100.7f, 90.2f};
    struct Case
    {
        std::shared_ptr<SpriteAnimation> book;
        int32_t x, y;
    };
    for (auto& c : {Case{MakeLavaDryUpAnimation(at), 96, 90}, Case{MakePlantGoneAnimation(at), 88, 77},
                    Case{MakeBombBurstAnimation(at), 51, 58}})
    {
        Screen screen(200, 200);
        c.book->Draw(screen.g.get());
        EXPECT_EQ(screen.At(c.x, c.y), 0xFF000001u);
        EXPECT_EQ(screen.At(c.x - 1, c.y), 0u);
        EXPECT_EQ(screen.At(c.x, c.y - 1), 0u);
    }
}

TEST_F(AnimationTest, DrawAllErasesEveryDoneAnimationAndKeepsTheOrder)
{
    auto& manager = SpriteAnimationManager::Instance();
    auto first = std::make_shared<SpriteAnimation>(nullptr, 1, 0, 0, 0.0f);
    auto doneA = std::make_shared<SpriteAnimation>(nullptr, 1, 0, 0, 0.0f);
    auto doneB = std::make_shared<SpriteAnimation>(nullptr, 1, 0, 0, 0.0f);
    auto last = std::make_shared<SpriteAnimation>(nullptr, 1, 0, 0, 0.0f);
    doneA->SetDone(true);
    doneB->SetDone(true);
    for (const auto& a : {first, doneA, doneB, last})
    {
        manager.Add(a);
    }
    Screen screen(10, 10);
    manager.DrawAll(screen.g.get());
    ASSERT_EQ(manager.Count(), 2u);
    EXPECT_EQ(manager.Animations()[0], first);
    EXPECT_EQ(manager.Animations()[1], last);

    manager.Remove(last.get());
    EXPECT_EQ(manager.Count(), 1u);

    std::weak_ptr<SpriteAnimation> watch = first;
    first.reset();
    SpriteAnimationManager::Release();
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(SpriteAnimationManager::Instance().Count(), 0u);
}

TEST_F(AnimationTest, StageTipShowsTheNextNumberAndFadesAfterSixtyTwoDraws)
{
    auto text = MakeStrip(1, 40, 10);
    auto digits = MakeStrip(10, 30, 10);
    IMAGE_TEXT_STAGE = text.get();
    IMAGE_STAGE_NUMBER = digits.get();

    Screen screen;
    StageTipAnimation nine(8);
    nine.Draw(screen.g.get());
    EXPECT_EQ(screen.At(185, 405), 0xFF000001u);
    EXPECT_EQ(screen.At(220, 405), 0xFF00000Au); // cel 9
    EXPECT_EQ(screen.At(250, 405), 0u);
    EXPECT_FALSE(screen.g->GetColorModulation());

    screen.Clear();
    StageTipAnimation ten(9);
    ten.Draw(screen.g.get());
    EXPECT_EQ(screen.At(220, 405), 0xFF000002u); // cel 1
    EXPECT_EQ(screen.At(250, 405), 0xFF000001u); // cel 0

    std::vector<int32_t> alphas{ten.GetAlpha()};
    int32_t draws = 1;
    while (!ten.IsDone() && draws < 1000)
    {
        ten.Draw(screen.g.get());
        ++draws;
        alphas.push_back(ten.GetAlpha());
    }
    EXPECT_EQ(draws, 87);
    // alphas[k] follows draw k + 1.
    EXPECT_EQ(alphas[60], 255);
    EXPECT_EQ(alphas[61], 245);
}

TEST_F(AnimationTest, FadeCoversTheScreenFromTheFieldsOriginForEightySixDraws)
{
    Framework::MemoryImage screenImage;
    std::vector<uint32_t> white(800u * 600u, 0xFFFFFFFFu);
    screenImage.SetPixels(white.data(), 800, 600, true);
    Framework::Graphics g(&screenImage);
    g.Translate(15, 37);
    FadeEffect fade;
    fade.Draw(&g);
    EXPECT_EQ(screenImage.GetPixel(0, 0), 0xFF000000u);
    EXPECT_EQ(screenImage.GetPixel(799, 599), 0xFF000000u);
    EXPECT_EQ(DrawsUntilDone(fade, &g) + 1, 86);
}

TEST_F(AnimationTest, ThreeCellFlameBurstsTenDrawsApartAndEndsWhenTheLastCelsAreThrough)
{
    auto burst = MakeStrip(8);
    IMAGE_BURST = burst.get();
    for (int32_t c = 0; c < 3; ++c)
    {
        field->Put(4, c, KIND_RED);
    }
    FlameBurstEffect flame(field, {{4, 0}, {4, 1}, {4, 2.9f}});
    Screen screen;
    std::map<int32_t, std::vector<std::string>> byDraw;
    int32_t draw = 0;
    while (!flame.IsDone() && draw < 1000)
    {
        ++draw;
        if (draw == 21)
        {
            screen.Clear();
        }
        const size_t before = field->calls.size();
        flame.Draw(screen.g.get());
        for (size_t i = before; i < field->calls.size(); ++i)
        {
            byDraw[draw].push_back(field->calls[i]);
        }
        if (draw == 21)
        {
            // Cell (4, 2) is drawn at its position moved up by 35: (110, 135).
            EXPECT_EQ(screen.At(110, 135), 0xFF000001u);
            EXPECT_EQ(screen.At(110, 134), 0u);
        }
    }
    EXPECT_EQ(draw, 61);
    EXPECT_EQ(byDraw, (std::map<int32_t, std::vector<std::string>>{
                          {1, {"burst 4,0"}}, {11, {"burst 4,1"}}, {21, {"burst 4,2"}}, {61, {"endshot"}}}));

    FlameBurstEffect single(field, {{0, 0}});
    EXPECT_EQ(DrawsUntilDone(single, nullptr), 41);
}

TEST_F(AnimationTest, TornadoSparesWallsAndLocksAndStopsAtItsEnd)
{
    auto wind = MakeStrip(8);
    auto whirl = MakeStrip(3, 4, 4);
    IMAGE_BURSTWIND = wind.get();
    IMAGE_TORNADO_RIGHT = whirl.get();
    field->Put(0, 0, KIND_WALL);
    field->Put(0, 1, KIND_LOCK);
    // The last cell lies at x 110: the whirl ends at 100.
    field->Put(0, 2, KIND_BLUE);
    TornadoEffect tornado(field, {{0, 0}, {0, 1}, {0, 2}}, {20.0f, 50.0f}, {110.0f, 50.0f}, 2);
    EXPECT_EQ(tornado.GetEndPosition().x, 100.0f);
    EXPECT_EQ(tornado.GetEndPosition().y, 32.0f);

    Screen screen;
    int32_t firstStop = 0;
    std::vector<int32_t> alphas;
    for (int32_t n = 1; n <= 100 && !tornado.IsDone(); ++n)
    {
        tornado.Draw(screen.g.get());
        EXPECT_LE(tornado.GetTornadoPosition().x, 100.0f);
        if (firstStop == 0 && tornado.GetAlpha() < 255)
        {
            firstStop = n;
        }
        if (firstStop != 0)
        {
            alphas.push_back(tornado.GetAlpha());
        }
    }
    // (10 + 2.8 n) first passes 100 on draw 33.
    EXPECT_EQ(firstStop, 33);
    EXPECT_EQ(alphas.front(), 250);
    EXPECT_EQ(alphas[1], 245);
    EXPECT_FALSE(screen.g->GetColorModulation());
    EXPECT_EQ(field->calls, (std::vector<std::string>{"burst 0,2", "endshot"}));
    EXPECT_TRUE(field->GetCell(0, 0));
    EXPECT_TRUE(field->GetCell(0, 1));
}

TEST_F(AnimationTest, BarrierBurstsItsOccupiedCellsThenClearsBelowAndEndsTheShot)
{
    field->Put(2, 0, KIND_WALL);
    field->Put(2, 15, KIND_WALL);
    BurstWallEffect wall(field);
    std::vector<int32_t> burstDraws;
    int32_t n = 0;
    while (!wall.IsDone() && n < 1000)
    {
        ++n;
        const size_t before = field->calls.size();
        wall.Draw(nullptr);
        if (field->calls.size() > before && field->calls[before].rfind("burst", 0) == 0)
        {
            burstDraws.push_back(n);
        }
    }
    EXPECT_EQ(n, 151);
    EXPECT_EQ(burstDraws, (std::vector<int32_t>{1, 151}));
    EXPECT_EQ(field->calls, (std::vector<std::string>{"burst 2,0", "burst 2,15", "clearbelow", "endshot"}));
}

TEST_F(AnimationTest, BannerShrinksForTwentyThreeDrawsAndOpensTheRecordsAtMinusOneHundred)
{
    auto banner = MakeStrip(1, 10, 10);
    IMAGE_YOUWIN = banner.get();
    SOUND_STAGECLEAR = 7;
    host.state.mode = Game::ModeArcade;
    host.state.score = 500;
    host.state.highScoreRank = 3;
    GameOverEffect won(host, field, true);
    EXPECT_EQ(won.GetImage(), banner.get());
    Screen screen;
    int32_t shrinking = 0;
    float previous = won.GetScale();
    for (int32_t n = 1; n <= 199; ++n)
    {
        won.Draw(screen.g.get());
        if (won.GetScale() < previous)
        {
            ++shrinking;
        }
        previous = won.GetScale();
        if (n == 99)
        {
            EXPECT_EQ(screen.At(250, 250), 0u);
            EXPECT_TRUE(host.sounds.empty());
        }
    }
    EXPECT_EQ(shrinking, 23);
    EXPECT_EQ(won.GetScale(), 1.0f);
    EXPECT_EQ(host.sounds, std::vector<int32_t>{7});
    EXPECT_TRUE(field->calls.empty());
    won.Draw(screen.g.get());
    EXPECT_EQ(field->calls, std::vector<std::string>{"highscores 3 end"});
    EXPECT_EQ(screen.At(250, 250), 0xFF000001u);
    for (int32_t n = 0; n < 2000; ++n)
    {
        won.Draw(screen.g.get());
    }
    EXPECT_FALSE(won.IsDone());
    EXPECT_EQ(won.GetAngle(), 0.0f);

    // Lost in the quest: no rank; lost with no score: none either.
    for (auto [mode, score] : {std::pair{Game::ModeQuest, 500}, std::pair{Game::ModeArcade, 0}})
    {
        field->calls.clear();
        host.state.mode = mode;
        host.state.score = score;
        GameOverEffect lost(host, field, false);
        for (int32_t n = 0; n < 120; ++n)
        {
            lost.Draw(nullptr);
        }
        EXPECT_EQ(field->calls, std::vector<std::string>{"highscores -1 end"});
    }
}

TEST_F(AnimationTest, LastStageEndingAppliesInTheQuestOnly)
{
    SOUND_STAGECLEAR = 7;
    SOUND_ALLCLEAR = 8;
    // Arcade after a quest: stageId still holds the quest's last stage.
    host.state.mode = Game::ModeArcade;
    host.state.stageId = Game::QuestBaseAir + 15;
    GameOverEffect arcade(host, field, true);
    for (int32_t n = 0; n < 1000; ++n)
    {
        arcade.Draw(nullptr);
    }
    EXPECT_FALSE(arcade.IsDone());
    EXPECT_EQ(host.sounds, std::vector<int32_t>{7});

    host.sounds.clear();
    field->calls.clear();
    host.state.mode = Game::ModeQuest;
    GameOverEffect quest(host, field, true);
    // The swing runs out before the records would open.
    EXPECT_EQ(DrawsUntilDone(quest, nullptr), 197);
    EXPECT_EQ(host.sounds, std::vector<int32_t>{8});
    EXPECT_EQ(field->calls, std::vector<std::string>{"congratulation"});
}

TEST_F(AnimationTest, PushDownSnapsOnlySpritesStillInTheirCells)
{
    auto kept = field->Put(5, 1, KIND_RED);
    auto dropped = field->Put(5, 2, KIND_BLUE);
    kept->SetPosition({50.0f, 170.0f});
    dropped->SetPosition({90.0f, 170.0f});
    PushDownEffect push(field);
    push.AddSprite(kept);
    push.AddSprite(dropped);
    push.Draw(nullptr);
    EXPECT_EQ(kept->GetPosition().y, 170.0f);
    push.Start();
    for (int32_t n = 1; n <= 69; ++n)
    {
        push.Draw(nullptr);
        if (n == 35)
        {
            // The chain was cut loose during the slide.
            field->cells.erase({5, 2});
        }
    }
    EXPECT_TRUE(push.IsActive());
    EXPECT_TRUE(field->calls.empty());

    // The end of the shot starts the next push-down on the same effect.
    auto next = field->Put(6, 0, KIND_GREEN);
    bool restarted = false;
    field->onEndShot = [&]
    {
        if (restarted)
        {
            return;
        }
        restarted = true;
        push.AddSprite(next);
        push.Start();
    };
    push.Draw(nullptr);
    EXPECT_EQ(field->calls, (std::vector<std::string>{"set 5,1", "endshot"}));
    EXPECT_EQ(kept->GetPosition().y, 200.0f);
    EXPECT_FALSE(field->GetCell(5, 2));
    EXPECT_TRUE(push.IsActive());
    EXPECT_EQ(push.SpriteCount(), 1u);
    EXPECT_FALSE(push.IsDone());
}

TEST_F(AnimationTest, SnowmanPartReportsDoneOnceOffTheScreen)
{
    auto head = MakeStrip(1, 20, 20);
    auto body = MakeStrip(1, 30, 30);
    IMAGE_SNOWMAN_HEAD = head.get();
    IMAGE_SNOWMAN_BODY_DIS = body.get();
    SnowManHeadEffect flying(100, 100, {5.0f, 0.0f}, true);
    Screen screen;
    flying.Draw(screen.g.get());
    EXPECT_EQ(screen.At(105, 100), 0xFF000001u);
    // Centre on the screen at x 115 + 5n, half diagonal 14.1: past 800 on draw 140.
    const int32_t end = DrawsUntilDone(flying, screen.g.get()) + 1;
    EXPECT_EQ(end, 140);

    SnowManHeadEffect falling(100, 100, {0.0f, -5.0f}, false);
    screen.Clear();
    falling.Draw(screen.g.get());
    EXPECT_EQ(screen.At(100, 95), 0xFF000001u);
    EXPECT_EQ(DrawsUntilDone(falling, nullptr) + 1, 32);
}

TEST_F(AnimationTest, AirBubblesDrawTheirRandomNumbersInOrder)
{
    Lumora::Math::SeedRandom(11);
    RuntimeRandom random(5);
    BubbleEffect bubbles(false, random);

    Lumora::Math::SeedRandom(11);
    RuntimeRandom replay(5);
    const int32_t n = replay.Next() % 3 + 3;
    const int32_t base = replay.Next() % 470 + 20;
    for (int32_t i = 0; i < 5; ++i)
    {
        const auto& b = bubbles.Bubbles()[size_t(i)];
        if (i >= n)
        {
            EXPECT_EQ(b.position.x, -1.0f);
            continue;
        }
        EXPECT_EQ(b.position.x, float(base + replay.Next() % 20));
        EXPECT_EQ(b.position.y, 535.0f);
        const float vy = Lumora::Math::RangeRandom(-0.14f, -0.18f);
        const float vx = Lumora::Math::RangeRandom(-0.05f, 0.05f);
        EXPECT_EQ(b.velocity.y, vy);
        EXPECT_EQ(b.velocity.x, vx);
        EXPECT_EQ(b.growth, Lumora::Math::RangeRandom(0.002f, 0.003f));
    }

    auto water = MakeStrip(1, 10, 10);
    IMAGE_WATERBUBBLE = water.get();
    RuntimeRandom ventRandom(9);
    BubbleEffect vent(true, ventRandom);
    Screen screen;
    const int32_t end = DrawsUntilDone(vent, screen.g.get());
    EXPECT_EQ(end, 255);
    EXPECT_FALSE(screen.g->GetColorModulation());
}

TEST_F(AnimationTest, SunkShotHandsItsDropToTheFieldAtItsLastCel)
{
    auto drop = MakeStrip(4);
    IMAGE_BLUE_DROP = drop.get();
    BubbleSinkEffect sink(field, {40.0f, 80.0f}, KIND_BLUE);
    Screen screen;
    sink.Draw(screen.g.get());
    EXPECT_EQ(screen.At(40, 77), 0xFF000001u);
    const int32_t end = DrawsUntilDone(sink, screen.g.get()) + 1;
    EXPECT_EQ(end, 20);
    EXPECT_EQ(field->calls, std::vector<std::string>{"sunk 40,80"});
    EXPECT_EQ(field->sunkImage, drop.get());
}

TEST_F(AnimationTest, EffectsOfAGoneFieldDoNothingAndReportDone)
{
    field->Put(0, 0, KIND_RED);
    std::vector<std::shared_ptr<SpriteAnimation>> effects{
        std::make_shared<FlameBurstEffect>(field, std::vector<Vector2>{{0, 0}}),
        std::make_shared<TornadoEffect>(field, std::vector<Vector2>{{0, 0}}, Vector2{}, Vector2{}, 1),
        std::make_shared<BurstWallEffect>(field),
        std::make_shared<BubbleSinkEffect>(field, Vector2{}, KIND_RED),
        std::make_shared<GameOverEffect>(host, field, true),
        std::make_shared<PushDownEffect>(field)};
    std::weak_ptr<PlayFieldServices> gone = field;
    field.reset();
    ASSERT_TRUE(gone.expired());
    auto& manager = SpriteAnimationManager::Instance();
    for (const auto& e : effects)
    {
        manager.Add(e);
    }
    Screen screen(10, 10);
    manager.DrawAll(screen.g.get());
    EXPECT_EQ(manager.Count(), 0u);
    for (const auto& e : effects)
    {
        EXPECT_TRUE(e->IsDone());
    }
    EXPECT_TRUE(host.sounds.empty());
}
