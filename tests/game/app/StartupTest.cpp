// Start-up against copies of the real data tree, intact and damaged: the
// three first groups, the loading screen, the group "Game" on its own, the
// songs, and every failure path ("FATAL ERROR", exit 0 or a clean stop).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/app/ResourceManager.h"
#include "framework/platform/SplashWindow.h"
#include "framework/widgets/WidgetManager.h"
#include "game/app/TestGameApp.h"
#include "src/app/LoadScreen.h"
#include "src/core/ResourceIds.h"

using FrothwickTest::TestGameApp;
namespace fs = std::filesystem;

namespace
{

const fs::path dataDir = FROTHWICK_DATA_DIR;

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Replace(std::string& text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

class StartupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!fs::exists(dataDir / "properties/resources.xml"))
        {
            GTEST_SKIP() << "no data tree at " << dataDir;
        }
        ResetResourceVariables();
        work = TestSupport::TestTempDir("tree");
        fs::remove_all(work); // left by an earlier run
        fs::create_directories(work);
        manifest = ReadText(dataDir / "properties/resources.xml");
    }
    void TearDown() override { ResetResourceVariables(); }

    // The tree in the scratch folder: the data folders linked, images
    // copied when they are to be damaged, and the (edited) manifest.
    void MakeTree(bool copyImages = false)
    {
        for (const char* folder : {"fonts", "sounds", "music", "data", "script"})
        {
            fs::create_directory_symlink(dataDir / folder, work / folder);
        }
        if (copyImages)
        {
            fs::copy(dataDir / "images", work / "images", fs::copy_options::recursive);
        }
        else
        {
            fs::create_directory_symlink(dataDir / "images", work / "images");
        }
        fs::create_directories(work / "properties");
        if (!manifest.empty()) // an empty one stands for no manifest at all
        {
            std::ofstream(work / "properties/resources.xml", std::ios::binary) << manifest;
        }
        fs::current_path(work);
    }

    // Initialise; the exit code when it ended the process, -1 otherwise.
    int Start(TestGameApp& app)
    {
        try
        {
            app.Initialise();
        }
        catch (const Framework::AppExit& e)
        {
            return e.code;
        }
        return -1;
    }

    // Starts on the tree made from the manifest as edited; the start must
    // end the process with 0 after one "FATAL ERROR" box holding every
    // fragment, before any screen.
    void ExpectFatalStart(TestGameApp& app, std::initializer_list<const char*> fragments)
    {
        MakeTree();
        EXPECT_EQ(Start(app), 0);
        ASSERT_EQ(app.fake->messages.size(), 1u);
        const std::string& message = app.fake->messages[0];
        EXPECT_EQ(message.rfind("FATAL ERROR: ", 0), 0u) << message;
        for (const char* fragment : fragments)
        {
            EXPECT_NE(message.find(fragment), std::string::npos) << fragment << " in " << message;
        }
        EXPECT_EQ(app.loadScreen, nullptr);
        EXPECT_TRUE(app.widgetManager->children.empty());
    }

    // The start-up picture open, as the program shows it before starting.
    static void ShowSplash(TestGameApp& app)
    {
        app.splash = std::make_unique<Framework::SplashWindow>();
        ASSERT_TRUE(app.splash->Show("Corvane", nullptr, 300, 150));
    }

    fs::path work;
    std::string manifest;
};

TEST_F(StartupTest, IntactTreeLoadsEveryGroupAndTheSongs)
{
    MakeTree();
    TestGameApp app;
    ASSERT_EQ(Start(app), -1) << (app.fake->messages.empty() ? "" : app.fake->messages[0]);
    EXPECT_TRUE(app.fake->messages.empty());
    EXPECT_NE(FONT_DEFAULT, nullptr);
    EXPECT_NE(IMAGE_LOADER_BAR, nullptr);
    EXPECT_GE(SOUND_WALL_TREE, 0);
    EXPECT_EQ(IMAGE_YOUWIN, nullptr) << "\"Game\" waits for the loading thread";
    ASSERT_NE(app.loadScreen, nullptr);
    EXPECT_EQ(app.widgetManager->focusWidget, app.loadScreen.get());
    EXPECT_EQ(app.loadScreen->width, 800);
    EXPECT_EQ(app.loadTotal, 193);

    app.loaderStarted = true; // the loading thread's part, run here
    app.LoadInBackground();
    app.loaderDone = true;
    EXPECT_EQ(app.loadDone, 193);
    EXPECT_FALSE(app.loadingFailed);
    EXPECT_NE(IMAGE_YOUWIN, nullptr);
    EXPECT_NE(IMAGE_STAGE16, nullptr);
    EXPECT_TRUE(app.customCursors);
    EXPECT_EQ(app.cursorImages[1], IMAGE_CUSTOM_HAND);
    EXPECT_DOUBLE_EQ(app.LoadingProgress(), 1.0);

    app.UseRecordingMusic();
    app.OnBackgroundLoadDone();
    EXPECT_TRUE(app.loadScreen->loadComplete);
    const std::vector<std::string> songs = {
        "load 1000 sounds/wind_cloud.ogg",  "load 10001 music/mainscreen.ogg", "load 10002 music/dream.ogg",
        "load 10003 music/fire.ogg",        "load 10004 music/ice.ogg",        "load 10005 music/phantom.ogg",
        "load 10006 music/purple moon.ogg", "load 10007 music/wind.ogg",       "load 10008 music/level complete.ogg",
        "load 10009 music/level failed.ogg"};
    EXPECT_EQ(app.music->calls, songs);
    for (const std::string& song : songs)
    {
        EXPECT_TRUE(fs::exists(song.substr(song.find(' ', 5) + 1))) << song;
    }
}

TEST_F(StartupTest, MissingManifestIsFatal)
{
    manifest.clear();
    TestGameApp app;
    ExpectFatalStart(app, {"resources.xml"});
}

TEST_F(StartupTest, BrokenManifestNamesLineAndFile)
{
    manifest = manifest.substr(0, manifest.find("<Resources id=\"Media\">")) + "<Resources id=\"Media\"><Sound";
    TestGameApp app;
    ExpectFatalStart(app, {"Line", "resources.xml"});
}

TEST_F(StartupTest, MissingFileOfTheFirstGroupIsFatal)
{
    Replace(manifest, "logo/corvane.png", "logo/gone.png");
    TestGameApp app;
    ExpectFatalStart(app, {"gone"});
    EXPECT_TRUE(app.loadingFailed);
    EXPECT_EQ(IMAGE_LOADER_BAR, nullptr) << "later groups never load";
}

TEST_F(StartupTest, UnboundIdentifierOfTheLoadingScreenIsFatal)
{
    Replace(manifest, "id=\"LOADER_BAR\"", "id=\"LOADER_BARS\"");
    TestGameApp app;
    ExpectFatalStart(app, {"IMAGE_LOADER_BAR"});
    EXPECT_NE(FONT_DEFAULT, nullptr) << "\"Init\" was bound before";
    EXPECT_EQ(SOUND_ALLCLEAR, 0) << "\"Media\" never loads";
}

TEST_F(StartupTest, MissingSoundIsFatal)
{
    Replace(manifest, "path=\"bomb\"", "path=\"nothing_here\"");
    TestGameApp app;
    ExpectFatalStart(app, {"nothing_here"});
}

TEST_F(StartupTest, BrokenGameImageStopsTheLoopCleanly)
{
    MakeTree(true);
    std::ofstream(work / "images/hud/youwin.png", std::ios::binary | std::ios::trunc) << "\x89PNG broken";
    TestGameApp app;
    ASSERT_EQ(Start(app), -1);
    app.loaderStarted = true; // the loading thread's part, run here
    app.LoadInBackground();
    app.loaderDone = true;
    EXPECT_TRUE(app.loadingFailed);
    ASSERT_EQ(app.fake->messages.size(), 1u);
    EXPECT_EQ(app.fake->messages[0].rfind("FATAL ERROR: ", 0), 0u);
    EXPECT_NE(app.fake->messages[0].find("youwin"), std::string::npos) << app.fake->messages[0];
    EXPECT_FALSE(app.customCursors);

    app.UseRecordingMusic();
    app.OnBackgroundLoadDone();
    EXPECT_FALSE(app.loadScreen->loadComplete);
    EXPECT_TRUE(app.music->calls.empty()) << "no songs after a failed load";
    app.TimingStep(false);
    EXPECT_TRUE(app.shutdown) << "the loop stops at its next step";
}

TEST_F(StartupTest, ShuttingDownEndsTheLoadingThreadEarly)
{
    MakeTree();
    TestGameApp app;
    ASSERT_EQ(Start(app), -1);
    app.StopApplication();
    app.LoadInBackground();
    EXPECT_EQ(app.loadDone, 1);
    EXPECT_EQ(IMAGE_YOUWIN, nullptr);
    EXPECT_FALSE(app.customCursors);
}

TEST_F(StartupTest, ClosingWhileGameLoadsStopsTheLoaderBeforeFreeing)
{
    MakeTree();
    {
        TestGameApp app;
        ASSERT_EQ(Start(app), -1);
        app.StartLoadingThread();
    }
    EXPECT_EQ(IMAGE_YOUWIN, nullptr);
    EXPECT_EQ(gApp, nullptr);
}

TEST_F(StartupTest, TheFirstGroupsLoadBehindTheSplashWhichStillShowsItsTime)
{
    MakeTree();
    TestGameApp app;
    ShowSplash(app);
    const uint32_t shownAt = app.fakeClock->now;
    app.StartBehindSplash(shownAt, 1600);
    EXPECT_TRUE(app.fake->messages.empty());
    EXPECT_NE(FONT_DEFAULT, nullptr);
    EXPECT_NE(IMAGE_LOADER_BAR, nullptr);
    EXPECT_GE(SOUND_WALL_TREE, 0);
    ASSERT_NE(app.loadScreen, nullptr);
    EXPECT_TRUE(app.loaderStarted) << "\"Game\" loads behind the picture too";
    ASSERT_NE(app.splash, nullptr);
    EXPECT_TRUE(app.splash->IsOpen()) << "the picture stays until the loop's first update";
    EXPECT_EQ(app.fakeClock->now - shownAt, 1600u);

    // The loop finds "Game" done before the loading screen's first update:
    // the quick fades, then the main screen.
    app.WaitForLoadingThread();
    EXPECT_FALSE(app.loadingFailed);
    app.RunTick();
    EXPECT_EQ(app.splash, nullptr);
    EXPECT_NE(IMAGE_YOUWIN, nullptr);
    EXPECT_TRUE(app.loadScreen->loadComplete);
    EXPECT_EQ(app.loadScreen->fadeStep, 15);
    int updates = 1;
    while (!app.menuBackground && updates < 100)
    {
        app.RunTick();
        ++updates;
    }
    EXPECT_EQ(updates, 34);
}

TEST_F(StartupTest, AFailureBehindTheSplashGivesOneFatalBox)
{
    Replace(manifest, "path=\"bomb\"", "path=\"nothing_here\"");
    MakeTree();
    TestGameApp app;
    ShowSplash(app);
    try
    {
        app.StartBehindSplash(app.fakeClock->now, 1600);
        ADD_FAILURE() << "the start goes on after a broken \"Media\"";
    }
    catch (const Framework::AppExit& e)
    {
        EXPECT_EQ(e.code, 0);
    }
    ASSERT_EQ(app.fake->messages.size(), 1u);
    EXPECT_EQ(app.fake->messages[0].rfind("FATAL ERROR: ", 0), 0u) << app.fake->messages[0];
    EXPECT_NE(app.fake->messages[0].find("nothing_here"), std::string::npos);
    EXPECT_FALSE(app.loaderStarted);
    EXPECT_EQ(app.loadScreen, nullptr);
}

TEST_F(StartupTest, AGameGroupFailureBehindTheSplashGivesOneFatalBoxAndStops)
{
    MakeTree(true);
    std::ofstream(work / "images/hud/youwin.png", std::ios::binary | std::ios::trunc) << "\x89PNG broken";
    TestGameApp app;
    ShowSplash(app);
    app.StartBehindSplash(app.fakeClock->now, 1600);
    app.WaitForLoadingThread();
    EXPECT_TRUE(app.loadingFailed);
    ASSERT_EQ(app.fake->messages.size(), 1u);
    EXPECT_EQ(app.fake->messages[0].rfind("FATAL ERROR: ", 0), 0u);
    EXPECT_NE(app.fake->messages[0].find("youwin"), std::string::npos) << app.fake->messages[0];
    app.TimingStep(false);
    EXPECT_TRUE(app.shutdown);
}

} // namespace
