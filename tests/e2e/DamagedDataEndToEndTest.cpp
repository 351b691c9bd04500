// The real program (headless, until its main screen) on damaged copies of its data
// tree and of the user's folders: every kind of file it reads at start --
// the manifest, a font descriptor and its picture, pictures of each group,
// a sound, a song, the start-up picture, an avatar,
// usr.dat, game.dat, the settings and a cached sound -- cut at a few
// points, with a wrong start, empty, missing, a folder or a FIFO in its
// place. (The design script and the stage files are read only in play.)
// Each case ends with its message ("FATAL ERROR" and the resource manager's
// text, exit code 0) or runs to its main screen and ends in order; never by
// a signal or a time-out, and never with the player's files changed.
//
// The cases run in parallel child processes, each on its own tree of hard
// links to the generated data (a damaged file is replaced, never written
// through the link) and its own user folders.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
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

enum class Damage
{
    CutQuarter,
    CutHalf,
    CutEnd,
    WrongStart,
    Empty,
    Missing,
    Folder,
    Fifo,
};

const char* Name(Damage d)
{
    switch (d)
    {
    case Damage::CutQuarter: return "cut to a quarter";
    case Damage::CutHalf: return "cut to half";
    case Damage::CutEnd: return "without its last 16 bytes";
    case Damage::WrongStart: return "with a wrong start";
    case Damage::Empty: return "empty";
    case Damage::Missing: return "missing";
    case Damage::Folder: return "a folder";
    case Damage::Fifo: return "a FIFO";
    }
    return "?";
}

// Where the damaged file lies: the data tree beside the program, or the
// user's folders (relative to XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME).
enum class Place
{
    Tree,
    Data,
    Config,
    Cache,
};

struct Case
{
    Place place;
    std::string path;
    Damage damage;
    // "" : the program runs to its main screen and ends in order;
    // otherwise the text that follows "FATAL ERROR: ".
    std::string fatal;
};

// Replaces (never writes through) the file at path with its damaged self.
void Apply(const fs::path& path, Damage damage)
{
    const std::string bytes = ReadFile(path);
    std::error_code error;
    fs::remove(path, error);
    switch (damage)
    {
    case Damage::CutQuarter: WriteFile(path, bytes.substr(0, bytes.size() / 4)); break;
    case Damage::CutHalf: WriteFile(path, bytes.substr(0, bytes.size() / 2)); break;
    case Damage::CutEnd: WriteFile(path, bytes.substr(0, bytes.size() > 16 ? bytes.size() - 16 : 0)); break;
    case Damage::WrongStart: WriteFile(path, "XXXX" + (bytes.size() > 4 ? bytes.substr(4) : std::string())); break;
    case Damage::Empty: WriteFile(path, ""); break;
    case Damage::Missing: break;
    case Damage::Folder: fs::create_directories(path); break;
    case Damage::Fifo: mkfifo(path.c_str(), 0644); break;
    }
}

// A tree of hard links to the data tree (copies across file systems), with
// the program linked in beside it.
void LinkTree(const fs::path& from, const fs::path& to)
{
    for (auto it = fs::recursive_directory_iterator(from); it != fs::recursive_directory_iterator(); ++it)
    {
        const fs::path relative = fs::relative(it->path(), from);
        const std::string top = relative.begin()->string();
        // The programs beside the tree, the build's art sources and an
        // earlier run's cache are not data.
        const bool topFile = relative == relative.filename() && !it->is_directory();
        if (topFile || top == "cached" || top.rfind("assetgen", 0) == 0)
        {
            if (it->is_directory())
                it.disable_recursion_pending();
            continue;
        }
        if (it->is_directory())
            fs::create_directories(to / relative);
        else if (it->is_regular_file())
        {
            std::error_code error;
            fs::create_hard_link(it->path(), to / relative, error);
            if (error)
                fs::copy_file(it->path(), to / relative);
        }
    }
}

// A stored player whose avatar is the shipped cat, and a fragment after it.
std::string StoredPlayers()
{
    std::string record(296, '\0');
    record.replace(0, 3, "Bea");
    const std::string avatar = "images\\avatar\\cat.png";
    record.replace(20, avatar.size(), avatar);
    return record + std::string(100, 'x');
}

// High scores: each entry a name, the cat, a score.
std::string StoredRecords()
{
    std::string bytes(18720, '\0');
    for (size_t entry = 0; entry < 120; ++entry)
    {
        bytes.replace(entry * 156, 3, "Bea");
        const std::string avatar = "images\\avatar\\cat.png";
        bytes.replace(entry * 156 + 20, avatar.size(), avatar);
        bytes[entry * 156 + 148] = static_cast<char>(entry);
    }
    return bytes;
}

constexpr const char* StoredSettings = "FROTHWICK-SETTINGS 1\n4\tScreenMode\t0\n4\tMusicVolume\t50\n";

struct Result
{
    Exit exit;
    std::string output;
    std::string players;
    std::string records;
    bool playersWasFolder = false;
};

class DamagedDataEndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const std::string why = WhyNot({}, true); !why.empty())
            GTEST_SKIP() << why;
        folder = FreshFolder("damaged");
    }

    void TearDown() override
    {
        if (!HasFailure())
        {
            std::error_code error;
            fs::remove_all(folder, error);
        }
    }

    fs::path Home(size_t i) const { return folder / ("case" + std::to_string(i)); }
    static fs::path Tree(const fs::path& home) { return home / "tree"; }
    static fs::path Players(const fs::path& home) { return home / "data" / "frothwick" / "data" / "usr.dat"; }
    static fs::path Records(const fs::path& home) { return home / "data" / "frothwick" / "data" / "game.dat"; }

    // The data tree, the user's files and the sound cache of a good start.
    void Prepare(const fs::path& home, const fs::path& cache) const
    {
        LinkTree(TestSupport::DataTreeDir(), Tree(home));
        const fs::path program = Tree(home) / fs::path(FROTHWICK_PROGRAM).filename();
        std::error_code error;
        fs::create_hard_link(FROTHWICK_PROGRAM, program, error);
        if (error)
            fs::copy_file(FROTHWICK_PROGRAM, program);
        fs::create_directories(Players(home).parent_path());
        fs::create_directories(home / "config" / "frothwick");
        fs::create_directories(home / "run");
        fs::permissions(home / "run", fs::perms::owner_all);
        WriteFile(Players(home), StoredPlayers());
        WriteFile(Records(home), StoredRecords());
        WriteFile(home / "config" / "frothwick" / "settings", StoredSettings);
        if (!cache.empty() && fs::exists(cache))
            LinkTree(cache, home / "cache");
    }

    pid_t Start(const fs::path& home) const
    {
        return Spawn({(Tree(home) / fs::path(FROTHWICK_PROGRAM).filename()).string()},
                     {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy", "XDG_DATA_HOME=" + (home / "data").string(),
                      "XDG_CONFIG_HOME=" + (home / "config").string(), "XDG_CACHE_HOME=" + (home / "cache").string(),
                      "XDG_RUNTIME_DIR=" + (home / "run").string(), "FROTHWICK_STATS=1",
                      "FROTHWICK_EXIT_AFTER_TICKS=6000"},
                     (home / "output").string());
    }

    // Waits for the program's end; once it reports its main screen it is
    // asked to quit (SIGTERM), so a case takes only as long as its start.
    static Result Collect(const fs::path& home, pid_t& pid, std::chrono::milliseconds limit)
    {
        Result result;
        result.exit = QuitWhenLogged(pid, Log(home / "output"), "Main Screen Time", limit);
        E2e::Stop(pid, 0ms);
        result.output = ReadFile(home / "output");
        result.players = ReadFile(Players(home));
        result.playersWasFolder = fs::is_directory(Players(home));
        result.records = ReadFile(Records(home));
        return result;
    }

    fs::path folder;
};

// A sanitizer build starts the program about three times as slowly: there
// each file keeps only a cut and a FIFO in its place, the manifest all its
// cases (they end before anything loads); the readers' damaged bytes are
// fuzzed under the sanitizers anyway.
bool Kept(const Case& c)
{
    return !FROTHWICK_SANITIZED || c.damage == Damage::CutHalf || c.damage == Damage::Fifo ||
           c.path == "properties/resources.xml" || c.path == "fonts/default.txt";
}

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    const std::vector<Damage> all = {Damage::CutQuarter, Damage::CutHalf, Damage::CutEnd, Damage::WrongStart,
                                     Damage::Empty,      Damage::Missing, Damage::Folder};
    const std::vector<Damage> some = {Damage::CutHalf, Damage::WrongStart, Damage::Empty, Damage::Missing,
                                      Damage::Folder};
    // The manifest: its reader's message names the line and the file.
    for (Damage d : all)
        cases.push_back({Place::Tree, "properties/resources.xml", d, "properties/resources.xml"});
    // Files of the groups loaded at start: the manager's message.
    std::vector<Damage> orFifo = some;
    orFifo.push_back(Damage::Fifo);
    for (Damage d : orFifo)
    {
        if (d != Damage::Empty)
            cases.push_back({Place::Tree, "fonts/default.txt", d, "fonts/default.txt"});
        cases.push_back({Place::Tree, "fonts/kiloton9.png", d, "Failed to load font: fonts/kiloton9.txt"});
        cases.push_back({Place::Tree, "images/cursor/pointer.png", d, "Failed to load image: images/cursor/pointer.png"});
        cases.push_back({Place::Tree, "images/loader/screen.png", d, "Failed to load image: images/loader/screen.png"});
        cases.push_back({Place::Tree, "images/bubble/red.png", d, "Failed to load image: images/bubble/red.png"});
        cases.push_back({Place::Tree, "sounds/fire.ogg", d, "Failed to load sound: sounds/fire"});
    }
    // An empty descriptor is a font without layers, not an error.
    cases.push_back({Place::Tree, "fonts/default.txt", Damage::Empty, ""});
    // Read at start but not through the manager: the program goes on (the
    // song silent, the avatar only its frame, no start-up picture).
    for (Damage d : {Damage::CutHalf, Damage::Empty, Damage::Fifo})
        cases.push_back({Place::Tree, "music/mainscreen.ogg", d, ""});
    for (Damage d : {Damage::CutHalf, Damage::Folder, Damage::Fifo})
        cases.push_back({Place::Tree, "images/splash.png", d, ""});
    for (Damage d : {Damage::CutHalf, Damage::WrongStart, Damage::Empty, Damage::Folder, Damage::Fifo})
        cases.push_back({Place::Tree, "images/avatar/cat.png", d, ""});
    cases.push_back({Place::Tree, "properties/resources.xml", Damage::Fifo, "properties/resources.xml"});
    // The user's files: defaults, and the players' files left as they are.
    for (Damage d : some)
    {
        cases.push_back({Place::Data, "frothwick/data/usr.dat", d, ""});
        cases.push_back({Place::Data, "frothwick/data/game.dat", d, ""});
        cases.push_back({Place::Config, "frothwick/settings", d, ""});
        cases.push_back({Place::Cache, "frothwick/cached/sounds/fire.wav", d, ""});
    }
    cases.push_back({Place::Data, "frothwick/data/usr.dat", Damage::Fifo, ""});
    cases.push_back({Place::Data, "frothwick/data/game.dat", Damage::Fifo, ""});
    cases.push_back({Place::Config, "frothwick/settings", Damage::Fifo, ""});
    std::erase_if(cases, [](const Case& c) { return !Kept(c); });
    return cases;
}

std::string Describe(const Case& c)
{
    static const char* places[] = {"tree/", "data/", "config/", "cache/"};
    return std::string(places[int(c.place)]) + c.path + " " + Name(c.damage);
}

TEST_F(DamagedDataEndToEndTest, EveryDamagedFileGivesItsMessageOrItsFallbackNeverACrashAHangOrALostSave)
{
    // A good start first: it must reach its main screen, and its sound
    // cache is the one the cases start with.
    const fs::path good = folder / "good";
    Prepare(good, {});
    pid_t first = Start(good);
    const Result reference = Collect(good, first, 60s);
    ASSERT_TRUE(reference.exit.ended && reference.exit.code == 0) << E2e::Describe(reference.exit) << "\n"
                                                                   << reference.output;
    ASSERT_NE(reference.output.find("Main Screen Time"), std::string::npos) << reference.output;
    const fs::path cache = good / "cache";
    ASSERT_TRUE(fs::exists(cache / "frothwick" / "cached" / "sounds" / "fire.wav"));

    const std::vector<Case> cases = Cases();
    std::vector<Result> results(cases.size());
    std::atomic<size_t> next{0};
    std::vector<std::thread> workers;
    const unsigned parallel = 8; // mostly waiting: the start-up picture stays 1.6 s
    for (unsigned w = 0; w < parallel; ++w)
        workers.emplace_back(
            [&]
            {
                for (size_t i; (i = next++) < cases.size();)
                {
                    const Case& c = cases[i];
                    const fs::path home = Home(i);
                    Prepare(home, cache);
                    const fs::path base = c.place == Place::Tree     ? Tree(home)
                                          : c.place == Place::Data   ? home / "data"
                                          : c.place == Place::Config ? home / "config"
                                                                     : home / "cache";
                    Apply(base / c.path, c.damage);
                    pid_t pid = Start(home);
                    results[i] = Collect(home, pid, 60s);
                }
            });
    for (std::thread& worker : workers)
        worker.join();

    const std::string players = StoredPlayers();
    const std::string records = StoredRecords();
    for (size_t i = 0; i < cases.size(); ++i)
    {
        const Case& c = cases[i];
        const Result& r = results[i];
        SCOPED_TRACE(Describe(c));
        ASSERT_TRUE(r.exit.ended) << "hung\n" << r.output;
        EXPECT_EQ(r.exit.signal, 0) << E2e::Describe(r.exit) << "\n" << r.output;
        EXPECT_EQ(r.exit.code, 0) << r.output;
        if (c.fatal.empty())
        {
            EXPECT_EQ(r.output.find("FATAL ERROR"), std::string::npos) << r.output;
            EXPECT_NE(r.output.find("Main Screen Time"), std::string::npos) << r.output;
        }
        else
        {
            const size_t at = r.output.find("FATAL ERROR: ");
            EXPECT_NE(at, std::string::npos) << r.output;
            EXPECT_NE(r.output.find(c.fatal, at == std::string::npos ? 0 : at), std::string::npos) << r.output;
            EXPECT_EQ(r.output.find("Main Screen Time"), std::string::npos) << r.output;
        }
        // Nothing here saves the players or the records: a file the game
        // could not read stays as the damage left it.
        if (c.path.find("usr.dat") == std::string::npos)
        {
            EXPECT_EQ(r.players, players);
        }
        else if (c.damage == Damage::Folder)
        {
            EXPECT_TRUE(r.playersWasFolder);
        }
        if (c.path.find("game.dat") == std::string::npos)
        {
            EXPECT_EQ(r.records, records);
        }
    }
}

} // namespace
