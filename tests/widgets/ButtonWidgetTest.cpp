#include <gtest/gtest.h>

#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/HyperlinkWidget.h"
#include "support/FixedWidthFont.h"
#include "widgets/ControlsTestSupport.h"

using namespace Framework;
using TestSupport::ControlScreen;
using TestSupport::RecordingListener;

namespace
{

constexpr uint32_t kNormal = 0xFFFF0000;
constexpr uint32_t kOver = 0xFF00FF00;
constexpr uint32_t kDown = 0xFF0000FF;
constexpr uint32_t kDisabled = 0xFF808080;

// Four 20 x 10 frames side by side: normal, over, down, disabled.
MemoryImage MakeStrip()
{
    MemoryImage strip;
    strip.Allocate(80, 10);
    const uint32_t frames[] = {kNormal, kOver, kDown, kDisabled};
    uint32_t* pixels = strip.GetPixels();
    for (int32_t y = 0; y < 10; ++y)
    {
        for (int32_t x = 0; x < 80; ++x)
        {
            pixels[y * 80 + x] = frames[x / 20];
        }
    }
    strip.PixelsChanged();
    return strip;
}

struct ButtonFixture : ::testing::Test
{
    ButtonFixture() : button(7, &listener)
    {
        strip = MakeStrip();
        SetButtonImages(&button, &strip, 20, 10, true);
        button.Move(100, 100);
        screen.manager.AddWidget(&button);
    }

    uint32_t DrawnColour()
    {
        screen.screen.ClearAll();
        screen.DrawWidget(button);
        return screen.Pixel(110, 105);
    }

    ControlScreen screen;
    RecordingListener listener;
    MemoryImage strip;
    ButtonWidget button;
};

} // namespace

TEST_F(ButtonFixture, StripSetsFramesAndSizeToOneFrame)
{
    EXPECT_EQ(button.width, 20);
    EXPECT_EQ(button.height, 10);
    EXPECT_EQ(button.overRect, Rect(20, 0, 20, 10));
    EXPECT_EQ(button.downRect, Rect(40, 0, 20, 10));
    EXPECT_EQ(button.disabledRect, Rect(60, 0, 20, 10));

    ButtonWidget plain(1, &listener);
    SetButtonImages(&plain, &strip, 20, 10, false);
    EXPECT_FALSE(plain.HasDisabledFrame());
}

TEST_F(ButtonFixture, ClickFiresOnlyOnReleaseOverTheButton)
{
    screen.manager.MouseMove(105, 105);
    screen.manager.MouseDown(105, 105, 1);
    EXPECT_EQ(listener.Count("pressed 7 1"), 1);
    EXPECT_EQ(listener.Count("clicked 7"), 0);
    screen.manager.MouseUp(105, 105, 1);
    EXPECT_EQ(listener.Count("clicked 7"), 1);

    // Off the button before the release: no click.
    screen.manager.MouseDown(105, 105, 1);
    screen.manager.MouseMove(300, 300);
    screen.manager.MouseUp(300, 300, 1);
    EXPECT_EQ(listener.Count("clicked 7"), 1);

    // Off and back on before the release: a click.
    screen.manager.MouseMove(105, 105);
    screen.manager.MouseDown(105, 105, 1);
    screen.manager.MouseMove(300, 300);
    screen.manager.MouseMove(106, 106);
    screen.manager.MouseUp(106, 106, 1);
    EXPECT_EQ(listener.Count("clicked 7"), 2);
}

TEST_F(ButtonFixture, RightAndMiddleReleasesClickToo)
{
    screen.Click(105, 105, -1);
    EXPECT_EQ(listener.Count("pressed 7 -1"), 1);
    EXPECT_EQ(listener.Count("clicked 7"), 1);
    screen.Click(105, 105, 3);
    EXPECT_EQ(listener.Count("clicked 7"), 2);
}

TEST_F(ButtonFixture, NoClickWithoutWindowFocus)
{
    screen.manager.MouseMove(105, 105);
    screen.manager.MouseDown(105, 105, 1);
    screen.manager.LostFocus();
    screen.manager.ReleaseButtons();
    EXPECT_EQ(listener.Count("clicked 7"), 0);

    screen.manager.GotFocus();
    screen.Click(105, 105);
    EXPECT_EQ(listener.Count("clicked 7"), 1);
}

TEST_F(ButtonFixture, HeldTicksOnlyWhileOverTheButton)
{
    screen.manager.MouseMove(105, 105);
    screen.manager.MouseDown(105, 105, 1);
    screen.manager.RunUpdatePass();
    screen.manager.RunUpdatePass();
    EXPECT_EQ(listener.Count("held 7"), 2);
    screen.manager.MouseMove(300, 300);
    screen.manager.RunUpdatePass();
    EXPECT_EQ(listener.Count("held 7"), 2);
    screen.manager.MouseUp(300, 300, 1);
    screen.manager.RunUpdatePass();
    EXPECT_EQ(listener.Count("held 7"), 2);
}

TEST_F(ButtonFixture, HoverFadesInAndOutByItsSteps)
{
    button.hoverFadeInStep = 0.25;
    button.hoverFadeOutStep = 0.5;
    screen.manager.MouseMove(105, 105);
    EXPECT_EQ(listener.Count("enter 7"), 1);
    screen.manager.RunUpdatePass();
    EXPECT_DOUBLE_EQ(button.hoverFade, 0.25);
    for (int i = 0; i < 5; ++i)
    {
        screen.manager.RunUpdatePass();
    }
    EXPECT_DOUBLE_EQ(button.hoverFade, 1.0);

    screen.manager.MouseMove(300, 300);
    EXPECT_EQ(listener.Count("leave 7"), 1);
    screen.manager.RunUpdatePass();
    EXPECT_DOUBLE_EQ(button.hoverFade, 0.5);
    screen.manager.RunUpdatePass();
    EXPECT_DOUBLE_EQ(button.hoverFade, 0.0);
    screen.manager.RunUpdatePass();
    EXPECT_DOUBLE_EQ(button.hoverFade, 0.0);
}

TEST_F(ButtonFixture, LeavingStartsTheFadeOutFromFullAndWithoutStepsItSnaps)
{
    button.hoverFadeOutStep = 0.25;
    screen.manager.MouseMove(105, 105);
    screen.manager.MouseMove(300, 300);
    EXPECT_DOUBLE_EQ(button.hoverFade, 1.0);
    screen.manager.RunUpdatePass();
    EXPECT_DOUBLE_EQ(button.hoverFade, 0.75);

    button.hoverFadeOutStep = 0.0;
    screen.manager.RunUpdatePass();
    EXPECT_DOUBLE_EQ(button.hoverFade, 0.0);
}

TEST_F(ButtonFixture, DrawsTheFrameOfEachState)
{
    EXPECT_EQ(DrawnColour(), kNormal);
    screen.manager.MouseMove(105, 105);
    EXPECT_EQ(DrawnColour(), kOver);
    screen.manager.MouseDown(105, 105, 1);
    EXPECT_EQ(DrawnColour(), kDown);
    screen.manager.MouseMove(300, 300);
    EXPECT_EQ(DrawnColour(), kOver) << "held but not over shows the over frame";
    screen.manager.MouseUp(300, 300, 1);
    EXPECT_EQ(DrawnColour(), kNormal);

    button.inverted = true;
    EXPECT_EQ(DrawnColour(), kDown);
}

TEST_F(ButtonFixture, DisabledFrameOnlyWhenTheStripHasOne)
{
    button.SetDisabled(true);
    EXPECT_EQ(DrawnColour(), kDisabled);
    // A disabled button is never the mouse target.
    screen.Click(105, 105);
    EXPECT_EQ(listener.Count("clicked 7"), 0);

    ButtonWidget plain(2, &listener);
    SetButtonImages(&plain, &strip, 20, 10, false);
    plain.Move(100, 100);
    plain.SetDisabled(true);
    screen.screen.ClearAll();
    screen.DrawWidget(plain);
    EXPECT_EQ(screen.Pixel(110, 105), kNormal);
}

TEST_F(ButtonFixture, FadingOverFrameBlendsOverTheNormalFrame)
{
    button.hoverFade = 0.5;
    const Color c = Color::FromInt(DrawnColour());
    EXPECT_NEAR(c.red, 128, 2);
    EXPECT_NEAR(c.green, 127, 2);
    EXPECT_EQ(c.blue, 0);
}

TEST(ButtonWidget, WithoutImagesDrawsARaisedThenSunkenBox)
{
    ControlScreen screen;
    RecordingListener listener;
    ButtonWidget button(1, &listener);
    button.Resize(10, 10, 40, 20);
    screen.manager.AddWidget(&button);
    screen.DrawWidget(button);
    EXPECT_EQ(screen.Pixel(10, 10), 0xFFFFFFFFu);
    EXPECT_EQ(screen.Pixel(30, 20), 0xFFD4D4D4u);
    EXPECT_EQ(screen.Pixel(49, 29), 0xFF808080u);

    screen.manager.MouseMove(20, 20);
    screen.manager.MouseDown(20, 20, 1);
    screen.DrawWidget(button);
    EXPECT_EQ(screen.Pixel(10, 10), 0xFF000000u);

    button.labelOnly = true;
    screen.screen.ClearAll();
    screen.DrawWidget(button);
    EXPECT_EQ(screen.Pixel(30, 20), 0u);
}

TEST(HyperlinkWidget, UnderlineInHoverColourWhileOver)
{
    ControlScreen screen;
    RecordingListener listener;
    HyperlinkWidget link(3, &listener);
    link.label = "Go";
    link.font = std::make_unique<TestSupport::FixedWidthFont>(6);
    link.color = Color(255, 0, 0);
    link.hoverColor = Color(0, 0, 255);
    link.Resize(100, 100, 40, 20);
    screen.manager.AddWidget(&link);
    // Text 12 wide centred at x 14; baseline (8 + 20) / 2 - 1 = 13; underline at 16.
    screen.DrawWidget(link);
    EXPECT_EQ(screen.Pixel(114, 116), 0xFFFF0000u);
    EXPECT_EQ(screen.Pixel(125, 116), 0xFFFF0000u);
    EXPECT_EQ(screen.Pixel(126, 116), 0u);
    screen.manager.MouseMove(110, 110);
    screen.DrawWidget(link);
    EXPECT_EQ(screen.Pixel(114, 116), 0xFF0000FFu);
    screen.manager.MouseDown(110, 110, 1);
    screen.manager.MouseUp(110, 110, 1);
    EXPECT_EQ(listener.Count("clicked 3"), 1);
}

TEST(DialogButton, FrameBoxCoversTheButtonAndLabelShiftsWhilePressed)
{
    ControlScreen screen;
    RecordingListener listener;
    MemoryImage frame;
    frame.Allocate(9, 9);
    frame.GetPixels()[4 * 9 + 4] = 0xFF00FF00;
    std::fill(frame.GetPixels(), frame.GetPixels() + 81, 0xFF00FF00u);
    frame.PixelsChanged();
    DialogButton button(&frame, 1000, &listener);
    button.label = "OK";
    button.SetFont(nullptr);
    button.font = std::make_unique<TestSupport::FixedWidthFont>(6);
    button.Resize(0, 0, 60, 20);
    screen.manager.AddWidget(&button);
    screen.DrawWidget(button);
    EXPECT_EQ(screen.Pixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(screen.Pixel(59, 19), 0xFF00FF00u);
    // Label 12 wide at x 24, in white.
    EXPECT_EQ(screen.Pixel(24, 10), 0xFFFFFFFFu);
    EXPECT_EQ(screen.Pixel(29, 10), 0xFF00FF00u);

    screen.manager.MouseMove(5, 5);
    screen.manager.MouseDown(5, 5, 1);
    screen.DrawWidget(button);
    EXPECT_EQ(screen.Pixel(24, 10), 0xFF00FF00u);
    EXPECT_EQ(screen.Pixel(29, 10), 0xFFFFFFFFu);
    EXPECT_TRUE(button.handCursor);
}
