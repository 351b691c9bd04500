// The real program with every save failing. A file size limit of nothing
// (RLIMIT_FSIZE 0 with SIGXFSZ ignored, so a write fails with "File too
// large" instead of killing) and a read-only mount of the user's folders (a
// private mount namespace; skipped, saying why, where that is refused): the
// program starts, runs and ends in order with its old files whole and no
// temporary left behind, also after a quit (SIGTERM) at the main screen
// whose saves fail. In a window (Xvfb) the quit save of the chosen
// player fails: the game says so in a box, and once it is answered ends in
// order with the old players' file.
//
// The program's output goes through a FIFO to a reader without the limit,
// so the log itself is not refused.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "E2eFixture.h"
#include "E2eSupport.h"
#include "support/ProgramTree.h"
#include "support/TestTemp.h"

namespace
{

namespace fs = std::filesystem;
using namespace E2e;

constexpr const char* OldSettings = "FROTHWICK-SETTINGS 1\n4\tScreenMode\t0\n4\tPreferredX\t0\n4\tPreferredY\t0\n";

class SaveFailureEndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const std::string why = WhyNot({}, true); !why.empty())
            GTEST_SKIP() << why;
        folder = TestSupport::TestTempDir("fail");
        fs::remove_all(folder);
        home = folder / "home";
        fs::create_directories(home / "config" / "frothwick");
        fs::create_directories(home / "data" / "frothwick" / "data");
        fs::create_directories(home / "cache");
        fs::create_directories(folder / "run");
        fs::permissions(folder / "run", fs::perms::owner_all);
        WriteFile(Settings(), OldSettings);
        oldPlayers = std::string(296, '\0');
        oldPlayers.replace(0, 3, "Bea");
        oldPlayers += std::string(100, 'x'); // a fragment a successful rewrite would drop
        WriteFile(Players(), oldPlayers);
        tree = std::make_unique<TestSupport::ProgramTree>(FROTHWICK_PROGRAM, "fail/tree");
    }

    void TearDown() override
    {
        E2e::Stop(program, 0ms);
        E2e::Stop(reader, 0ms);
        server.Stop();
    }

    fs::path Settings() const { return home / "config" / "frothwick" / "settings"; }
    fs::path Players() const { return home / "data" / "frothwick" / "data" / "usr.dat"; }

    std::vector<std::string> Environment(const std::vector<std::string>& display, int ticks) const
    {
        std::vector<std::string> environment = display;
        environment.insert(environment.end(),
                           {"XDG_CONFIG_HOME=" + (home / "config").string(),
                            "XDG_DATA_HOME=" + (home / "data").string(), "XDG_CACHE_HOME=" + (home / "cache").string(),
                            "XDG_RUNTIME_DIR=" + (folder / "run").string(), "FROTHWICK_INPUT_TRACE=1",
                            "FROTHWICK_EXIT_AFTER_TICKS=" + std::to_string(ticks)});
        return environment;
    }

    // The program with a file size limit of nothing (SIGXFSZ ignored); its
    // output goes through a FIFO, which the limit does not cover, and a
    // reader into the log.
    pid_t StartWithoutRoom(const std::vector<std::string>& environment)
    {
        log = Log(folder / "frothwick.log");
        const fs::path fifo = folder / "output";
        if (mkfifo(fifo.c_str(), 0600) != 0)
            return -1;
        reader = Spawn({"cat", fifo.string()}, {}, log.Path().string());
        SpawnOptions options;
        options.environment = environment;
        options.logFile = fifo.string();
        options.inChild = []
        {
            signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 0;
            setrlimit(RLIMIT_FSIZE, &limit);
        };
        return Spawn({tree->Program().string()}, options);
    }

    // Old files whole, no temporary anywhere below the user's folders.
    void ExpectOldFilesAndNoTemporaries()
    {
        EXPECT_EQ(ReadFile(Settings()), OldSettings);
        EXPECT_EQ(ReadFile(Players()), oldPlayers);
        for (const auto& entry : fs::recursive_directory_iterator(home))
        {
            EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
            if (entry.is_regular_file() && entry.path().string().find("/cache/") != std::string::npos)
            {
                EXPECT_GT(entry.file_size(), 0u) << "an empty cache file: " << entry.path();
            }
        }
    }

    fs::path folder;
    fs::path home;
    std::string oldPlayers;
    Log log;
    XServer server;
    pid_t program = -1;
    pid_t reader = -1;
    std::unique_ptr<TestSupport::ProgramTree> tree;
};

TEST_F(SaveFailureEndToEndTest, WithNoRoomForAnyFileTheProgramRunsAndEndsInOrderKeepingTheOldFiles)
{
    program = StartWithoutRoom(Environment({"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy"}, 6000));
    const Exit exit = QuitWhenLogged(program, log, "Main Screen Time", 60s);
    WaitExit(reader, 5s);
    EXPECT_TRUE(exit.ended && exit.code == 0) << Describe(exit) << "\n" << log.Text();
    EXPECT_NE(log.Text().find("Main Screen Time"), std::string::npos) << "it reached its main screen\n" << log.Text();
    ExpectOldFilesAndNoTemporaries();
}

TEST_F(SaveFailureEndToEndTest, InAReadOnlyMountOfTheUserFoldersTheProgramRunsAndEndsInOrderKeepingTheOldFiles)
{
    const std::string h = "'" + home.string() + "'";
    const std::string mount = "mount --make-rprivate / && mount --bind " + h + " " + h +
                              " && mount -o remount,bind,ro " + h + " " + h;
    if (std::system(("unshare -m sh -c \"" + mount + " && ! touch " + h + "/probe\" 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "skipped: a read-only bind mount in a private mount namespace (unshare -m) is not allowed here";
    log = Log(folder / "frothwick.log");
    program = Spawn({"unshare", "-m", "sh", "-c", mount + " && exec \"$0\"", tree->Program().string()},
                    Environment({"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy"}, 6000), log.Path().string());
    const Exit exit = QuitWhenLogged(program, log, "Main Screen Time", 60s);
    EXPECT_TRUE(exit.ended && exit.code == 0) << Describe(exit) << "\n" << log.Text();
    EXPECT_NE(log.Text().find("Main Screen Time"), std::string::npos) << log.Text();
    ExpectOldFilesAndNoTemporaries();
}

TEST_F(SaveFailureEndToEndTest, AFailedQuitSaveOfThePlayerIsSaidInABoxAndTheGameEndsWithTheOldFile)
{
    if (const std::string tool = MissingTool({"Xvfb", "xdotool", "xwininfo", "import"}); !tool.empty())
        GTEST_SKIP() << "skipped: " << tool << " is not installed (scripts/install-deps.sh installs it)";
    if (const std::string why = server.Start(folder / "x", 1024, 768, false); !why.empty())
        GTEST_SKIP() << "skipped: " << why;
    program = StartWithoutRoom(Environment(server.ProgramEnvironment(), 6000));
    ASSERT_TRUE(log.Has("Main Screen Time", 30s)) << log.Text();
    const std::string window = server.FindWindow("^Frothwick - ");
    // START with Bea. The settings cannot mark the game running, so the
    // selector's NEW PLAYER button going away tells that the click was
    // taken (a menu still coming in may take none).
    bool started = false;
    for (int attempt = 0; attempt < 5 && !started; ++attempt)
    {
        server.Settled(window, 383, 465);
        const std::string selector = server.Region(window, 508, 465);
        server.Click(window, 383, 465);
        started = WaitFor([&] { return server.Region(window, 508, 465) != selector; }, 3s);
    }
    ASSERT_TRUE(started) << log.Text();
    ASSERT_TRUE(server.Settled(window, 508, 465)) << "the main menu never came to rest";

    kill(program, SIGTERM);
    // The box, a window of its own captioned with the game's bare name (as
    // wide as its line of text, partly off the screen).
    std::string box;
    ASSERT_TRUE(WaitFor(
        [&]
        {
            const std::string windows = server.Run("xwininfo -root -tree");
            const size_t at = windows.find(" \"Frothwick\": ");
            const size_t start = windows.rfind("0x", at);
            box = at == std::string::npos || start == std::string::npos ? "" : windows.substr(start, at - start);
            return !box.empty();
        },
        10s))
        << "no box said the players could not be saved\n"
        << log.Text() << server.Run("xwininfo -root -tree");
    EXPECT_FALSE(WaitExit(program, 500ms).ended) << "the box waits for its answer";
    server.Run("xdotool windowfocus " + box + " key Return");
    const Exit exit = WaitExit(program, 10s);
    EXPECT_TRUE(exit.ended && exit.code == 0) << Describe(exit) << "\n" << log.Text();
    WaitExit(reader, 5s);
    ExpectOldFilesAndNoTemporaries();
}

} // namespace
