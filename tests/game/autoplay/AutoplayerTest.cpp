// The autoplayer's aim against the real play field: its predicted landing
// cells come true on fields of colour bubbles alone, thinking leaves the
// grid as it was, it takes a burst when one is there, and its presses are
// ones the field accepts.
#include <gtest/gtest.h>

#include "external/util/RandomUtil.h"
#include "src/autoplay/Autoplayer.h"
#include "src/effects/Clock.h"
#include "tests/game/play/RulesTestSupport.h"

namespace
{

using FieldTests::RulesTest;

class AutoplayerTest : public RulesTest
{
protected:
    // Rows 0 to rows-1 full of random colours, the shot and the next dealt.
    void FillField(RandomUtil& random, int32_t rows, int32_t colours)
    {
        field->ClearGrid();
        for (int32_t row = 0; row < rows; ++row)
        {
            for (int32_t column = 0; column < GRID_COLUMNS; ++column)
            {
                Put(row, column, KIND_RED + random.Next(0, colours));
            }
        }
        field->PrepareShots();
    }
};

TEST_F(AutoplayerTest, PredictionsComeTrueOnObstacleFreeFieldsAndThinkingLeavesTheGridAlone)
{
    Make(Game::ModeArcade);
    RandomUtil fields(11);
    RandomUtil choices(12);
    int32_t checked = 0;
    int32_t right = 0;
    for (int32_t shot = 0; shot < 150; ++shot)
    {
        if (host.state.stageOver || shot % 25 == 0 || field->CountColourBubbles() == 0)
        {
            host.state.stageOver = false;
            FillField(fields, 4 + shot % 4, 3 + shot % 4);
        }
        const Autoplay::Snapshot before = Autoplay::TakeSnapshot(*field);
        const auto fired = Shot();
        const Autoplay::Aim aim = Autoplay::ChooseAim(before, fired->GetKind(), fired->GetPosition(),
                                                      field->GetClock()->GetExactTime(), 10.0, choices);
        ASSERT_EQ(Autoplay::SnapshotCrc(Autoplay::TakeSnapshot(*field)), Autoplay::SnapshotCrc(before))
            << "shot " << shot;
        FireAndSettle(aim.x, aim.y);
        ASSERT_FALSE(field->shotInFlight);
        if (host.state.stageOver)
        {
            continue;
        }
        ++checked;
        right += GridCell{fired->GetRow(), fired->GetColumn()} == aim.prediction.cell ? 1 : 0;
    }
    ASSERT_GE(checked, 100);
    EXPECT_GE(right * 100, checked * 95) << right << " of " << checked;
}

TEST_F(AutoplayerTest, ABurstWithinReachIsTakenAndHappens)
{
    Make(Game::ModeArcade);
    // A blue field with two reds side by side in the bottom row; red to fire.
    for (int32_t row = 0; row < 4; ++row)
    {
        PutRow(row, KIND_BLUE);
    }
    Put(4, 7, KIND_RED);
    Put(4, 8, KIND_RED);
    Shot()->SetKind(KIND_RED);
    RandomUtil random(3);
    const Autoplay::Aim aim = Autoplay::ChooseAim(Autoplay::TakeSnapshot(*field), KIND_RED, Shot()->GetPosition(),
                                                  field->GetClock()->GetExactTime(), 10.0, random);
    EXPECT_EQ(aim.prediction.burst, 3);
    FireAndSettle(aim.x, aim.y);
    EXPECT_FALSE(field->GetCell(4, 7));
    EXPECT_FALSE(field->GetCell(4, 8));
}

TEST_F(AutoplayerTest, ThePressesLieWhereTheFieldTakesThemAndTheSeedDecidesTies)
{
    Make(Game::ModeArcade);
    const Lumora::Vector2 at = Shot()->GetPosition();
    const std::vector<Autoplay::Aim> aims = Autoplay::Candidates(at);
    ASSERT_GT(aims.size(), 100u);
    for (const Autoplay::Aim& aim : aims)
    {
        EXPECT_LE(float(aim.y), at.y + 15.0f - GameAreaWidget::AimMargin);
        EXPECT_GE(aim.y, 0);
        EXPECT_GE(aim.x, 0);
        EXPECT_LT(aim.x, int32_t(ShotPath::RightWall) + 30);
    }
    // An empty field: every top cell is as good; the same seed, the same
    // choices, another seed other ones.
    const auto run = [&](uint64_t seed)
    {
        RandomUtil random(seed);
        std::vector<int32_t> xs;
        for (int32_t i = 0; i < 8; ++i)
        {
            xs.push_back(Autoplay::ChooseAim(Autoplay::TakeSnapshot(*field), KIND_RED, at, 0.0, 10.0, random).x);
        }
        return xs;
    };
    EXPECT_EQ(run(5), run(5));
    EXPECT_NE(run(5), run(6));
}

} // namespace
