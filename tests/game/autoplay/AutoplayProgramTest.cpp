// frothwick_autoplay on the data tree, headless: one seed gives one game
// (the summary twice the same, and its demo plays back in step), every mode
// reaches a stage end, and the autoplayer's thinking never changed a grid.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "support/TestTemp.h"

namespace
{

namespace fs = std::filesystem;

struct ProgramRun
{
    int status = -1;
    std::string output;
    std::map<std::string, std::string> summary;
};

ProgramRun Autoplay(const std::string& options)
{
    ProgramRun run;
    // The data tree the tests read (a sanitizer build has none beside its
    // programs).
    const std::string command = std::string("'") + FROTHWICK_AUTOPLAY_PROGRAM + "' --data='" + FROTHWICK_DATA_DIR +
                                "' " + options + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
    {
        return run;
    }
    char line[512];
    while (std::fgets(line, sizeof(line), pipe) != nullptr)
    {
        std::string text(line);
        run.output += text;
        if (!text.empty() && text.back() == '\n')
        {
            text.pop_back();
        }
        const size_t space = text.find(' ');
        if (space != std::string::npos && text.find(' ', space + 1) == std::string::npos)
        {
            run.summary[text.substr(0, space)] = text.substr(space + 1);
        }
    }
    run.status = pclose(pipe);
    return run;
}

int64_t Value(const ProgramRun& run, const std::string& key)
{
    const auto it = run.summary.find(key);
    return it == run.summary.end() ? -1 : std::stoll(it->second);
}

TEST(AutoplayProgramTest, OneSeedOneGameAndItsDemoPlaysBackInStep)
{
    const fs::path demo = TestSupport::TestTempDir() / "autoplay.dmo";
    fs::remove(demo);
    const std::string options = "--mode=arcade --world=fire --shots=25 --seed=5";
    ProgramRun first = Autoplay(options + " --record=" + demo.string());
    ProgramRun second = Autoplay(options);
    ASSERT_EQ(first.status, 0) << first.output;
    ASSERT_EQ(second.status, 0) << second.output;
    EXPECT_EQ(Value(first, "shots"), 25);
    EXPECT_GT(Value(first, "bursts"), 0);
    EXPECT_GT(Value(first, "score"), 0);
    EXPECT_GT(Value(first, "peak_rss_kb"), 0);
    // Only the machine's own figures may differ.
    for (ProgramRun* run : {&first, &second})
    {
        run->summary.erase("updates_per_second");
        run->summary.erase("peak_rss_kb");
    }
    EXPECT_EQ(first.summary, second.summary) << first.output << "\n" << second.output;

    const ProgramRun played = Autoplay("--play=" + demo.string());
    EXPECT_EQ(played.status, 0) << played.output;
    EXPECT_NE(played.output.find("checkpoints matched"), std::string::npos) << played.output;
    EXPECT_EQ(played.output.find("out of step"), std::string::npos) << played.output;
}

TEST(AutoplayProgramTest, EveryModeReachesAStageEndWithTheGridUntouchedByThinking)
{
    // Arcade and quest are won; time attack, with a very slow hand on
    // expert, is pushed down to the launcher.
    const ProgramRun fast = Autoplay("--mode=all --world=earth --per-game=1 --stages=2 --seed=3");
    ASSERT_EQ(fast.status, 0) << fast.output;
    EXPECT_GE(Value(fast, "arcade.won") + Value(fast, "arcade.lost"), 1) << fast.output;
    EXPECT_GE(Value(fast, "quest.won") + Value(fast, "quest.lost"), 1) << fast.output;
    EXPECT_EQ(Value(fast, "think_grid_changed"), 0);
    EXPECT_GT(Value(fast, "shots"), 0);

    const ProgramRun slow = Autoplay("--mode=time --difficulty=expert --world=air --stages=1 --think=5000 --seed=3");
    ASSERT_EQ(slow.status, 0) << slow.output;
    EXPECT_EQ(Value(slow, "time.lost"), 1) << slow.output;
}

TEST(AutoplayProgramTest, TheMonkeyWandersEveryScreenWithoutQuittingAndPlaysBackInStep)
{
    // Half a minute of random hands: menus, dialogs and games; the exit
    // dialog's YES is never pressed, so the run ends at its limit.
    const fs::path demo = TestSupport::TestTempDir() / "monkey.dmo";
    fs::remove(demo);
    const ProgramRun run = Autoplay("--monkey --minutes=0.5 --seed=11 --record=" + demo.string());
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(Value(run, "updates"), 3000) << run.output;
    EXPECT_GT(Value(run, "monkey_acts"), 200);
    EXPECT_GT(Value(run, "monkey_buttons"), 0);
    EXPECT_GT(Value(run, "monkey_drags"), 0);
    EXPECT_GT(Value(run, "monkey_keys"), 0);

    const ProgramRun played = Autoplay("--play=" + demo.string());
    EXPECT_EQ(played.status, 0) << played.output;
    EXPECT_NE(played.output.find("checkpoints matched"), std::string::npos) << played.output;
    EXPECT_EQ(played.output.find("out of step"), std::string::npos) << played.output;
}

TEST(AutoplayProgramTest, BadOptionsAreRefused)
{
    for (const char* options : {"--mode=chess", "--shots=abc", "--shots=0", "--speed=-1", "--record=a --play=b",
                                "--quest-stage=16", "--frobnicate"})
    {
        SCOPED_TRACE(options);
        const ProgramRun run = Autoplay(options);
        EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 2) << run.output;
    }
}

} // namespace
