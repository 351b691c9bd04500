// The flow of stages through the real application on the fake clock, with
// a design script the test writes: the end of a stage (the bonus asked at
// every end and added for a win only, never below 0; the jingle; the banner
// replaced; the record, and its file, for everything but a lost quest
// stage; a second end ignored), the next stage on a single left press after
// a win (the score kept in the arcade, reset in the quest, nothing after the
// quest's last stage), presses ignored after a loss, the time mode's period
// asked once per field, and leaving a game in the middle of a flight, a
// sweep or a slide for a new one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "external/lumora/EffectManager.h"
#include "external/lumora/ParticleSystemManager.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/WidgetManager.h"
#include "game/app/TestGameApp.h"
#include "src/core/ResourceIds.h"
#include "src/core/UserPaths.h"
#include "src/effects/CellBurstEffects.h"
#include "src/effects/FieldEffects.h"
#include "src/effects/SpriteAnimation.h"
#include "src/effects/StageEffects.h"
#include "src/play/BulletBubbleMoveEffect.h"
#include "src/play/GameAreaWidget.h"
#include "src/screens/game/Board.h"

namespace fs = std::filesystem;

namespace
{

// The field's press point straight above the shooter.
constexpr int32_t AimX = 265;
constexpr int32_t AimY = 100;

class StageFlowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = TestSupport::TestTempDir("flow");
        fs::remove_all(dir);
        fs::create_directories(dir / "script");
        fs::create_directories(dir / "data");
        oldDirectory = fs::current_path();
        fs::current_path(dir);
        Script("return 40");
        // Quest stages of the earth world: one colour record in row 3 (the
        // loader fills the rest of the row), walls across row 2.
        for (int32_t index : {3, 4, 15})
        {
            std::ofstream out(dir / "data" / ("stage" + std::to_string(index) + ".dat"), std::ios::binary);
            const char head[] = {char(0x98), 0x1A, 0x32, 0x01, Game::WorldEarth};
            out.write(head, sizeof(head));
            for (int8_t column = 0; column < 16; ++column)
            {
                const char wall[] = {2, char(column), KIND_WALL, 3};
                out.write(wall, sizeof(wall));
            }
            const char colour[] = {3, 0, KIND_RED, 0};
            out.write(colour, sizeof(colour));
        }
        app = std::make_unique<FrothwickTest::TestGameApp>();
        app->widgetManager->width = 800;
        app->widgetManager->height = 600;
        PlayerRecord ada;
        ada.SetName("Ada");
        ada.SetAvatarPath("images\\avatar\\owl.png");
        app->SetCurrentPlayer(ada);
        screen.Allocate(800, 600);
        // The goal's strip and shine, so the shine has an end.
        goalArt.Allocate(40, 10);
        goalArt.columns = 4;
        IMAGE_ES_EARTH = &goalArt;
        IMAGE_ES_SHING = &goalArt;
    }

    void TearDown() override
    {
        app.reset();
        Lumora::EffectManager::Release();
        Lumora::ParticleSystemManager::Release();
        SpriteAnimationManager::Release();
        ResetResourceVariables();
        fs::current_path(oldDirectory);
    }

    // The design script with GetTimeBonus's body; the time mode's period is
    // 8 s and every call of it leaves a line in "interval.log".
    void Script(const std::string& bonusBody)
    {
        std::ofstream(dir / "script" / "design.lua")
            << "function GetTimeBonus(minutes) " << bonusBody << " end\n"
            << "function CalcPushDownInterval(difficulty)\n"
               "  local f = io.open('interval.log', 'a') f:write('asked\\n') f:close()\n"
               "  return 8\n"
               "end\n"
               "function GetStageFile(id) return 'stage' .. (id % 10000) .. '.dat' end\n"
               "function CalcScore(count) return count * 10 end\n";
    }

    GameAreaWidget& Start(int32_t mode, int32_t world = Game::WorldEarth, int32_t stage = 0)
    {
        app->SetGameMode(mode);
        app->SetDifficulty(Game::Easy);
        app->SetWorld(world);
        app->stageId = stage;
        app->StartGame();
        return Field();
    }

    GameAreaWidget& Field() { return *app->board->GetPlayField(); }

    int32_t Occupied()
    {
        int32_t n = 0;
        for (int32_t row = 0; row < GRID_ROWS; ++row)
        {
            for (int32_t column = 0; column < GRID_COLUMNS; ++column)
            {
                n += Field().GetCell(row, column) ? 1 : 0;
            }
        }
        return n;
    }

    size_t Fades() const
    {
        const auto& list = SpriteAnimationManager::Instance().Animations();
        return size_t(std::count_if(list.begin(), list.end(),
                                    [](const auto& animation)
                                    { return dynamic_cast<const FadeEffect*>(animation.get()) != nullptr; }));
    }

    size_t MusicCalls(const std::string& call) const
    {
        return size_t(std::count(app->music->calls.begin(), app->music->calls.end(), call));
    }

    // One frame as the game makes it: the smooth pass, the field and the
    // animation list drawn.
    void Frame()
    {
        app->widgetManager->RunSmoothUpdatePass(1.0);
        Framework::Graphics g(&screen);
        g.Translate(15, 37);
        if (app->board)
        {
            Field().Draw(&g);
        }
        SpriteAnimationManager::Instance().DrawAll(&g);
    }

    fs::path dir;
    fs::path oldDirectory;
    std::unique_ptr<FrothwickTest::TestGameApp> app;
    Framework::MemoryImage screen;
    Framework::MemoryImage goalArt;
};

} // namespace

TEST_F(StageFlowTest, AnArcadeWinAddsTheBonusEntersTheTableAndAClickStartsTheNextFieldWithTheScore)
{
    GameAreaWidget& field = Start(Game::ModeArcade);
    const std::shared_ptr<GameOverEffect> oldBanner = app->gameOverEffect;
    app->score = 500;
    app->minute += 3;
    app->EndStage(true);
    EXPECT_TRUE(app->stageOver);
    EXPECT_TRUE(app->lastStageWon);
    EXPECT_EQ(app->score, 540);
    EXPECT_EQ(app->displayedScore, 540);
    EXPECT_EQ(MusicCalls("play 10008 0 once"), 1u);
    EXPECT_EQ(MusicCalls("stop 1000"), 1u);

    // The banner: the old one out of the list, a new one in.
    ASSERT_NE(app->gameOverEffect, oldBanner);
    const auto& list = SpriteAnimationManager::Instance().Animations();
    EXPECT_EQ(std::count(list.begin(), list.end(), app->gameOverEffect), 1);
    EXPECT_EQ(std::count_if(list.begin(), list.end(), [&](const auto& a) { return a.get() == oldBanner.get(); }), 0);

    // Table 0 (arcade, easy), place 0, saved whole.
    EXPECT_EQ(app->highScoreRank, 0);
    const HighScoreEntry& entry = app->highScoreTables.tables[0][0];
    EXPECT_EQ(entry.score, 540);
    EXPECT_EQ(entry.GetName(), "Ada");
    EXPECT_EQ(entry.GetAvatar(), "images\\avatar\\owl.png");
    EXPECT_EQ(entry.stage, 0);
    EXPECT_EQ(fs::file_size(Game::RecordsPath()), HighScoreTables::FileBytes);

    // A double press does nothing; a single left press starts the next field.
    const int32_t counter = app->stageCounter;
    field.MouseDown(AimX, AimY, 2);
    field.MouseDown(AimX, AimY, -1);
    EXPECT_TRUE(app->stageOver);
    const size_t fades = Fades();
    field.MouseDown(AimX, AimY, 1);
    EXPECT_FALSE(app->stageOver);
    EXPECT_EQ(app->score, 540) << "an arcade win keeps the score";
    EXPECT_EQ(app->stageCounter, counter + 1);
    EXPECT_EQ(app->highScoreRank, -1);
    EXPECT_TRUE(app->gameOverEffect->IsDone());
    EXPECT_EQ(Fades(), fades + 1);
    EXPECT_GT(Occupied(), 100) << "a new generated field";
    EXPECT_FALSE(field.shotInFlight);
    EXPECT_NE(app->pendingSong, -1) << "the stage music rotation goes on";
    // The same field plays on: a press fires again.
    field.MouseDown(AimX, AimY, 1);
    EXPECT_TRUE(field.shotInFlight);
}

TEST_F(StageFlowTest, ALostStageIgnoresPressesAndKeepsItsScoreWithoutTheBonus)
{
    GameAreaWidget& field = Start(Game::ModeArcade);
    app->score = 300;
    app->EndStage(false);
    EXPECT_EQ(app->score, 300);
    EXPECT_FALSE(app->lastStageWon);
    EXPECT_EQ(MusicCalls("play 10009 0 once"), 1u);
    // A lost arcade stage with points still enters the table.
    EXPECT_EQ(app->highScoreRank, 0);
    EXPECT_EQ(app->highScoreTables.tables[0][0].score, 300);

    const int32_t occupied = Occupied();
    for (int32_t clicks : {1, 2, -1, 3})
    {
        field.MouseDown(AimX, AimY, clicks);
    }
    EXPECT_TRUE(app->stageOver);
    EXPECT_FALSE(field.shotInFlight);
    EXPECT_EQ(Occupied(), occupied);
}

TEST_F(StageFlowTest, ASecondEndOfTheSameStageChangesNothing)
{
    Start(Game::ModeArcade);
    app->score = 100;
    app->EndStage(true);
    const auto banner = app->gameOverEffect;
    const HighScoreTables tables = app->highScoreTables;
    app->EndStage(false);
    app->EndStage(true);
    EXPECT_TRUE(app->lastStageWon);
    EXPECT_EQ(app->score, 140);
    EXPECT_EQ(app->gameOverEffect, banner);
    EXPECT_EQ(MusicCalls("play 10008 0 once"), 1u);
    EXPECT_EQ(MusicCalls("play 10009 0 once"), 0u);
    EXPECT_EQ(app->highScoreTables.tables[0][1].score, 0) << "one record";
    EXPECT_EQ(std::memcmp(&app->highScoreTables.tables, &tables.tables, sizeof(tables.tables)), 0);
}

TEST_F(StageFlowTest, TheBonusIsNeverBelowZeroAndAFailingScriptAddsNothing)
{
    Script("return -100");
    Start(Game::ModeArcade);
    app->score = 30;
    app->EndStage(true);
    EXPECT_EQ(app->score, 0);
    // Nothing to enter with no points; nothing written.
    EXPECT_EQ(app->highScoreRank, -1);
    EXPECT_FALSE(fs::exists(Game::RecordsPath()));

    Script("error('no bonus today')");
    app->ResetStage();
    app->score = 250;
    app->EndStage(true);
    EXPECT_EQ(app->score, 250);
    EXPECT_EQ(app->highScoreRank, 0);

    // A bonus that would carry the score past the largest one stops there.
    Script("return 2147483647");
    app->ResetStage();
    app->score = 10;
    app->EndStage(true);
    EXPECT_EQ(app->score, 2147483647);
}

TEST_F(StageFlowTest, QuestStagesAdvanceWithTheShineAndAFreshScoreAndEndAfterTheLast)
{
    app->SetWorld(Game::WorldEarth);
    app->StageReached(40003);
    GameAreaWidget& field = Start(Game::ModeQuest, Game::WorldEarth, 40003);
    EXPECT_GT(Occupied(), 16);
    // Let the shine of the first stage play out.
    for (int32_t i = 0; i < 200; ++i)
    {
        Frame();
    }
    EXPECT_FALSE(field.showShine);

    app->score = 700;
    app->EndStage(true);
    EXPECT_EQ(app->highScoreRank, 0);
    EXPECT_EQ(app->highScoreTables.tables[11][0].score, 740) << "the earth world's table";
    EXPECT_EQ(app->highScoreTables.tables[11][0].stage, 3);
    field.showGoal = false;
    field.MouseDown(AimX, AimY, 1);
    EXPECT_EQ(app->stageId, 40004);
    EXPECT_EQ(app->WorldProgress(), 4);
    EXPECT_EQ(app->score, 0) << "every quest stage starts at 0";
    EXPECT_TRUE(field.showShine);
    EXPECT_TRUE(field.showGoal);
    EXPECT_EQ(field.GetCell(2, 5) ? field.GetCell(2, 5)->GetKind() : 0, KIND_WALL);
    const auto& list = SpriteAnimationManager::Instance().Animations();
    ASSERT_GE(list.size(), 2u);
    EXPECT_NE(dynamic_cast<const StageTipAnimation*>(list[list.size() - 2].get()), nullptr);
    EXPECT_NE(dynamic_cast<const FadeEffect*>(list.back().get()), nullptr);

    // The last stage: the click empties the field and nothing follows.
    app->stageId = 40015;
    app->score = 10;
    app->EndStage(true);
    const size_t animations = list.size();
    field.MouseDown(AimX, AimY, 1);
    EXPECT_EQ(Occupied(), 0);
    EXPECT_EQ(app->stageId, 40015);
    EXPECT_TRUE(app->stageOver);
    EXPECT_EQ(SpriteAnimationManager::Instance().Count(), animations);
    field.MouseDown(AimX, AimY, 1);
    EXPECT_EQ(Occupied(), 0);
}

TEST_F(StageFlowTest, ALostQuestStageEntersNoTable)
{
    Start(Game::ModeQuest, Game::WorldEarth, 40003);
    app->score = 900;
    app->EndStage(false);
    EXPECT_EQ(app->highScoreRank, -1);
    EXPECT_EQ(app->highScoreTables.tables[11][0].score, 0);
    EXPECT_FALSE(fs::exists(Game::RecordsPath()));
}

TEST_F(StageFlowTest, TheTimeModeAsksItsPeriodOncePerFieldAcrossStages)
{
    GameAreaWidget& field = Start(Game::ModeTime);
    for (int32_t stage = 0; stage < 2; ++stage)
    {
        app->EndStage(true);
        field.MouseDown(AimX, AimY, 1);
        ASSERT_FALSE(app->stageOver);
    }
    std::ifstream log(dir / "interval.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
    {
        lines.push_back(line);
    }
    EXPECT_EQ(lines.size(), 1u);
}

TEST_F(StageFlowTest, LeavingMidFlightMidSweepAndMidSlideForANewGameLeavesNothingBehind)
{
    // Mid-flight.
    GameAreaWidget* field = &Start(Game::ModeArcade);
    field->MouseDown(AimX, AimY, 1);
    for (int32_t i = 0; i < 5; ++i)
    {
        Frame();
    }
    ASSERT_TRUE(field->shotInFlight);
    app->ResetStage();
    app->ReleaseGameEffects();
    field = &Start(Game::ModeArcade);
    for (int32_t i = 0; i < 100; ++i)
    {
        Frame();
    }
    EXPECT_FALSE(field->shotInFlight);

    // Mid-sweep: a burst running along row 3 and sparks flying.
    std::vector<Lumora::Vector2> cells;
    for (int32_t column = 0; column < 8; ++column)
    {
        cells.emplace_back(3.0f, float(column));
    }
    SpriteAnimationManager::Instance().Add(std::make_shared<FlameBurstEffect>(app->board->GetPlayField(), cells));
    field->BurstParticles({100.0f, 100.0f}, 40);
    for (int32_t i = 0; i < 15; ++i)
    {
        Frame();
    }
    app->ResetStage();
    field = &Start(Game::ModeTime);
    for (int32_t i = 0; i < 200; ++i)
    {
        Frame();
    }
    for (const auto& animation : SpriteAnimationManager::Instance().Animations())
    {
        EXPECT_EQ(dynamic_cast<const FlameBurstEffect*>(animation.get()), nullptr)
            << "the sweep found its field gone and ended";
    }

    // Mid-slide.
    field->PushDown();
    for (int32_t i = 0; i < 20; ++i)
    {
        Frame();
    }
    app->ResetStage();
    app->ReleaseGameEffects();
    field = &Start(Game::ModeQuest, Game::WorldEarth, 40003);
    for (int32_t i = 0; i < 100; ++i)
    {
        Frame();
    }
    field->MouseDown(AimX, AimY, 1);
    EXPECT_TRUE(field->shotInFlight);
}
