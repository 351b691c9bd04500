// Where the application base keeps the user's settings, the one-time move
// from the old place, the settings a failed start leaves (none), a quit
// signal leaving in order, and the quiet exit.
#include <gtest/gtest.h>

#include <signal.h>

#include <fstream>
#include <sstream>

#include "app/AppBaseTestApp.h"
#include "framework/platform/QuitSignals.h"

namespace
{

using FrothwickTest::TestApp;

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class UserSettingsApp : public TestApp
{
public:
    UserSettingsApp()
    {
        title = "Frothwick";
        registryKey = "Tamsery Games\\Frothwick";
        settingsRoot = TestSupport::TestTempDir("config");
    }
    // A fresh folder: the scratch folder outlives the run.
    static void Wipe() { std::filesystem::remove_all(TestSupport::TestTempDir("config")); }
};

TEST(AppBaseUserFilesTest, SettingsLiveInTheUserConfigFolderAndTheOldFileMovesOnce)
{
    UserSettingsApp::Wipe();
    UserSettingsApp app;
    EXPECT_EQ(app.SettingsFile(), app.settingsRoot / "frothwick" / "settings");
    EXPECT_FALSE(app.SettingsExist());

    // An old run's file at the place the settings key made.
    const std::filesystem::path old = app.LegacySettingsFile();
    EXPECT_EQ(old, app.settingsRoot / "SOFTWARE" / "Tamsery Games" / "Frothwick" / ".values");
    std::filesystem::create_directories(old.parent_path());
    const std::string oldBytes = "FROTHWICK-SETTINGS 1\n4\tMusicVolume\t37\n4\tScreenMode\t0\n";
    std::ofstream(old, std::ios::binary) << oldBytes;
    EXPECT_TRUE(app.SettingsExist()) << "the old file counts as settings saved";

    app.LoadSettings();
    EXPECT_NEAR(app.musicVolume, 0.37, 1e-9);
    EXPECT_TRUE(app.windowed);
    EXPECT_EQ(ReadAll(app.SettingsFile()), oldBytes) << "copied byte for byte";

    // Later runs use the new file only; the old one is left alone.
    app.musicVolume = 0.5;
    app.SaveSettings();
    EXPECT_FALSE(app.MigrateSettings()) << "once only";
    UserSettingsApp next;
    next.LoadSettings();
    EXPECT_NEAR(next.musicVolume, 0.5, 1e-9);
    EXPECT_EQ(ReadAll(old), oldBytes);
}

TEST(AppBaseUserFilesTest, AStartWhoseDisplayFailsWritesNoSettings)
{
    UserSettingsApp::Wipe();
    UserSettingsApp app;
    app.fake->failWindowed = true;
    app.fake->failFullScreen = true;
    EXPECT_THROW(app.Initialise(), Framework::AppExit);
    app.StopApplication();
    EXPECT_FALSE(std::filesystem::exists(app.settingsRoot / "frothwick")) << "nothing written, not even InProgress";
}

TEST(AppBaseUserFilesTest, AStartedRunIsMarkedAndAQuitSignalLeavesCleanly)
{
    Framework::QuitSignals::Install();
    Framework::QuitSignals::Clear();
    UserSettingsApp app;
    app.Initialise();
    int32_t mark = 0;
    ASSERT_TRUE(app.ReadInteger("InProgress", mark));
    EXPECT_EQ(mark, 1);

    ASSERT_EQ(::raise(SIGTERM), 0);
    bool updated = false;
    app.LoopStep(updated);
    EXPECT_TRUE(app.shutdown.load()) << "the loop stops at its next step";
    EXPECT_EQ(Framework::QuitSignals::Pending(), 0);
    ASSERT_TRUE(app.ReadInteger("InProgress", mark));
    EXPECT_EQ(mark, 0) << "a clean exit: the next start is not taken for one after a crash";
}

TEST(AppBaseUserFilesTest, ExitStatisticsOnlyWhenAskedForAndFpsPerSecondOfRealTime)
{
    for (const bool asked : {false, true})
    {
        if (asked)
        {
            setenv("FROTHWICK_STATS", "1", 1);
        }
        else
        {
            unsetenv("FROTHWICK_STATS");
            unsetenv("FROTHWICK_INPUT_TRACE");
        }
        TestApp app;
        app.startLoaderAutomatically = false;
        app.Initialise();
        app.onTick = [&]
        {
            app.fakeClock->now += 90; // ten draws in about a second of real time
            if (app.updateCount >= 10)
            {
                app.StopApplication();
            }
        };
        app.loaded = true;
        testing::internal::CaptureStderr();
        app.Run();
        const std::string err = testing::internal::GetCapturedStderr();
        if (!asked)
        {
            EXPECT_EQ(err, "") << "quiet by default";
            continue;
        }
        ASSERT_NE(err.find("Draw Count    = "), std::string::npos) << err;
        const int draws = std::stoi(err.substr(err.find("Draw Count    = ") + 16));
        const double seconds = std::stod(err.substr(err.find("Seconds       = ") + 16));
        ASSERT_GT(seconds, 0.0);
        ASSERT_NE(err.find("Avg FPS       = "), std::string::npos) << err;
        const int fps = std::stoi(err.substr(err.find("Avg FPS       = ") + 16));
        EXPECT_EQ(fps, static_cast<int>(draws / seconds)) << err;
    }
    unsetenv("FROTHWICK_STATS");
}

} // namespace
