// A newcomer plays the real game in a real X server (Xvfb with jwm), driven
// by xdotool: an arcade game on easy, fired straight up by single clicks
// 1.2 s apart until the stage is over (a new game through CHANGE MODE while
// a stage ends with no points), with the closing banner on screen and the
// records file holding the traced score in table 0, place 0, and nothing
// else; a quest game from the stage chooser (its stage tip and barrier row
// on screen, a shot landing); a time-attack game on expert pushed down
// first after 8 s (row 9 filled on screen).
//
// Each run works on its own copy of the program and data tree with user
// folders of its own; the input trace tells the stages' starts and ends.
// Skipped, with the reason, where Xvfb, jwm, xdotool or ImageMagick's
// import are missing, the X server cannot start, or there is no data tree.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "framework/graphics/ImageLoader.h"
#include "support/ProgramTree.h"

namespace
{

using namespace std::chrono_literals;

bool OnPath(const std::string& program)
{
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& environment,
            const std::string& logFile, int keepFd = -1)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    for (const std::string& e : environment)
    {
        if (e[0] == '-')
            unsetenv(e.c_str() + 1);
        else
        {
            const size_t eq = e.find('=');
            setenv(e.substr(0, eq).c_str(), e.substr(eq + 1).c_str(), 1);
        }
    }
    const int log = open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (log >= 0)
    {
        dup2(log, 1);
        dup2(log, 2);
    }
    for (int fd = 3; fd < 256; ++fd)
        if (fd != keepFd)
            close(fd);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

void Stop(pid_t& pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i)
    {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
        {
            pid = -1;
            return;
        }
        std::this_thread::sleep_for(20ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 15s)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end)
    {
        if (done())
            return true;
        std::this_thread::sleep_for(50ms);
    }
    return done();
}

bool Near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

// The board's layout: the field at (15, 37), cells of 31 pixels from 5
// pixels in, odd rows half a cell to the right; the shooter's centre.
constexpr int FieldX = 15;
constexpr int FieldY = 37;
constexpr int Columns = 16;
constexpr int ShooterCentreX = FieldX + 250 + 15;
constexpr int ShooterCentreY = FieldY + 490 + 15;
// Straight up: a press 100 pixels below the field's top, above the shooter.
constexpr int AimX = FieldX + 265;
constexpr int AimY = FieldY + 100;
constexpr int ColourTolerance = 6;

int CellCentreX(int row, int column)
{
    return FieldX + 5 + column * 31 + (row % 2 == 1 ? 15 : 0) + 15;
}
int CellCentreY(int row)
{
    return FieldY + row * 31 + 15;
}

// A screenshot as 0xRRGGBB words; 0xFFFFFFFF outside.
struct Shot
{
    std::unique_ptr<Framework::ImageLoader::LoadedImage> image;
    uint32_t At(int x, int y) const
    {
        if (!image || x < 0 || y < 0 || x >= image->width || y >= image->height)
            return 0xFFFFFFFFu;
        return image->pixels[size_t(y * image->width + x)] & 0xFFFFFFu;
    }
};

// A picture of the data tree.
std::unique_ptr<Framework::ImageLoader::LoadedImage> Art(const std::string& path)
{
    return Framework::ImageLoader::LoadImageFile((TestSupport::DataTreeDir() / "images" / path).string(), false);
}

struct StageOver
{
    bool won = false;
    int score = -1;
    int rank = -2;
};

class GameEndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* tool : {"Xvfb", "jwm", "xdotool", "import"})
            if (!OnPath(tool))
                GTEST_SKIP() << "end-to-end test skipped: " << tool
                             << " is not installed (scripts/install-deps.sh installs it)";
        if (!std::filesystem::exists(TestSupport::DataTreeDir() / "properties" / "resources.xml"))
            GTEST_SKIP() << "no data tree in " << TestSupport::DataTreeDir();
        folder = TestSupport::TestTempDir("e2e-game");
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        static const std::array<const char*, 6> names = {"red", "yellow", "blue", "green", "aqua", "fuchsia"};
        for (size_t i = 0; i < names.size(); ++i)
        {
            const auto art = Art(std::string("bubble/") + names[i] + ".png");
            ASSERT_TRUE(art && art->width == 31 && art->height == 31) << names[i];
            bubbleCentres[i + 1] = art->pixels[size_t(15 * 31 + 15)] & 0xFFFFFFu;
        }

        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        xvfb = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
                     {}, (folder / "xvfb.log").string(), fds[1]);
        close(fds[1]);
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        char c = 0;
        while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (number.empty())
            GTEST_SKIP() << "end-to-end test skipped: Xvfb could not start: " << ReadFile(folder / "xvfb.log");
        display = ":" + number;
        wm = Spawn({"jwm"}, {"DISPLAY=" + display}, (folder / "jwm.log").string());
        ASSERT_TRUE(WaitFor([&] { return !X("xdotool get_num_desktops").empty(); }, 10s))
            << "jwm did not start: " << ReadFile(folder / "jwm.log");
    }

    void TearDown() override
    {
        Stop(program);
        Stop(wm);
        Stop(xvfb);
    }

    std::string X(const std::string& command)
    {
        std::string output;
        FILE* pipe = popen(("DISPLAY=" + display + " timeout 20 " + command + " 2>/dev/null").c_str(), "r");
        if (!pipe)
            return output;
        char buffer[256];
        while (fgets(buffer, sizeof(buffer), pipe))
            output += buffer;
        pclose(pipe);
        return output;
    }

    std::string FindWindow()
    {
        std::istringstream ids(X("xdotool search --onlyvisible --name '^Frothwick( - .*)?$'"));
        for (std::string id; std::getline(ids, id);)
            if (X("xdotool getwindowgeometry --shell " + id).find("WIDTH=800\n") != std::string::npos)
                return id;
        return "";
    }

    // A fresh copy of the game (windowed, with sound through the dummy
    // driver) with the traces; waits for its main screen.
    void StartProgram(uint64_t seed)
    {
        Stop(program);
        const std::string run = "run" + std::to_string(++runs);
        tree = std::make_unique<TestSupport::ProgramTree>(FROTHWICK_PROGRAM, "e2e-game/" + run + "/tree");
        home = folder / run;
        std::filesystem::create_directories(home / "config" / "frothwick");
        std::filesystem::create_directories(home / "data");
        std::filesystem::create_directories(home / "cache");
        std::ofstream(home / "config" / "frothwick" / "settings") << "FROTHWICK-SETTINGS 1\n4\tScreenMode\t0\n";
        log = home / "frothwick.log";
        program = Spawn({tree->Program().string()},
                        {"DISPLAY=" + display, "-SDL_VIDEODRIVER", "-WAYLAND_DISPLAY", "SDL_AUDIODRIVER=dummy",
                         "XDG_CONFIG_HOME=" + (home / "config").string(), "XDG_DATA_HOME=" + (home / "data").string(),
                         "XDG_CACHE_HOME=" + (home / "cache").string(), "XDG_RUNTIME_DIR=" + folder.string(),
                         "FROTHWICK_SEED=" + std::to_string(seed), "FROTHWICK_FIELD_TRACE=1", "FROTHWICK_INPUT_TRACE=1",
                         "FROTHWICK_EXIT_AFTER_TICKS=60000"},
                        log.string());
        ASSERT_GT(program, 0);
        ASSERT_TRUE(LogHas("trace: window windowed 800x600", 30s)) << ReadFile(log);
        ASSERT_TRUE(WaitFor([&] { return !(window = FindWindow()).empty(); })) << "no window appeared\n"
                                                                               << ReadFile(log);
        ASSERT_TRUE(LogHas("Main Screen Time", 30s)) << ReadFile(log);
        X("xdotool windowactivate --sync " + window);
    }

    bool LogHas(const std::string& text, std::chrono::milliseconds limit = 15s)
    {
        return WaitFor([&] { return ReadFile(log).find(text) != std::string::npos; }, limit);
    }

    size_t Count(const std::string& text)
    {
        const std::string all = ReadFile(log);
        size_t n = 0;
        for (size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1))
            ++n;
        return n;
    }

    bool Capture(Shot& shot)
    {
        const std::filesystem::path file = folder / ("shot" + std::to_string(shots++) + ".png");
        X("import -window " + window + " -depth 8 PNG24:" + file.string());
        shot.image = Framework::ImageLoader::LoadImageFile(file.string(), false);
        std::error_code error;
        std::filesystem::remove(file, error);
        return shot.image && shot.image->width == 800 && shot.image->height == 600;
    }

    std::string Keep(const std::string& name)
    {
        const std::filesystem::path file = folder / (name + ".png");
        X("import -window " + window + " " + file.string());
        return file.string();
    }

    std::string Region(int x, int y, int w = 64, int h = 24)
    {
        return X("import -window " + window + " -crop " + std::to_string(w) + "x" + std::to_string(h) + "+" +
                 std::to_string(x - w / 2) + "+" + std::to_string(y - h / 2) + " +repage rgb:- | md5sum");
    }

    bool Settled(int x, int y)
    {
        std::string last = Region(x, y);
        int same = 0;
        return WaitFor(
            [&]
            {
                const std::string now = Region(x, y);
                same = !now.empty() && now == last ? same + 1 : 0;
                last = now;
                return same >= 2;
            });
    }

    // A single click, seen by the program (its release traced).
    void Press(int x, int y)
    {
        const std::string release = "trace: release " + std::to_string(x) + "," + std::to_string(y);
        const size_t before = Count(release);
        X("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) + " click 1");
        EXPECT_TRUE(WaitFor([&] { return Count(release) > before; }))
            << "click at " << x << "," << y << " never arrived\n"
            << ReadFile(log);
    }

    void Click(int x, int y)
    {
        EXPECT_TRUE(Settled(x, y)) << "the picture at " << x << "," << y << " never settled";
        Press(x, y);
    }

    bool ClickUntil(int x, int y, const std::function<bool()>& done, int attempts = 5)
    {
        for (int attempt = 0; attempt < attempts; ++attempt)
        {
            Click(x, y);
            if (WaitFor(done, 3s))
                return true;
        }
        return false;
    }

    bool EarthSphereShown()
    {
        Shot shot;
        if (!Capture(shot))
            return false;
        const uint32_t rgb = shot.At(669, 450);
        const int r = int(rgb >> 16 & 0xFF), g = int(rgb >> 8 & 0xFF), b = int(rgb & 0xFF);
        return !(b > r && b > g);
    }

    void NewPlayer()
    {
        Click(508, 465); // NEW PLAYER
        EXPECT_TRUE(Settled(344, 330));
        const size_t typed = Count("trace: char ");
        X("xdotool type --delay 40 Ada");
        EXPECT_TRUE(WaitFor([&] { return Count("trace: char ") >= typed + 3; })) << ReadFile(log);
        Click(344, 330); // CREATE
        Click(383, 465); // START
    }

    // From the difficulty selector: a difficulty, then the earth sphere;
    // returns once the stage has started.
    void ChooseDifficultyAndEarth(int difficultyY)
    {
        const size_t started = Count("trace: stage start");
        ASSERT_TRUE(ClickUntil(400, difficultyY, [&] { return EarthSphereShown(); }))
            << "no world selector; the screen: " << Keep("worlds");
        ASSERT_TRUE(ClickUntil(669, 450, [&] { return Count("trace: stage start") > started; })) << "no game\n"
                                                                                                 << ReadFile(log);
    }

    // From the main menu: a mode (ARCADE at y 424, TIME ATTACK at 463), then
    // the difficulty and the earth world.
    void StartFromMainMenu(int modeY, int difficultyY)
    {
        const std::string menu = Region(400, 520);
        ASSERT_TRUE(ClickUntil(402, modeY, [&] { return Region(400, 520) != menu; }))
            << "no difficulty selector; the screen: " << Keep("menu");
        ChooseDifficultyAndEarth(difficultyY);
    }

    // The last "trace: stage over" line; score -1 before there is one.
    StageOver LastStageOver()
    {
        const std::string all = ReadFile(log);
        static const std::regex line("trace: stage over (won|lost) score (-?[0-9]+) rank (-?[0-9]+)");
        StageOver over;
        for (auto it = std::sregex_iterator(all.begin(), all.end(), line); it != std::sregex_iterator(); ++it)
        {
            over.won = (*it)[1] == "won";
            over.score = std::stoi((*it)[2]);
            over.rank = std::stoi((*it)[3]);
        }
        return over;
    }

    int BubbleKindAt(const Shot& shot, int x, int y) const
    {
        for (int kind = 1; kind <= 6; ++kind)
            if (Near(shot.At(x, y), bubbleCentres[size_t(kind)], ColourTolerance))
                return kind;
        return 0;
    }

    int BubblesInRow(const Shot& shot, int row) const
    {
        int n = 0;
        for (int column = 0; column < Columns; ++column)
            n += BubbleKindAt(shot, CellCentreX(row, column), CellCentreY(row)) != 0 ? 1 : 0;
        return n;
    }

    std::filesystem::path folder;
    std::filesystem::path home;
    std::filesystem::path log;
    std::string display;
    std::string window;
    pid_t xvfb = -1;
    pid_t wm = -1;
    pid_t program = -1;
    int runs = 0;
    int shots = 0;
    std::array<uint32_t, 7> bubbleCentres{};
    std::unique_ptr<TestSupport::ProgramTree> tree;
};

TEST_F(GameEndToEndTest, AnArcadeGamePlayedToItsEndShowsTheBannerAndKeepsTheRecord)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram(2024));
    NewPlayer();
    ASSERT_NO_FATAL_FAILURE(StartFromMainMenu(424, 424));
    EXPECT_TRUE(LogHas("trace: stage start 100 0")) << ReadFile(log);

    StageOver over;
    for (int game = 0; game < 3; ++game)
    {
        const size_t ends = Count("trace: stage over");
        for (int shot = 0; shot < 80 && Count("trace: stage over") == ends; ++shot)
        {
            Press(AimX, AimY);
            std::this_thread::sleep_for(1200ms);
        }
        ASSERT_GT(Count("trace: stage over"), ends) << "80 shots and the stage goes on\n" << ReadFile(log);
        over = LastStageOver();
        if (over.score > 0)
            break;
        // No points: a new game through CHANGE MODE, ARCADE, EASY, earth.
        const size_t started = Count("trace: stage start");
        Click(677, 94);
        const std::string field = Region(400, 520);
        ASSERT_TRUE(ClickUntil(316, 409, [&] { return Region(400, 520) != field; })) << Keep("change-mode");
        ChooseDifficultyAndEarth(424);
        ASSERT_GT(Count("trace: stage start"), started);
    }
    ASSERT_GT(over.score, 0) << "three games without a point\n" << ReadFile(log);
    std::cout << "stage over: " << (over.won ? "won" : "lost") << " score " << over.score << " after "
              << Count("trace: release " + std::to_string(AimX) + "," + std::to_string(AimY)) << " shots\n";
    EXPECT_EQ(over.rank, 0);

    // The banner at rest (straight, its own size) centred on (250, 250) of
    // the field: a flat patch of its letters near its middle shows there.
    const auto banner = Art(over.won ? "hud/youwin.png" : "hud/gameover.png");
    ASSERT_TRUE(banner);
    const auto pixel = [&](int x, int y) { return banner->pixels[size_t(y * banner->width + x)]; };
    int patchX = -1, patchY = -1;
    for (int distance = 0; distance < banner->width / 2 && patchX < 0; ++distance)
        for (int dx : {-distance, distance})
            for (int y = 2; y < banner->height - 2 && patchX < 0; ++y)
            {
                const int x = banner->width / 2 + dx;
                bool flat = true;
                for (int v = -2; v <= 2 && flat; ++v)
                    for (int u = -2; u <= 2 && flat; ++u)
                        flat = pixel(x + u, y + v) >> 24 == 255 && Near(pixel(x + u, y + v), pixel(x, y), 10);
                if (flat)
                    patchX = x, patchY = y;
            }
    ASSERT_GE(patchX, 0) << "no flat opaque patch in the banner";
    const uint32_t patch = pixel(patchX, patchY) & 0xFFFFFFu;
    const int screenX = FieldX + 250 - banner->width / 2 + patchX;
    const int screenY = FieldY + 250 - banner->height / 2 + patchY;
    Shot screen;
    EXPECT_TRUE(WaitFor([&] { return Capture(screen) && Near(screen.At(screenX, screenY), patch, 16); }, 15s))
        << "no banner at rest: " << Keep("banner") << " shows " << std::hex << screen.At(screenX, screenY) << " for "
        << patch;

    // The records file: the score in table 0, place 0, with the player's
    // name, her avatar and stage 0; every other byte zero.
    const std::filesystem::path records = home / "data" / "frothwick" / "data" / "game.dat";
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(records); }, 5s)) << ReadFile(log);
    std::ifstream in(records, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 18720u);
    const auto int32At = [&](size_t at)
    { return int32_t(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24); };
    EXPECT_EQ(int32At(0), over.score);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[4])), "Ada");
    // The player's avatar as her profile keeps it.
    std::ifstream profiles(home / "data" / "frothwick" / "data" / "usr.dat", std::ios::binary);
    std::vector<unsigned char> profile((std::istreambuf_iterator<char>(profiles)), std::istreambuf_iterator<char>());
    ASSERT_GE(profile.size(), 296u);
    const std::string avatar(reinterpret_cast<const char*>(&profile[20]),
                             strnlen(reinterpret_cast<const char*>(&profile[20]), 256));
    ASSERT_FALSE(avatar.empty());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[24])), avatar);
    EXPECT_EQ(int32At(152), 0);
    size_t nonZero = 0;
    for (size_t i = 0; i < bytes.size(); ++i)
    {
        const bool inScore = i < 4;
        const bool inName = i >= 4 && i < 7;
        const bool inAvatar = i >= 24 && i < 24 + avatar.size();
        if (!inScore && !inName && !inAvatar && bytes[i] != 0)
            ++nonZero;
    }
    EXPECT_EQ(nonZero, 0u) << "bytes outside the one record";
}

TEST_F(GameEndToEndTest, AQuestGameShowsItsStageTipAndBarrierAndAShotLands)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram(7));
    NewPlayer();
    ASSERT_TRUE(ClickUntil(401, 444, [&] { return EarthSphereShown(); })) << "no world selector: " << Keep("worlds");
    const std::string selector = Region(413, 282);
    ASSERT_TRUE(ClickUntil(669, 450, [&] { return Region(413, 282) != selector; })) << "no stage dialog";

    // The stage tip shows for about a second from the start.
    const auto tip = Art("hud/text_stage.png");
    ASSERT_TRUE(tip);
    int tipX = -1, tipY = -1;
    for (int y = 0; y < tip->height && tipX < 0; ++y)
        for (int x = 0; x < tip->width && tipX < 0; ++x)
            if (tip->pixels[size_t(y * tip->width + x)] >> 24 == 255)
                tipX = x, tipY = y;
    ASSERT_GE(tipX, 0);
    const uint32_t tipColour = tip->pixels[size_t(tipY * tip->width + tipX)] & 0xFFFFFFu;
    const size_t started = Count("trace: stage start 101");
    Click(413, 282);
    ASSERT_TRUE(WaitFor([&] { return Count("trace: stage start 101") > started; })) << ReadFile(log);
    bool tipSeen = false;
    Shot screen;
    for (int i = 0; i < 8 && !tipSeen; ++i)
        tipSeen = Capture(screen) && Near(screen.At(FieldX + 180 + tipX, FieldY + 400 + tipY), tipColour, 12);
    EXPECT_TRUE(tipSeen) << "no stage tip: " << Keep("tip");

    // The barrier row of earth walls and the full row 3.
    const auto wall = Art("obstacle/wall_earth.png");
    ASSERT_TRUE(wall && wall->width > 20 && wall->height > 13);
    const uint32_t wallCentre = wall->pixels[size_t(13 * wall->width + 20)] & 0xFFFFFFu;
    EXPECT_TRUE(WaitFor(
        [&]
        {
            if (!Capture(screen))
                return false;
            for (int column = 0; column < Columns; ++column)
                if (!Near(screen.At(CellCentreX(2, column), CellCentreY(2)), wallCentre, ColourTolerance))
                    return false;
            return BubblesInRow(screen, 3) == Columns;
        }))
        << "no barrier row: " << Keep("barrier");

    // A shot straight up lands under row 3 (or bursts there): rows 3 and 4
    // around the middle change and the shooter takes the next bubble.
    Shot before;
    ASSERT_TRUE(Capture(before));
    const int fired = BubbleKindAt(before, ShooterCentreX, ShooterCentreY);
    ASSERT_NE(fired, 0);
    Press(AimX, AimY);
    const auto changed = [&](const Shot& now)
    {
        for (int row = 3; row <= 4; ++row)
            for (int column = 6; column <= 9; ++column)
                if (now.At(CellCentreX(row, column), CellCentreY(row)) !=
                    before.At(CellCentreX(row, column), CellCentreY(row)))
                    return true;
        return false;
    };
    EXPECT_TRUE(WaitFor([&] { return Capture(screen) && changed(screen); }, 5s)) << "no landing: " << Keep("landing");
}

TEST_F(GameEndToEndTest, ATimeAttackGameOnExpertIsFirstPushedDownAfterEightSeconds)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram(99));
    NewPlayer();
    ASSERT_NO_FATAL_FAILURE(StartFromMainMenu(463, 484));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(LogHas("trace: stage start 102")) << ReadFile(log);
    Shot screen;
    ASSERT_TRUE(Capture(screen));
    EXPECT_EQ(BubblesInRow(screen, 9), 0) << "rows 9 to 14 start empty";

    ASSERT_TRUE(LogHas("trace: push-down", 15s)) << ReadFile(log);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_GT(seconds, 7.0);
    EXPECT_LT(seconds, 10.5);
    // Once the slide is through, row 9 holds the old row 8.
    EXPECT_TRUE(WaitFor([&] { return Capture(screen) && BubblesInRow(screen, 9) >= Columns / 2; }, 5s))
        << "row 9 stays empty: " << Keep("pushed");
}

} // namespace
