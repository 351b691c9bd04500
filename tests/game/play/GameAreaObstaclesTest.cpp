// The obstacles' rules and the wind, played on constructed grids.
#include "src/effects/CellBurstEffects.h"
#include "src/effects/FieldEffects.h"
#include "src/sprites/BombSprite.h"
#include "src/sprites/BurningFlameSprite.h"
#include "src/sprites/GreenEatingPlantSprite.h"
#include "src/sprites/LavaSprite.h"
#include "src/sprites/MushroomSprite.h"
#include "src/sprites/SnowManSprite.h"
#include "src/sprites/TornadoSprite.h"
#include "src/sprites/WallSprite.h"
#include "src/sprites/WaterHoleSprite.h"
#include "src/sprites/WindCloudSprite.h"
#include "tests/game/play/RulesTestSupport.h"

using namespace FieldTests;
using Lumora::Vector2;

namespace
{

using ObstacleTest = RulesTest;
using WindTest = RulesTest;

const Vector2 Up(0.0f, -700.0f);

// The shot's top-left corner 30 pixels straight below the cell's centre.
Vector2 Below(int32_t row, int32_t column)
{
    return BubbleGrid::CellToPixel(row, column) + Vector2(0.0f, 30.0f);
}

template <typename Effect> std::shared_ptr<Effect> LastOf()
{
    const auto& list = SpriteAnimationManager::Instance().Animations();
    for (auto it = list.rbegin(); it != list.rend(); ++it)
    {
        if (auto effect = std::dynamic_pointer_cast<Effect>(*it))
        {
            return effect;
        }
    }
    return nullptr;
}

} // namespace

TEST_F(ObstacleTest, ABombClearsItsDiamondButAQuestBarrierRowWithstandsIt)
{
    GameAreaWidget& f = Make(Game::ModeQuest);
    PutRow(0, KIND_LOCK);
    PutRow(1, KIND_LOCK);
    for (int32_t column = 0; column < GRID_COLUMNS; ++column)
    {
        f.SetCell(2, column, std::make_shared<WallSprite>(host, WallSprite::ElementEarth), true);
    }
    for (int32_t row = 3; row <= 6; ++row)
    {
        PutRow(row, KIND_BLUE);
    }
    Put<BombSprite>(3, 5);
    EXPECT_TRUE(f.HitBomb(3, 5));
    for (auto [row, column] : {std::pair{1, 5}, {3, 3}, {3, 4}, {3, 5}, {3, 6}, {3, 7}, {4, 4}, {4, 5}, {4, 6}, {5, 5}})
    {
        EXPECT_FALSE(f.GetCell(row, column)) << row << "," << column;
    }
    for (int32_t column = 0; column < GRID_COLUMNS; ++column)
    {
        EXPECT_EQ(KindAt(f, 2, column), KIND_WALL);
    }
    // Array positions, not hexagonal rings: (4, 3) lies beside the cleared
    // (4, 4) but three steps from the bomb.
    EXPECT_EQ(KindAt(f, 4, 3), KIND_BLUE);
    EXPECT_EQ(host.state.score, 100 + 10 * 10);
    EXPECT_EQ(CountSound(SOUND_BOMB), 1);
    EXPECT_TRUE(LastOf<SpriteAnimation>());
}

TEST_F(ObstacleTest, ABombThatTakesTheLastColourEndsTheStageOnce)
{
    GameAreaWidget& f = Make();
    Put(0, 0, KIND_LOCK);
    Put(0, 5, KIND_BLUE);
    Put<BombSprite>(0, 6);
    Shot()->SetKind(KIND_GREEN);
    EXPECT_TRUE(StepAt(Below(0, 6), Up));
    EXPECT_FALSE(f.GetCell(0, 5));
    EXPECT_EQ(KindAt(f, 0, 0), KIND_LOCK);
    EXPECT_EQ(host.stageEnds, std::vector<bool>{true});
}

TEST_F(ObstacleTest, ARedShotIntoALoneFlameTakesItAndTheShotAtOnce)
{
    GameAreaWidget& f = Make();
    PutRow(0, KIND_BLUE);
    Put<BurningFlameSprite>(1, 5);
    const auto fired = Shot();
    EXPECT_TRUE(StepAt(Below(1, 5), Up));
    EXPECT_FALSE(f.GetCell(1, 5));
    EXPECT_EQ(fired->GetRow(), -1);
    EXPECT_NE(Shot(), fired);
    EXPECT_EQ(host.state.score, 100);
    EXPECT_EQ(CountSound(SOUND_FIRE), 1);
    EXPECT_FALSE(f.shotInFlight);

    // Another colour lands on it like on a bubble.
    Put<BurningFlameSprite>(1, 5);
    Shot()->SetKind(KIND_BLUE);
    EXPECT_TRUE(StepAt(Below(1, 5), Up));
    EXPECT_EQ(KindAt(f, 1, 5), KIND_BURNING_FLAME);
    EXPECT_EQ(CountSound(SOUND_FIRE), 1);
}

TEST_F(ObstacleTest, TwoFlamesBurnAlongTheColumnFirstThenTheRow)
{
    GameAreaWidget& f = Make();
    PutRow(0, KIND_BLUE);
    for (int32_t row = 1; row <= 8; ++row)
    {
        for (int32_t column = 2; column <= 6; ++column)
        {
            Put(row, column, KIND_GREEN);
        }
    }
    Put<BurningFlameSprite>(8, 3);
    Put<BurningFlameSprite>(5, 5);
    EXPECT_TRUE(f.HitFlame(8, 3));
    EXPECT_TRUE(f.shotInFlight);
    const auto burst = LastOf<FlameBurstEffect>();
    ASSERT_TRUE(burst);
    std::vector<std::pair<int32_t, int32_t>> path;
    for (const CellEntry& cell : burst->Cells())
    {
        path.emplace_back(cell.row, cell.column);
    }
    EXPECT_EQ(path, (std::vector<std::pair<int32_t, int32_t>>{{8, 3}, {7, 3}, {6, 3}, {5, 3}, {5, 4}, {5, 5}}));
    Settle();
    EXPECT_FALSE(f.shotInFlight);
    for (const auto& [row, column] : path)
    {
        EXPECT_FALSE(f.GetCell(row, column)) << row << "," << column;
    }
    EXPECT_GE(host.state.score, 100 + 6 * 10);
}

TEST_F(ObstacleTest, ATornadoSweepsToTheFirstLockAndSparesItAndWhatLiesBeyond)
{
    GameAreaWidget& f = Make();
    Put(0, 0, KIND_BLUE);
    Put(0, 1, KIND_BLUE);
    Put(0, 2, KIND_LOCK);
    Put(0, 3, KIND_BLUE);
    Put(0, 4, KIND_GREEN);
    Put<TornadoSprite>(0, 5, TornadoSprite::Left);
    Put(0, 9, KIND_YELLOW);
    EXPECT_TRUE(StepAt(Below(0, 5), Up));
    const auto sweep = LastOf<TornadoEffect>();
    ASSERT_TRUE(sweep);
    EXPECT_EQ(sweep->Cells().size(), size_t(3));
    EXPECT_EQ(sweep->Cells().back().column, 3);
    Settle();
    EXPECT_FALSE(f.shotInFlight);
    EXPECT_FALSE(f.GetCell(0, 5));
    EXPECT_FALSE(f.GetCell(0, 4));
    EXPECT_FALSE(f.GetCell(0, 3));
    EXPECT_EQ(KindAt(f, 0, 2), KIND_LOCK);
    EXPECT_EQ(KindAt(f, 0, 1), KIND_BLUE);
    EXPECT_EQ(host.state.score, 100 + 3 * 10);
    EXPECT_EQ(CountSound(SOUND_TORNADO), 1);
}

TEST_F(ObstacleTest, LavaTakesTwoRedShotsAndOtherColoursLandOnIt)
{
    GameAreaWidget& f = Make();
    PutRow(0, KIND_YELLOW);
    const auto lava = Put<LavaSprite>(0, 5);
    Shot()->SetKind(KIND_BLUE);
    EXPECT_TRUE(StepAt(Below(0, 5), Up));
    EXPECT_EQ(lava->GetHitPoints(), 2);
    EXPECT_EQ(CountSound(SOUND_LAVA), 0);

    Shot()->SetKind(KIND_RED);
    const auto first = Shot();
    EXPECT_TRUE(StepAt(Below(0, 5), Up));
    EXPECT_EQ(lava->GetHitPoints(), 1);
    EXPECT_EQ(f.GetCell(0, 5), lava);
    EXPECT_EQ(first->GetRow(), -1) << "the shot is used up";

    // A push-down asked meanwhile comes after the second red shot.
    f.pushDownPending = true;
    Shot()->SetKind(KIND_RED);
    const int32_t before = host.state.score;
    EXPECT_TRUE(StepAt(Below(0, 5), Up));
    // Pushed down after the lava went: row 0 is a new row.
    EXPECT_NE(f.GetCell(0, 5), lava);
    EXPECT_FALSE(f.GetCell(1, 5));
    EXPECT_EQ(host.state.score - before, 100);
    EXPECT_EQ(CountSound(SOUND_LAVA), 2);
    EXPECT_EQ(host.pushDownTraces, 1);
}

TEST_F(ObstacleTest, APlantEatsOneGreenShotAndDiesOfTheSecond)
{
    GameAreaWidget& f = Make();
    Put(0, 0, KIND_BLUE);
    const auto plant = Put<GreenEatingPlantSprite>(0, 5);
    Shot()->SetKind(KIND_GREEN);
    EXPECT_TRUE(StepAt(Below(0, 5), Up));
    EXPECT_EQ(CountSound(SOUND_EATBALL), 1);
    EXPECT_EQ(f.GetCell(0, 5), plant);
    Shot()->SetKind(KIND_GREEN);
    EXPECT_TRUE(StepAt(Below(0, 5), Up));
    EXPECT_EQ(CountSound(SOUND_PLANTDEATH), 1);
    EXPECT_FALSE(f.GetCell(0, 5));
    EXPECT_EQ(host.state.score, 100);
}

TEST_F(ObstacleTest, ASnowmanLosesItsHeadThenItsBodyAndTheShotTakesItsCell)
{
    GameAreaWidget& f = Make();
    PutRow(0, KIND_BLUE);
    const auto snowman = Put<SnowManSprite>(1, 5, host);
    Shot()->SetKind(KIND_GREEN);
    const size_t before = SpriteAnimationManager::Instance().Count();
    EXPECT_TRUE(StepAt(Below(1, 5), Up));
    EXPECT_EQ(snowman->GetHitPoints(), 1);
    EXPECT_EQ(CountSound(SOUND_HITSNOW), 1);
    EXPECT_EQ(SpriteAnimationManager::Instance().Count(), before + 2);
    EXPECT_TRUE(LastOf<SnowManHeadEffect>());
    EXPECT_EQ(f.GetCell(1, 5), snowman);

    const auto second = Shot();
    second->SetKind(KIND_YELLOW);
    host.state.shotsUntilPushDown = 6;
    EXPECT_TRUE(StepAt(Below(1, 5), Up));
    EXPECT_EQ(f.GetCell(1, 5), second);
    EXPECT_EQ(host.state.shotsUntilPushDown, 6) << "no match test";
    EXPECT_EQ(CountSound(SOUND_HITSNOW), 2);
}

TEST_F(ObstacleTest, AWaterHoleSwallowsTheShotAsAMissAndIsUsedUp)
{
    GameAreaWidget& f = Make(Game::ModeArcade, Game::WorldWater);
    Put(0, 0, KIND_BLUE);
    Put<WaterHoleSprite>(0, 5);
    host.state.shotsUntilPushDown = 6;
    EXPECT_TRUE(StepAt(Below(0, 5), Up));
    EXPECT_EQ(CountSound(SOUND_ICE_HOLE), 1);
    EXPECT_EQ(CountSound(SOUND_BALL_HIT), 1);
    EXPECT_EQ(host.state.shotsUntilPushDown, 5);
    ASSERT_TRUE(LastOf<BubbleSinkEffect>());
    DrawAnimations(40);
    EXPECT_FALSE(f.GetCell(0, 5));
    ASSERT_EQ(f.sunkDrops.size(), size_t(1));
    EXPECT_EQ(f.sunkDrops[0].position, BubbleGrid::CellToPixel(0, 5));
}

TEST_F(ObstacleTest, MushroomsThrowTheShotOnOrLetItLand)
{
    GameAreaWidget& f = Make();
    Put(0, 0, KIND_BLUE);
    f.SetCell(5, 4, std::make_shared<WallSprite>(host, WallSprite::ElementEarth), true);
    const auto straight = Put<MushroomSprite>(5, 5, MushroomSprite::Straight);
    // Fired from the shooter into the mushroom: thrown up and a little to
    // the right from 45 pixels above it, still flying.
    f.MouseDown(190, 170, 1);
    for (int32_t i = 0; i < 200 && !straight->IsBouncing(); ++i)
    {
        Update();
    }
    ASSERT_TRUE(straight->IsBouncing());
    EXPECT_EQ(CountSound(SOUND_MUSHROOM), 1);
    EXPECT_EQ(Shot()->GetPosition(), BubbleGrid::CellToPixel(5, 5) - Vector2(0.0f, 45.0f));
    EXPECT_TRUE(f.shotInFlight);
    EXPECT_TRUE(f.GetBulletEffect()->IsRunning());
    const Vector2 velocity = Vector2(10.0f, -45.0f).normalisedCopy() * 700.0f;
    const Vector2 from = Shot()->GetPosition();
    Update();
    EXPECT_NEAR(Shot()->GetPosition().x, from.x + velocity.x / 100.0f, 0.05f);
    EXPECT_NEAR(Shot()->GetPosition().y, from.y + velocity.y / 100.0f, 0.05f);

    // A left mushroom with its left cell taken lets the shot land.
    f.ClearGrid();
    f.GetBulletEffect()->Stop();
    Put(0, 0, KIND_BLUE);
    Put<MushroomSprite>(0, 5, MushroomSprite::Left);
    Put(0, 4, KIND_GREEN);
    const auto landing = Shot();
    landing->SetKind(KIND_YELLOW);
    EXPECT_TRUE(StepAt(Below(0, 5), Up));
    EXPECT_GE(landing->GetRow(), 1);

    // A right mushroom with room throws along (46, -10).
    f.ClearGrid();
    Put(0, 0, KIND_BLUE);
    const auto right = Put<MushroomSprite>(0, 5, MushroomSprite::Right);
    EXPECT_FALSE(StepAt(Below(0, 5), Up));
    EXPECT_EQ(Shot()->GetPosition(), BubbleGrid::CellToPixel(0, 6) + Vector2(15.0f, 0.0f));
    const Vector2 thrown = f.GetBulletEffect()->GetAlgorithm()->GetVelocity();
    EXPECT_NEAR(thrown.x, 46.0f / std::sqrt(46.0f * 46.0f + 100.0f) * 700.0f, 0.01f);
    EXPECT_TRUE(right->IsBouncing());

    // A straight mushroom in row 0 has nowhere to throw to: it lands.
    f.ClearGrid();
    Put(0, 0, KIND_BLUE);
    Put<MushroomSprite>(0, 5, MushroomSprite::Straight);
    const auto top = Shot();
    EXPECT_TRUE(StepAt(Below(0, 5), Up));
    EXPECT_EQ(top->GetRow(), 1);
}

TEST_F(WindTest, OnlyABlowingCloudPushesAShotInItsLine)
{
    GameAreaWidget& f = Make(Game::ModeArcade, Game::WorldAir);
    Put(0, 0, KIND_BLUE);
    const auto cloud = Put<WindCloudSprite>(3, 10, host, WindCloudSprite::Left);
    // Resting: the shot flies on unchanged.
    EXPECT_FALSE(StepAt({100.0f, 100.0f}, Up));
    EXPECT_EQ(f.GetBulletEffect()->GetAlgorithm()->GetVelocity(), Up);
    EXPECT_EQ(f.WindDirectionAt(), 0);

    for (int32_t i = 0; i < WindCloudSprite::RestUpdates; ++i)
    {
        cloud->Update([](int32_t, int32_t) { return false; });
    }
    ASSERT_FALSE(cloud->IsResting());
    EXPECT_EQ(host.windStarts, 1);
    EXPECT_FALSE(StepAt({100.0f, 100.0f}, Up));
    EXPECT_EQ(f.GetBulletEffect()->GetAlgorithm()->GetVelocity(), Vector2(-1.0f, -0.2f) * 700.0f);
    // Right of the cloud, or in another row: no wind.
    Shot()->SetPosition({400.0f, 100.0f});
    EXPECT_EQ(f.WindDirectionAt(), 0);
    Shot()->SetPosition({100.0f, 140.0f});
    EXPECT_EQ(f.WindDirectionAt(), 0);
    // Other worlds have no wind.
    host.state.world = Game::WorldEarth;
    Shot()->SetPosition({100.0f, 100.0f});
    EXPECT_EQ(f.WindDirectionAt(), 0);
}

TEST_F(WindTest, TheWindStopsWhenTheBlowingCloudLeavesTheGridAndOnlyThen)
{
    GameAreaWidget& f = Make(Game::ModeArcade, Game::WorldAir);
    const auto blowing = [&](int32_t row, int32_t column)
    {
        auto cloud = Put<WindCloudSprite>(row, column, host, WindCloudSprite::Left);
        for (int32_t i = 0; i < WindCloudSprite::RestUpdates; ++i)
        {
            cloud->Update([](int32_t, int32_t) { return false; });
        }
        return cloud;
    };
    PutRow(0, KIND_BLUE);

    // A resting cloud dropping leaves the wind alone.
    host.state.windCloudActive = true;
    Put<WindCloudSprite>(6, 6, host, WindCloudSprite::Left);
    f.DropFloating();
    EXPECT_EQ(host.windStops, 0);
    EXPECT_TRUE(host.state.windCloudActive);
    host.state.windCloudActive = false;

    // Dropped.
    auto cloud = blowing(6, 6);
    ASSERT_TRUE(host.state.windCloudActive);
    f.DropFloating();
    EXPECT_EQ(host.windStops, 1);
    EXPECT_FALSE(host.state.windCloudActive);

    // Burst by an animation.
    cloud = blowing(1, 6);
    f.BurstCell(1, 6);
    EXPECT_EQ(host.windStops, 2);
    EXPECT_FALSE(host.state.windCloudActive);

    // Blown up by a bomb.
    cloud = blowing(1, 7);
    Put<BombSprite>(1, 8);
    f.HitBomb(1, 8);
    EXPECT_EQ(host.windStops, 3);
    EXPECT_FALSE(host.state.windCloudActive);

    // No cloud starts blowing once the stage is over.
    host.state.stageOver = true;
    cloud = blowing(1, 2);
    EXPECT_TRUE(cloud->IsResting());
    EXPECT_EQ(host.windStarts, 3);
}

TEST_F(ObstacleTest, TheLastColourOfRowThreeBurstsTheBarrierAndClearsBelowIt)
{
    GameAreaWidget& f = Make(Game::ModeQuest, Game::WorldWater);
    PutRow(0, KIND_LOCK);
    for (int32_t column = 0; column < GRID_COLUMNS; ++column)
    {
        f.SetCell(2, column, std::make_shared<WallSprite>(host, WallSprite::ElementWater), true);
    }
    Put(3, 4, KIND_RED);
    Put(3, 5, KIND_RED);
    Put(5, 9, KIND_LOCK);
    f.SetCell(4, 9, std::make_shared<WallSprite>(host, WallSprite::ElementWater), true);
    f.sunkDrops.push_back({{100.0f, 100.0f}, nullptr});
    // Lands at (3, 6) beside the two reds from below.
    EXPECT_TRUE(StepAt(Below(3, 5) + Vector2(10.0f, 0.0f), Up));
    EXPECT_TRUE(host.state.wallBurst);
    EXPECT_TRUE(f.hitEffectVisible);
    EXPECT_TRUE(f.shotInFlight);
    EXPECT_TRUE(host.stageEnds.empty());
    ASSERT_TRUE(LastOf<BurstWallEffect>());
    Settle(400);
    EXPECT_FALSE(f.shotInFlight);
    for (int32_t row = 2; row < GRID_ROWS; ++row)
    {
        EXPECT_EQ(f.CountOccupied(row), 0) << row;
    }
    EXPECT_EQ(f.CountOccupied(0), GRID_COLUMNS);
    EXPECT_TRUE(f.sunkDrops.empty());
}

TEST_F(ObstacleTest, ASweepThatTakesTheLastColourEndsTheStageWhenItEnds)
{
    GameAreaWidget& f = Make();
    Put(0, 2, KIND_LOCK);
    Put(0, 3, KIND_BLUE);
    Put(0, 4, KIND_GREEN);
    Put<TornadoSprite>(0, 5, TornadoSprite::Left);
    EXPECT_TRUE(StepAt(Below(0, 5), Up));
    EXPECT_TRUE(host.stageEnds.empty()) << "not before the sweep is through";
    Settle();
    EXPECT_EQ(host.stageEnds, std::vector<bool>{true});
    EXPECT_EQ(KindAt(f, 0, 2), KIND_LOCK);
}
