// A newcomer plays the real game in a real X server (Xvfb with jwm), driven
// by xdotool: an arcade game on easy, fired straight up by single clicks
// 1.2 s apart until the stage is over (a new game through the high-score
// dialog's TRY AGAIN while a stage ends with no points), with the closing
// banner on screen before the dialog opens and the records file holding the
// traced score in table 0, place 0, and nothing else; a quest game from the
// stage chooser (its stage tip and barrier row on screen, a shot landing); a
// time-attack game on expert pushed down first after 8 s and, left alone,
// lost into the high-score dialog, whose TRY AGAIN starts a new field; and
// the game screen's bars and dialogs as a newcomer tries them: the menu's
// settings, the help's pages, the pause overlay, the high-score tables, the
// exit dialog, the in-game settings with its full-screen box, and the
// settings file after quitting; and a game recorded with "-record", played
// back headless and in a window, every checkpoint matching and the
// player's files untouched.
//
// Each run works on its own copy of the program and data tree with user
// folders of its own; the input trace tells the stages' starts and ends and
// when the game pauses. Skipped, with the reason, where Xvfb, jwm, xdotool
// or ImageMagick's import are missing, the X server cannot start, or there
// is no data tree.
#include <gtest/gtest.h>

#include <signal.h>

#include <array>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "E2eFixture.h"
#include "E2eSupport.h"
#include "framework/graphics/ImageLoader.h"
#include "support/ProgramTree.h"

namespace
{

using namespace E2e;

// The board's layout: the shooter's centre in the field at (15, 37).
constexpr int Columns = 16;
constexpr int ShooterCentreX = FieldX + 250 + 15;
constexpr int ShooterCentreY = FieldY + 490 + 15;
// Straight up: a press 100 pixels below the field's top, above the shooter.
constexpr int AimX = FieldX + 265;
constexpr int AimY = FieldY + 100;
constexpr int ColourTolerance = 6;

// Screen points of the game screen's controls: the side panel's buttons,
// the title bar's exit, the overlay's RESUME, the help (at the field's
// corner), the high-score dialog (at (45, 0) of the field), the exit dialog,
// and the settings dialog (at (201, 180) of the field in the game, of the
// screen in the menu), whose music slider's thumb rests at 0.85 of its
// travel.
constexpr int ChangeModeX = 677, ChangeModeY = 94;
constexpr int TipsX = 677, TipsY = 144;
constexpr int PlayerSettingsX = 680, PlayerSettingsY = 193;
constexpr int PauseX = 678, PauseY = 240;
constexpr int HighScoresX = 676, HighScoresY = 278;
constexpr int TitleExitX = 786, TitleExitY = 12;
constexpr int ResumeX = 680, ResumeY = 241;
constexpr int HelpNextX = 292, HelpPreviousX = 250, HelpArrowY = 576;
constexpr int HelpCloseX = 500, HelpCloseY = 577;
constexpr int TryAgainX = 321, BackX = 398, DialogButtonY = 574;
constexpr int WaterTabX = 60 + 344 + 12, TabY = 37 + 58 + 12;
constexpr int ExitNoX = 424, ExitNoY = 302;
constexpr int GameSettingsX = 216, GameSettingsY = 217;
constexpr int MenuSettingsX = 201, MenuSettingsY = 180;
// Inside the settings dialog: the music thumb's centre, the full-screen
// box, OK and BACK.
constexpr int ThumbX = 167 + 135 + 6, ThumbY = 213 + 9;
constexpr int BoxX = 173, BoxY = 272;
constexpr int OkX = 303, OkBackY = 299, BackInSettingsX = 352;

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
        if (const std::string why = WhyNot({"Xvfb", "jwm", "xdotool", "import"}, true); !why.empty())
            GTEST_SKIP() << "end-to-end test skipped: " << why;
        folder = FreshFolder("e2e-game");
        static const std::array<const char*, 6> names = {"red", "yellow", "blue", "green", "aqua", "fuchsia"};
        for (size_t i = 0; i < names.size(); ++i)
        {
            const auto art = Art(std::string("bubble/") + names[i] + ".png");
            ASSERT_TRUE(art && art->width == 31 && art->height == 31) << names[i];
            bubbleCentres[i + 1] = art->pixels[size_t(15 * 31 + 15)] & 0xFFFFFFu;
        }
        if (const std::string why = server.Start(folder, 1024, 768, true); !why.empty())
            GTEST_SKIP() << "end-to-end test skipped: " << why;
    }

    void TearDown() override
    {
        E2e::Stop(program);
        server.Stop();
    }

    // A fresh copy of the game (windowed, with sound through the dummy
    // driver) with the traces; waits for its main screen.
    void StartProgram(uint64_t seed, const std::vector<std::string>& switches = {})
    {
        E2e::Stop(program);
        const std::string run = "run" + std::to_string(++runs);
        tree = std::make_unique<TestSupport::ProgramTree>(FROTHWICK_PROGRAM, "e2e-game/" + run + "/tree");
        home = folder / run;
        std::filesystem::create_directories(home / "config" / "frothwick");
        std::filesystem::create_directories(home / "data");
        std::filesystem::create_directories(home / "cache");
        WriteFile(home / "config" / "frothwick" / "settings", "FROTHWICK-SETTINGS 1\n4\tScreenMode\t0\n");
        log = Log(home / "frothwick.log");
        std::vector<std::string> environment = server.ProgramEnvironment();
        for (const std::string& setting :
             {"XDG_CONFIG_HOME=" + (home / "config").string(), "XDG_DATA_HOME=" + (home / "data").string(),
              "XDG_CACHE_HOME=" + (home / "cache").string(), "XDG_RUNTIME_DIR=" + folder.string(),
              "FROTHWICK_SEED=" + std::to_string(seed), std::string("FROTHWICK_FIELD_TRACE=1"),
              std::string("FROTHWICK_INPUT_TRACE=1"), std::string("FROTHWICK_EXIT_AFTER_TICKS=60000")})
            environment.push_back(setting);
        std::vector<std::string> command = {tree->Program().string()};
        command.insert(command.end(), switches.begin(), switches.end());
        program = Spawn(command, environment, log.Path().string());
        ASSERT_GT(program, 0);
        ASSERT_TRUE(log.Has("trace: window windowed 800x600", 30s)) << log.Text();
        // Looked for once the main screen is up: the window the program shows
        // first may still be replaced while it loads.
        ASSERT_TRUE(log.Has("Main Screen Time", 30s)) << log.Text();
        ASSERT_TRUE(WaitFor([&] { return !(window = server.FindWindow()).empty(); })) << "no window appeared\n"
                                                                                      << log.Text();
        server.Activate(window);
    }

    std::string X(const std::string& command) { return server.Run(command); }
    size_t Count(const std::string& text) { return log.Count(text); }
    bool Capture(Shot& shot) { return server.Capture(window, shot) && shot.Width() == 800 && shot.Height() == 600; }
    std::string Keep(const std::string& name) { return server.Screenshot(window, folder / (name + ".png")); }
    std::string Region(int x, int y, int w = 64, int h = 24) { return server.Region(window, x, y, w, h); }

    // A single click, seen by the program (its release traced).
    void Press(int x, int y)
    {
        const std::string release = "trace: release " + std::to_string(x) + "," + std::to_string(y);
        const size_t before = Count(release);
        server.Click(window, x, y);
        EXPECT_TRUE(WaitFor([&] { return Count(release) > before; }))
            << "click at " << x << "," << y << " never arrived\n"
            << log.Text();
    }

    void Click(int x, int y)
    {
        EXPECT_TRUE(server.Settled(window, x, y)) << "the picture at " << x << "," << y << " never settled";
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

    // A press that pauses or unpauses the game: clicked until the trace says
    // so (a button may still be fading in).
    bool ClickPausing(int x, int y, bool pauses)
    {
        const std::string line = pauses ? "trace: paused 1" : "trace: paused 0";
        const size_t before = Count(line);
        return ClickUntil(x, y, [&] { return Count(line) > before; });
    }

    // Drags with the left button held from one point to another.
    void Drag(int fromX, int fromY, int toX, int toY)
    {
        EXPECT_TRUE(server.Settled(window, fromX, fromY));
        X("xdotool mousemove --window " + window + " " + std::to_string(fromX) + " " + std::to_string(fromY) +
          " mousedown 1 mousemove --window " + window + " " + std::to_string((fromX + toX) / 2) + " " +
          std::to_string(fromY) + " mousemove --window " + window + " " + std::to_string(toX) + " " +
          std::to_string(toY) + " mouseup 1");
        const std::string release = "trace: release " + std::to_string(toX) + "," + std::to_string(toY);
        EXPECT_TRUE(WaitFor([&] { return Count(release) > 0; })) << "the drag never ended\n" << log.Text();
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
        EXPECT_TRUE(server.Settled(window, 344, 330));
        const size_t typed = Count("trace: char ");
        X("xdotool type --delay 40 Ada");
        EXPECT_TRUE(WaitFor([&] { return Count("trace: char ") >= typed + 3; })) << log.Text();
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
                                                                                                 << log.Text();
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
        const std::string all = log.Text();
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

    // The high-score dialog that a stage's end opens holds the game paused;
    // its TRY AGAIN starts a new field of the same mode.
    void TryAgainAfterTheStageEnd(size_t pausesBefore)
    {
        ASSERT_TRUE(WaitFor([&] { return Count("trace: paused 1") > pausesBefore; }, 10s))
            << "no high-score dialog after the stage end: " << Keep("stage-end");
        const size_t started = Count("trace: stage start");
        ASSERT_TRUE(ClickUntil(TryAgainX, DialogButtonY, [&] { return Count("trace: stage start") > started; }))
            << "TRY AGAIN started nothing: " << Keep("try-again");
        EXPECT_TRUE(log.Has("trace: paused 0")) << log.Text();
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

    // The value stored under name in the settings file, or -1.
    int StoredSetting(const std::string& name)
    {
        const std::string text = ReadFile(home / "config" / "frothwick" / "settings");
        std::smatch match;
        if (std::regex_search(text, match, std::regex("\t" + name + "\t(-?[0-9]+)")))
            return std::stoi(match[1]);
        return -1;
    }

    XServer server;
    std::filesystem::path folder;
    std::filesystem::path home;
    Log log;
    std::string window;
    pid_t program = -1;
    int runs = 0;
    std::array<uint32_t, 7> bubbleCentres{};
    std::unique_ptr<TestSupport::ProgramTree> tree;
};

TEST_F(GameEndToEndTest, AnArcadeGamePlayedToItsEndShowsTheBannerAndKeepsTheRecord)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram(2024));
    NewPlayer();
    ASSERT_NO_FATAL_FAILURE(StartFromMainMenu(424, 424));
    EXPECT_TRUE(log.Has("trace: stage start 100 0")) << log.Text();

    StageOver over;
    for (int game = 0; game < 3; ++game)
    {
        const size_t ends = Count("trace: stage over");
        const size_t pauses = Count("trace: paused 1");
        for (int shot = 0; shot < 80 && Count("trace: stage over") == ends; ++shot)
        {
            Press(AimX, AimY);
            std::this_thread::sleep_for(1200ms);
        }
        ASSERT_GT(Count("trace: stage over"), ends) << "80 shots and the stage goes on\n" << log.Text();
        over = LastStageOver();
        if (over.score > 0)
            break;
        // No points: a new game through the high-score dialog's TRY AGAIN.
        ASSERT_NO_FATAL_FAILURE(TryAgainAfterTheStageEnd(pauses));
    }
    ASSERT_GT(over.score, 0) << "three games without a point\n" << log.Text();
    std::cout << "stage over: " << (over.won ? "won" : "lost") << " score " << over.score << " after "
              << Count("trace: release " + std::to_string(AimX) + "," + std::to_string(AimY)) << " shots\n";
    EXPECT_EQ(over.rank, 0);

    // The banner swings about (250, 250) of the field, then rests there
    // straight, until the high-score dialog covers it: a flat patch of its
    // letters near its middle shows close to its place.
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
    const auto bannerNear = [&](const Shot& screen)
    {
        for (int dy = -20; dy <= 20; dy += 2)
            for (int dx = -20; dx <= 20; dx += 2)
                if (Near(screen.At(screenX + dx, screenY + dy), patch, 16))
                    return true;
        return false;
    };
    Shot screen;
    EXPECT_TRUE(WaitFor([&] { return Capture(screen) && bannerNear(screen); }, 15s))
        << "no banner: " << Keep("banner") << " shows " << Hex(screen.At(screenX, screenY)) << " for " << Hex(patch);

    // The records file: the score in table 0, place 0, with the player's
    // name, her avatar and stage 0; every other byte zero.
    const std::filesystem::path records = home / "data" / "frothwick" / "data" / "game.dat";
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(records); }, 5s)) << log.Text();
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
    ASSERT_TRUE(WaitFor([&] { return Count("trace: stage start 101") > started; })) << log.Text();
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

TEST_F(GameEndToEndTest, ATimeAttackGameOnExpertComesDownEveryEightSecondsUntilLostThenTriesAgain)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram(99));
    NewPlayer();
    ASSERT_NO_FATAL_FAILURE(StartFromMainMenu(463, 484));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(log.Has("trace: stage start 102")) << log.Text();
    Shot screen;
    ASSERT_TRUE(Capture(screen));
    EXPECT_EQ(BubblesInRow(screen, 9), 0) << "rows 9 to 14 start empty";

    ASSERT_TRUE(log.Has("trace: push-down", 15s)) << log.Text();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_GT(seconds, 7.0);
    EXPECT_LT(seconds, 10.5);
    // Once the slide is through, row 9 holds the old row 8.
    EXPECT_TRUE(WaitFor([&] { return Capture(screen) && BubblesInRow(screen, 9) >= Columns / 2; }, 5s))
        << "row 9 stays empty: " << Keep("pushed");

    // Left alone, the field comes down a row every 8 s until it is lost;
    // the high-score dialog's TRY AGAIN then starts a new field.
    const size_t pauses = Count("trace: paused 1");
    ASSERT_TRUE(log.Has("trace: stage over lost", 90s)) << log.Text();
    ASSERT_NO_FATAL_FAILURE(TryAgainAfterTheStageEnd(pauses));
    EXPECT_EQ(Count("trace: stage start 102"), 2u) << log.Text();
}

TEST_F(GameEndToEndTest, ANewcomerTriesTheGameScreensBarsAndDialogs)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram(5));
    NewPlayer();

    // SETTING in the main menu: the music slider dragged near its left end,
    // then OK.
    const std::string menu = Region(MenuSettingsX + 192, MenuSettingsY + 160, 200, 100);
    ASSERT_TRUE(ClickUntil(399, 483, [&] { return Region(MenuSettingsX + 192, MenuSettingsY + 160, 200, 100) != menu; }))
        << "no settings dialog: " << Keep("menu-settings");
    Drag(MenuSettingsX + ThumbX, MenuSettingsY + ThumbY, MenuSettingsX + 167 + 17, MenuSettingsY + ThumbY);
    Click(MenuSettingsX + OkX, MenuSettingsY + OkBackY);

    ASSERT_NO_FATAL_FAILURE(StartFromMainMenu(424, 424));

    // TIPS: the help pauses the game; its pages turn both ways; CLOSE.
    const std::string help = Region(270, 300, 300, 200);
    ASSERT_TRUE(ClickPausing(TipsX, TipsY, true)) << "TIPS paused nothing: " << Keep("tips");
    const std::string firstPage = Region(270, 300, 300, 200);
    EXPECT_NE(firstPage, help);
    Click(HelpNextX, HelpArrowY);
    EXPECT_TRUE(WaitFor([&] { return Region(270, 300, 300, 200) != firstPage; })) << Keep("help-next");
    Click(HelpPreviousX, HelpArrowY);
    EXPECT_TRUE(WaitFor([&] { return Region(270, 300, 300, 200) == firstPage; })) << Keep("help-previous");
    Click(HelpPreviousX, HelpArrowY);
    EXPECT_TRUE(WaitFor([&] { return Region(270, 300, 300, 200) != firstPage; })) << "no wrap to the last page";
    ASSERT_TRUE(ClickPausing(HelpCloseX, HelpCloseY, false)) << "CLOSE left the game paused: " << Keep("help-close");

    // PAUSE shows the overlay; RESUME takes it away.
    ASSERT_TRUE(ClickPausing(PauseX, PauseY, true)) << Keep("pause");
    ASSERT_TRUE(ClickPausing(ResumeX, ResumeY, false)) << Keep("resume");

    // HIGH SCORES: the tables to browse, a tab, BACK.
    ASSERT_TRUE(ClickPausing(HighScoresX, HighScoresY, true)) << Keep("high-scores");
    // The chosen tab carries the mark.
    const std::string tabs = Region(340, TabY, 400, 30);
    Click(WaterTabX, TabY);
    EXPECT_TRUE(WaitFor([&] { return Region(340, TabY, 400, 30) != tabs; })) << Keep("high-scores-tab");
    ASSERT_TRUE(ClickPausing(BackX, DialogButtonY, false)) << Keep("high-scores-back");

    // The title bar's exit asks; NO plays on.
    ASSERT_TRUE(ClickPausing(TitleExitX, TitleExitY, true)) << Keep("exit");
    ASSERT_TRUE(ClickPausing(ExitNoX, ExitNoY, false)) << Keep("exit-no");

    // PLAYER SETTINGS: a drag of the music slider, then BACK puts the
    // volume back; opened again, the full-screen box and OK switch the
    // window.
    ASSERT_TRUE(ClickPausing(PlayerSettingsX, PlayerSettingsY, true)) << Keep("player-settings");
    // The thumb stands where the menu's OK left it, near the left end.
    const int thumbNow = GameSettingsX + 167 + 17;
    Drag(thumbNow, GameSettingsY + ThumbY, GameSettingsX + 167 + 120, GameSettingsY + ThumbY);
    ASSERT_TRUE(ClickPausing(GameSettingsX + BackInSettingsX, GameSettingsY + OkBackY, false))
        << Keep("player-settings-back");
    ASSERT_TRUE(ClickPausing(PlayerSettingsX, PlayerSettingsY, true)) << Keep("player-settings-again");
    Click(GameSettingsX + BoxX, GameSettingsY + BoxY);
    const size_t fullScreens = Count("trace: window full screen");
    Click(GameSettingsX + OkX, GameSettingsY + OkBackY);
    EXPECT_TRUE(WaitFor([&] { return Count("trace: window full screen") > fullScreens; })) << log.Text();

    // Quitting saves the settings: the menu's music volume (the game's
    // dialog went BACK) and full screen.
    kill(program, SIGTERM);
    const Exit exit = WaitExit(program, 10s);
    EXPECT_TRUE(exit.ended && exit.code == 0) << Describe(exit) << "\n" << log.Text();
    const int music = StoredSetting("MusicVolume");
    EXPECT_GE(music, 0);
    EXPECT_LE(music, 20) << "the menu's slider moved the music volume from 85";
    EXPECT_EQ(StoredSetting("ScreenMode"), 1);
}

TEST_F(GameEndToEndTest, ARecordedGamePlaysBackHeadlessAndInAWindowMatchingEveryCheckpoint)
{
    const std::filesystem::path demo = folder / "game.dmo";
    ASSERT_NO_FATAL_FAILURE(StartProgram(31, {"-demofile=" + demo.string(), "-record"}));
    NewPlayer();
    ASSERT_NO_FATAL_FAILURE(StartFromMainMenu(424, 424));
    for (int shot = 0; shot < 5; ++shot)
    {
        Press(AimX - 60 + 30 * shot, AimY);
        std::this_thread::sleep_for(1000ms);
    }
    kill(program, SIGTERM);
    const Exit recorded = WaitExit(program, 10s);
    ASSERT_TRUE(recorded.ended && recorded.code == 0) << Describe(recorded) << "\n" << log.Text();
    ASSERT_TRUE(std::filesystem::exists(demo));
    const std::filesystem::path players = home / "data" / "frothwick" / "data" / "usr.dat";
    const std::string playersBefore = ReadFile(players);
    ASSERT_FALSE(playersBefore.empty());

    // The same tree plays it back, with the recorder's user folders: first
    // headless as fast as it runs, then in a window at the fastest speed.
    static const std::regex summary("demo: ([0-9]+) updates, ([0-9]+) draws, ([0-9]+) checkpoints matched");
    std::string firstSummary;
    for (const bool headless : {true, false})
    {
        SCOPED_TRACE(headless ? "headless" : "window");
        const Log playback(home / (headless ? "headless.log" : "window.log"));
        std::vector<std::string> environment =
            headless ? std::vector<std::string>{"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy"}
                     : server.ProgramEnvironment();
        for (const std::string& setting :
             {"XDG_CONFIG_HOME=" + (home / "config").string(), "XDG_DATA_HOME=" + (home / "data").string(),
              "XDG_CACHE_HOME=" + (home / "cache").string(), "XDG_RUNTIME_DIR=" + folder.string(),
              std::string("FROTHWICK_PLAYBACK_SPEED=max")})
            environment.push_back(setting);
        pid_t player = Spawn({tree->Program().string(), "-demofile=" + demo.string(), "-play"}, environment,
                             playback.Path().string());
        ASSERT_GT(player, 0);
        const Exit played = WaitExit(player, 120s);
        if (!played.ended)
            E2e::Stop(player);
        EXPECT_TRUE(played.ended && played.code == 0) << Describe(played) << "\n" << playback.Text();
        const std::string text = playback.Text();
        std::smatch match;
        ASSERT_TRUE(std::regex_search(text, match, summary)) << text;
        EXPECT_GE(std::stoi(match[1]), 1000) << text;
        EXPECT_GE(std::stoi(match[3]), 1) << text;
        EXPECT_EQ(text.find("out of step"), std::string::npos) << text;
        // Both playbacks run the same schedule.
        if (firstSummary.empty())
            firstSummary = match[0];
        else
            EXPECT_EQ(match[0], firstSummary);
    }
    EXPECT_EQ(ReadFile(players), playersBefore) << "playback wrote the player's profiles";
}

} // namespace
