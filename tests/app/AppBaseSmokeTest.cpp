// Starts the real program headless and checks it runs its ticks and stops
// in order, and that without any display it refuses to start. Every run
// works on its own copy of the program and its data tree.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/ProgramTree.h"

namespace
{

struct Result
{
    int code = -1;
    std::string output;
};

// Each test runs in its own folder (settings and lock): tests run in parallel.
std::filesystem::path TestFolder()
{
    return TestSupport::TestTempDir("smoke");
}

// The program's own copy, one per test.
class AppBaseSmokeTest : public ::testing::Test
{
protected:
    Result RunProgram(const std::string& environment, const std::string& args = "");
    std::filesystem::path Program() const { return tree.Program(); }

    TestSupport::ProgramTree tree{FROTHWICK_PROGRAM};
};

Result AppBaseSmokeTest::RunProgram(const std::string& environment, const std::string& args)
{
    const std::filesystem::path tmp = TestFolder();
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_CONFIG_HOME=" + tmp.string() +
                                " XDG_RUNTIME_DIR=" + tmp.string() + " " + environment + " timeout 20 " +
                                Program().string() + " " + args + " 2>&1";
    Result r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
    {
        return r;
    }
    char buffer[512];
    while (fgets(buffer, sizeof(buffer), pipe))
    {
        r.output += buffer;
    }
    int status = pclose(pipe);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

TEST_F(AppBaseSmokeTest, RunsTicksHeadlessAndStopsInOrder)
{
    Result r =
        RunProgram("SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy FROTHWICK_STATS=1 FROTHWICK_EXIT_AFTER_TICKS=50");
    EXPECT_EQ(r.code, 0) << r.output;
    EXPECT_NE(r.output.find("Update Count  = 50"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Draw Count"), std::string::npos) << r.output;
    EXPECT_TRUE(std::filesystem::exists(TestFolder() / "frothwick" / "settings"));
}

TEST_F(AppBaseSmokeTest, ASecondCopyLeavesAtOnceWithZero)
{
    const std::filesystem::path tmp = TestFolder();
    const std::string first =
        "env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=dummy XDG_CONFIG_HOME=" + tmp.string() +
        " XDG_RUNTIME_DIR=" + tmp.string() + " FROTHWICK_STATS=1 FROTHWICK_EXIT_AFTER_TICKS=300 timeout 20 " + Program().string() +
        " 2>&1";
    FILE* running = popen(first.c_str(), "r");
    ASSERT_NE(running, nullptr);
    // Wait until the first copy holds the lock (its notify socket exists).
    for (int i = 0; i < 200 && !std::filesystem::exists(tmp / "FrothwickNotify"); ++i)
    {
        usleep(10000);
    }
    Result second = RunProgram("SDL_VIDEODRIVER=dummy FROTHWICK_STATS=1 FROTHWICK_EXIT_AFTER_TICKS=300");
    std::string firstOutput;
    char buffer[512];
    while (fgets(buffer, sizeof(buffer), running))
    {
        firstOutput += buffer;
    }
    pclose(running);
    EXPECT_EQ(second.code, 0);
    EXPECT_EQ(second.output.find("Update Count"), std::string::npos) << "the second copy never ran";
    EXPECT_NE(firstOutput.find("Update Count  = 300"), std::string::npos) << firstOutput;
}

TEST_F(AppBaseSmokeTest, WithoutADisplayItSaysSoAndExitsWithOne)
{
    Result r = RunProgram("");
    EXPECT_EQ(r.code, 1) << r.output;
    EXPECT_NE(r.output.find("Failed to initialize the display: "), std::string::npos) << r.output;
}

TEST_F(AppBaseSmokeTest, AnUnknownSwitchIsRefusedWithZero)
{
    Result r = RunProgram("SDL_VIDEODRIVER=dummy FROTHWICK_STATS=1 FROTHWICK_EXIT_AFTER_TICKS=5", "-bogus");
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.output.find("Invalid Command Line Param: -bogus"), std::string::npos) << r.output;
    EXPECT_EQ(r.output.find("Update Count"), std::string::npos) << "it never ran";
}

} // namespace
