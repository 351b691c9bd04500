#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/AppBaseTestApp.h"
#include "framework/app/CursorHotSpots.h"
#include "framework/graphics/MemoryImage.h"

using namespace Framework;
using FrothwickTest::TestApp;

namespace
{

TEST(MainWindowPlacementTest, CentredOrKeptFourPixelsInsideTheWorkArea)
{
    const PlatformRect work{0, 30, 1920, 1020}; // a panel at the top
    int32_t x = 0, y = 0;
    AppBase::PlaceWindow(work, 800, 600, -1, -1, x, y);
    EXPECT_EQ(x, 560);
    EXPECT_EQ(y, 240);
    AppBase::PlaceWindow(work, 800, 600, 100, 200, x, y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 200);
    AppBase::PlaceWindow(work, 800, 600, -50, 0, x, y);
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, 34);
    AppBase::PlaceWindow(work, 800, 600, 1500, 900, x, y);
    EXPECT_EQ(x, 1920 - 4 - 800);
    EXPECT_EQ(y, 30 + 1020 - 4 - 600);
    // A second monitor to the left has negative coordinates.
    AppBase::PlaceWindow({-1280, 0, 1280, 1024}, 800, 600, -1200, 10, x, y);
    EXPECT_EQ(x, -1200);
    EXPECT_EQ(y, 10);
}

TEST(MainWindowModeTest, ASmallScreenStartsFullScreenWhateverWasSaved)
{
    TestApp app;
    app.width = 800;
    app.height = 600;
    app.fake->desktop = {0, 0, 800, 600};
    app.Initialise();
    EXPECT_FALSE(app.windowed);
    ASSERT_EQ(app.fake->created.size(), 1u);
    EXPECT_TRUE(app.fake->created[0].fullScreen);
}

TEST(MainWindowModeTest, FallbacksSwitchModeForTheRestOfTheRun)
{
    TestApp app;
    app.fake->failFullScreen = true;
    app.windowed = false;
    app.Initialise();
    EXPECT_TRUE(app.windowed);
    EXPECT_TRUE(app.forceWindowed);
    ASSERT_EQ(app.fake->created.size(), 2u);
    EXPECT_FALSE(app.fake->created[1].fullScreen);

    // Asking for full screen now keeps the window; Alt+Enter does nothing.
    app.SetScreenMode(false);
    EXPECT_TRUE(app.windowed);
    const size_t before = app.fake->created.size();
    app.HandleWindowEvent({WindowEvent::Type::ToggleFullScreen, 0, 0});
    EXPECT_EQ(app.fake->created.size(), before);

    TestApp other;
    other.fake->failWindowed = true;
    other.Initialise();
    EXPECT_FALSE(other.windowed);
    EXPECT_TRUE(other.forceFullScreen);
    other.SetScreenMode(true);
    EXPECT_FALSE(other.windowed);
}

TEST(MainWindowModeTest, NeitherModeStartsEndsWithTheDisplayMessage)
{
    TestApp app;
    app.fake->failWindowed = true;
    app.fake->failFullScreen = true;
    try
    {
        app.Initialise();
        FAIL() << "no exit";
    }
    catch (const AppExit& e)
    {
        EXPECT_EQ(e.code, 1);
    }
    ASSERT_FALSE(app.fake->messages.empty());
    EXPECT_EQ(app.fake->messages.back(), "FATAL ERROR: Failed to initialize the display: refused");
}

TEST(MainWindowModeTest, SetScreenModeRecreatesOnlyOnAChangeOrWhenForced)
{
    TestApp app;
    app.Initialise();
    ASSERT_EQ(app.fake->created.size(), 1u);
    app.SetScreenMode(true);
    EXPECT_EQ(app.fake->created.size(), 1u) << "same mode, same 3D choice: nothing";
    app.SetScreenMode();
    EXPECT_EQ(app.fake->created.size(), 2u) << "forced: created again";
    app.SetScreenMode(false);
    ASSERT_EQ(app.fake->created.size(), 3u);
    EXPECT_TRUE(app.fake->created.back().fullScreen);
    EXPECT_TRUE(app.mainWindowFullScreen);
    app.HandleWindowEvent({WindowEvent::Type::ToggleFullScreen, 0, 0});
    EXPECT_TRUE(app.windowed);
    EXPECT_FALSE(app.fake->created.back().fullScreen);
    // Full screen never overwrites the stored window position.
    app.preferredX = 77;
    app.SetScreenMode(false);
    app.HandleWindowEvent({WindowEvent::Type::Moved, 0, 0});
    EXPECT_EQ(app.preferredX, 77);
}

TEST(MainWindowCursorTest, CursorFollowsPointerStateAndImages)
{
    TestApp app;
    app.Initialise();
    auto last = [&] { return app.fake->cursors.back(); };
    app.pointerInside = false;
    app.SetCursor(1);
    EXPECT_EQ(last(), 0) << "outside the window: the arrow whatever the number";
    app.pointerInside = true;
    app.RefreshCursor();
    EXPECT_EQ(last(), 1);
    app.SetCursor(42);
    EXPECT_EQ(last(), 0) << "unknown numbers show the arrow";
    app.SetCursor(12);
    EXPECT_EQ(last(), 12) << "number 12 without an image: no system cursor";
    app.SetCursor(11);
    EXPECT_EQ(last(), 11);

    // Images outside 0..12 are ignored.
    const auto images = app.cursorImages;
    app.SetCustomCursorImage(13, reinterpret_cast<Image*>(&app));
    app.SetCustomCursorImage(-1, reinterpret_cast<Image*>(&app));
    EXPECT_EQ(app.cursorImages, images);
}

TEST(MainWindowCursorTest, PointerEnterAndLeaveComeThroughTheQueue)
{
    TestApp app;
    app.Initialise();
    app.SetCursor(3);
    InputEvent enter;
    enter.type = InputEvent::Type::MouseEnter;
    InputEvent leave;
    leave.type = InputEvent::Type::MouseLeave;
    app.fake->pendingInput = {enter};
    bool updated = false;
    app.LoopStep(updated);
    EXPECT_TRUE(app.pointerInside);
    EXPECT_EQ(app.fake->cursors.back(), 3);
    EXPECT_EQ(app.inputs, 0) << "enter only changes the pointer state";
    app.fake->pendingInput = {leave};
    app.LoopStep(updated);
    EXPECT_FALSE(app.pointerInside);
    EXPECT_EQ(app.fake->cursors.back(), 0);
    EXPECT_EQ(app.inputs, 1) << "leave reaches the widgets";
}

TEST(MainWindowCursorTest, CustomImagesFollowTheSwitchExceptNumberTwelve)
{
    TestApp app;
    app.Initialise();
    app.pointerInside = true;
    MemoryImage hand;
    hand.Allocate(32, 32);
    MemoryImage only;
    only.Allocate(16, 16);
    app.SetCustomCursorImage(1, &hand);
    app.SetCustomCursorImage(12, &only);

    app.SetCursor(1);
    EXPECT_EQ(app.fake->cursors.back(), 1) << "custom cursors off: the system hand";
    EXPECT_EQ(app.fake->cursorPixels, nullptr);
    app.SetCustomCursors(true);
    EXPECT_EQ(app.fake->cursorPixels, hand.GetPixels()) << "custom cursors on: the image";
    app.SetCustomCursors(false);
    EXPECT_EQ(app.fake->cursorPixels, nullptr);
    EXPECT_EQ(app.fake->cursors.back(), 1);

    app.SetCursor(12);
    EXPECT_EQ(app.fake->cursorPixels, only.GetPixels()) << "number 12 shows its image with custom cursors off";
    app.SetCursor(3);
    EXPECT_EQ(app.fake->cursorPixels, nullptr) << "no image for 3: its system cursor";
    EXPECT_EQ(app.fake->cursors.back(), 3);

    app.SetCursor(12);
    app.pointerInside = false;
    app.RefreshCursor();
    EXPECT_EQ(app.fake->cursorPixels, nullptr) << "outside the window: no image";
    EXPECT_EQ(app.fake->cursors.back(), 0) << "outside the window: the arrow";
}

TEST(MainWindowCursorTest, EachImageReachesThePlatformWithItsHotSpot)
{
    TestApp app;
    app.Initialise();
    app.pointerInside = true;
    MemoryImage beam;
    beam.Allocate(32, 32);
    MemoryImage hand;
    hand.Allocate(32, 32);
    app.SetCustomCursorImage(3, &beam, 5, 10);
    app.SetCustomCursorImage(1, &hand, 11, 4);
    app.SetCustomCursors(true);
    app.SetCursor(3);
    EXPECT_EQ(app.fake->cursorPixels, beam.GetPixels());
    EXPECT_EQ(app.fake->cursorHotX, 5);
    EXPECT_EQ(app.fake->cursorHotY, 10);
    app.SetCursor(1);
    EXPECT_EQ(app.fake->cursorHotX, 11);
    EXPECT_EQ(app.fake->cursorHotY, 4);
    // A hot spot outside the image is held on its edge.
    app.SetCustomCursorImage(1, &hand, 40, -3);
    EXPECT_EQ(app.fake->cursorHotX, 31);
    EXPECT_EQ(app.fake->cursorHotY, 0);
}

TEST(MainWindowModeTest, TheSavedPlaceIsWhereTheWindowStands)
{
    TestApp app;
    app.Initialise();
    app.fake->workArea = {0, 30, 1024, 738};
    app.preferredX = 224;
    app.preferredY = 500; // would reach below the work area
    app.SetScreenMode(false, false, false);
    app.SetScreenMode(true, false, false);
    EXPECT_EQ(app.preferredX, 224);
    EXPECT_EQ(app.preferredY, 30 + 738 - 4 - app.height) << "pulled inside the work area, and saved so";
    app.SetScreenMode(false, false, false);
    app.preferredX = -1;
    app.preferredY = -1;
    app.SetScreenMode(true, false, false);
    EXPECT_EQ(app.preferredX, -1) << "a window never placed stays centred";
}

TEST(MainWindowInstanceTest, TheSecondCopyIsToldBeforeAnythingIsShown)
{
    TestApp first;
    first.onlyOneInstance = true;
    first.title = "FrothwickClaimTest";
    ASSERT_TRUE(first.ClaimSingleInstance());
    TestApp second;
    second.onlyOneInstance = true;
    second.title = "FrothwickClaimTest";
    EXPECT_FALSE(second.ClaimSingleInstance()) << "no window, no splash: the caller exits";
    EXPECT_TRUE(second.ClaimSingleInstance()) << "decided once";

    TestApp saver;
    saver.onlyOneInstance = true;
    saver.title = "FrothwickClaimTest";
    saver.commandLine = "\"-screensaver\"";
    EXPECT_TRUE(saver.ClaimSingleInstance()) << "a screen saver run takes no lock";
}

TEST(MainWindowCursorTest, HotSpotTableReadsGoodLinesOnly)
{
    const CursorHotSpotTable table = ParseCursorHotSpots("# comment\n"
                                                         "CUSTOM_HAND 11 4\n"
                                                         "\n"
                                                         "CUSTOM_TEXT 5 10 extra\n"
                                                         "CUSTOM_DRAGGING -1 3\n"
                                                         "CUSTOM_POINTER one 1\n"
                                                         "CUSTOM_BIG 256 0\n"
                                                         "CUSTOM_POINTER 1 1");
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table.at("CUSTOM_HAND"), Point(11, 4));
    EXPECT_EQ(table.at("CUSTOM_POINTER"), Point(1, 1));
    CursorHotSpotTable missing;
    EXPECT_FALSE(ReadCursorHotSpots("/nonexistent/hotspots.txt", missing));
    EXPECT_TRUE(missing.empty());
}

TEST(MainWindowCursorTest, CursorsSetOnTheLoadingThreadAreShownByTheMainThread)
{
    TestApp app;
    app.Initialise();
    app.pointerInside = true;
    app.RefreshCursor();
    MemoryImage pointer;
    pointer.Allocate(32, 32);
    const size_t before = app.fake->cursorThreads.size();
    std::thread loader(
        [&]
        {
            app.SetCustomCursorImage(0, &pointer);
            app.SetCustomCursors(true);
        });
    loader.join();
    EXPECT_EQ(app.fake->cursorThreads.size(), before) << "nothing reached the window system from that thread";
    EXPECT_EQ(app.cursorImages[0], &pointer);

    bool updated = false;
    app.LoopStep(updated); // the next pump
    EXPECT_EQ(app.fake->cursorPixels, pointer.GetPixels());
    for (const std::thread::id& id : app.fake->cursorThreads)
    {
        EXPECT_EQ(id, std::this_thread::get_id());
    }
}

TEST(MainWindowModeTest, EveryNewWindowGetsTheDragBand)
{
    TestApp app;
    app.SetWindowDragBand(26, 720, 798);
    app.Initialise();
    ASSERT_FALSE(app.fake->dragBands.empty());
    EXPECT_EQ(app.fake->dragBands.back(), 26);
    app.fake->dragBands.clear();
    app.SetScreenMode(false);
    app.SetScreenMode(true);
    EXPECT_EQ(app.fake->dragBands, (std::vector<int32_t>{26, 26}));
    app.SetWindowDragBand(0, 0, 0);
    EXPECT_EQ(app.fake->dragBands.back(), 0) << "a change reaches the current window at once";
}

TEST(MainWindowModeTest, TheThreeDChoiceIsWrittenOnlyWhenItChanged)
{
    const std::filesystem::path root = TestSupport::TestTempDir("is3d");
    std::filesystem::remove_all(root); // a fresh store on every run
    auto make = [&](TestApp& app)
    {
        app.settingsRoot = root;
        app.registryKey = "Test\\Is3D";
    };
    {
        TestApp app;
        make(app);
        app.Initialise();
        app.Set3DAcceleration(true, true);
        EXPECT_FALSE(app.is3D) << "the software path is all there is";
        EXPECT_TRUE(app.is3DChanged);
    }
    {
        TestApp app;
        make(app);
        int32_t value = 0;
        EXPECT_FALSE(app.ReadInteger("Is3D", value)) << "nothing stored before and 3D off: nothing written";
        EXPECT_TRUE(app.WriteInteger("Is3D", 1));
        app.Initialise();
        EXPECT_FALSE(app.is3D);
    }
    TestApp app;
    make(app);
    int32_t value = -1;
    EXPECT_TRUE(app.ReadInteger("Is3D", value));
    EXPECT_EQ(value, 0) << "a stored wish for 3D that could not be met is written back as off";
}

// The destructor must not free what a still-running loading thread uses.
std::atomic<bool> loaderEntered{false};
std::atomic<bool> loaderSawManager{false};

TEST(MainWindowLifetimeTest, DestructionWaitsForTheLoadingThreadFirst)
{
    class SlowLoad : public TestApp
    {
    public:
        void LoadInBackground() override
        {
            loaderEntered = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            loaderSawManager = resourceManager != nullptr;
        }
    };
    loaderEntered = false;
    loaderSawManager = false;
    {
        SlowLoad app;
        app.Initialise();
        app.StartLoadingThread();
        while (!loaderEntered)
        {
            std::this_thread::yield();
        }
    }
    EXPECT_TRUE(loaderSawManager);
}

} // namespace
