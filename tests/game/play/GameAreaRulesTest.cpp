// Landing, matching, dropping and push-down, played on constructed grids.
#include "src/effects/FieldEffects.h"
#include "src/play/PushDownBubbleRowTask.h"
#include "src/sprites/WallSprite.h"
#include "src/sprites/WaterHoleSprite.h"
#include "tests/game/play/RulesTestSupport.h"

#include <cmath>

using namespace FieldTests;
using Lumora::Vector2;

namespace
{

using LandingTest = RulesTest;
using PushDownTest = RulesTest;

std::shared_ptr<WallSprite> MakeWall(FakePlayHost& host)
{
    return std::make_shared<WallSprite>(host, WallSprite::ElementEarth);
}

// The shot's top-left corner for a centre `distance` from the centre of
// cell (row, column), `degrees` off straight below it.
Vector2 BelowCell(int32_t row, int32_t column, float distance, float degrees)
{
    const Vector2 centre = BubbleGrid::CellToPixel(row, column) + Vector2(15.0f, 15.0f);
    const float radians = degrees * 3.14159265f / 180.0f;
    return centre - Vector2(distance * std::sin(radians), -distance * std::cos(radians)) - Vector2(15.0f, 15.0f);
}

} // namespace

TEST_F(LandingTest, TheConeOfTouchIsThirtySixDegreesEitherWayAlongTheFlight)
{
    GameAreaWidget& f = Make();
    Put(5, 5, KIND_BLUE);
    Shot()->SetPosition(BelowCell(5, 5, 34.0f, 30.0f));
    EXPECT_EQ(f.FindCollision({0.0f, -700.0f}), (GridCell{5, 5}));
    // Behind the shot counts as well.
    EXPECT_EQ(f.FindCollision({0.0f, 700.0f}), (GridCell{5, 5}));
    Shot()->SetPosition(BelowCell(5, 5, 34.0f, 40.0f));
    EXPECT_EQ(f.FindCollision({0.0f, -700.0f}), GridCell{});
    // Straight along the line but 36 pixels away: no touch.
    Shot()->SetPosition(BelowCell(5, 5, 36.0f, 0.0f));
    EXPECT_EQ(f.FindCollision({0.0f, -700.0f}), GridCell{});
    // Of two cells that qualify, the leftmost.
    Put(6, 4, KIND_GREEN);
    Put(6, 5, KIND_GREEN);
    Shot()->SetPosition({144.5f, 215.0f});
    EXPECT_EQ(f.FindCollision({0.0f, -700.0f}), (GridCell{6, 4}));
}

TEST_F(LandingTest, AShotLeavingTheTopSticksInRowZeroOrTheNextCellButNeverOverwrites)
{
    GameAreaWidget& f = Make();
    Put(0, 12, KIND_BLUE);
    const auto first = Shot();
    EXPECT_TRUE(StepAt({250.0f, -3.0f}, {0.0f, -700.0f}));
    EXPECT_EQ(f.GetCell(0, 8), first);
    EXPECT_EQ(first->GetPosition(), BubbleGrid::CellToPixel(0, 8));
    EXPECT_NE(Shot(), first);
    EXPECT_FALSE(f.shotInFlight);

    const auto second = Shot();
    second->SetKind(KIND_GREEN);
    EXPECT_TRUE(StepAt({250.0f, -3.0f}, {0.0f, -700.0f}));
    EXPECT_EQ(f.GetCell(0, 9), second);

    // Both cells taken: the shot is lost as a miss and nothing is replaced.
    const auto third = Shot();
    third->SetKind(KIND_YELLOW);
    host.state.shotsUntilPushDown = 6;
    EXPECT_TRUE(StepAt({250.0f, -3.0f}, {0.0f, -700.0f}));
    EXPECT_EQ(f.GetCell(0, 8), first);
    EXPECT_EQ(f.GetCell(0, 9), second);
    EXPECT_EQ(third->GetRow(), -1);
    EXPECT_EQ(host.state.shotsUntilPushDown, 5);
}

TEST_F(LandingTest, AGroupOfThreeBurstsWithOneScoreAndWhatHungFromItDrops)
{
    GameAreaWidget& f = Make();
    Put(0, 4, KIND_RED);
    Put(0, 5, KIND_RED);
    Put(0, 12, KIND_BLUE);
    // Hanging from the reds only: a bubble and a lock under it.
    Put(1, 4, KIND_BLUE);
    Put(2, 4, KIND_LOCK);
    // Touching a wall, far from the top: it stays.
    field->SetCell(8, 10, MakeWall(host), true);
    Put(9, 10, KIND_GREEN);

    EXPECT_TRUE(StepAt({186.0f, -2.0f}, {0.0f, -700.0f}));

    EXPECT_EQ(ScriptCalls(), std::vector<std::string>{"CalcScore 3"});
    EXPECT_EQ(host.state.score, 30 + 2 * 100);
    EXPECT_EQ(CountSound(SOUND_BALL_EX), 1);
    for (auto [row, column] : {std::pair{0, 4}, {0, 5}, {0, 6}, {1, 4}, {2, 4}})
    {
        EXPECT_FALSE(f.GetCell(row, column)) << row << "," << column;
    }
    EXPECT_EQ(KindAt(f, 8, 10), KIND_WALL);
    EXPECT_EQ(KindAt(f, 9, 10), KIND_GREEN);
    EXPECT_EQ(KindAt(f, 0, 12), KIND_BLUE);
    EXPECT_EQ(host.state.shotsUntilPushDown, Game::ShotsPerPushDown);
    EXPECT_TRUE(host.stageEnds.empty());
}

TEST_F(LandingTest, ASideHitSettlesBesideAndABottomRowHitAboveTheLauncherLoses)
{
    GameAreaWidget& f = Make();
    Put(0, 0, KIND_BLUE);
    field->SetCell(13, 5, MakeWall(host), true);
    const auto low = Put(14, 5, KIND_BLUE);

    // At y 450 the hit is an ordinary landing on the left of the bubble.
    const auto landing = Shot();
    EXPECT_TRUE(StepAt({131.0f, 450.0f}, Vector2(1.0f, -0.5f).normalisedCopy() * 700.0f));
    EXPECT_EQ(f.GetCell(14, 4), landing);
    EXPECT_TRUE(host.stageEnds.empty());
    EXPECT_EQ(CountSound(SOUND_BALL_HIT), 1);

    // One pixel lower the field has reached the launcher.
    f.SetCell(14, 4, nullptr, true);
    const auto losing = Shot();
    EXPECT_TRUE(StepAt({131.0f, 451.0f}, Vector2(1.0f, -0.5f).normalisedCopy() * 700.0f));
    EXPECT_EQ(host.stageEnds, std::vector<bool>{false});
    EXPECT_EQ(losing->GetRow(), -1);
    EXPECT_EQ(Shot(), losing) << "no new shot after a loss";
    EXPECT_EQ(f.GetCell(14, 5), low);
}

TEST_F(LandingTest, TheSixthMissPushesAtOnceAndResetsTheCounter)
{
    GameAreaWidget& f = Make();
    PutRow(0, KIND_BLUE);
    host.state.shotsUntilPushDown = 1;
    // Both top cells under the shot are taken: a miss.
    EXPECT_TRUE(StepAt({160.0f, -3.0f}, {0.0f, -700.0f}));
    EXPECT_EQ(host.pushDownTraces, 1);
    EXPECT_EQ(host.state.shotsUntilPushDown, Game::ShotsPerPushDown);
    EXPECT_TRUE(f.shotInFlight) << "the slide runs";
    for (int32_t column = 0; column < GRID_COLUMNS; ++column)
    {
        EXPECT_EQ(KindAt(f, 1, column), KIND_BLUE);
        EXPECT_EQ(KindAt(f, 0, column), KIND_BLUE);
        EXPECT_EQ(f.GetCell(0, column)->GetPosition(), Vector2(20.0f + 31.0f * float(column), -31.0f));
    }
    // Presses wait for the slide.
    const auto waiting = Shot();
    f.MouseDown(265, 100, 1);
    EXPECT_FALSE(f.GetBulletEffect()->IsRunning());
    DrawAnimations(69);
    EXPECT_TRUE(f.shotInFlight);
    DrawAnimations(1);
    EXPECT_FALSE(f.shotInFlight);
    ExpectEveryCellReportsItsPlace(f);
    EXPECT_EQ(Shot(), waiting);
}

TEST_F(LandingTest, TheMissCounterRunsDownInTheTimeModeWithoutPushing)
{
    GameAreaWidget& f = Make(Game::ModeTime);
    PutRow(0, KIND_BLUE);
    host.state.shotsUntilPushDown = 1;
    EXPECT_TRUE(StepAt({160.0f, -3.0f}, {0.0f, -700.0f}));
    EXPECT_EQ(host.state.shotsUntilPushDown, 0);
    EXPECT_EQ(host.pushDownTraces, 0);
    EXPECT_FALSE(f.shotInFlight);
}

TEST_F(LandingTest, AfterTheBarrierTheShotPassesThroughAndOnlyTheMiddleOfRowZeroWins)
{
    GameAreaWidget& f = Make(Game::ModeQuest);
    host.state.wallBurst = true;
    PutRow(3, KIND_BLUE);
    f.hitEffectVisible = true;

    // Through a full row: it flies on.
    EXPECT_FALSE(StepAt(BubbleGrid::CellToPixel(3, 4) + Vector2(0.0f, 20.0f), {0.0f, -700.0f}));
    // Row 0, column 4: it just vanishes.
    const auto vanishing = Shot();
    EXPECT_TRUE(StepAt({140.0f, 10.0f}, {0.0f, -700.0f}));
    EXPECT_NE(Shot(), vanishing);
    EXPECT_TRUE(host.stageEnds.empty());
    // Column 5: the goal.
    const auto scoring = Shot();
    EXPECT_TRUE(StepAt({160.0f, 10.0f}, {0.0f, -700.0f}));
    EXPECT_EQ(host.stageEnds, std::vector<bool>{true});
    EXPECT_EQ(scoring->GetPosition(), Vector2(0.0f, 0.0f));
    EXPECT_NE(Shot(), scoring);
    EXPECT_FALSE(f.showGoal);
    EXPECT_FALSE(f.hitEffectVisible);
    EXPECT_EQ(f.hitEffectAlpha, 255);
    EXPECT_EQ(CountSound(SOUND_BALL_EX), 1);
    EXPECT_FALSE(f.shotInFlight);
}

TEST_F(LandingTest, APushDownAskedDuringTheFlightHappensOnceWhenItEnds)
{
    GameAreaWidget& f = Make();
    PutRow(0, KIND_BLUE);
    f.shotInFlight = true;
    f.PushDown();
    f.PushDown();
    EXPECT_TRUE(f.pushDownPending);
    EXPECT_EQ(host.pushDownTraces, 0);
    EXPECT_EQ(KindAt(f, 1, 0), -1);

    EXPECT_TRUE(StepAt({250.0f, -3.0f}, {0.0f, -700.0f}));
    EXPECT_EQ(host.pushDownTraces, 1);
    EXPECT_FALSE(f.pushDownPending);
    DrawAnimations(70);
    EXPECT_EQ(host.pushDownTraces, 1);
    EXPECT_FALSE(f.shotInFlight);
}

TEST_F(LandingTest, NeighboursOfTheLandingCellShakeAwayFromIt)
{
    GameAreaWidget& f = Make();
    PutRow(0, KIND_BLUE);
    const auto left = Put(1, 3, KIND_GREEN);
    const auto upper = f.GetCell(0, 5);
    const auto far = f.GetCell(0, 9);
    f.NudgeNeighbours(1, 4);
    EXPECT_TRUE(left->IsShaking());
    EXPECT_TRUE(upper->IsShaking());
    EXPECT_FALSE(far->IsShaking());
    EXPECT_NEAR(left->GetShakeDisplacement().x, -6.7f, 1e-4f);
    // Up and to the right of an odd row's cell: 300 degrees.
    EXPECT_NEAR(upper->GetShakeDisplacement().x, 6.7f * 0.5f, 1e-3f);
    EXPECT_NEAR(upper->GetShakeDisplacement().y, -6.7f * std::sqrt(3.0f) / 2.0f, 1e-3f);
    f.NudgeNeighbours(-1, -1);
}

TEST_F(LandingTest, AWalkPastTheBottomRowLosesTheShot)
{
    GameAreaWidget& f = Make();
    Put(14, 0, KIND_BLUE);
    EXPECT_EQ(f.FindLandingCell(14, 0, DIR_LEFT), GridCell{});
    EXPECT_EQ(Shot()->GetRow(), -1);
    // Sliding down and sideways until there is room; clamped at column 0.
    Put(13, 0, KIND_BLUE);
    EXPECT_EQ(f.FindLandingCell(12, 0, DIR_LOWER_LEFT), GridCell{});
    Put(5, 3, KIND_BLUE);
    Put(6, 2, KIND_BLUE);
    EXPECT_EQ(f.FindLandingCell(5, 3, DIR_LEFT), (GridCell{5, 2}));
    EXPECT_EQ(f.GetCell(5, 2), Shot());
}

// --- push-down ---

TEST_F(PushDownTest, AWalledColumnKeepsEveryCellAndGetsNoNewBubble)
{
    GameAreaWidget& f = Make();
    for (int32_t row = 0; row < 4; ++row)
    {
        PutRow(row, KIND_BLUE);
    }
    f.SetCell(10, 7, MakeWall(host), true);
    const auto top7 = f.GetCell(0, 7);
    const auto top6 = f.GetCell(0, 6);
    f.PushDown();
    EXPECT_EQ(f.GetCell(0, 7), top7);
    EXPECT_EQ(KindAt(f, 4, 7), -1);
    EXPECT_EQ(KindAt(f, 10, 7), KIND_WALL);
    EXPECT_EQ(f.GetCell(1, 6), top6);
    EXPECT_NE(f.GetCell(0, 6), top6);
    EXPECT_EQ(KindAt(f, 4, 6), KIND_BLUE);
    EXPECT_EQ(f.GetPushDownEffect()->SpriteCount(), size_t(15 * 4 + 15));
}

TEST_F(PushDownTest, AWaterHoleStaysTheCellBelowEmptiesAndWhatWasAboveIsLost)
{
    GameAreaWidget& f = Make();
    for (int32_t row = 0; row < 9; ++row)
    {
        Put(row, 3, KIND_BLUE);
    }
    const auto aboveHole = f.GetCell(8, 3);
    const auto hole = Put<WaterHoleSprite>(9, 3);
    Put(10, 3, KIND_GREEN);
    f.PushDown();
    EXPECT_EQ(f.GetCell(9, 3), hole);
    EXPECT_EQ(KindAt(f, 10, 3), -1);
    EXPECT_EQ(KindAt(f, 11, 3), KIND_GREEN);
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        EXPECT_NE(f.GetCell(row, 3), aboveHole) << row;
    }
}

TEST_F(PushDownTest, ABottomRowLosesWithoutMovingAndAClearedFieldIsLeftAlone)
{
    GameAreaWidget& f = Make();
    PutRow(0, KIND_BLUE);
    Put(14, 2, KIND_LOCK);
    const std::string before = Kinds(f);
    f.PushDown();
    EXPECT_EQ(host.stageEnds, std::vector<bool>{false});
    EXPECT_EQ(Kinds(f), before);
    EXPECT_FALSE(f.shotInFlight);

    host.stageEnds.clear();
    host.state.stageOver = false;
    f.ClearGrid();
    PutRow(0, KIND_LOCK);
    const std::string locks = Kinds(f);
    f.PushDown();
    EXPECT_EQ(Kinds(f), locks);
    EXPECT_EQ(host.pushDownTraces, 0);
    EXPECT_TRUE(host.stageEnds.empty());
}

TEST_F(PushDownTest, AQuestFieldKeepsItsTopThreeRowsAndRefillsRowThree)
{
    GameAreaWidget& f = Make(Game::ModeQuest);
    PutRow(0, KIND_LOCK);
    PutRow(1, KIND_BOMB);
    for (int32_t column = 0; column < GRID_COLUMNS; ++column)
    {
        f.SetCell(2, column, MakeWall(host), true);
    }
    PutRow(3, KIND_YELLOW);
    const std::string top = Kinds(f).substr(0, 3 * 16 * 3);
    const auto row3 = f.GetCell(3, 0);
    f.PushDown();
    EXPECT_EQ(Kinds(f).substr(0, 3 * 16 * 3), top);
    EXPECT_EQ(f.GetCell(4, 0), row3);
    for (int32_t column = 0; column < GRID_COLUMNS; ++column)
    {
        EXPECT_EQ(KindAt(f, 3, column), KIND_YELLOW);
        EXPECT_EQ(f.GetCell(3, column)->GetPosition(), BubbleGrid::CellToPixel(4, column) - Vector2(0.0f, 62.0f));
    }
    DrawAnimations(70);
    ExpectEveryCellReportsItsPlace(f);
}

TEST_F(PushDownTest, ABubbleCutLooseDuringTheSlideStaysGoneAndScoresOnce)
{
    GameAreaWidget& f = Make();
    PutRow(0, KIND_BLUE);
    const auto bridge = Put(1, 3, KIND_GREEN);
    Put<WaterHoleSprite>(2, 3);
    // Hangs from the bridge only; the bridge is lost above the hole.
    const auto hanging = Put(2, 4, KIND_YELLOW);
    host.state.shotsUntilPushDown = 1;
    // The sixth miss: a red shot settling under (0, 10).
    EXPECT_TRUE(StepAt(BubbleGrid::CellToPixel(0, 10) + Vector2(0.0f, 30.0f), {0.0f, -700.0f}));
    EXPECT_EQ(host.pushDownTraces, 1);
    EXPECT_EQ(host.state.score, 100);
    EXPECT_EQ(hanging->GetRow(), 3) << "it was on its way to row 3";
    EXPECT_NE(f.GetCell(3, 4), hanging);
    DrawAnimations(70);
    EXPECT_FALSE(f.shotInFlight);
    EXPECT_EQ(host.state.score, 100);
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            EXPECT_NE(f.GetCell(row, column), hanging);
            EXPECT_NE(f.GetCell(row, column), bridge);
        }
    }
    ExpectEveryCellReportsItsPlace(f);
}

TEST_F(PushDownTest, TheTimeModeAsksItsPeriodOnceAndTheTimerPushes)
{
    host.state.difficulty = Game::Hard;
    GameAreaWidget& f = Make(Game::ModeTime);
    // The construction asked (before the helper cleared the calls).
    EXPECT_EQ(f.GetPushDownInterval(), 8);
    EXPECT_TRUE(TimeManager::Instance()->IsScheduled(f.GetPushDownTask()));
    PutRow(0, KIND_BLUE);
    now += ACE_Time_Value(7, 0);
    TimeManager::Instance()->Process();
    EXPECT_EQ(host.pushDownTraces, 0);
    now += ACE_Time_Value(1, 0);
    TimeManager::Instance()->Process();
    EXPECT_EQ(host.pushDownTraces, 1);
    // Asking again with the same answer changes nothing.
    f.ScheduleTimedPushDown();
    EXPECT_EQ(ScriptCalls(), std::vector<std::string>{"Interval 2"});
    // A stage that is over is not pushed.
    DrawAnimations(70);
    host.state.stageOver = true;
    now += ACE_Time_Value(8, 0);
    TimeManager::Instance()->Process();
    EXPECT_EQ(host.pushDownTraces, 1);
    // Gone with the field.
    const auto task = f.GetPushDownTask();
    field.reset();
    EXPECT_FALSE(TimeManager::Instance()->IsScheduled(task));
}

TEST_F(PushDownTest, AFailingScriptGivesOnePushDownAndANegativePeriodIsRefused)
{
    WriteScript("function CalcPushDownInterval(d) error('broken') end");
    GameAreaWidget& f = Make(Game::ModeTime);
    EXPECT_EQ(f.GetPushDownInterval(), 0);
    PutRow(0, KIND_BLUE);
    TimeManager::Instance()->Process();
    EXPECT_EQ(host.pushDownTraces, 1);
    DrawAnimations(70);
    now += ACE_Time_Value(5, 0);
    TimeManager::Instance()->Process();
    EXPECT_EQ(host.pushDownTraces, 1);

    WriteScript("function CalcPushDownInterval(d) return -4 end");
    f.ScheduleTimedPushDown();
    EXPECT_EQ(f.GetPushDownInterval(), 0);
    EXPECT_FALSE(TimeManager::Instance()->IsScheduled(f.GetPushDownTask()));
}
