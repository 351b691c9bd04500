// The start-up picture window: placed in the middle of the work area, gone
// when closed, and closed by the application's first update.
#include "framework/platform/SplashWindow.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/app/TestGameApp.h"

namespace
{

TEST(SplashWindow, ShowsCentredAndCloses)
{
    Framework::SplashWindow splash;
    std::vector<uint32_t> picture(300 * 150, 0xFF336699);
    ASSERT_TRUE(splash.Show("Corvane", picture.data(), 300, 150)) << "the dummy video driver makes windows";
    EXPECT_TRUE(splash.IsOpen());
    // The dummy display is 1024 x 768 without panels.
    EXPECT_EQ(splash.X(), (1024 - 300) / 2);
    EXPECT_EQ(splash.Y(), (768 - 150) / 2);
    splash.Close();
    EXPECT_FALSE(splash.IsOpen());
    EXPECT_TRUE(splash.Show("Corvane", nullptr, 300, 150)) << "without its picture it shows white";
    EXPECT_FALSE(splash.Show("Corvane", nullptr, 0, 150));
    EXPECT_FALSE(splash.IsOpen());
}

TEST(SplashWindow, TheFirstUpdateClosesIt)
{
    FrothwickTest::TestGameApp app;
    app.splash = std::make_unique<Framework::SplashWindow>();
    ASSERT_TRUE(app.splash->Show("Corvane", nullptr, 300, 150));
    app.Tick();
    EXPECT_EQ(app.splash, nullptr);
}

} // namespace
