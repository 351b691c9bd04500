// The real program in a real X server (Xvfb with the jwm window manager),
// driven by xdotool: clicks reach the game at the picture's coordinates in a
// window and in letterboxed full screen, Alt+Enter switches between the two,
// and the top band drags the borderless window; the program reports what it
// received through its input trace (FROTHWICK_INPUT_TRACE). The widget gallery
// shows hover and press feedback on a button of a known place, in both
// modes. Each run works on its own copy of the program and its data tree
// (whatever it saves lands there), and every step waits for what it needs --
// a line of the input trace, a window, a settled part of the picture -- with
// a time limit, never for a fixed time.
//
// Skipped, with the reason, where Xvfb, jwm or xdotool are missing or the X
// server cannot start.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "E2eSupport.h"
#include "support/ProgramTree.h"

namespace
{

using namespace E2e;

constexpr int ScreenWidth = 1280;
constexpr int ScreenHeight = 1024;

class WindowEndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const std::string tool = MissingTool({"Xvfb", "jwm", "xdotool"}); !tool.empty())
            GTEST_SKIP() << "end-to-end test skipped: " << tool
                         << " is not installed (scripts/install-deps.sh installs it)";
        folder = std::filesystem::path(FROTHWICK_TEST_TMP_DIR) /
                 ("e2e-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        if (const std::string why = server.Start(folder, ScreenWidth, ScreenHeight, true); !why.empty())
            GTEST_SKIP() << "end-to-end test skipped: " << why;
    }

    void TearDown() override
    {
        E2e::Stop(program);
        server.Stop();
    }

    std::string X(const std::string& command) { return server.Run(command); }

    // Starts a copy of the program (with its own data tree) in the test's
    // folder.
    void StartProgram(const std::string& settings = "", const std::string& path = FROTHWICK_PROGRAM)
    {
        tree = std::make_unique<TestSupport::ProgramTree>(path, "e2e-tree");
        const std::filesystem::path values = folder / "config" / "SOFTWARE" / "Tamsery Games" / "Frothwick";
        std::filesystem::create_directories(values);
        if (!settings.empty())
            std::ofstream(values / ".values") << settings;
        log = Log(folder / "frothwick.log");
        std::vector<std::string> environment = server.ProgramEnvironment();
        environment.insert(environment.end(),
                           {"XDG_CONFIG_HOME=" + (folder / "config").string(), "XDG_RUNTIME_DIR=" + folder.string(),
                            "FROTHWICK_INPUT_TRACE=1", "FROTHWICK_EXIT_AFTER_TICKS=6000"});
        program = Spawn({tree->Program().string()}, environment, log.Path().string());
        ASSERT_GT(program, 0);
        ASSERT_TRUE(WaitFor([&] { return !(window = FindWindow()).empty(); })) << "no window appeared\n"
                                                                                << log.Text();
        // The window manager frames and places it: wait until it stays put.
        Geometry last = GetGeometry();
        int same = 0;
        ASSERT_TRUE(WaitFor(
            [&]
            {
                const Geometry now = GetGeometry();
                same = now.x == last.x && now.y == last.y && now.width == last.width ? same + 1 : 0;
                last = now;
                return same >= 3;
            }))
            << "the window never came to rest";
    }

    std::string FindWindow() { return server.FindWindow(); }
    Geometry GetGeometry() { return server.GetGeometry(FindWindow()); }
    std::string Pixel(int px, int py) { return server.Pixel(FindWindow(), px, py); }
    std::string Screenshot(const std::string& name) { return server.Screenshot(FindWindow(), folder / name); }
    std::string Region(int px, int py) { return server.Region(FindWindow(), px, py); }
    bool Settled(int px, int py) { return server.Settled(FindWindow(), px, py); }
    bool LogHas(const std::string& text, std::chrono::milliseconds limit = 15s) { return log.Has(text, limit); }
    size_t Count(const std::string& text) { return log.Count(text); }
    std::string ReadLog() { return log.Text(); }

    XServer server;
    std::filesystem::path folder;
    Log log;
    std::string window;
    pid_t program = -1;
    std::unique_ptr<TestSupport::ProgramTree> tree;
};

TEST_F(WindowEndToEndTest, ClicksReachTheProgramInAWindowAndInLetterboxedFullScreen)
{
    StartProgram("FROTHWICK-SETTINGS 1\n4\tScreenMode\t0\n"); // a first run would fill the screen
    ASSERT_TRUE(LogHas("trace: window windowed 800x600")) << ReadLog();
    const Geometry placed = GetGeometry();
    EXPECT_EQ(placed.width, 800);
    EXPECT_EQ(placed.height, 600);

    X("xdotool mousemove --window " + window + " 400 300 click 1");
    EXPECT_TRUE(LogHas("trace: press 400,300 clicks 1")) << ReadLog();
    EXPECT_TRUE(LogHas("trace: release 400,300 clicks 1")) << ReadLog();
    X("xdotool mousemove --window " + window + " 123 456 click 3");
    EXPECT_TRUE(LogHas("trace: press 123,456 clicks -1")) << "right button: -1\n" << ReadLog();

    // Alt+Enter: full screen, the picture scaled by 1.6 into 1280 x 960 with
    // bars of 32 rows above and below.
    X("xdotool windowactivate --sync " + window);
    X("xdotool key alt+Return");
    ASSERT_TRUE(LogHas("trace: window full screen 800x600")) << ReadLog();
    ASSERT_TRUE(WaitFor([&] { return GetGeometry().width == ScreenWidth; })) << "the window never filled the screen";
    window = FindWindow();
    X("xdotool mousemove --window " + window + " 640 512 click 1");
    EXPECT_TRUE(WaitFor([&] { return Count("trace: press 400,300 clicks 1") == 2; })) << ReadLog();
    X("xdotool mousemove --window " + window + " 0 5 click 1");
    EXPECT_TRUE(LogHas("trace: press 0,0 clicks 1")) << "a click on the bar is clamped into the picture\n"
                                                     << ReadLog();

    // And back to the window.
    X("xdotool windowactivate --sync " + window);
    X("xdotool key alt+Return");
    EXPECT_TRUE(WaitFor([&] { return Count("trace: window windowed 800x600") == 2; })) << ReadLog();
    EXPECT_TRUE(WaitFor([&] { return GetGeometry().width == 800; }));
}

TEST_F(WindowEndToEndTest, AButtonShowsHoverAndPressAndFullScreenShowsTheSamePicture)
{
    if (!OnPath("import"))
    {
        GTEST_SKIP() << "end-to-end test skipped: ImageMagick's import is not installed";
    }
    StartProgram("", FROTHWICK_GALLERY_PROGRAM);
    // The first of the gallery's buttons covers (270, 410) to (350, 470).
    const int bx = 300, by = 430;
    const std::string plain = Pixel(bx, by);
    ASSERT_FALSE(plain.empty()) << "no screenshot";
    X("xdotool mousemove --window " + window + " " + std::to_string(bx) + " " + std::to_string(by));
    ASSERT_TRUE(WaitFor([&] { return Pixel(bx, by) != plain; }, 5s)) << "no hover feedback";
    const std::string hovered = Pixel(bx, by);
    X("xdotool click 1");
    ASSERT_TRUE(WaitFor([&] { return Pixel(bx, by) != hovered; }, 5s)) << "the click changed nothing";
    X("xdotool mousemove --window " + window + " 100 100");
    ASSERT_TRUE(WaitFor([&] { return Pixel(bx, by) != Pixel(bx, by + 200) && Pixel(bx, by) != hovered; }, 5s));
    const std::string switchedOn = Pixel(bx, by);
    EXPECT_NE(switchedOn, plain) << "the button stays on after the pointer left";

    // Full screen: the same picture scaled by 1.6 below a bar of 32 rows.
    X("xdotool windowactivate --sync " + window);
    X("xdotool key alt+Return");
    ASSERT_TRUE(WaitFor([&] { return GetGeometry().width == ScreenWidth; })) << "the window never filled the screen";
    EXPECT_TRUE(WaitFor([&] { return Pixel(bx * 16 / 10 + 2, by * 16 / 10 + 32 + 2) == switchedOn; }, 5s))
        << Pixel(bx * 16 / 10 + 2, by * 16 / 10 + 32 + 2) << " instead of " << switchedOn;
    EXPECT_EQ(Pixel(640, 10), "0,0,0") << "the bar above the picture is black";
}

TEST_F(WindowEndToEndTest, TheTopBandDragsTheWindowAndItsPlaceIsSaved)
{
    // Start at a known place, away from the edges.
    StartProgram("FROTHWICK-SETTINGS 1\n4\tPreferredX\t100\n4\tPreferredY\t120\n4\tScreenMode\t0\n");
    ASSERT_TRUE(WaitFor([&] { return GetGeometry().x == 100; })) << "placed at " << GetGeometry().x;
    const Geometry before = GetGeometry();
    EXPECT_EQ(before.y, 120);

    // The game lays the band over its title bar once its main screen is
    // built, after loading: try until it drags.
    bool moved = false;
    for (int attempt = 0; attempt < 20 && !moved; ++attempt)
    {
        X("xdotool mousemove --window " + window + " 300 10 mousedown 1");
        X("xdotool mousemove_relative --sync 60 40");
        X("xdotool mousemove_relative --sync 60 40");
        X("xdotool mouseup 1");
        moved = WaitFor(
            [&]
            {
                const Geometry now = GetGeometry();
                return now.width > 0 && now.x != before.x;
            },
            1s);
    }
    ASSERT_TRUE(moved) << "the window did not move\n" << ReadLog();
    const Geometry after = GetGeometry();
    EXPECT_GT(after.x, before.x);
    EXPECT_GT(after.y, before.y);

    // Below the band the window stays put, once the program has seen the
    // whole drag.
    const size_t releases = Count("trace: release ");
    X("xdotool mousemove --window " + window + " 300 100 mousedown 1");
    X("xdotool mousemove_relative --sync 60 40");
    X("xdotool mouseup 1");
    EXPECT_TRUE(WaitFor([&] { return Count("trace: release ") > releases; })) << ReadLog();
    EXPECT_EQ(GetGeometry().x, after.x);

    // The new place is kept for the next start.
    EXPECT_TRUE(LogHas("trace: place " + std::to_string(after.x) + "," + std::to_string(after.y))) << ReadLog();
}

TEST_F(WindowEndToEndTest, ANewcomerCreatesAPlayerWalksToTheWorldsAndQuitsThroughTheExitDialog)
{
    // The game keeps its players in the user's data folder: the test's own.
    StartProgram("FROTHWICK-SETTINGS 1\n4\tScreenMode\t0\n");
    const std::filesystem::path profiles =
        std::filesystem::path(std::getenv("XDG_DATA_HOME")) / "frothwick" / "data" / "usr.dat";
    ASSERT_FALSE(std::filesystem::exists(profiles)) << "a newcomer's game has no players";
    ASSERT_TRUE(LogHas("Main Screen Time", 30s)) << ReadLog();
    X("xdotool windowactivate --sync " + window);

    // A click once the picture under it has settled (screens fade and
    // dialogs grow in), until the program has seen it; then, when the click
    // leads on to a place (nx, ny) of the next screen, until the picture
    // there has changed (where it does) and settled.
    auto click = [&](int x, int y, int nx = -1, int ny = -1)
    {
        EXPECT_TRUE(Settled(x, y)) << "the picture at " << x << "," << y << " never settled";
        const std::string next = nx >= 0 ? Region(nx, ny) : std::string();
        const size_t before = Count("trace: release " + std::to_string(x) + "," + std::to_string(y));
        X("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) + " click 1");
        EXPECT_TRUE(WaitFor([&]
                            { return Count("trace: release " + std::to_string(x) + "," + std::to_string(y)) > before; }))
            << "click at " << x << "," << y << " never arrived\n"
            << ReadLog();
        if (nx >= 0)
        {
            WaitFor([&] { return Region(nx, ny) != next; }, 3s);
            EXPECT_TRUE(Settled(nx, ny)) << "the picture at " << nx << "," << ny << " never settled";
        }
    };

    click(508, 465, 344, 330); // NEW PLAYER; the dialog's CREATE comes
    const size_t typed = Count("trace: char ");
    X("xdotool type --delay 60 Ada");
    EXPECT_TRUE(WaitFor([&] { return Count("trace: char ") >= typed + 3; })) << ReadLog();
    click(344, 330, 383, 465); // CREATE; back to the selector's START
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(profiles); }))
        << "creating a player writes the profile file\n"
        << ReadLog();
    EXPECT_EQ(std::filesystem::file_size(profiles), 296u);
    EXPECT_EQ(ReadFile(profiles).substr(0, 4), std::string("Ada\0", 4));

    click(383, 465, 401, 444); // START with the new player chosen; the main menu's QUEST
    // QUEST. The world selector's spheres grow in: the earth sphere's place
    // is no longer night-sky blue (a tree and grass cover it). A menu that
    // still comes in may take no click although it looks in place: click
    // again while the selector has not come.
    auto earthShown = [&]
    {
        const std::string rgb = Pixel(669, 450);
        int r = 0, g = 0, b = 0;
        return std::sscanf(rgb.c_str(), "%d,%d,%d", &r, &g, &b) == 3 && !(b > r && b > g);
    };
    bool worlds = false;
    for (int attempt = 0; attempt < 5 && !worlds; ++attempt)
    {
        click(401, 444);
        worlds = WaitFor(earthShown, 3s);
    }
    EXPECT_TRUE(worlds) << "the world selector never showed its earth sphere: " << Pixel(669, 450)
                        << "; the screen: " << Screenshot("worlds.png");

    click(779, 19, 363, 302); // the window's exit button; the exit dialog's YES
    click(363, 302); // YES in the exit dialog
    ASSERT_TRUE(WaitFor([&] { return waitpid(program, nullptr, WNOHANG) == program; }, 10s))
        << "the game did not end after YES\n"
        << ReadLog();
    program = -1;

    // The quit saved the chosen player: still one record, named Ada.
    EXPECT_EQ(std::filesystem::file_size(profiles), 296u);
    EXPECT_EQ(ReadFile(profiles).substr(0, 4), std::string("Ada\0", 4));
}

} // namespace
