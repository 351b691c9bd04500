// GameApp's own rules: defaults, the first-run screen mode, stage state,
// quest progress, obstacle counts, names, and the music cues with the
// delayed stage song.
#include "src/app/GameApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "external/util/RuntimeRandom.h"
#include "game/app/TestGameApp.h"
#include "src/app/FadeWidget.h"

using FrothwickTest::TestGameApp;

namespace
{

std::vector<std::string> Since(const std::vector<std::string>& calls, size_t from)
{
    return std::vector<std::string>(calls.begin() + std::min(from, calls.size()), calls.end());
}

TEST(GameAppSetup, DefaultsAndIdentity)
{
    TestGameApp app;
    EXPECT_EQ(gApp, &app);
    EXPECT_EQ(app.title, "Frothwick");
    EXPECT_EQ(app.windowCaption, "Frothwick - 1.00");
    EXPECT_EQ(app.registryKey, "Tamsery Games\\Frothwick");
    EXPECT_EQ(app.width, 800);
    EXPECT_EQ(app.height, 600);
    EXPECT_TRUE(app.refreshPacing);
    EXPECT_EQ(app.world, 3);
    EXPECT_EQ(app.shotsUntilPushDown, 6);
    EXPECT_EQ(app.pendingSong, -1);
    EXPECT_EQ(app.highScoreRank, -1);
    EXPECT_TRUE(app.CurrentPlayer().IsInvalid());
    ASSERT_NE(app.fadeWidget, nullptr);
    EXPECT_EQ(app.fadeWidget->x, 0);
    EXPECT_NE(app.systemFontBold, nullptr);
    EXPECT_EQ(app.loadScreen, nullptr);
}

TEST(GameAppSetup, FirstRunStartsFullScreenUntilSettingsExist)
{
    TestGameApp app;
    app.windowed = true;
    app.ChooseFirstRunScreenMode();
    EXPECT_FALSE(app.windowed) << "no settings key yet";

    ASSERT_TRUE(app.WriteInteger("ScreenMode", 0));
    app.windowed = true;
    app.ChooseFirstRunScreenMode();
    EXPECT_TRUE(app.windowed) << "the key exists now";
    app.LoadSettings();
    EXPECT_TRUE(app.windowed) << "a saved ScreenMode of 0 starts windowed";
}

TEST(GameAppSetup, ShutdownWritesLeaveTime)
{
    std::filesystem::path file;
    {
        TestGameApp app;
        file = app.SettingsFile();
    }
    Framework::SettingsStore store = Framework::SettingsStore::AtFile(file);
    int32_t leave = 0;
    ASSERT_TRUE(store.ReadInteger("Leave", leave));
    EXPECT_GT(leave, 1700000000);
    EXPECT_EQ(gApp, nullptr);
}

TEST(GameAppNames, ModeDifficultyAndColoursForEveryValue)
{
    TestGameApp app;
    const std::pair<int32_t, const char*> modes[] = {{100, "Arcade"}, {101, "Quest"}, {102, "Time"},
                                                     {103, "Arcade"}, {-1, "Arcade"}, {0, "Arcade"}};
    for (auto [mode, name] : modes)
    {
        app.SetGameMode(mode);
        EXPECT_EQ(app.ModeName(), name) << mode;
    }
    const std::tuple<int32_t, const char*, int32_t> levels[] = {{0, "easy", 4},   {1, "normal", 5}, {2, "hard", 6},
                                                                {3, "expert", 6}, {4, "easy", 4},   {-1, "easy", 4}};
    for (auto [difficulty, name, colours] : levels)
    {
        app.SetDifficulty(difficulty);
        EXPECT_EQ(app.DifficultyName(), name) << difficulty;
        EXPECT_EQ(app.ColourCount(), colours) << difficulty;
    }
}

TEST(GameAppStage, StageReachedStoresTheStageAndRaisesProgress)
{
    TestGameApp app;
    app.SetWorld(4); // air: quest stages 10000 + n
    app.StageReached(10016);
    EXPECT_EQ(app.GetStage(), 10000);
    EXPECT_EQ(app.WorldProgress(), 0);

    app.StageReached(10015);
    EXPECT_EQ(app.GetStage(), 10015);
    EXPECT_EQ(app.WorldProgress(), 15);
    EXPECT_EQ(app.CurrentPlayer().progressAir, 15);

    app.StageReached(10005);
    EXPECT_EQ(app.GetStage(), 10005);
    EXPECT_EQ(app.WorldProgress(), 15) << "progress never falls";

    app.SetWorld(2);
    app.StageReached(20007);
    EXPECT_EQ(app.CurrentPlayer().progressFire, 7);
    EXPECT_EQ(app.CurrentPlayer().progressAir, 15);

    app.SetWorld(9); // no world: the stage is stored, no progress anywhere
    app.StageReached(30003);
    EXPECT_EQ(app.GetStage(), 30003);
    const PlayerRecord p = app.CurrentPlayer();
    EXPECT_EQ(p.progressWater + p.progressEarth, 0);
}

TEST(GameAppStage, ResetStageKeepsTheScoreOnlyAfterAWonGeneratedStage)
{
    TestGameApp app;
    app.minute = 12345;
    app.SetGameMode(100);
    app.score = app.displayedScore = 900;
    app.lastStageWon = true;
    app.stageOver = app.wallBurst = app.windCloudActive = true;
    app.shotsUntilPushDown = 2;
    app.highScoreRank = 4;
    app.ResetStage();
    EXPECT_EQ(app.score, 900);
    EXPECT_EQ(app.displayedScore, 900);
    EXPECT_FALSE(app.stageOver || app.wallBurst || app.windCloudActive);
    EXPECT_EQ(app.shotsUntilPushDown, 6);
    EXPECT_EQ(app.highScoreRank, -1);
    EXPECT_EQ(app.stageStartMinute, 12345);

    app.SetGameMode(101);
    app.ResetStage();
    EXPECT_EQ(app.score, 0) << "quest stages start from zero";

    app.SetGameMode(102);
    app.score = 50;
    app.lastStageWon = false;
    app.ResetStage();
    EXPECT_EQ(app.score, 0) << "a lost stage starts from zero";
}

// Lowest and highest count of each obstacle, in the order locks, bombs,
// walls, wind clouds, tornadoes, flames, lava, snowmen, water holes,
// plants, mushrooms.
struct Range
{
    int32_t low, high;
};
const Range arcadeRanges[4][11] = {
    {{0, 0}, {1, 3}, {1, 1}, {2, 3}, {3, 4}, {6, 8}, {1, 1}, {2, 3}, {2, 2}, {2, 3}, {1, 1}},
    {{2, 4}, {1, 2}, {2, 2}, {3, 5}, {2, 3}, {4, 6}, {2, 4}, {3, 4}, {3, 4}, {3, 4}, {2, 4}},
    {{6, 7}, {1, 2}, {3, 4}, {3, 5}, {2, 3}, {2, 4}, {3, 5}, {4, 5}, {5, 6}, {5, 6}, {4, 5}},
    {{8, 10}, {1, 2}, {3, 4}, {4, 6}, {2, 3}, {2, 4}, {6, 9}, {5, 6}, {7, 8}, {7, 8}, {5, 6}},
};
const Range timeRanges[4][11] = {
    {{0, 0}, {1, 3}, {0, 0}, {0, 0}, {3, 4}, {6, 8}, {1, 1}, {1, 1}, {1, 1}, {1, 1}, {0, 0}},
    {{0, 0}, {1, 2}, {1, 1}, {0, 0}, {2, 3}, {4, 6}, {2, 2}, {1, 1}, {2, 2}, {2, 2}, {0, 0}},
    {{1, 1}, {1, 2}, {1, 1}, {0, 0}, {2, 3}, {2, 4}, {2, 2}, {2, 2}, {2, 2}, {3, 3}, {0, 0}},
    {{2, 2}, {1, 2}, {1, 1}, {0, 0}, {2, 3}, {2, 4}, {2, 2}, {5, 6}, {7, 8}, {3, 3}, {0, 0}},
};

TEST(GameAppObstacles, CountsCoverExactlyTheirRangesForEveryModeAndDifficulty)
{
    TestGameApp app;
    RuntimeRandom::Global().Seed(77);
    for (int32_t mode : {100, 102})
    {
        for (int32_t difficulty = 0; difficulty < 4; ++difficulty)
        {
            const Range* ranges = (mode == 100 ? arcadeRanges : timeRanges)[difficulty];
            app.SetGameMode(mode);
            app.SetDifficulty(difficulty);
            std::array<int32_t, 11> seenLow, seenHigh;
            seenLow.fill(1000);
            seenHigh.fill(-1);
            for (int round = 0; round < 200; ++round)
            {
                app.ConfigureObstacles();
                for (int i = 0; i < 11; ++i)
                {
                    seenLow[i] = std::min(seenLow[i], app.obstacleCounts[i]);
                    seenHigh[i] = std::max(seenHigh[i], app.obstacleCounts[i]);
                }
            }
            for (int i = 0; i < 11; ++i)
            {
                EXPECT_EQ(seenLow[i], ranges[i].low)
                    << "mode " << mode << " difficulty " << difficulty << " kind " << i;
                EXPECT_EQ(seenHigh[i], ranges[i].high)
                    << "mode " << mode << " difficulty " << difficulty << " kind " << i;
            }
        }
    }
}

TEST(GameAppObstacles, QuestAndUnknownDifficultiesLeaveTheCounts)
{
    TestGameApp app;
    app.obstacleCounts.fill(42);
    app.SetGameMode(101);
    app.ConfigureObstacles();
    app.SetGameMode(100);
    app.SetDifficulty(4);
    app.ConfigureObstacles();
    for (int32_t count : app.obstacleCounts)
    {
        EXPECT_EQ(count, 42);
    }
}

TEST(GameAppMusic, RotationFollowsTheWorldTable)
{
    TestGameApp app;
    app.SetWorld(2);
    const int32_t fire[6] = {10003, 10005, 10002, 10007, 10006, 10004};
    for (int32_t counter = 0; counter < 8; ++counter)
    {
        app.stageCounter = counter;
        EXPECT_EQ(app.RotationSong(), fire[counter % 6]) << counter;
    }
    app.stageCounter = 0;
    const int32_t first[4] = {10004, 10003, 10006, 10007};
    for (int32_t w = 1; w <= 4; ++w)
    {
        app.SetWorld(w);
        EXPECT_EQ(app.RotationSong(), first[w - 1]);
    }
    app.SetWorld(0);
    EXPECT_EQ(app.RotationSong(), -1);
    app.SetWorld(5);
    EXPECT_EQ(app.RotationSong(), -1);
}

TEST(GameAppMusic, SecondStageWithinTheDelayKeepsOnlyTheNewestSong)
{
    TestGameApp app;
    app.SetWorld(2);
    app.stageCounter = 0;
    app.PlayStageMusic(-1);
    EXPECT_EQ(app.music->calls, std::vector<std::string>{"fade out all 5/1000 stop"});
    EXPECT_EQ(app.pendingSong, 10003);
    app.Ticks(150);
    app.stageCounter = 7;
    app.PlayStageMusic(-1);
    EXPECT_EQ(app.pendingSong, 10005);
    const size_t mark = app.music->calls.size();
    app.Ticks(210);
    EXPECT_TRUE(Since(app.music->calls, mark).empty()) << "nothing starts within 210 ticks";
    app.Tick();
    EXPECT_EQ(Since(app.music->calls, mark), (std::vector<std::string>{"stop all", "fade in 10005 0 5/1000 loop"}));
    EXPECT_EQ(app.pendingSong, -1);
    EXPECT_EQ(app.songDelay, 0);
    app.Ticks(500);
    EXPECT_EQ(app.music->calls.size(), mark + 2) << "the song starts once";
}

TEST(GameAppMusic, PausedTicksStillCountTowardsTheSong)
{
    TestGameApp app;
    app.SetWorld(1);
    app.SetPaused(true);
    app.PlayStageMusic(-1);
    app.Ticks(211);
    EXPECT_EQ(app.updateCount, 0) << "paused ticks run no update";
    ASSERT_FALSE(app.music->calls.empty());
    EXPECT_EQ(app.music->calls.back(), "fade in 10004 0 5/1000 loop");
    app.SetPaused(false);
    app.Tick();
    EXPECT_EQ(app.updateCount, 1);
}

TEST(GameAppMusic, NoWorldNoStageSong)
{
    TestGameApp app;
    app.SetWorld(0);
    app.PlayStageMusic(-1);
    EXPECT_EQ(app.pendingSong, -1);
    app.Ticks(300);
    EXPECT_EQ(app.music->calls, std::vector<std::string>{"fade out all 5/1000 stop"});
}

TEST(GameAppMusic, JinglesAndTheWindLoop)
{
    TestGameApp app;
    app.PlayStageMusic(10008);
    app.StartWindLoop();
    app.StopWindLoop();
    EXPECT_EQ(app.music->calls,
              (std::vector<std::string>{"stop all", "play 10008 0 once", "play 1000 0 loop", "stop 1000"}));
}

TEST(GameAppMusic, AStageEndsOnceWithItsJingleAndSilencesTheWind)
{
    TestGameApp app;
    app.StartWindLoop();
    app.windCloudActive = true;
    app.EndStage(true);
    app.EndStage(false);
    EXPECT_TRUE(app.GetStageOver());
    EXPECT_TRUE(app.GetLastStageWon());
    EXPECT_FALSE(app.windCloudActive);
    EXPECT_EQ(app.music->calls,
              (std::vector<std::string>{"play 1000 0 loop", "stop all", "play 10008 0 once", "stop 1000"}));
    app.ResetStage();
    app.EndStage(false);
    EXPECT_FALSE(app.GetLastStageWon());
    EXPECT_EQ(app.music->calls.at(5), "play 10009 0 once");
}

} // namespace
