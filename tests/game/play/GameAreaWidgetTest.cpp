#include "src/play/GameAreaWidget.h"

#include "external/lumora/EffectManager.h"
#include "external/lumora/ParticleSystemManager.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "src/effects/Clock.h"
#include "src/effects/SpriteParticlePool.h"
#include "src/play/BulletBubbleMoveEffect.h"
#include "tests/game/play/FieldTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace FieldTests;

namespace
{

class GameAreaWidgetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SeedEverything(42);
        host.counts[ObstacleLock] = 1;
        host.counts[ObstacleBomb] = 1;
    }

    void TearDown() override
    {
        field.reset();
        Lumora::EffectManager::Release();
        Lumora::ParticleSystemManager::Release();
    }

    GameAreaWidget& Make(bool quest = false)
    {
        host.state.mode = quest ? Game::ModeQuest : Game::ModeArcade;
        field = std::make_shared<GameAreaWidget>(host, quest);
        return *field;
    }

    void Updates(int32_t count)
    {
        for (int32_t i = 0; i < count; ++i)
        {
            field->UpdateSmooth(1.0);
        }
    }

    Lumora::Vector2 Velocity() const { return field->GetBulletEffect()->GetAlgorithm()->GetVelocity(); }

    FakePlayHost host;
    std::shared_ptr<GameAreaWidget> field;
};

} // namespace


TEST_F(GameAreaWidgetTest, APressMustLieFifteenPixelsAboveTheShotsCentre)
{
    GameAreaWidget& f = Make();
    f.MouseDown(265, 491, 1);
    EXPECT_FALSE(f.shotInFlight);
    f.MouseDown(265, 490, 1);
    EXPECT_TRUE(f.shotInFlight);
    EXPECT_TRUE(f.GetBulletEffect()->IsRunning());
    EXPECT_EQ(Velocity(), Lumora::Vector2(0.0f, -700.0f));
}

TEST_F(GameAreaWidgetTest, StraightUpMovesSevenPixelsPerUpdateAndSticksAtTheTop)
{
    GameAreaWidget& f = Make();
    f.ClearGrid();
    f.SetCell(0, 0, std::make_shared<BubbleSprite>(KIND_BLUE), true);
    const auto fired = f.GetShot();
    const auto preview = f.GetNextBubble();
    f.MouseDown(265, 100, 1);
    Updates(1);
    EXPECT_FLOAT_EQ(fired->GetPosition().x, 250.0f);
    EXPECT_FLOAT_EQ(fired->GetPosition().y, 483.0f);
    Updates(69);
    EXPECT_FLOAT_EQ(fired->GetPosition().y, 0.0f);
    EXPECT_TRUE(f.shotInFlight);
    Updates(1);
    // Out at the top: it sticks in row 0 above where it flew, the flight is
    // over and the preview moved to the shooter.
    EXPECT_FALSE(f.shotInFlight);
    EXPECT_FALSE(f.GetBulletEffect()->IsRunning());
    EXPECT_EQ(f.GetCell(0, 8), fired);
    EXPECT_EQ(fired->GetPosition(), BubbleGrid::CellToPixel(0, 8));
    EXPECT_EQ(f.GetShot(), preview);
    EXPECT_EQ(preview->GetPosition(), Lumora::Vector2(250.0f, 490.0f));
    EXPECT_NE(f.GetNextBubble(), preview);
}

TEST_F(GameAreaWidgetTest, ANearlyLevelShotBouncesBetweenTheWallsAtFullSpeed)
{
    GameAreaWidget& f = Make();
    const auto fired = f.GetShot();
    f.MouseDown(790, 490, 1);
    int32_t bounces = 0;
    float lastVx = Velocity().x;
    for (int32_t i = 0; i < 3000 && f.shotInFlight; ++i)
    {
        Updates(1);
        const float x = fired->GetPosition().x;
        ASSERT_GE(x, 5.0f);
        ASSERT_LE(x, 489.0f);
        ASSERT_NEAR(Velocity().length(), 700.0f, 0.01f);
        if ((Velocity().x > 0) != (lastVx > 0))
        {
            ++bounces;
        }
        lastVx = Velocity().x;
    }
    EXPECT_GE(bounces, 10);
}

TEST_F(GameAreaWidgetTest, OnlySingleLeftPressesFireAndOnlyWhileWaiting)
{
    GameAreaWidget& f = Make();
    f.MouseDown(265, 100, -1);
    f.MouseDown(265, 100, 2);
    f.MouseDown(265, 100, 3);
    EXPECT_FALSE(f.shotInFlight);
    host.state.paused = true;
    f.MouseDown(265, 100, 1);
    EXPECT_FALSE(f.shotInFlight);
    host.state.paused = false;
    host.state.stageOver = true;
    f.MouseDown(265, 100, 1);
    EXPECT_FALSE(f.shotInFlight);
    host.state.stageOver = false;

    f.MouseDown(265, 100, 1);
    ASSERT_TRUE(f.shotInFlight);
    Updates(3);
    const auto position = f.GetShot()->GetPosition();
    f.MouseDown(400, 100, 1);
    EXPECT_EQ(Velocity(), Lumora::Vector2(0.0f, -700.0f));
    EXPECT_EQ(f.GetShot()->GetPosition(), position);
}

TEST_F(GameAreaWidgetTest, ShotsComeOnlyFromTheColoursPresent)
{
    GameAreaWidget& f = Make();
    f.ClearGrid();
    f.SetCell(0, 0, std::make_shared<BubbleSprite>(KIND_BLUE), true);
    f.SetCell(5, 5, std::make_shared<BubbleSprite>(KIND_LOCK), true);
    const int32_t dealtBefore = f.GetNextBubble()->GetKind();
    f.PrepareShots();
    // The preview dealt earlier is fired as dealt.
    EXPECT_EQ(f.GetShot()->GetKind(), dealtBefore);
    for (int i = 0; i < 20; ++i)
    {
        f.PrepareShots();
        EXPECT_EQ(f.GetShot()->GetKind(), KIND_BLUE);
        EXPECT_EQ(f.GetNextBubble()->GetKind(), KIND_BLUE);
    }
}

TEST_F(GameAreaWidgetTest, AnEmptyFieldDealsAquaInTheQuestAndNothingElsewhere)
{
    // No design script in the tests' folder: the quest stage stays empty.
    GameAreaWidget& quest = Make(true);
    EXPECT_EQ(quest.CountOccupied(3), 0);
    EXPECT_EQ(quest.GetShot()->GetKind(), KIND_AQUA);
    EXPECT_EQ(quest.GetNextBubble()->GetKind(), KIND_NONE);
    EXPECT_EQ(quest.GetShot()->GetPosition(), Lumora::Vector2(250.0f, 490.0f));

    GameAreaWidget& arcade = Make(false);
    arcade.ClearGrid();
    arcade.PrepareShots();
    EXPECT_EQ(arcade.GetShot()->GetKind(), KIND_NONE);
    EXPECT_EQ(arcade.GetNextBubble()->GetKind(), KIND_NONE);
    // A fresh preview is dealt once colours are back.
    arcade.SetCell(0, 0, std::make_shared<BubbleSprite>(KIND_RED), true);
    arcade.PrepareShots();
    EXPECT_EQ(arcade.GetShot()->GetKind(), KIND_RED);
}

TEST_F(GameAreaWidgetTest, PausedTimeDoesNotMoveTheShot)
{
    GameAreaWidget& f = Make();
    f.MouseDown(265, 100, 1);
    Updates(10);
    f.GetBulletEffect()->Pause();
    Updates(50);
    EXPECT_FLOAT_EQ(f.GetShot()->GetPosition().y, 420.0f);
    f.GetBulletEffect()->Resume();
    Updates(10);
    EXPECT_EQ(f.GetBulletEffect()->GetElapsed(), 200);
    EXPECT_FLOAT_EQ(f.GetShot()->GetPosition().y, 350.0f);
}

TEST_F(GameAreaWidgetTest, OneSeedGivesTheSameFieldShotsAndPreviewsTwice)
{
    const auto play = [this]
    {
        SeedEverything(777);
        GameAreaWidget& f = Make();
        std::string record = Kinds(f);
        for (int shot = 0; shot < 8; ++shot)
        {
            record += " " + std::to_string(f.GetShot()->GetKind()) + "/" + std::to_string(f.GetNextBubble()->GetKind());
            f.MouseDown(100 + shot * 40, 50, 1);
            Updates(200);
        }
        return record;
    };
    EXPECT_EQ(play(), play());
}

TEST_F(GameAreaWidgetTest, DrawingLendsThePoolItsContextForTheDrawOnly)
{
    GameAreaWidget& f = Make();
    Framework::MemoryImage screen;
    std::vector<uint32_t> pixels(800 * 600, 0);
    screen.SetPixels(pixels.data(), 800, 600, true);
    Framework::Graphics g(&screen);
    f.BurstParticles({100.0f, 100.0f}, 30);
    Updates(1);
    EXPECT_EQ(f.GetParticlePool()->InUseCount(), 30u);
    f.Draw(&g);
    EXPECT_EQ(f.GetParticlePool()->ParticleAt(0)->graphics, nullptr);
}

TEST_F(GameAreaWidgetTest, AFieldDestroyedInFlightLeavesNothingBehindInTheManagers)
{
    GameAreaWidget& f = Make();
    f.MouseDown(265, 100, 1);
    f.BurstParticles({100.0f, 100.0f}, 5);
    Updates(5);
    ASSERT_TRUE(f.shotInFlight);
    const std::weak_ptr<BulletBubbleMoveEffect> flight = f.GetBulletEffect();
    field.reset();
    EXPECT_TRUE(flight.expired());
    EXPECT_EQ(Lumora::EffectManager::Instance()->GetEffectCount(), 0u);
    EXPECT_EQ(Lumora::ParticleSystemManager::Instance()->GetParticleSystemCount(), 0u);
    // The next game's ticks touch nothing of the old field.
    Lumora::EffectManager::Instance()->Tick();
    Lumora::ParticleSystemManager::Instance()->Tick();
    Lumora::ParticleSystemManager::Instance()->RenderAllParticleEffects();

    GameAreaWidget& next = Make();
    next.MouseDown(265, 100, 1);
    Updates(3);
    EXPECT_FLOAT_EQ(next.GetShot()->GetPosition().y, 469.0f);
}

TEST_F(GameAreaWidgetTest, TheFieldTraceWritesEachSetUpAsOneLine)
{
    setenv("FROTHWICK_FIELD_TRACE", "1", 1);
    ::testing::internal::CaptureStderr();
    GameAreaWidget& arcade = Make(false);
    std::string kinds = Kinds(arcade);
    std::replace(kinds.begin(), kinds.end(), ',', ' ');
    // A quest stage the design script cannot name still traces its field.
    Make(true);
    const std::string trace = ::testing::internal::GetCapturedStderr();
    unsetenv("FROTHWICK_FIELD_TRACE");
    const std::string empty = Kinds(BubbleGrid{});
    std::string zeros = empty;
    std::replace(zeros.begin(), zeros.end(), ',', ' ');
    EXPECT_NE(trace.find("field " + kinds + "\n"), std::string::npos) << trace;
    EXPECT_NE(trace.find("field " + zeros + "\n"), std::string::npos) << trace;
}
