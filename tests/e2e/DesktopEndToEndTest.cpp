// The program as a desktop citizen, for real in Xvfb with jwm and xdotool:
// SIGTERM (a logout) saves the current player and the settings and ends the
// program at once with 0; and the program installed with `make install`'s
// rules into a scratch prefix, that prefix then made read-only, starts,
// reaches its main screen and keeps a player it creates in the user's
// folder. Every step waits for what it needs -- a line of the input trace, a
// settled part of the picture, a file -- never for a fixed time, so a slow
// (sanitizer) build only takes longer. Skipped, saying why, where Xvfb, jwm,
// xdotool or ImageMagick's import are missing, the X server cannot start, or
// a private mount namespace is refused; the install test also in sanitizer
// builds and builds without a data tree.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

class DesktopEndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const std::string why = WhyNot({"Xvfb", "jwm", "xdotool", "import"}, false); !why.empty())
            GTEST_SKIP() << "skipped: " << why;
        folder = FreshFolder("desktop");
        user = fs::path(std::getenv("XDG_DATA_HOME")) / "frothwick";
        config = fs::path(std::getenv("XDG_CONFIG_HOME")) / "frothwick";
        fs::remove_all(user);
        fs::remove_all(config);
        fs::remove_all(fs::path(std::getenv("XDG_CACHE_HOME")) / "frothwick");
        if (const std::string why = server.Start(folder, 1280, 1024, true); !why.empty())
            GTEST_SKIP() << "skipped: " << why;
    }

    void TearDown() override
    {
        E2e::Stop(program, 0ms);
        server.Stop();
    }

    std::string X(const std::string& command) { return server.Run(command); }

    // Starts args (the program, or a wrapper that execs it) in a window.
    void Start(const std::vector<std::string>& args)
    {
        fs::create_directories(config);
        std::ofstream(config / "settings") << "FROTHWICK-SETTINGS 1\n4\tScreenMode\t0\n";
        log = folder / "frothwick.log";
        std::vector<std::string> environment = server.ProgramEnvironment();
        environment.insert(environment.end(), {"FROTHWICK_INPUT_TRACE=1", "FROTHWICK_EXIT_AFTER_TICKS=6000"});
        program = Spawn(args, environment, log.string());
        ASSERT_GT(program, 0);
    }

    bool LogHas(const std::string& text, std::chrono::milliseconds limit = 30s)
    {
        return WaitFor([&] { return ReadFile(log).find(text) != std::string::npos; }, limit);
    }

    std::string Window() { return server.FindWindow("^Frothwick - "); }
    std::string Region(int x, int y) { return server.Region(Window(), x, y); }
    bool Settled(int x, int y) { return server.Settled(Window(), x, y, 30s); }
    size_t Count(const std::string& text) { return E2e::Count(ReadFile(log), text); }

    // Clicks (x, y) of the game's picture until the program has seen it.
    void Click(int x, int y)
    {
        const std::string release = "trace: release " + std::to_string(x) + "," + std::to_string(y);
        const size_t before = Count(release);
        for (int attempt = 0; attempt < 20; ++attempt)
        {
            server.Click(Window(), x, y);
            if (WaitFor([&] { return Count(release) > before; }, 1s))
            {
                return;
            }
        }
        ADD_FAILURE() << "the click at " << x << "," << y << " never arrived\n" << ReadFile(log);
    }

    // From the main screen: NEW PLAYER, the name, CREATE; the file appears.
    void CreatePlayer(const std::string& name)
    {
        ASSERT_TRUE(LogHas("Main Screen Time")) << ReadFile(log);
        X("xdotool windowactivate --sync " + Window());
        ASSERT_TRUE(Settled(508, 465)) << "the player selector never settled"; // it fades in
        const std::string create = Region(344, 330);
        Click(508, 465); // NEW PLAYER
        WaitFor([&] { return Region(344, 330) != create; }, 5s);
        ASSERT_TRUE(Settled(344, 330)) << "the new player dialog never settled"; // it grows in
        const size_t typed = Count("trace: char ");
        X("xdotool type --delay 60 " + name);
        ASSERT_TRUE(WaitFor([&] { return Count("trace: char ") >= typed + name.size(); })) << ReadFile(log);
        Click(344, 330); // CREATE
        ASSERT_TRUE(WaitFor([&] { return fs::exists(user / "data" / "usr.dat"); }))
            << "creating a player writes the profile file in the user's folder\n"
            << ReadFile(log);
    }

    // Waits for the program to end; its exit code, or -1.
    int Ended(std::chrono::milliseconds limit)
    {
        const Exit exit = WaitExit(program, limit);
        return exit.ended && exit.signal == 0 ? exit.code : -1;
    }

    fs::path folder, user, config, log;
    XServer server;
    pid_t program = -1;
};

TEST_F(DesktopEndToEndTest, SigtermSavesTheCurrentPlayerAndTheSettingsAndEndsWithinASecond)
{
    // Its own copy of the data tree (a sanitizer build has none beside it).
    TestSupport::ProgramTree tree(FROTHWICK_PROGRAM, "tree");
    // A stored player and a fragment a full rewrite drops.
    fs::create_directories(user / "data");
    std::string stored(296, '\0');
    stored.replace(0, 3, "Bea");
    std::ofstream(user / "data" / "usr.dat", std::ios::binary) << stored << std::string(100, 'x');
    Start({tree.Program().string()});
    ASSERT_TRUE(LogHas("Main Screen Time")) << ReadFile(log);
    X("xdotool windowactivate --sync " + Window());
    // START with Bea, once the selector has faded in; a menu still coming in
    // may take no click although it looks in place, so again until the game
    // marks itself running.
    auto running = [&] { return ReadFile(config / "settings").find("InProgress\t1") != std::string::npos; };
    bool started = false;
    for (int attempt = 0; attempt < 5 && !started; ++attempt)
    {
        EXPECT_TRUE(Settled(383, 465)) << "the player selector never settled";
        Click(383, 465);
        started = WaitFor(running, 5s);
    }
    ASSERT_TRUE(started) << ReadFile(log);

    const auto sent = std::chrono::steady_clock::now();
    ASSERT_EQ(kill(program, SIGTERM), 0);
    // A sanitizer build adds its leak check at exit: it may take longer, the
    // quit itself is the same.
    const auto limit = FROTHWICK_SANITIZED ? std::chrono::milliseconds(5000) : std::chrono::milliseconds(1000);
    EXPECT_EQ(Ended(limit + 2s), 0) << ReadFile(log);
    EXPECT_LT(std::chrono::steady_clock::now() - sent, limit) << "no exit dialog, no fade";
    EXPECT_EQ(ReadFile(user / "data" / "usr.dat"), stored) << "rewritten with the current player: the fragment is gone";
    const std::string settings = ReadFile(config / "settings");
    EXPECT_NE(settings.find("InProgress\t0"), std::string::npos) << "a clean exit\n" << settings;
    EXPECT_NE(settings.find("Leave\t"), std::string::npos) << settings;
}

TEST_F(DesktopEndToEndTest, InstalledIntoAReadOnlyPrefixItStartsAndKeepsPlayersInTheUserFolder)
{
    if (FROTHWICK_SANITIZED)
    {
        GTEST_SKIP() << "skipped: a sanitizer build installs its own instrumented program without a data tree; "
                        "the normal build runs this test";
    }
    if (!FROTHWICK_HAS_GAMEDATA)
    {
        GTEST_SKIP() << "skipped: this build generates no data tree to install (FROTHWICK_GAMEDATA=OFF)";
    }
    const fs::path stage = folder / "stage";
    const fs::path prefix = stage / "usr" / "local";
    const std::string install = "DESTDIR=" + stage.string() + " cmake -DCMAKE_INSTALL_PREFIX=/usr/local -P " +
                                FROTHWICK_BUILD_DIR + "/dist/cmake_install.cmake >" +
                                (folder / "install.log").string() + " 2>&1";
    ASSERT_EQ(std::system(install.c_str()), 0) << ReadFile(folder / "install.log");
    for (const char* file :
         {"bin/frothwick", "share/frothwick/properties/resources.xml", "share/frothwick/images/splash.png",
          "share/applications/com.tamserygames.Frothwick.desktop",
          "share/icons/hicolor/16x16/apps/com.tamserygames.Frothwick.png",
          "share/icons/hicolor/256x256/apps/com.tamserygames.Frothwick.png",
          "share/metainfo/com.tamserygames.Frothwick.metainfo.xml"})
    {
        EXPECT_TRUE(fs::exists(prefix / file)) << file;
    }
    EXPECT_NE(ReadFile(prefix / "share/applications/com.tamserygames.Frothwick.desktop")
                  .find("Exec=\"/usr/local/bin/frothwick\""),
              std::string::npos);
    if (OnPath("appstreamcli"))
    {
        EXPECT_EQ(
            std::system(("appstreamcli validate --no-net " +
                         (prefix / "share/metainfo/com.tamserygames.Frothwick.metainfo.xml").string() + " >/dev/null")
                            .c_str()),
            0);
    }

    const std::string probe = "unshare -m sh -c 'mount --make-rprivate / && mount --bind " + prefix.string() + " " +
                              prefix.string() + " && mount -o remount,bind,ro " + prefix.string() + " " +
                              prefix.string() + " && ! touch " + (prefix / "probe").string() + "' 2>/dev/null";
    if (std::system(probe.c_str()) != 0)
    {
        GTEST_SKIP() << "skipped: a read-only bind mount in a private mount namespace (unshare -m) is not allowed here";
    }
    Start({"unshare", "-m", "sh", "-c",
           "mount --make-rprivate / && mount --bind '" + prefix.string() + "' '" + prefix.string() +
               "' && mount -o remount,bind,ro '" + prefix.string() + "' '" + prefix.string() + "' && exec '" +
               (prefix / "bin" / "frothwick").string() + "'"});
    CreatePlayer("Ada");
    EXPECT_EQ(fs::file_size(user / "data" / "usr.dat"), 296u);
    ASSERT_EQ(kill(program, SIGTERM), 0);
    EXPECT_EQ(Ended(3s), 0) << ReadFile(log);
    EXPECT_EQ(ReadFile(log).find("could not save"), std::string::npos) << ReadFile(log);
    EXPECT_FALSE(fs::exists(prefix / "share/frothwick/data/usr.dat")) << "nothing written below the program";
    EXPECT_FALSE(fs::exists(prefix / "share/frothwick/cached"));
    EXPECT_TRUE(fs::is_directory(fs::path(std::getenv("XDG_CACHE_HOME")) / "frothwick" / "cached"))
        << "decoded sounds go to the user's cache folder";
}

} // namespace

namespace
{

struct Outcome
{
    int code = -1;
    std::string out;
};

Outcome Command(const std::string& command)
{
    Outcome r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
    {
        return r;
    }
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe))
    {
        r.out += buffer;
    }
    const int status = pclose(pipe);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

} // namespace

// No display is needed for these: they are answered before anything starts,
// and a start whose display fails leaves no trace in the user's folders.
TEST(ProgramCommandLineTest, HelpAndVersionAnswerFirstAndAFailedStartWritesNothing)
{
    const fs::path home = TestSupport::TestTempDir("home");
    fs::remove_all(home);
    fs::create_directories(home);
    const std::string env =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_CONFIG_HOME=" + (home / "c").string() +
        " XDG_DATA_HOME=" + (home / "d").string() + " XDG_CACHE_HOME=" + (home / "k").string() +
        " XDG_RUNTIME_DIR=" + home.string() + " ";
    const Outcome version = Command(env + FROTHWICK_PROGRAM + " --version 2>&1");
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "Frothwick 1.00\n");
    const Outcome help = Command(env + FROTHWICK_PROGRAM + " --help 2>/dev/null");
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out.rfind("Usage: frothwick", 0), 0u) << help.out;
    for (const std::string& text :
         {std::string("FROTHWICK_STATS"), (home / "d" / "frothwick" / "data" / "usr.dat").string(),
          (home / "c" / "frothwick" / "settings").string()})
    {
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
    }
    EXPECT_TRUE(fs::is_empty(home)) << "no lock, no settings, no folders";

    const Outcome refused = Command(env + FROTHWICK_PROGRAM + " 2>&1");
    EXPECT_EQ(refused.code, 1) << refused.out;
    EXPECT_NE(refused.out.find("Failed to initialize the display: "), std::string::npos);
    EXPECT_FALSE(fs::exists(home / "c")) << "a start without a display writes no settings";
    EXPECT_FALSE(fs::exists(home / "d"));
}
