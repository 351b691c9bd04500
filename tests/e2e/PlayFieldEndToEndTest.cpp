// The real game in a real X server (Xvfb with jwm), driven by xdotool, with a
// fixed seed (FROTHWICK_SEED) and the field trace (FROTHWICK_FIELD_TRACE):
// a newcomer's arcade game shows the traced field -- each bubble's art colour
// at its cell's centre, no bubble in rows 9 to 14 -- and a click above the
// shooter sends the shot off and brings the preview's colour into the
// shooter; a second run with the same seed traces the same field; quest
// stage 1 shows its row of earth walls and a full row 3 below them, and
// stays empty without its stage file or with a damaged design script.
//
// Each run works on its own copy of the program and data tree with user
// folders of its own, so every start is a first start. Every step waits for
// what it needs (a trace line, a picture) with a time limit. Skipped, with
// the reason, where Xvfb, jwm, xdotool or ImageMagick's import are missing,
// the X server cannot start, or there is no generated data tree.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "E2eFixture.h"
#include "E2eSupport.h"
#include "framework/graphics/ImageLoader.h"
#include "support/ProgramTree.h"

namespace
{

using namespace E2e;

// The shooter and the preview at their places in the field.
constexpr int Columns = 16;
constexpr int Rows = 15;
constexpr int ShooterCentreX = FieldX + 250 + 15;
constexpr int ShooterCentreY = FieldY + 490 + 15;
constexpr int PreviewCentreX = FieldX + 10 + 15;
constexpr int PreviewCentreY = FieldY + 510 + 15;
constexpr int ColourTolerance = 6;

class PlayFieldEndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const std::string why = WhyNot({"Xvfb", "jwm", "xdotool", "import"}, true); !why.empty())
            GTEST_SKIP() << "end-to-end test skipped: " << why;
        folder = FreshFolder("e2e");

        // The colour each bubble's art has at its centre (opaque there).
        static const std::array<const char*, 6> names = {"red", "yellow", "blue", "green", "aqua", "fuchsia"};
        for (size_t i = 0; i < names.size(); ++i)
        {
            const auto art = Framework::ImageLoader::LoadImageFile(
                (TestSupport::DataTreeDir() / "images" / "bubble" / names[i]).string() + ".png", false);
            ASSERT_TRUE(art && art->width == 31 && art->height == 31) << names[i];
            const uint32_t p = art->pixels[size_t(15 * 31 + 15)];
            ASSERT_EQ(p >> 24, 255u) << names[i] << "'s centre is not opaque";
            bubbleCentres[i + 1] = p & 0xFFFFFFu;
        }

        if (const std::string why = server.Start(folder, 1024, 768, true); !why.empty())
            GTEST_SKIP() << "end-to-end test skipped: " << why;
    }

    void TearDown() override
    {
        E2e::Stop(program);
        server.Stop();
    }

    std::string X(const std::string& command) { return server.Run(command); }

    // The game's 800 x 600 window (not its splash).
    std::string FindWindow() { return server.FindWindow(); }

    // Starts a fresh copy of the game (its own data tree and user folders,
    // windowed) with the seed and the traces, and waits for its main screen.
    // damage, when given, changes the run's copy of the data tree first.
    void StartGame(uint64_t seed, const std::function<void(const std::filesystem::path&)>& damage = {})
    {
        E2e::Stop(program);
        const std::string run = "run" + std::to_string(++runs);
        tree = std::make_unique<TestSupport::ProgramTree>(FROTHWICK_PROGRAM, "e2e/" + run + "/tree");
        if (damage)
            damage(tree->Folder());
        const std::filesystem::path home = folder / run;
        std::filesystem::create_directories(home / "config" / "frothwick");
        std::filesystem::create_directories(home / "data");
        std::filesystem::create_directories(home / "cache");
        std::ofstream(home / "config" / "frothwick" / "settings") << "FROTHWICK-SETTINGS 1\n4\tScreenMode\t0\n";
        log = home / "frothwick.log";
        std::vector<std::string> environment = server.ProgramEnvironment();
        environment.insert(environment.end(),
                           {"XDG_CONFIG_HOME=" + (home / "config").string(), "XDG_DATA_HOME=" + (home / "data").string(),
                            "XDG_CACHE_HOME=" + (home / "cache").string(), "XDG_RUNTIME_DIR=" + folder.string(),
                            "FROTHWICK_SEED=" + std::to_string(seed), "FROTHWICK_FIELD_TRACE=1",
                            "FROTHWICK_INPUT_TRACE=1", "FROTHWICK_EXIT_AFTER_TICKS=6000"});
        program = Spawn({tree->Program().string()}, environment, log.string());
        ASSERT_GT(program, 0);
        ASSERT_TRUE(LogHas("trace: window windowed 800x600", 30s)) << ReadFile(log);
        // Looked for once the main screen is up: the window the program shows
        // first may still be replaced while it loads.
        ASSERT_TRUE(LogHas("Main Screen Time", 30s)) << ReadFile(log);
        ASSERT_TRUE(WaitFor([&] { return !(window = FindWindow()).empty(); })) << "no window appeared\n"
                                                                                << ReadFile(log);
        X("xdotool windowactivate --sync " + window);
    }

    bool LogHas(const std::string& text, std::chrono::milliseconds limit = 15s)
    {
        return WaitFor([&] { return ReadFile(log).find(text) != std::string::npos; }, limit);
    }

    size_t Count(const std::string& text) { return E2e::Count(ReadFile(log), text); }

    // The first field trace: the 240 kinds, row by row; empty until traced.
    std::vector<int> TracedField()
    {
        const std::string all = ReadFile(log);
        size_t start = all.compare(0, 6, "field ") == 0 ? 0 : all.find("\nfield ");
        if (start == std::string::npos)
            return {};
        if (all[start] == '\n')
            ++start;
        const size_t end = all.find('\n', start);
        if (end == std::string::npos)
            return {};
        std::istringstream line(all.substr(start + 6, end - start - 6));
        std::vector<int> kinds;
        for (int kind = 0; line >> kind;)
            kinds.push_back(kind);
        return kinds;
    }

    bool Capture(Shot& shot) { return server.Capture(window, shot) && shot.Width() == 800 && shot.Height() == 600; }

    // The window's picture kept in the test's folder (for a failure's look).
    std::string Keep(const std::string& name) { return server.Screenshot(window, folder / (name + ".png")); }

    uint32_t PixelAt(int x, int y)
    {
        Shot shot;
        return Capture(shot) ? shot.At(x, y) : 0xFFFFFFFFu;
    }

    // The region around (x, y) as it looks now (for "changed" and "settled").
    std::string Region(int x, int y) { return server.Region(window, x, y); }
    bool Settled(int x, int y) { return server.Settled(window, x, y); }

    // A click once the picture under it has settled, until the program saw it.
    void Click(int x, int y)
    {
        EXPECT_TRUE(Settled(x, y)) << "the picture at " << x << "," << y << " never settled";
        const std::string release = "trace: release " + std::to_string(x) + "," + std::to_string(y);
        const size_t before = Count(release);
        server.Click(window, x, y);
        EXPECT_TRUE(WaitFor([&] { return Count(release) > before; }))
            << "click at " << x << "," << y << " never arrived\n"
            << ReadFile(log);
    }

    // Clicks (x, y) until done() holds (a menu still coming in may take no
    // click although it looks in place).
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
        const uint32_t rgb = PixelAt(669, 450);
        const int r = int(rgb >> 16 & 0xFF), g = int(rgb >> 8 & 0xFF), b = int(rgb & 0xFF);
        return rgb != 0xFFFFFFFFu && !(b > r && b > g);
    }

    // A newcomer creates a player and reaches the main menu.
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

    // Arcade, easy, earth world; returns once the field is traced.
    void StartArcadeGame(uint64_t seed)
    {
        StartGame(seed);
        NewPlayer();
        // ARCADE; the difficulty selector covers the menu's background
        // around (400, 520) with its BACK button. Then EASY.
        const std::string menu = Region(400, 520);
        ASSERT_TRUE(ClickUntil(402, 424, [&] { return Region(400, 520) != menu; }))
            << "no difficulty selector; the screen: " << Keep("menu");
        ASSERT_TRUE(ClickUntil(400, 424, [&] { return EarthSphereShown(); }))
            << "no world selector; the screen: " << Keep("worlds");
        ASSERT_TRUE(ClickUntil(669, 450, [&] { return !TracedField().empty(); })) << "no game\n" << ReadFile(log);
    }

    // A newcomer's quest: the earth world's first stage, once it is traced.
    void PlayEarthStageOne()
    {
        NewPlayer();
        ASSERT_TRUE(ClickUntil(401, 444, [&] { return EarthSphereShown(); }))
            << "no world selector; the screen: " << Keep("worlds");
        // The earth world's stage dialog; its first stage.
        const std::string selector = Region(413, 282);
        ASSERT_TRUE(ClickUntil(669, 450, [&] { return Region(413, 282) != selector; })) << "no stage dialog";
        ASSERT_TRUE(ClickUntil(413, 282, [&] { return !TracedField().empty(); })) << "no game\n" << ReadFile(log);
    }

    // The kind whose art colour the pixel shows, or 0.
    int BubbleKindAt(const Shot& shot, int x, int y) const
    {
        for (int kind = 1; kind <= 6; ++kind)
            if (Near(shot.At(x, y), bubbleCentres[size_t(kind)], ColourTolerance))
                return kind;
        return 0;
    }

    // Mismatches between the screen and the traced field: every colour
    // kind's art colour at its centre; rows 9 to 14 show no bubble.
    std::string FieldMismatches(const Shot& shot, const std::vector<int>& kinds, int firstRow, int lastRow) const
    {
        std::ostringstream out;
        for (int row = firstRow; row <= lastRow; ++row)
            for (int column = 0; column < Columns; ++column)
            {
                const int kind = kinds[size_t(row * Columns + column)];
                const uint32_t seen = shot.At(CellCentreX(row, column), CellCentreY(row));
                if (kind >= 1 && kind <= 6 && !Near(seen, bubbleCentres[size_t(kind)], ColourTolerance))
                    out << " (" << row << "," << column << ") kind " << kind << " shows " << Hex(seen);
                if (kind == 0 && row >= 9 && BubbleKindAt(shot, CellCentreX(row, column), CellCentreY(row)) != 0)
                    out << " (" << row << "," << column << ") empty shows a bubble " << Hex(seen);
            }
        return out.str();
    }

    std::filesystem::path folder;
    std::filesystem::path log;
    XServer server;
    std::string window;
    pid_t program = -1;
    int runs = 0;
    std::array<uint32_t, 7> bubbleCentres{};
    std::unique_ptr<TestSupport::ProgramTree> tree;
};

TEST_F(PlayFieldEndToEndTest, AnArcadeGameShowsTheTracedFieldAndAShotBringsThePreviewIn)
{
    constexpr uint64_t Seed = 424242;
    ASSERT_NO_FATAL_FAILURE(StartArcadeGame(Seed));
    const std::vector<int> kinds = TracedField();
    ASSERT_EQ(kinds.size(), size_t(Rows * Columns)) << ReadFile(log);
    int colours = 0;
    for (int i = 0; i < Rows * Columns; ++i)
    {
        colours += kinds[size_t(i)] >= 1 && kinds[size_t(i)] <= 4 ? 1 : 0;
        if (i >= 9 * Columns)
        {
            EXPECT_EQ(kinds[size_t(i)], 0) << "rows 9 to 14 start empty; cell " << i;
        }
    }
    EXPECT_GT(colours, 100) << "an easy stage fills rows 0 to 8 with colours 1 to 4";

    // The field as traced, once it has come in.
    Shot field;
    std::string mismatches;
    EXPECT_TRUE(WaitFor([&] { return Capture(field) && (mismatches = FieldMismatches(field, kinds, 0, 14)).empty(); }))
        << "the screen differs from the trace:" << mismatches;

    // The check tells fields apart: the same kinds a column further on do
    // not match.
    std::vector<int> shifted(kinds.size());
    for (size_t i = 0; i < kinds.size(); ++i)
        shifted[i] = kinds[i % Columns == Columns - 1 ? i - (Columns - 1) : i + 1];
    EXPECT_FALSE(FieldMismatches(field, shifted, 0, 8).empty());

    // The preview and the shot are colours of the field.
    const int preview = BubbleKindAt(field, PreviewCentreX, PreviewCentreY);
    ASSERT_GE(preview, 1) << "no bubble in the preview: " << Hex(field.At(PreviewCentreX, PreviewCentreY));
    EXPECT_LE(preview, 4);
    ASSERT_GE(BubbleKindAt(field, ShooterCentreX, ShooterCentreY), 1)
        << "no bubble in the shooter: " << Hex(field.At(ShooterCentreX, ShooterCentreY));

    // A click above the shooter: the shot leaves it, and the preview's
    // colour takes its place once the flight is over.
    Click(265, 100);
    Shot now;
    EXPECT_TRUE(WaitFor([&] { return Capture(now) && BubbleKindAt(now, ShooterCentreX, ShooterCentreY) == 0; }, 3s))
        << "the shot never left the shooter";
    EXPECT_TRUE(
        WaitFor([&] { return Capture(now) && BubbleKindAt(now, ShooterCentreX, ShooterCentreY) == preview; }, 5s))
        << "the shooter shows " << Hex(now.At(ShooterCentreX, ShooterCentreY)) << " instead of the preview's "
        << Hex(bubbleCentres[size_t(preview)]);
    const int next = BubbleKindAt(now, PreviewCentreX, PreviewCentreY);
    EXPECT_TRUE(next >= 1 && next <= 4) << "a new preview of a field colour: "
                                        << Hex(now.At(PreviewCentreX, PreviewCentreY));

    // The same seed, another run: the same field.
    ASSERT_NO_FATAL_FAILURE(StartArcadeGame(Seed));
    EXPECT_EQ(TracedField(), kinds) << "one seed, one field";
}

TEST_F(PlayFieldEndToEndTest, QuestStageOneShowsItsWallsAndAFullRowThree)
{
    ASSERT_NO_FATAL_FAILURE(StartGame(7));
    ASSERT_NO_FATAL_FAILURE(PlayEarthStageOne());

    const std::vector<int> kinds = TracedField();
    ASSERT_EQ(kinds.size(), size_t(Rows * Columns)) << ReadFile(log);
    for (int column = 0; column < Columns; ++column)
    {
        EXPECT_EQ(kinds[size_t(0 * Columns + column)], 0);
        EXPECT_EQ(kinds[size_t(1 * Columns + column)], 0);
        EXPECT_EQ(kinds[size_t(2 * Columns + column)], 11) << "a wall in row 2, column " << column;
        const int kind = kinds[size_t(3 * Columns + column)];
        EXPECT_TRUE(kind >= 1 && kind <= 4) << "row 3 is full of colours; column " << column << ": " << kind;
    }

    // Earth walls show their art (drawn 5 pixels left of and 2 below the
    // cell) at the cells' centres; the bubbles of row 3 and below as traced.
    const auto wall = Framework::ImageLoader::LoadImageFile(
        (TestSupport::DataTreeDir() / "images" / "obstacle" / "wall_earth.png").string(), false);
    ASSERT_TRUE(wall && wall->width > 20 && wall->height > 13);
    const uint32_t wallCentre = wall->pixels[size_t(13 * wall->width + 20)];
    ASSERT_EQ(wallCentre >> 24, 255u);
    Shot field;
    std::string mismatches;
    EXPECT_TRUE(WaitFor(
        [&]
        {
            if (!Capture(field))
                return false;
            mismatches = FieldMismatches(field, kinds, 3, 14);
            for (int column = 0; column < Columns; ++column)
                if (!Near(field.At(CellCentreX(2, column), CellCentreY(2)), wallCentre & 0xFFFFFFu, ColourTolerance))
                    mismatches += " wall (2," + std::to_string(column) + ") shows " +
                                  Hex(field.At(CellCentreX(2, column), CellCentreY(2)));
            return mismatches.empty();
        }))
        << "the screen differs from the trace:" << mismatches << "; expected wall " << Hex(wallCentre);
}

TEST_F(PlayFieldEndToEndTest, AQuestStageWithoutItsFileOrWithADamagedScriptIsAnEmptyField)
{
    // The stage file missing (each world's first): nothing is loaded and
    // nothing is said.
    ASSERT_NO_FATAL_FAILURE(StartGame(7,
                                      [](const std::filesystem::path& data)
                                      {
                                          for (const char* world : {"air", "fire", "water", "earth"})
                                              std::filesystem::remove(data / "data" / (world + std::string("01.dat")));
                                      }));
    ASSERT_NO_FATAL_FAILURE(PlayEarthStageOne());
    EXPECT_EQ(TracedField(), std::vector<int>(size_t(Rows * Columns), 0)) << ReadFile(log);
    EXPECT_EQ(ReadFile(log).find("Lua::"), std::string::npos) << ReadFile(log);

    // The design script with a wrong start: its call fails with the logged
    // line, no file name is formed, and the field stays empty as well.
    ASSERT_NO_FATAL_FAILURE(StartGame(7,
                                      [](const std::filesystem::path& data)
                                      {
                                          const std::filesystem::path script = data / "script" / "design.lua";
                                          const std::string text = ReadFile(script);
                                          std::filesystem::remove(script);
                                          WriteFile(script, "XXXX" + text.substr(4));
                                      }));
    ASSERT_NO_FATAL_FAILURE(PlayEarthStageOne());
    EXPECT_EQ(TracedField(), std::vector<int>(size_t(Rows * Columns), 0)) << ReadFile(log);
    EXPECT_NE(ReadFile(log).find("Lua::"), std::string::npos) << "the failed call is logged\n" << ReadFile(log);
}

} // namespace
