// The real program killed (SIGKILL) during its quit save. A player is
// chosen in the player selector (Xvfb, xdotool), then SIGTERM asks the game
// to save the current player and the settings and end; a preloaded library
// (KillAtFileStep) kills it just before one write, fsync or rename of those
// saves: at every step of the first replace of each file and at the rename
// of every later one. A first run without a kill lists the steps and keeps
// every whole version the saves write. After every kill each file --
// usr.dat, the settings, game.dat (which the quit leaves alone) -- is byte
// for byte one of its whole versions, and the next start, with the killed
// save's temporary still lying there, runs and ends cleanly and removes it
// when it saves.
//
// Skipped, saying why, where Xvfb, xdotool or ImageMagick's import are
// missing, the X server cannot start, there is no data tree, or in a
// sanitizer build (its runtime must come first among the loaded libraries,
// and what is checked here is on disk, not in memory: the normal build runs
// it).
#include <gtest/gtest.h>

#include <signal.h>

#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "E2eFixture.h"
#include "E2eSupport.h"
#include "support/ProgramTree.h"
#include "support/TestTemp.h"

namespace
{

namespace fs = std::filesystem;
using namespace E2e;

struct Step
{
    int number = 0;
    std::string kind; // write, fsync, rename
    std::string path;
};

// Kill runs at once, each with an X server of its own.
constexpr int Workers = 3;

// The settings keep the time of the last quit in seconds ("Leave"): runs a
// second apart differ there and nowhere else.
std::string WithoutLeaveTime(const std::string& settings)
{
    return std::regex_replace(settings, std::regex("\tLeave\t[0-9]+\n"), "\tLeave\t*\n");
}

// One kill's outcome, checked on the test's thread.
struct Outcome
{
    Step step;
    std::string failure; // the run itself went wrong
    Exit killed;
    std::string oldPlayers, oldSettings, players, settings, records;
    Exit restart;
    std::string restartLog;
    std::string playersAfterRestart;
    bool settingsTemporaryLeft = false;
    size_t temporaries = 0;
    std::string log;
};

class QuitSaveEndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (FROTHWICK_SANITIZED)
            GTEST_SKIP() << "skipped in a sanitizer build: the preloaded library cannot come before its runtime; "
                            "the normal build runs this test";
        if (const std::string why = WhyNot({"Xvfb", "xdotool", "import"}, true); !why.empty())
            GTEST_SKIP() << "skipped: " << why;
        folder = FreshFolder("quit");
        for (int i = 0; i < Workers; ++i)
        {
            servers.push_back(std::make_unique<XServer>());
            if (const std::string why = servers.back()->Start(folder / ("x" + std::to_string(i)), 1024, 768, false);
                !why.empty())
                GTEST_SKIP() << "skipped: " << why;
        }
        tree = std::make_unique<TestSupport::ProgramTree>(FROTHWICK_PROGRAM, "quit/tree");
    }

    void TearDown() override { servers.clear(); }

    // A player's folders as a stored player "Bea" left them: her record and
    // a fragment after it (which the rewrite on quitting drops).
    static void Prepare(const fs::path& home)
    {
        fs::create_directories(home / "config" / "frothwick");
        fs::create_directories(home / "data" / "frothwick" / "data");
        fs::create_directories(home / "run");
        fs::create_directories(home / "steps");
        fs::permissions(home / "run", fs::perms::owner_all);
        WriteFile(Settings(home), "FROTHWICK-SETTINGS 1\n4\tScreenMode\t0\n4\tPreferredX\t0\n4\tPreferredY\t0\n");
        std::string stored(296, '\0');
        stored.replace(0, 3, "Bea");
        WriteFile(Players(home), stored + std::string(100, 'x'));
        WriteFile(Records(home), StoredRecords());
    }

    // High scores of Bea's (the quit leaves them alone).
    static std::string StoredRecords()
    {
        std::string bytes(18720, '\0');
        for (size_t entry = 0; entry < 120; ++entry)
            bytes.replace(entry * 156, 3, "Bea");
        return bytes;
    }

    static fs::path Settings(const fs::path& home) { return home / "config" / "frothwick" / "settings"; }
    static fs::path Players(const fs::path& home) { return home / "data" / "frothwick" / "data" / "usr.dat"; }
    static fs::path Records(const fs::path& home) { return home / "data" / "frothwick" / "data" / "game.dat"; }

    // In an X server, or headless (server null) for a short run of ticks.
    std::vector<std::string> Environment(const fs::path& home, const XServer* server) const
    {
        std::vector<std::string> environment = server != nullptr
                                                   ? server->ProgramEnvironment()
                                                   : std::vector<std::string>{"SDL_VIDEODRIVER=dummy",
                                                                              "SDL_AUDIODRIVER=dummy"};
        environment.insert(environment.end(),
                           {"XDG_CONFIG_HOME=" + (home / "config").string(),
                            "XDG_DATA_HOME=" + (home / "data").string(),
                            "XDG_CACHE_HOME=" + (folder / "cache").string(), // decoded by the first run
                            "XDG_RUNTIME_DIR=" + (home / "run").string(), "FROTHWICK_INPUT_TRACE=1",
                            std::string("FROTHWICK_EXIT_AFTER_TICKS=") + (server != nullptr ? "6000" : "50")});
        return environment;
    }

    // Starts the game in home under the step library, chooses Bea, and asks
    // it to quit with SIGTERM once the library is armed (killed before step
    // killAt, 0: not at all).
    Outcome QuitWithKillAt(const XServer& server, const fs::path& home, int killAt) const
    {
        Outcome outcome;
        Prepare(home);
        std::vector<std::string> environment = Environment(home, &server);
        environment.insert(environment.end(),
                           {"LD_PRELOAD=" + std::string(KILLSTEP_LIBRARY), "KILLSTEP_ROOT=" + home.string(),
                            "KILLSTEP_ARM=" + (home / "arm").string(), "KILLSTEP_AT=" + std::to_string(killAt),
                            "KILLSTEP_LOG=" + (home / "steps" / "log").string()});
        const Log log(home / "frothwick.log");
        pid_t program = Spawn({tree->Program().string()}, environment, log.Path().string());
        auto fail = [&](const std::string& why)
        {
            E2e::Stop(program, 0ms);
            outcome.failure = why;
            outcome.log = log.Text();
            return outcome;
        };
        if (program <= 0)
            return fail("could not start the program");
        if (!log.Has("Main Screen Time", 30s))
            return fail("no main screen");
        const std::string window = server.FindWindow("^Frothwick - ");
        // START with Bea once the selector has faded in; a menu still coming
        // in may take no click, so again until the game marks itself running.
        auto running = [&] { return ReadFile(Settings(home)).find("InProgress\t1") != std::string::npos; };
        bool started = false;
        for (int attempt = 0; attempt < 5 && !started; ++attempt)
        {
            server.Settled(window, 383, 465);
            server.Click(window, 383, 465);
            started = WaitFor(running, 5s);
        }
        if (!started)
            return fail("Bea was never chosen");
        outcome.oldSettings = ReadFile(Settings(home));
        outcome.oldPlayers = ReadFile(Players(home));
        WriteFile(home / "arm", "");
        kill(program, SIGTERM);
        outcome.killed = WaitExit(program, 15s);
        E2e::Stop(program, 0ms);
        outcome.players = ReadFile(Players(home));
        outcome.settings = ReadFile(Settings(home));
        outcome.records = ReadFile(Records(home));
        outcome.log = log.Text();
        return outcome;
    }

    // The next start, headless and without the library.
    void StartAgain(const fs::path& home, Outcome& outcome) const
    {
        const Log again(home / "again.log");
        pid_t next = Spawn({tree->Program().string()}, Environment(home, nullptr), again.Path().string());
        outcome.restart = WaitExit(next, 30s);
        E2e::Stop(next, 0ms);
        outcome.restartLog = again.Text();
        outcome.playersAfterRestart = ReadFile(Players(home));
        outcome.settingsTemporaryLeft = fs::exists(Settings(home).string() + ".tmp");
        for (const auto& entry : fs::recursive_directory_iterator(home))
            outcome.temporaries += entry.path().extension() == ".tmp" ? 1 : 0;
    }

    static std::vector<Step> Steps(const fs::path& home)
    {
        std::vector<Step> steps;
        std::istringstream lines(ReadFile(home / "steps" / "log"));
        for (std::string line; std::getline(lines, line);)
        {
            Step step;
            std::istringstream fields(line);
            fields >> step.number >> step.kind;
            std::getline(fields >> std::ws, step.path);
            steps.push_back(step);
        }
        return steps;
    }

    std::vector<std::unique_ptr<XServer>> servers;
    fs::path folder;
    std::unique_ptr<TestSupport::ProgramTree> tree;
};

TEST_F(QuitSaveEndToEndTest, AKillAtEveryStepOfTheQuitSaveLeavesEachFileWholeAndTheNextStartClean)
{
    // The run without a kill: its steps and the whole versions it wrote.
    const fs::path reference = folder / "reference";
    const Outcome clean = QuitWithKillAt(*servers[0], reference, 0);
    ASSERT_EQ(clean.failure, "") << clean.log;
    ASSERT_TRUE(clean.killed.ended && clean.killed.code == 0) << Describe(clean.killed) << "\n" << clean.log;
    const std::vector<Step> steps = Steps(reference);
    std::map<std::string, std::set<std::string>> versions; // file name: its whole versions
    std::set<std::string> kinds;
    // The steps form replaces, each ending with the folder's fsync after its
    // rename. Kills: at every step of a file's first replace, at the rename
    // of every later one.
    std::vector<Step> chosen;
    std::vector<Step> replace;
    for (const Step& step : steps)
    {
        kinds.insert(step.kind);
        replace.push_back(step);
        const bool ends = step.kind == "fsync" && replace.size() >= 2 && replace[replace.size() - 2].kind == "rename";
        if (!ends)
            continue;
        const Step& rename = replace[replace.size() - 2];
        const std::string file = fs::path(rename.path).filename().string();
        const bool first = !versions.count(file);
        std::string bytes = ReadFile(reference / "steps" / ("version-" + std::to_string(rename.number)));
        versions[file].insert(file == "settings" ? WithoutLeaveTime(bytes) : bytes);
        if (first)
            chosen.insert(chosen.end(), replace.begin(), replace.end());
        else
            chosen.push_back(rename);
        replace.clear();
    }
    const std::string stepLog = ReadFile(reference / "steps" / "log");
    ASSERT_EQ(versions.count("usr.dat"), 1u) << "the quit saves the current player\n" << stepLog;
    ASSERT_EQ(versions.count("settings"), 1u) << "the quit saves the settings\n" << stepLog;
    EXPECT_EQ(kinds, (std::set<std::string>{"fsync", "rename", "write"}));
    EXPECT_EQ(clean.players.substr(0, 4), std::string("Bea\0", 4));
    EXPECT_EQ(clean.players.size(), 296u) << "the fragment is gone";
    EXPECT_TRUE(replace.empty()) << "a replace without its end\n" << stepLog;

    // The kills, a few at once.
    std::vector<Outcome> outcomes(chosen.size());
    std::atomic<size_t> next{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < Workers; ++w)
        workers.emplace_back(
            [&, w]
            {
                for (size_t i; (i = next++) < chosen.size();)
                {
                    const fs::path home = folder / ("kill" + std::to_string(chosen[i].number));
                    outcomes[i] = QuitWithKillAt(*servers[size_t(w)], home, chosen[i].number);
                    outcomes[i].step = chosen[i];
                    if (outcomes[i].failure.empty())
                        StartAgain(home, outcomes[i]);
                }
            });
    for (std::thread& worker : workers)
        worker.join();

    for (const Outcome& o : outcomes)
    {
        SCOPED_TRACE("killed before step " + std::to_string(o.step.number) + ": " + o.step.kind + " " + o.step.path);
        ASSERT_EQ(o.failure, "") << o.log;
        EXPECT_TRUE(o.killed.ended && o.killed.signal == SIGKILL) << Describe(o.killed) << "\n" << o.log;
        std::set<std::string> players = versions["usr.dat"];
        players.insert(o.oldPlayers);
        std::set<std::string> settings = versions["settings"];
        settings.insert(WithoutLeaveTime(o.oldSettings));
        EXPECT_TRUE(players.count(o.players)) << "usr.dat is neither the old nor a new version (" << o.players.size()
                                              << " bytes)";
        EXPECT_TRUE(settings.count(WithoutLeaveTime(o.settings)))
            << "the settings are neither the old nor a new version:\n"
            << o.settings;

        EXPECT_EQ(o.records, StoredRecords()) << "game.dat is not the one of before";

        // The next start: the killed save's temporary disturbs nothing, the
        // start's own settings save removes its one.
        EXPECT_TRUE(o.restart.ended && o.restart.code == 0) << Describe(o.restart) << "\n" << o.restartLog;
        EXPECT_EQ(o.restartLog.find("could not save"), std::string::npos) << o.restartLog;
        EXPECT_EQ(o.playersAfterRestart, o.players) << "the next start leaves the players as they are";
        EXPECT_FALSE(o.settingsTemporaryLeft);
        EXPECT_LE(o.temporaries, 1u) << "at most the players' temporary, until their next save";
    }
    EXPECT_EQ(clean.records, StoredRecords()) << "the quit leaves the high scores alone";
}

} // namespace
