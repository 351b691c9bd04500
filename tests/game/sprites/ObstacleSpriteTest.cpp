// The obstacle sprites drawn into a memory screen with one-colour cels:
// where each piece of art lands, how the animations step and wrap, what a
// hit does, and which generator each random choice comes from.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "src/sprites/BombSprite.h"
#include "src/sprites/BurningFlameSprite.h"
#include "src/sprites/GreenEatingPlantSprite.h"
#include "src/sprites/LavaSprite.h"
#include "src/sprites/LockSprite.h"
#include "src/sprites/MushroomSprite.h"
#include "src/sprites/SnowManSprite.h"
#include "src/sprites/SpriteAnimation.h"
#include "src/sprites/TornadoSprite.h"
#include "src/sprites/WallSprite.h"
#include "src/sprites/WaterHoleSprite.h"
#include "src/sprites/WindCloudSprite.h"
#include "tests/game/sprites/SpriteTestSupport.h"

using namespace SpriteTests;

namespace
{

constexpr float X = 150.5f;
constexpr float Y = 160.25f;
constexpr int32_t IX = 150;
constexpr int32_t IY = 160;

class ObstacleSpriteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RuntimeRandom::Global().Seed(1);
        RuntimeRandom::Drawing().Seed(1);
        // Cel counts as in the game's manifest; symbols small enough to leave
        // the art under them visible.
        art.Make(IMAGE_BUBBLE_BLACK, 8, 20, 20);
        art.Make(IMAGE_BOMB, 8, 20, 20);
        art.Make(IMAGE_ICE, 8, 20, 20);
        art.Make(IMAGE_ICELIGHT, 8, 10, 10);
        art.Make(IMAGE_WALL_AIR, 8, 20, 20);
        art.Make(IMAGE_WALL_FIRE, 7, 20, 20);
        art.Make(IMAGE_WALL_EARTH, 1, 20, 20);
        art.Make(IMAGE_SNOWMAN_N, 2, 20, 20);
        art.Make(IMAGE_SNOWMAN_BODY, 1, 20, 20);
        art.Make(IMAGE_WATER, 1, 20, 20);
        art.Make(IMAGE_FLAME, 7, 20, 20);
        art.Make(IMAGE_SYMBOL_X1, 1, 6, 6);
        art.Make(IMAGE_SYMBOL_X2, 1, 6, 6);
        art.Make(IMAGE_SYMBOL_X1LV, 1, 6, 6);
        art.Make(IMAGE_SYMBOL_X2LV, 1, 6, 6);
        art.Make(IMAGE_LAVA, 8, 20, 20);
        art.Make(IMAGE_RED_MELT, 8, 20, 20);
        art.Make(IMAGE_ANIM_X1X2, 8, 6, 6);
        art.Make(IMAGE_GREEN_EAT, 11, 20, 20);
        art.Make(IMAGE_PLANT_EATING, 10, 20, 20);
        art.Make(IMAGE_ANIM_X1X2_GREEN, 8, 6, 6);
        art.Make(IMAGE_TORNADO_LEFT, 8, 20, 20);
        art.Make(IMAGE_TORNADO_RIGHT, 8, 20, 20);
        art.Make(IMAGE_TORNADO_UPPER, 8, 20, 20);
        art.Make(IMAGE_WIND_LEFT, 8, 20, 20);
        art.Make(IMAGE_WIND_RIGHT, 8, 20, 20);
        art.Make(IMAGE_WIND_UPPER, 8, 20, 20);
        art.Make(IMAGE_WIND_STOP, 8, 20, 20);
        art.Make(IMAGE_MUSHROOM, 1, 20, 20);
        art.Make(IMAGE_MUSHROOM_LEFT, 1, 20, 20);
        art.Make(IMAGE_MUSHROOM_RIGHT, 1, 20, 20);
        art.Make(IMAGE_MUSHROOM_BOUNCE, 6, 20, 20);
        art.Make(IMAGE_MUSHROOM_BOUNCE_LEFT, 6, 20, 20);
        art.Make(IMAGE_MUSHROOM_BOUNCE_RIGHT, 6, 20, 20);
        SOUND_HITSNOW = 101;
        SOUND_WALL_CLOUD = 102;
        SOUND_WALL_LAVA = 103;
        SOUND_WALL_ICE = 104;
        SOUND_WALL_TREE = 105;
    }

    // Draws the sprite once at (X, Y) on a cleared screen.
    void DrawOnce(BubbleSprite& sprite)
    {
        screen.Clear();
        sprite.SetPosition({X, Y});
        sprite.Draw(screen.G());
    }

    Point At(Framework::Image* image, int32_t celNumber) { return Where(screen, art.Colour(image, celNumber)); }
    static Point Offset(int32_t dx, int32_t dy) { return {IX + dx, IY + dy}; }

    // The cel of `image` on screen (-1 when none of its cels shows).
    int32_t CelShown(Framework::Image* image)
    {
        for (int32_t c = 0; c < image->columns; ++c)
            if (screen.Find(art.Colour(image, c)))
                return c;
        return -1;
    }

    TestArt art;
    Screen screen;
    FakePlayHost host;
};

TEST_F(ObstacleSpriteTest, EveryPieceOfArtLandsAtItsOffset)
{
    struct Case
    {
        const char* name;
        std::function<std::shared_ptr<BubbleSprite>()> make;
        Framework::Image* image;
        int32_t cel;
        Point at;
    };
    RuntimeRandom::Global().Seed(SeedGiving(8, 0));
    const std::vector<Case> cases = {
        {"lock", [] { return std::make_shared<LockSprite>(); }, IMAGE_BUBBLE_BLACK, 0, Offset(0, 0)},
        {"bomb", [] { return std::make_shared<BombSprite>(); }, IMAGE_BOMB, 0, Offset(-3, -4)},
        {"tornado left", [] { return std::make_shared<TornadoSprite>(1); }, IMAGE_TORNADO_LEFT, 0, Offset(-7, -17)},
        {"tornado right", [] { return std::make_shared<TornadoSprite>(2); }, IMAGE_TORNADO_RIGHT, 0, Offset(-7, -17)},
        {"tornado up", [] { return std::make_shared<TornadoSprite>(3); }, IMAGE_TORNADO_UPPER, 0, Offset(-7, -17)},
        {"water hole", [] { return std::make_shared<WaterHoleSprite>(); }, IMAGE_WATER, 0, Offset(-13, -8)},
        {"snowman", [this] { return std::make_shared<SnowManSprite>(host); }, IMAGE_SNOWMAN_N, 0, Offset(0, 0)},
        {"lava", [] { return std::make_shared<LavaSprite>(); }, IMAGE_LAVA, 0, Offset(-4, 0)},
        {"lava symbol", [] { return std::make_shared<LavaSprite>(); }, IMAGE_SYMBOL_X2, 0, Offset(-4, 0)},
        {"flame symbol", [] { return std::make_shared<BurningFlameSprite>(); }, IMAGE_SYMBOL_X1, 0, Offset(-3, -1)},
        {"plant", [] { return std::make_shared<GreenEatingPlantSprite>(); }, IMAGE_GREEN_EAT, 0, Offset(-12, -13)},
        {"plant symbol", [] { return std::make_shared<GreenEatingPlantSprite>(); }, IMAGE_SYMBOL_X2LV, 0,
         Offset(-4, 3)},
        {"mushroom left", [] { return std::make_shared<MushroomSprite>(1); }, IMAGE_MUSHROOM_LEFT, 0, Offset(-9, -6)},
        {"mushroom right", [] { return std::make_shared<MushroomSprite>(2); }, IMAGE_MUSHROOM_RIGHT, 0, Offset(-9, -6)},
        {"mushroom", [] { return std::make_shared<MushroomSprite>(3); }, IMAGE_MUSHROOM, 0, Offset(-9, -6)},
        {"cloud resting", [this] { return std::make_shared<WindCloudSprite>(host, 1); }, IMAGE_WIND_STOP, 0,
         Offset(-58, -66)},
        {"wall air", [this] { return std::make_shared<WallSprite>(host, 0); }, IMAGE_WALL_AIR, 0, Offset(-3, 3)},
        {"wall fire", [this] { return std::make_shared<WallSprite>(host, 1); }, IMAGE_WALL_FIRE, 0, Offset(0, 0)},
        {"wall water", [this] { return std::make_shared<WallSprite>(host, 2); }, IMAGE_ICE, 0, Offset(0, 0)},
        {"wall earth", [this] { return std::make_shared<WallSprite>(host, 3); }, IMAGE_WALL_EARTH, 0, Offset(-5, 2)},
    };
    for (const Case& c : cases)
    {
        RuntimeRandom::Global().Seed(SeedGiving(8, 0));
        auto sprite = c.make();
        DrawOnce(*sprite);
        EXPECT_EQ(At(c.image, c.cel), c.at) << c.name;
    }

    // The flame's cel comes from the runtime generator, modulo 6.
    const uint32_t seed = SeedGiving(6, 4);
    RuntimeRandom::Global().Seed(seed);
    BurningFlameSprite flame;
    DrawOnce(flame);
    EXPECT_EQ(At(IMAGE_FLAME, 4), Offset(-1, -3));
    EXPECT_EQ(flame.GetImage(), nullptr);

    // A mushroom bounce and a blowing cloud use the same offsets.
    MushroomSprite mushroom(2);
    mushroom.StartBounce();
    DrawOnce(mushroom);
    EXPECT_EQ(At(IMAGE_MUSHROOM_BOUNCE_RIGHT, 0), Offset(-9, -6));
    EXPECT_EQ(At(IMAGE_MUSHROOM_RIGHT, 0), (Point{-9999, -9999}));

    // Directions the field never builds have no art and draw nothing.
    for (std::shared_ptr<BubbleSprite> odd : {std::shared_ptr<BubbleSprite>(std::make_shared<TornadoSprite>(0)),
                                              std::shared_ptr<BubbleSprite>(std::make_shared<MushroomSprite>(7))})
    {
        DrawOnce(*odd);
        EXPECT_TRUE(screen.Blank());
    }
}

TEST_F(ObstacleSpriteTest, SetKindIsIgnoredByABombButActsOnAWall)
{
    BombSprite bomb;
    bomb.SetKind(KIND_RED);
    EXPECT_EQ(bomb.GetKind(), KIND_BOMB);
    EXPECT_EQ(bomb.GetImage(), IMAGE_BOMB);

    art.Make(IMAGE_BUBBLE_RED, 1, 31, 31);
    WallSprite wall(host, 0);
    wall.SetKind(KIND_RED);
    EXPECT_EQ(wall.GetKind(), KIND_RED);
    EXPECT_EQ(wall.GetImage(), IMAGE_BUBBLE_RED);
    wall.SetKind(KIND_SNOWMAN);
    EXPECT_EQ(wall.GetKind(), KIND_NONE);
    EXPECT_EQ(wall.GetImage(), nullptr);
}

TEST_F(ObstacleSpriteTest, HitsPlayTheirSoundsThroughTheHost)
{
    for (int32_t element = 0; element <= 4; ++element)
    {
        WallSprite wall(host, element);
        wall.OnHit(KIND_BLUE);
        EXPECT_EQ(wall.GetHitPoints(), 1);
    }
    EXPECT_EQ(host.sounds, (std::vector<int32_t>{102, 103, 104, 105}));

    host.sounds.clear();
    SnowManSprite snowman(host);
    snowman.OnHit(KIND_YELLOW);
    EXPECT_EQ(snowman.GetHitPoints(), 1);
    snowman.OnHit(KIND_RED);
    EXPECT_EQ(snowman.GetHitPoints(), 0);
    EXPECT_EQ(host.sounds, (std::vector<int32_t>{101, 101}));

    WaterHoleSprite hole;
    EXPECT_FALSE(hole.IsHoleHit());
    hole.OnHit(KIND_AQUA);
    EXPECT_TRUE(hole.IsHoleHit());
}

TEST_F(ObstacleSpriteTest, SnowmanShowsItsBodyAfterOneHitAndNothingAfterTwo)
{
    SnowManSprite snowman(host);
    snowman.OnHit(KIND_RED);
    snowman.SetOffset({2.0f, -5.0f});
    DrawOnce(snowman);
    EXPECT_EQ(At(IMAGE_SNOWMAN_BODY, 0), Offset(2, -5));
    EXPECT_EQ(CelShown(IMAGE_SNOWMAN_N), -1);

    snowman.OnHit(KIND_RED);
    DrawOnce(snowman);
    EXPECT_TRUE(screen.Blank());
    EXPECT_EQ(snowman.GetImage(), nullptr);
}

TEST_F(ObstacleSpriteTest, SnowmanBlinksForThirtyOneFramesWhenTheDrawingGeneratorSaysSo)
{
    RuntimeRandom::Drawing().Seed(SeedGiving(300, 0));
    SnowManSprite snowman(host);
    std::vector<int32_t> cels;
    for (int32_t i = 0; i < 40; ++i)
    {
        DrawOnce(snowman);
        cels.push_back(CelShown(IMAGE_SNOWMAN_N));
    }
    int32_t ones = 0;
    for (int32_t i = 0; i < 40 && cels[size_t(i)] == 1; ++i)
        ++ones;
    EXPECT_EQ(ones, 31);
    EXPECT_EQ(cels[31], 0);
}

TEST_F(ObstacleSpriteTest, LavaMeltsOnceOnTheFirstRedHitOnly)
{
    LavaSprite lava;
    lava.OnHit(KIND_BLUE);
    EXPECT_EQ(lava.GetHitPoints(), 2);
    EXPECT_FALSE(lava.IsMelting());
    DrawOnce(lava);
    EXPECT_EQ(At(IMAGE_SYMBOL_X2, 0), Offset(-4, 0));

    lava.OnHit(KIND_RED);
    EXPECT_EQ(lava.GetHitPoints(), 1);
    EXPECT_TRUE(lava.IsMelting());
    // The melt: 8 cels at 0.2 per frame (forty steps of 0.2f stay below 8,
    // so 41 frames), with the turning symbol over it and without the lava.
    int32_t meltFrames = 0;
    while (lava.IsMelting())
    {
        DrawOnce(lava);
        ++meltFrames;
        EXPECT_EQ(CelShown(IMAGE_LAVA), -1);
        EXPECT_EQ(At(IMAGE_RED_MELT, CelShown(IMAGE_RED_MELT)), Offset(-4, 0));
        EXPECT_EQ(At(IMAGE_ANIM_X1X2, CelShown(IMAGE_ANIM_X1X2)), Offset(-4, 0));
        ASSERT_LT(meltFrames, 100);
    }
    EXPECT_EQ(meltFrames, 41);
    EXPECT_EQ(CelShown(IMAGE_RED_MELT), 7);
    EXPECT_EQ(CelShown(IMAGE_ANIM_X1X2), 3);

    DrawOnce(lava);
    EXPECT_EQ(At(IMAGE_LAVA, CelShown(IMAGE_LAVA)), Offset(-4, 0));
    EXPECT_EQ(At(IMAGE_SYMBOL_X1, 0), Offset(-4, 0));
    EXPECT_EQ(CelShown(IMAGE_RED_MELT), -1);

    lava.OnHit(KIND_RED);
    EXPECT_EQ(lava.GetHitPoints(), 0);
    EXPECT_FALSE(lava.IsMelting());
    DrawOnce(lava);
    EXPECT_FALSE(screen.Find(art.Colour(IMAGE_SYMBOL_X1, 0)).has_value());
    EXPECT_FALSE(screen.Find(art.Colour(IMAGE_SYMBOL_X2, 0)).has_value());
}

TEST_F(ObstacleSpriteTest, PlantEatsOnceOnTheFirstGreenHitAndHoldsItsLastCel)
{
    GreenEatingPlantSprite plant;
    plant.OnHit(KIND_RED);
    EXPECT_EQ(plant.GetHitPoints(), 2);
    EXPECT_FALSE(plant.IsEating());

    plant.OnHit(KIND_GREEN);
    EXPECT_EQ(plant.GetHitPoints(), 1);
    ASSERT_TRUE(plant.IsEating());
    int32_t frames = 0;
    while (plant.IsEating())
    {
        DrawOnce(plant);
        ++frames;
        EXPECT_EQ(At(IMAGE_PLANT_EATING, CelShown(IMAGE_PLANT_EATING)), Offset(-12, -13));
        EXPECT_EQ(At(IMAGE_ANIM_X1X2_GREEN, CelShown(IMAGE_ANIM_X1X2_GREEN)), Offset(-4, 3));
        EXPECT_EQ(CelShown(IMAGE_GREEN_EAT), -1);
        ASSERT_LT(frames, 200);
    }
    EXPECT_EQ(frames, 100);
    EXPECT_EQ(CelShown(IMAGE_ANIM_X1X2_GREEN), 7);

    DrawOnce(plant);
    EXPECT_EQ(At(IMAGE_GREEN_EAT, 0), Offset(-12, -13));
    EXPECT_EQ(At(IMAGE_SYMBOL_X1LV, 0), Offset(-4, 3));
    EXPECT_EQ(CelShown(IMAGE_PLANT_EATING), -1);

    plant.OnHit(KIND_GREEN);
    EXPECT_EQ(plant.GetHitPoints(), 0);
    EXPECT_FALSE(plant.IsEating());
}

TEST_F(ObstacleSpriteTest, FlourishScheduleMeetsEvenMomentsOnlyAndDrawsANewOneAfterFourHundred)
{
    const auto firstFlourish = [](int32_t moment)
    {
        RuntimeRandom random(SeedGiving(300, moment));
        FlourishSchedule schedule;
        for (int32_t draw = 1; draw <= 600; ++draw)
        {
            schedule.Step(random);
            if (schedule.flourishing)
                return draw;
        }
        return 0;
    };
    EXPECT_EQ(firstFlourish(8), 5);
    EXPECT_EQ(firstFlourish(0), 1);
    EXPECT_EQ(firstFlourish(298), 150);

    // An odd moment is stepped over; after the counter passes 400 the
    // schedule draws again, on the 202nd step.
    RuntimeRandom random(SeedGiving(300, 7));
    RuntimeRandom shadow = random;
    shadow.Next();
    FlourishSchedule schedule;
    for (int32_t draw = 1; draw <= 201; ++draw)
    {
        schedule.Step(random);
        ASSERT_FALSE(schedule.flourishing) << draw;
    }
    EXPECT_FALSE(schedule.scheduled);
    EXPECT_EQ(schedule.counter, 0);
    schedule.Step(random);
    EXPECT_TRUE(schedule.scheduled);
    EXPECT_EQ(schedule.at, shadow.Next() % 300);

    // After a flourish at 8 the counter runs on odd values and passes 400 at
    // 401, on the 202nd step.
    RuntimeRandom eight(SeedGiving(300, 8));
    FlourishSchedule after;
    for (int32_t draw = 1; draw <= 201; ++draw)
        after.Step(eight);
    EXPECT_TRUE(after.scheduled);
    after.Step(eight);
    EXPECT_FALSE(after.scheduled);
}

TEST_F(ObstacleSpriteTest, FireWallFlourishesThroughTableAFromTheDrawingGenerator)
{
    RuntimeRandom::Drawing().Seed(SeedGiving(300, 8));
    WallSprite wall(host, WallSprite::ElementFire);
    std::vector<int32_t> cels;
    for (int32_t draw = 1; draw <= 200; ++draw)
    {
        DrawOnce(wall);
        cels.push_back(CelShown(IMAGE_WALL_FIRE));
    }
    // Flourishing from draw 5: 0.07 per draw through 0 1 2 3 4 5 6 5 4 3 2 1.
    EXPECT_EQ(cels[18], 0);
    EXPECT_EQ(cels[19], 1);      // draw 20: frame 1.05
    EXPECT_EQ(cels[4 + 86], 6);  // frame 6.02
    EXPECT_EQ(cels[4 + 101], 5); // frame 7.07
    int32_t highest = 0;
    for (int32_t c : cels)
        highest = std::max(highest, c);
    EXPECT_EQ(highest, 6);
    EXPECT_EQ(cels.back(), 0);
}

TEST_F(ObstacleSpriteTest, WaterWallLightsUpOnceThroughItsCels)
{
    RuntimeRandom::Drawing().Seed(SeedGiving(300, 0));
    WallSprite wall(host, WallSprite::ElementWater);
    DrawOnce(wall);
    EXPECT_EQ(At(IMAGE_ICE, 0), Offset(0, 0));
    EXPECT_EQ(At(IMAGE_ICELIGHT, 0), Offset(0, 0));
    int32_t lit = 1;
    for (;;)
    {
        DrawOnce(wall);
        if (CelShown(IMAGE_ICELIGHT) < 0)
            break;
        EXPECT_EQ(CelShown(IMAGE_ICELIGHT), CelShown(IMAGE_ICE));
        ++lit;
        ASSERT_LT(lit, 200);
    }
    EXPECT_EQ(lit, 81); // eighty steps of 0.1f stay below 8
    EXPECT_EQ(CelShown(IMAGE_ICE), 0);
}

TEST_F(ObstacleSpriteTest, QuestBarrierWallsInRowTwoStandStill)
{
    host.state.mode = Game::ModeQuest;
    RuntimeRandom::Global().Seed(SeedGiving(8, 5));
    WallSprite air(host, WallSprite::ElementAir);
    air.SetRow(2);
    for (int32_t i = 0; i < 30; ++i)
    {
        DrawOnce(air);
        ASSERT_EQ(At(IMAGE_WALL_AIR, 0), Offset(-3, 3));
    }
    WallSprite earth(host, WallSprite::ElementEarth);
    earth.SetRow(2);
    DrawOnce(earth);
    EXPECT_EQ(At(IMAGE_WALL_EARTH, 0), Offset(-5, 2));
    WallSprite odd(host, 9);
    odd.SetRow(2);
    DrawOnce(odd);
    EXPECT_TRUE(screen.Blank());
    EXPECT_EQ(odd.GetImage(), IMAGE_ICE);

    // Elsewhere, and outside the quest, the air wall turns from its random cel.
    air.SetRow(3);
    DrawOnce(air);
    EXPECT_EQ(At(IMAGE_WALL_AIR, 5), Offset(-3, 3));
    host.state.mode = Game::ModeArcade;
    air.SetRow(2);
    for (int32_t i = 0; i < 15; ++i)
        DrawOnce(air);
    EXPECT_EQ(CelShown(IMAGE_WALL_AIR), 6);
}

TEST_F(ObstacleSpriteTest, LockTurnsThroughItsCelsInCyclesOfOneHundredAndOneDraws)
{
    RuntimeRandom::Global().Seed(SeedGiving(8, 0));
    LockSprite lock;
    std::vector<int32_t> cels;
    for (int32_t i = 0; i < 250; ++i)
    {
        DrawOnce(lock);
        cels.push_back(CelShown(IMAGE_BUBBLE_BLACK));
    }
    EXPECT_EQ(cels[0], 0);
    EXPECT_EQ(cels[100], 7);
    EXPECT_EQ(cels[101], 0);
    EXPECT_EQ(cels[201], 7);
    EXPECT_EQ(cels[202], 0);
}

TEST_F(ObstacleSpriteTest, BombTornadoAndMushroomAnimationsWrap)
{
    BombSprite bomb;
    TornadoSprite tornado(1);
    for (int32_t i = 0; i < 81; ++i)
        bomb.Draw(screen.G()), tornado.Draw(screen.G());
    DrawOnce(bomb);
    EXPECT_EQ(CelShown(IMAGE_BOMB), 0);
    DrawOnce(tornado);
    EXPECT_EQ(CelShown(IMAGE_TORNADO_LEFT), 0);

    MushroomSprite mushroom(3);
    mushroom.StartBounce();
    int32_t frames = 0;
    while (mushroom.IsBouncing())
    {
        DrawOnce(mushroom);
        ++frames;
        ASSERT_LT(frames, 100);
    }
    EXPECT_EQ(frames, 20);
    EXPECT_EQ(CelShown(IMAGE_MUSHROOM_BOUNCE), 5);
    DrawOnce(mushroom);
    EXPECT_EQ(At(IMAGE_MUSHROOM, 0), Offset(-9, -6));
}

TEST_F(ObstacleSpriteTest, WithoutArtNothingDividesByZeroAndTheRandomNumbersAreStillDrawn)
{
    ResetResourceVariables();
    RuntimeRandom::Global().Seed(77);
    RuntimeRandom expected(77);
    LockSprite lock;
    WallSprite airWall(host, WallSprite::ElementAir);
    WallSprite fireWall(host, WallSprite::ElementFire);
    BurningFlameSprite flame;
    expected.Next();
    expected.Next();
    expected.Next();
    EXPECT_EQ(RuntimeRandom::Global().Next(), expected.Next());

    std::vector<std::shared_ptr<BubbleSprite>> all = {std::make_shared<LockSprite>(),
                                                      std::make_shared<WallSprite>(host, 0),
                                                      std::make_shared<WallSprite>(host, 1),
                                                      std::make_shared<WallSprite>(host, 2),
                                                      std::make_shared<WallSprite>(host, 3),
                                                      std::make_shared<BombSprite>(),
                                                      std::make_shared<SnowManSprite>(host),
                                                      std::make_shared<WaterHoleSprite>(),
                                                      std::make_shared<BurningFlameSprite>(),
                                                      std::make_shared<LavaSprite>(),
                                                      std::make_shared<TornadoSprite>(2),
                                                      std::make_shared<WindCloudSprite>(host, 1),
                                                      std::make_shared<GreenEatingPlantSprite>(),
                                                      std::make_shared<MushroomSprite>(3)};
    all[9]->OnHit(KIND_RED);
    all[12]->OnHit(KIND_GREEN);
    static_cast<MushroomSprite&>(*all[13]).StartBounce();
    for (int32_t i = 0; i < 700; ++i)
        for (auto& sprite : all)
            sprite->Draw(screen.G());
    EXPECT_TRUE(screen.Blank());
}

TEST_F(ObstacleSpriteTest, DrawingNeverDrawsFromTheGameGenerator)
{
    RuntimeRandom::Global().Seed(5);
    RuntimeRandom::Drawing().Seed(5);
    SnowManSprite snowman(host);
    WallSprite fire(host, WallSprite::ElementFire);
    WallSprite water(host, WallSprite::ElementWater);
    GreenEatingPlantSprite plant;
    for (int32_t i = 0; i < 1000; ++i)
    {
        snowman.Draw(screen.G());
        fire.Draw(screen.G());
        water.Draw(screen.G());
        plant.Draw(screen.G());
    }
    RuntimeRandom untouched(5);
    EXPECT_EQ(RuntimeRandom::Global().Next(), untouched.Next());
    RuntimeRandom drawing(5);
    EXPECT_NE(RuntimeRandom::Drawing().Next(), drawing.Next());
}

} // namespace
