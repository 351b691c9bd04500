#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "app/AppBaseTestApp.h"

using namespace Framework;
using FrothwickTest::TestApp;

namespace
{

// --- fixed-rate timing ---

TEST(AppBaseTimingTest, IdleLoopSleepsExactlyUntilTheNextUpdate)
{
    TestApp app;
    app.StartTiming();
    app.fakeClock->now += 4;
    app.RunUntilIdle();
    ASSERT_FALSE(app.fakeClock->sleeps.empty());
    EXPECT_EQ(app.fakeClock->sleeps.back(), 6u);
    EXPECT_EQ(app.updateCount, 0);

    // Ten seconds of idle real time make ten seconds of updates: 1000.
    for (int i = 0; i < 100000 && app.fakeClock->now < 11000; ++i)
    {
        bool updated = false;
        app.LoopStep(updated);
    }
    EXPECT_NEAR(app.updateCount, 1000, 1);
}

// A window at 60 Hz with refresh pacing asked for: frames of 16.67 ms on a
// millisecond clock. Every idle pass sleeps (the wait is rounded up), so the
// loop never spins through the fraction, and the update rate stays 100 a second.
TEST(AppBaseTimingTest, AFractionalFrameIsSleptNotSpun)
{
    TestApp app;
    app.refreshPacing = true;
    app.refreshRate = 60;
    app.StartTiming();
    ASSERT_FALSE(app.VSyncPacingActive());
    int steps = 0;
    for (; steps < 100000 && app.fakeClock->now < 3000; ++steps)
    {
        bool updated = false;
        app.LoopStep(updated);
    }
    EXPECT_NEAR(app.updateCount, 200, 2);
    EXPECT_LT(steps, 200 * 8) << "passes without a sleep between updates";
    for (uint32_t ms : app.fakeClock->sleeps)
    {
        EXPECT_GT(ms, 0u);
        EXPECT_LE(ms, 17u);
    }
}

TEST(AppBaseTimingTest, AStallIsCappedAtTwoHundredMilliseconds)
{
    TestApp app;
    app.StartTiming();
    app.fakeClock->now += 1000;
    EXPECT_EQ(app.RunUntilIdle(), 20) << "a 1 s stall is made up by 20 catch-up updates, not 100";
    EXPECT_LT(app.owedTime, 10.0);
}

// The draw is forced at the tenth timing check without a draw (ceil(10 x
// speed)); the check that forces it is not an update, so nine updates run
// between forced draws.
TEST(AppBaseTimingTest, ADrawIsForcedAtTheTenthCheckOnceLoaded)
{
    TestApp app;
    app.loaded = true;
    std::vector<int> updatesAtDraw;
    app.onDraw = [&] { updatesAtDraw.push_back(app.updateCount); };
    app.StartTiming();
    app.fakeClock->now += 1000; // 20 updates owed
    app.RunUntilIdle();
    ASSERT_GE(updatesAtDraw.size(), 2u);
    EXPECT_EQ(updatesAtDraw[0], 9);
    EXPECT_EQ(updatesAtDraw[1], 18);

    // At speed 2.5 the forced draw waits for the 25th check.
    TestApp fast;
    fast.loaded = true;
    fast.speed = 2.5;
    std::vector<int> fastDraws;
    fast.onDraw = [&] { fastDraws.push_back(fast.updateCount); };
    fast.StartTiming();
    fast.fakeClock->now += 1000; // 200 ms owed = 50 updates of 4 ms
    fast.RunUntilIdle();
    ASSERT_FALSE(fastDraws.empty());
    EXPECT_EQ(fastDraws[0], 24);

    // Before loading is done nothing forces a draw during catch-up.
    TestApp loading;
    std::vector<int> loadingDraws;
    loading.onDraw = [&] { loadingDraws.push_back(loading.updateCount); };
    loading.StartTiming();
    loading.fakeClock->now += 1000;
    loading.RunUntilIdle();
    ASSERT_FALSE(loadingDraws.empty());
    EXPECT_EQ(loadingDraws[0], 20);
}

TEST(AppBaseTimingTest, SpeedZeroOnlyPumpsAndDeletes)
{
    TestApp app;
    app.speed = 0;
    app.StartTiming();
    bool deleted = false;
    struct Tracked
    {
        bool* flag;
        ~Tracked() { *flag = true; }
    };
    // Asked from an input handler, inside the loop.
    app.onInput = [&] { app.DeleteWidgetLater(new Tracked{&deleted}); };
    app.fake->pendingInput.push_back({});
    app.fakeClock->now += 5000;
    for (int i = 0; i < 50; ++i)
    {
        bool updated = false;
        app.LoopStep(updated);
    }
    EXPECT_EQ(app.updateCount, 0);
    EXPECT_EQ(app.draws, 0);
    EXPECT_EQ(app.inputs, 1);
    EXPECT_TRUE(deleted);
}

// Refresh pacing: updates run once per drawn frame. A second's worth of
// updates (100) completed within 800 ms three times in a row switches the
// pacing off for good; a slower second in between starts the count again.
TEST(AppBaseTimingTest, RefreshPacingSwitchesOffAfterThreeFastSeconds)
{
    TestApp app;
    app.refreshPacing = true;
    app.refreshRate = 100;
    app.mainWindowFullScreen = true;
    uint32_t frameMs = 5; // each present waits this long for the "refresh"
    app.onDraw = [&] { app.fakeClock->now += frameMs; };
    app.StartTiming();
    ASSERT_TRUE(app.VSyncPacingActive());

    auto runSecondsWorth = [&]
    {
        const int target = app.updateCount + 100;
        for (int i = 0; i < 100000 && app.updateCount < target; ++i)
        {
            bool updated = false;
            app.LoopStep(updated);
        }
    };
    runSecondsWorth(); // fast
    runSecondsWorth(); // fast
    frameMs = 9;       // a slow second (900 ms) resets the strikes
    runSecondsWorth();
    frameMs = 5;
    runSecondsWorth();
    runSecondsWorth();
    EXPECT_FALSE(app.refreshPacingFailed);
    runSecondsWorth(); // third fast one in a row
    EXPECT_TRUE(app.refreshPacingFailed);
    EXPECT_FALSE(app.VSyncPacingActive());

    // In a window the pacing never applies.
    TestApp windowed;
    windowed.refreshPacing = true;
    EXPECT_FALSE(windowed.VSyncPacingActive());
}

// --- deferred deletion ---

struct Counted
{
    static inline int alive = 0;
    Counted() { ++alive; }
    ~Counted() { --alive; }
};

class DepthApp : public TestApp
{
public:
    std::function<void()> atDepth;
    bool TimingStep(bool allowSleep) override
    {
        if (atDepth)
        {
            auto f = std::move(atDepth);
            atDepth = nullptr;
            f();
        }
        return TestApp::TimingStep(allowSleep);
    }
};

TEST(AppBaseDeferredDeleteTest, WidgetsAreDeletedOnceTheLoopUnwindsBelowTheirDepth)
{
    DepthApp app;
    app.StartTiming();
    Counted::alive = 0;
    int aliveAfterNested = -1;
    app.atDepth = [&]
    {
        // Asked at depth 1, inside a nested loop that reaches depth 2: the
        // nested loop's own processing must not delete it.
        EXPECT_EQ(app.loopDepth, 1);
        app.DeleteWidgetLater(new Counted);
        bool updated = false;
        app.LoopStep(updated);
        app.LoopStep(updated);
        aliveAfterNested = Counted::alive;
    };
    bool updated = false;
    app.LoopStep(updated); // pump
    app.LoopStep(updated); // timing step at depth 1 runs atDepth
    EXPECT_EQ(aliveAfterNested, 1);
    EXPECT_EQ(Counted::alive, 0) << "the depth-1 step's own processing deletes it";

    // Asked twice, deleted once; asked at depth 0, deleted by the next step.
    auto* c = new Counted;
    app.DeleteWidgetLater(c);
    app.DeleteWidgetLater(c);
    EXPECT_EQ(app.DeferredDeleteCount(), 1u);
    app.ProcessDeferredDeletes();
    EXPECT_EQ(Counted::alive, 0);

    // Whatever is still queued goes with the application.
    {
        TestApp other;
        other.DeleteWidgetLater(new Counted);
        other.loopDepth = 5; // nothing at depth 0 is due while deeper
        other.ProcessDeferredDeletes();
        EXPECT_EQ(Counted::alive, 1);
    }
    EXPECT_EQ(Counted::alive, 0);
}

// --- loading thread ---

class LoadingApp : public TestApp
{
public:
    std::atomic<int> seen{0};
    std::vector<double> progress;
    int doneCalls = 0;
    bool throttledWhileLoading = false;

    void LoadInBackground() override
    {
        loadTotal = 4;
        for (int i = 1; i <= 4; ++i)
        {
            loadDone = i;
            // Wait (real time, bounded) until the main thread saw this step.
            for (int t = 0; t < 2000 && seen < i; ++t)
            {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
    }
    void OnBackgroundLoadDone() override { ++doneCalls; }
};

TEST(AppBaseLoadingTest, ProgressRisesAndCompletionRunsOnTheMainThreadOnce)
{
    LoadingApp app;
    EXPECT_EQ(app.LoadingProgress(), 0.0);
    std::thread::id tickThread;
    app.onTick = [&]
    {
        tickThread = std::this_thread::get_id();
        if (app.progress.empty() || app.progress.back() != app.LoadingProgress())
        {
            app.progress.push_back(app.LoadingProgress());
        }
        app.throttledWhileLoading |= app.throttleMainThread.load();
        app.seen = app.loadDone.load();
        if (app.loaded && app.updateCount > 5)
        {
            app.StopApplication();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200)); // let the loader run
    };
    app.Initialise();
    app.Run();
    EXPECT_TRUE(app.loaded);
    EXPECT_TRUE(app.loaderDone);
    EXPECT_EQ(app.doneCalls, 1);
    EXPECT_TRUE(app.throttledWhileLoading);
    EXPECT_FALSE(app.throttleMainThread);
    EXPECT_EQ(tickThread, std::this_thread::get_id());
    EXPECT_EQ(app.LoadingProgress(), 1.0);
    ASSERT_GE(app.progress.size(), 2u);
    for (size_t i = 1; i < app.progress.size(); ++i)
    {
        EXPECT_GT(app.progress[i], app.progress[i - 1]);
    }
    EXPECT_EQ(app.progress.back(), 1.0);
}

TEST(AppBaseLoadingTest, StopFromAnotherThreadOnlyAsksTheMainThreadToStop)
{
    class FailingLoad : public TestApp
    {
    public:
        void LoadInBackground() override { StopApplication(); }
    } app;
    app.Initialise();
    app.Run(); // the loop sees loadingFailed and stops itself
    EXPECT_TRUE(app.loadingFailed);
    EXPECT_TRUE(app.shutdown);
}

// --- command line ---

class CommandLineApp : public TestApp
{
public:
    std::vector<std::pair<std::string, std::string>> seen;
    void HandleCommandLineOption(const std::string& name, const std::string& value) override
    {
        seen.emplace_back(name, value);
        TestApp::HandleCommandLineOption(name, value);
    }
};

TEST(AppBaseCommandLineTest, SplitsAtBlanksOutsideQuotesAndAtTheFirstEquals)
{
    CommandLineApp app;
    app.SplitCommandLine("  -screensaver   -demofile=\"my demo=1.dat\" \"-playnum=3\"  -play ");
    using P = std::pair<std::string, std::string>;
    EXPECT_EQ(app.seen,
              (std::vector<P>{{"-screensaver", ""}, {"-demofile", "my demo=1.dat"}, {"-playnum", "3"}, {"-play", ""}}));
    EXPECT_TRUE(app.screenSaverMode);
    EXPECT_EQ(app.demoFile, "my demo=1.dat");
}

TEST(AppBaseCommandLineTest, TheProgramNameIsSkippedEvenWithBlanksInIt)
{
    CommandLineApp app;
    const char* argv[] = {"/opt/my games/frothwick", "-record", "-screensaver"};
    app.SetCommandLine(3, argv);
    app.ReadCommandLine();
    ASSERT_EQ(app.seen.size(), 2u);
    EXPECT_EQ(app.seen[0].first, "-record");
    EXPECT_EQ(app.seen[1].first, "-screensaver");

    CommandLineApp bare;
    const char* only[] = {"frothwick"};
    bare.SetCommandLine(1, only);
    bare.ReadCommandLine();
    EXPECT_TRUE(bare.seen.empty());
}

TEST(AppBaseCommandLineTest, AnUnknownParameterIsShownAndEndsTheProcessWithZero)
{
    TestApp app;
    try
    {
        app.SplitCommandLine("-screensaver --fullscreen=yes");
        FAIL() << "no exit";
    }
    catch (const AppExit& e)
    {
        EXPECT_EQ(e.code, 0);
    }
    ASSERT_EQ(app.fake->messages.size(), 1u);
    EXPECT_EQ(app.fake->messages[0], "FATAL ERROR: Invalid Command Line Param: --fullscreen=yes");
}

// --- settings ---

class SettingsApp : public TestApp
{
public:
    SettingsApp()
    {
        settingsRoot = std::filesystem::path(FROTHWICK_TEST_TMP_DIR) / "appbase-settings-load";
        registryKey = "Tamsery Games\\Frothwick";
    }
};

TEST(AppBaseSettingsTest, SavedValuesComeBackAndInProgressMarksAnUncleanExit)
{
    std::filesystem::remove_all(std::filesystem::path(FROTHWICK_TEST_TMP_DIR) / "appbase-settings-load");
    {
        SettingsApp first;
        first.LoadSettings();
        first.MarkRunInProgress();
        EXPECT_TRUE(first.cleanLastExit) << "no earlier run";
        int32_t v = 0;
        EXPECT_TRUE(first.ReadInteger("InProgress", v));
        EXPECT_EQ(v, 1) << "a run in progress is marked once the display is up";
        first.musicVolume = 0.42;
        first.sfxVolume = 0.07;
        first.windowed = false;
        first.preferredX = 120;
        first.preferredY = -30;
        first.customCursors = true;
        first.waitForVSync = true;
        first.Mute(false);
        first.Mute(true); // the automatic mute is not saved
        first.SaveSettings();
        EXPECT_TRUE(first.ReadInteger("InProgress", v));
        EXPECT_EQ(v, 0);
    }
    SettingsApp().WriteInteger("InProgress", 1); // as if the last run had crashed
    SettingsApp second;
    second.LoadSettings();
    EXPECT_FALSE(second.cleanLastExit);
    EXPECT_NEAR(second.musicVolume, 0.42, 1e-9);
    EXPECT_NEAR(second.sfxVolume, 0.07, 1e-9);
    EXPECT_FALSE(second.windowed);
    EXPECT_EQ(second.preferredX, 120);
    EXPECT_EQ(second.preferredY, -30);
    EXPECT_TRUE(second.customCursors);
    EXPECT_TRUE(second.waitForVSync);
    EXPECT_EQ(second.muteCount, 1);

    // Values of the wrong type, or out of range, leave the defaults.
    second.WriteString("ScreenMode", "0");
    second.WriteInteger("MusicVolume", 5000);
    SettingsApp third;
    third.LoadSettings();
    EXPECT_TRUE(third.windowed);
    EXPECT_EQ(third.musicVolume, 1.0);
}

TEST(AppBaseSettingsTest, WithoutASettingsKeyNothingIsTouched)
{
    TestApp app;
    app.settingsRoot = std::filesystem::path(FROTHWICK_TEST_TMP_DIR) / "appbase-settings-none";
    std::filesystem::remove_all(app.settingsRoot);
    app.LoadSettings();
    EXPECT_TRUE(app.settingsLoaded);
    app.SaveSettings();
    EXPECT_FALSE(app.WriteInteger("X", 1));
    EXPECT_FALSE(std::filesystem::exists(app.settingsRoot));
}

// --- focus, minimise and mute ---

TEST(AppBaseFocusTest, AutomaticMutesPairUpAndLeaveOnlyThePlayersMute)
{
    TestApp app;
    app.Initialise();
    app.Mute(false); // the player's own mute
    EXPECT_EQ(app.appliedMusic, 0.0);
    app.HandleWindowEvent({WindowEvent::Type::FocusLost, 0, 0});
    EXPECT_EQ(app.lostFocus, 1);
    app.HandleWindowEvent({WindowEvent::Type::Minimised, 0, 0});
    EXPECT_EQ(app.lostFocus, 1) << "already without focus";
    EXPECT_EQ(app.muteCount, 3);
    app.HandleWindowEvent({WindowEvent::Type::Restored, 0, 0});
    app.HandleWindowEvent({WindowEvent::Type::FocusGained, 0, 0});
    EXPECT_EQ(app.gotFocus, 1);
    EXPECT_EQ(app.muteCount, 1);
    EXPECT_EQ(app.autoMuteCount, 0);
    EXPECT_TRUE(app.IsMuted());
    app.Unmute(false);
    EXPECT_EQ(app.appliedMusic, app.musicVolume);
    EXPECT_EQ(app.appliedSfx, app.sfxVolume);

    // Moving stores the position only while windowed and not minimised.
    app.HandleWindowEvent({WindowEvent::Type::Moved, 300, 200});
    EXPECT_EQ(app.preferredX, 300);
    app.HandleWindowEvent({WindowEvent::Type::Minimised, 0, 0});
    app.HandleWindowEvent({WindowEvent::Type::Moved, -32000, -32000});
    EXPECT_EQ(app.preferredX, 300);
}

TEST(AppBaseFocusTest, TheScreenSaverIsAllowedOnlyOnceLoadedAndWindowed)
{
    TestApp app;
    app.Initialise();
    EXPECT_FALSE(app.fake->screenSaverAllowed);
    app.StartLoadingThread();
    while (!app.loaderDone)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    app.RunTick();
    EXPECT_TRUE(app.loaded);
    EXPECT_TRUE(app.fake->screenSaverAllowed);
    app.SetScreenMode(false);
    EXPECT_FALSE(app.fake->screenSaverAllowed);
}

TEST(AppBaseQueuedInputTest, OneEventPerCallInArrivalOrder)
{
    TestApp app;
    app.Initialise();
    InputEvent move;
    InputEvent down;
    down.type = InputEvent::Type::MouseDown;
    down.clickCount = 1;
    app.fake->pendingInput = {move, down, move};
    bool updated = false;
    app.LoopStep(updated);
    EXPECT_EQ(app.inputs, 1);
    EXPECT_EQ(app.updateState, 0) << "input handled: the next step pumps again";
    app.LoopStep(updated);
    app.LoopStep(updated);
    EXPECT_EQ(app.inputs, 3);
    app.LoopStep(updated);
    EXPECT_EQ(app.updateState, 1);
}

} // namespace

namespace
{

// Images the application loads register with its display and are gone before
// it: the display outlives every shared image (a sanitizer build would catch
// the opposite).
TEST(AppBaseImagesTest, SharedImagesRegisterWithTheDisplayAndGoFirst)
{
    const std::filesystem::path dir = std::filesystem::path(FROTHWICK_TEST_TMP_DIR) / "appbase-images";
    std::filesystem::create_directories(dir);
    {
        // A 2 x 1 uncompressed 32-bit TGA, top-left origin.
        const unsigned char tga[] = {0, 0, 2, 0,  0,    0, 0, 0, 0,   0, 0, 0, 2,
                                     0, 1, 0, 32, 0x28, 1, 2, 3, 255, 4, 5, 6, 255};
        std::FILE* f = std::fopen((dir / "dot.tga").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(tga, 1, sizeof(tga), f);
        std::fclose(f);
    }
    auto app = std::make_unique<TestApp>();
    app->Initialise();
    ASSERT_NE(app->display, nullptr);
    ASSERT_NE(app->resourceManager, nullptr);
    auto first = app->GetSharedImage((dir / "dot").string(), "");
    ASSERT_NE(first.image, nullptr);
    EXPECT_TRUE(first.newlyLoaded);
    EXPECT_EQ(first.image->width, 2);
    auto again = app->GetSharedImage((dir / "dot").string(), "");
    EXPECT_EQ(again.image, first.image);
    EXPECT_FALSE(again.newlyLoaded);
    EXPECT_EQ(app->display->RegisteredImageCount(), 1u);
    first = {};
    again = {};
    EXPECT_EQ(app->display->RegisteredImageCount(), 0u);
    EXPECT_EQ(app->GetSharedImage((dir / "missing").string(), "").image, nullptr);
    app.reset();
}

} // namespace
