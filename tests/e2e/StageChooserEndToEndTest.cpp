// The stage chooser of every world in the real game (Xvfb with jwm, xdotool):
// a player with every stage open in all four worlds picks QUEST, a world and
// stage 9 -- the lowest button of the chooser's first column -- and that
// stage starts; CHANGE MODE and QUEST lead back to the worlds for the next.
//
// The run works on its own copy of the program and data tree; its profile
// file is written into its own XDG_DATA_HOME before the start. The input
// trace tells which stage started. Skipped, with the reason, where Xvfb,
// jwm, xdotool or ImageMagick's import are missing, the X server cannot
// start, or there is no generated data tree.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "E2eFixture.h"
#include "E2eSupport.h"
#include "support/ProgramTree.h"

namespace
{

using namespace E2e;

// A profile record: name, avatar path, a spare word, then the stage reached
// in the air, fire, water and earth worlds (15: all sixteen open).
std::string EveryStageOpenProfile()
{
    std::string record(296, '\0');
    record.replace(0, 3, "Ada");
    const std::string avatar = "images\\avatar\\fox.png";
    record.replace(20, avatar.size(), avatar);
    for (size_t at = 280; at < 296; at += 4)
        record[at] = 15;
    return record;
}

struct World
{
    const char* name;
    int sphereX; // the sphere's centre on the screen
    int sphereY;
    int stageBase; // the id of the world's stage 1
};

constexpr std::array<World, 4> Worlds{{
    {"air", 129, 440, 10000},
    {"fire", 309, 490, 20000},
    {"water", 489, 490, 30000},
    {"earth", 669, 440, 40000},
}};

// Stage 9 in the chooser's first column, and the game screen's CHANGE MODE
// with its dialog's QUEST.
constexpr int Stage9X = 413;
constexpr int Stage9Y = 578;
constexpr int ChangeModeX = 677;
constexpr int ChangeModeY = 94;
constexpr int DialogQuestX = 311;
constexpr int DialogQuestY = 429;

class StageChooserEndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const std::string why = WhyNot({"Xvfb", "jwm", "xdotool", "import"}, true); !why.empty())
            GTEST_SKIP() << "end-to-end test skipped: " << why;
        folder = FreshFolder("e2e-stages");
        if (const std::string why = server.Start(folder, 1024, 768, true); !why.empty())
            GTEST_SKIP() << "end-to-end test skipped: " << why;
    }

    void TearDown() override
    {
        E2e::Stop(program);
        server.Stop();
    }

    std::string FindWindow() { return server.FindWindow(); }

    void StartGame()
    {
        tree = std::make_unique<TestSupport::ProgramTree>(FROTHWICK_PROGRAM, "e2e-stages/tree");
        const std::filesystem::path home = folder / "home";
        std::filesystem::create_directories(home / "config" / "frothwick");
        std::filesystem::create_directories(home / "data" / "frothwick" / "data");
        std::filesystem::create_directories(home / "cache");
        std::ofstream(home / "config" / "frothwick" / "settings") << "FROTHWICK-SETTINGS 1\n4\tScreenMode\t0\n";
        WriteFile(home / "data" / "frothwick" / "data" / "usr.dat", EveryStageOpenProfile());
        log = Log(home / "frothwick.log");
        std::vector<std::string> environment = server.ProgramEnvironment();
        environment.insert(environment.end(),
                           {"XDG_CONFIG_HOME=" + (home / "config").string(),
                            "XDG_DATA_HOME=" + (home / "data").string(), "XDG_CACHE_HOME=" + (home / "cache").string(),
                            "XDG_RUNTIME_DIR=" + folder.string(), "FROTHWICK_INPUT_TRACE=1",
                            "FROTHWICK_EXIT_AFTER_TICKS=12000"});
        program = Spawn({tree->Program().string()}, environment, log.Path().string());
        ASSERT_GT(program, 0);
        ASSERT_TRUE(log.Has("trace: window windowed 800x600", 30s)) << log.Text();
        ASSERT_TRUE(WaitFor([&] { return !(window = FindWindow()).empty(); })) << "no window\n" << log.Text();
        ASSERT_TRUE(log.Has("Main Screen Time", 30s)) << log.Text();
        server.Activate(window);
    }

    std::string Region(int x, int y) { return server.Region(window, x, y); }
    std::string Keep(const std::string& name) { return server.Screenshot(window, folder / (name + ".png")); }

    // Clicks (x, y) until done() holds (a panel still coming in may take no
    // click although it shows).
    bool ClickUntil(int x, int y, const std::function<bool()>& done, int attempts = 5)
    {
        for (int attempt = 0; attempt < attempts; ++attempt)
        {
            server.Click(window, x, y);
            if (WaitFor(done, 2s))
                return true;
        }
        return false;
    }

    // Clicks (x, y) until the picture around (checkX, checkY) changes.
    bool ClickUntilChanged(int x, int y, int checkX, int checkY)
    {
        const std::string before = Region(checkX, checkY);
        return ClickUntil(x, y, [&] { return Region(checkX, checkY) != before; });
    }

    std::filesystem::path folder;
    XServer server;
    Log log;
    std::string window;
    pid_t program = -1;
    std::unique_ptr<TestSupport::ProgramTree> tree;
};

TEST_F(StageChooserEndToEndTest, StageNineOfEveryWorldCanBeClickedAndStarts)
{
    ASSERT_NO_FATAL_FAILURE(StartGame());
    // START for the profile's player, then QUEST.
    ASSERT_TRUE(ClickUntilChanged(383, 465, 401, 444)) << "no main menu: " << Keep("start");
    bool fromGame = false;
    for (const World& world : Worlds)
    {
        SCOPED_TRACE(world.name);
        if (fromGame)
        {
            ASSERT_TRUE(ClickUntilChanged(ChangeModeX, ChangeModeY, DialogQuestX, DialogQuestY))
                << "no change-mode dialog: " << Keep(std::string("change-mode-") + world.name);
            // The menus take the place of the game's side panel.
            ASSERT_TRUE(ClickUntilChanged(DialogQuestX, DialogQuestY, ChangeModeX, ChangeModeY))
                << "no way back to the worlds: " << Keep(std::string("dialog-") + world.name);
        }
        else
        {
            // QUEST, until the main menu's panel (its title at (400, 390))
            // gives way: the spheres' places alone may change with the
            // background's rising bubbles.
            EXPECT_TRUE(server.Settled(window, 400, 390));
            ASSERT_TRUE(ClickUntilChanged(401, 444, 400, 390)) << "no world selection: " << Keep("quest");
        }
        // The sphere opens the chooser over the worlds.
        ASSERT_TRUE(ClickUntilChanged(world.sphereX, world.sphereY, Stage9X, Stage9Y))
            << "no stage chooser: " << Keep(std::string("worlds-") + world.name);

        const std::string started = "trace: stage start 101 " + std::to_string(world.stageBase + 8) + "\n";
        ASSERT_TRUE(ClickUntil(Stage9X, Stage9Y, [&] { return log.Count(started) > 0; }))
            << "stage 9 did not start: " << Keep(std::string("chooser-") + world.name) << "\n"
            << log.Text();
        fromGame = true;
    }
    EXPECT_EQ(log.Count("trace: stage start "), Worlds.size()) << "one stage per world, and only stage 9";
}

} // namespace
