#include "framework/graphics/DDInterface.h"

#include <gtest/gtest.h>

#include <thread>

#include "app/AppBaseFakes.h"

using namespace Framework;
using FrothwickTest::FakePlatform;

namespace
{

struct DisplayFixture : ::testing::Test
{
    FakePlatform platform;
    DDInterface display{&platform};
    bool pacingFailed = false;

    void Start(bool windowed = true)
    {
        std::string error;
        WindowSpec spec;
        spec.fullScreen = !windowed;
        ASSERT_TRUE(platform.CreateMainWindow(spec, error));
        ASSERT_EQ(display.Init(windowed, 800, 600, pacingFailed), DDInterface::RESULT_OK);
    }
};

TEST_F(DisplayFixture, StartNeedsAWindowAndReportsWhy)
{
    EXPECT_EQ(display.Init(true, 800, 600, pacingFailed), DDInterface::RESULT_DD_CREATE_FAIL);
    EXPECT_EQ(std::string(DDInterface::ResultName(DDInterface::RESULT_DD_CREATE_FAIL)), "RESULT_DD_CREATE_FAIL");
    EXPECT_EQ(std::string(DDInterface::ResultName(42)), "RESULT_UNKNOWN");
    EXPECT_NE(display.lastError.find("no main window"), std::string::npos);
    EXPECT_EQ(display.GetScreenImage(), nullptr);
    EXPECT_FALSE(display.Present());
}

TEST_F(DisplayFixture, RefreshRateIsKeptWithinSixtyToAHundredAndPacingIsOff)
{
    for (auto [reported, expected] : {std::pair{0, 60}, std::pair{30, 60}, std::pair{75, 75}, std::pair{144, 100}})
    {
        platform.refreshRate = reported;
        pacingFailed = false;
        Start();
        EXPECT_EQ(display.refreshRate, expected);
        EXPECT_EQ(display.msPerRefresh, 1000 / expected);
        EXPECT_TRUE(pacingFailed);
        EXPECT_FALSE(display.is3D);
    }
}

TEST_F(DisplayFixture, PresentSendsTheWholeFrameFirstThenOnlyChanges)
{
    Start();
    DDImage* screen = display.GetScreenImage();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->width, 800);
    EXPECT_TRUE(display.Present());
    ASSERT_EQ(platform.presented.size(), 1u);
    EXPECT_TRUE(platform.presented[0].empty()) << "an empty list asks for the whole frame";

    EXPECT_TRUE(display.Present());
    EXPECT_EQ(platform.presented.size(), 1u) << "nothing changed, nothing sent";

    screen->FillRect(Rect(100, 200, 10, 10), Color(255, 0, 0, 255), 0);
    EXPECT_TRUE(display.Present());
    ASSERT_EQ(platform.presented.size(), 2u);
    ASSERT_EQ(platform.presented[1].size(), 1u);
    EXPECT_EQ(platform.presented[1][0].x, 96);
    EXPECT_EQ(platform.presented[1][0].y, 200);
    EXPECT_EQ(platform.presented[1][0].height, 10);

    // After exposure the whole frame goes out again.
    display.Invalidate();
    display.Present();
    EXPECT_TRUE(platform.presented.back().empty());

    // A failed present is reported and followed by a whole frame.
    screen->FillRect(Rect(0, 0, 5, 5), Color(0, 255, 0, 255), 0);
    platform.presentFails = true;
    EXPECT_FALSE(display.Present());
    EXPECT_NE(display.lastError.find("Redraw Windowed"), std::string::npos);
    platform.presentFails = false;
    EXPECT_TRUE(display.Present());
    EXPECT_TRUE(platform.presented.back().empty());
}

TEST_F(DisplayFixture, DisplayImagesRegisterForTheirLifetimeFromAnyThread)
{
    Start();
    {
        DDImage a(&display);
        std::unique_ptr<DDImage> b;
        std::thread loader([&] { b = std::make_unique<DDImage>(&display); });
        loader.join();
        EXPECT_EQ(display.RegisteredImageCount(), 2u);
        int seen = 0;
        display.ForEachImage([&](DDImage&) { ++seen; });
        EXPECT_EQ(seen, 2);
    }
    EXPECT_EQ(display.RegisteredImageCount(), 0u);
}

TEST_F(DisplayFixture, CursorImageReachesThePlatformAgainAfterARestart)
{
    Start();
    MemoryImage cursor;
    cursor.Allocate(16, 16);
    display.SetCursorImage(&cursor);
    EXPECT_EQ(platform.imageCursors, 1);
    EXPECT_EQ(platform.cursorPixels, cursor.GetPixels());
    display.SetCursorImage(&cursor);
    EXPECT_EQ(platform.imageCursors, 1) << "the same unchanged image is not sent twice";
    Start(false); // a mode change makes a new window
    EXPECT_EQ(platform.imageCursors, 2);
    display.SetCursorImage(nullptr);
    EXPECT_EQ(platform.cursorPixels, nullptr);
}

} // namespace
