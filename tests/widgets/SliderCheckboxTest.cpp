#include <gtest/gtest.h>

#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/Checkbox.h"
#include "framework/widgets/Slider.h"
#include "widgets/ControlsTestSupport.h"

using namespace Framework;
using TestSupport::ControlScreen;
using TestSupport::RecordingListener;

namespace
{

MemoryImage Solid(int32_t w, int32_t h, uint32_t pixel)
{
    MemoryImage image;
    image.Allocate(w, h);
    std::fill(image.GetPixels(), image.GetPixels() + w * h, pixel);
    image.PixelsChanged();
    return image;
}

// A 110-pixel slider with a 10-pixel thumb at (100, 50): 100 pixels of travel.
struct SliderFixture : ::testing::Test
{
    SliderFixture() : thumb(Solid(10, 10, 0xFF0000FF)), slider(nullptr, &thumb, 4, &listener)
    {
        slider.Resize(100, 50, 110, 20);
        screen.manager.AddWidget(&slider);
    }

    ControlScreen screen;
    RecordingListener listener;
    MemoryImage thumb;
    Slider slider;
};

} // namespace

TEST_F(SliderFixture, DragSetsTheValueAndReleaseReportsItAgain)
{
    screen.manager.MouseMove(103, 60);
    screen.manager.MouseDown(103, 60, 1);
    EXPECT_TRUE(slider.dragging);
    EXPECT_EQ(slider.grabOffset, 3);
    screen.manager.MouseMove(153, 60);
    EXPECT_DOUBLE_EQ(slider.value, 0.5);
    EXPECT_EQ(listener.Count("slider 4"), 1);
    // A move that does not change the value reports nothing.
    screen.manager.MouseMove(153, 70);
    EXPECT_EQ(listener.Count("slider 4"), 1);
    // Past the end the value stops at 1.
    screen.manager.MouseMove(400, 60);
    EXPECT_DOUBLE_EQ(slider.value, 1.0);
    screen.manager.MouseUp(400, 60, 1);
    EXPECT_FALSE(slider.dragging);
    ASSERT_EQ(listener.sliderValues.size(), 3u);
    EXPECT_DOUBLE_EQ(listener.sliderValues.back(), 1.0);
    EXPECT_EQ(slider.ThumbX(), 100);
}

TEST_F(SliderFixture, PressBesideTheThumbDoesNotMoveIt)
{
    slider.SetValue(0.0);
    screen.manager.MouseMove(160, 60);
    screen.manager.MouseDown(160, 60, 1);
    EXPECT_FALSE(slider.dragging);
    screen.manager.MouseMove(180, 60);
    EXPECT_DOUBLE_EQ(slider.value, 0.0);
    EXPECT_TRUE(listener.sliderValues.empty());
}

TEST_F(SliderFixture, CursorShowsDraggingOverTheThumbOnly)
{
    screen.manager.MouseMove(105, 60);
    ASSERT_FALSE(screen.host.cursors.empty());
    EXPECT_EQ(screen.host.cursors.back(), 2);
    screen.manager.MouseMove(150, 60);
    EXPECT_EQ(screen.host.cursors.back(), 0);
    screen.manager.MouseMove(105, 60);
    screen.manager.MouseDown(105, 60, 1);
    screen.manager.MouseMove(600, 300);
    EXPECT_EQ(screen.host.cursors.back(), 2) << "leaving while dragging keeps the dragging cursor";
    screen.manager.MouseUp(600, 300, 1);
    EXPECT_EQ(screen.host.cursors.back(), 0);
}

TEST(Slider, NoWiderThanItsThumbStaysAtZero)
{
    ControlScreen screen;
    RecordingListener listener;
    MemoryImage thumb = Solid(10, 10, 0xFF0000FF);
    Slider slider(nullptr, &thumb, 1, &listener);
    slider.Resize(0, 0, 10, 10);
    screen.manager.AddWidget(&slider);
    screen.manager.MouseMove(5, 5);
    screen.manager.MouseDown(5, 5, 1);
    screen.manager.MouseMove(50, 5);
    EXPECT_DOUBLE_EQ(slider.value, 0.0);
    screen.manager.MouseUp(50, 5, 1);
}

TEST(Slider, DrawsTrackEndsMiddleAndThumb)
{
    ControlScreen screen;
    RecordingListener listener;
    // Track 12 x 4: left end red, middle green, right end blue (4 pixels each).
    MemoryImage track;
    track.Allocate(12, 4);
    for (int32_t y = 0; y < 4; ++y)
    {
        for (int32_t x = 0; x < 12; ++x)
        {
            track.GetPixels()[y * 12 + x] = x < 4 ? 0xFFFF0000 : (x < 8 ? 0xFF00FF00 : 0xFF0000FF);
        }
    }
    track.PixelsChanged();
    MemoryImage thumb = Solid(2, 8, 0xFFFFFFFF);
    Slider slider(&track, &thumb, 1, &listener);
    slider.Resize(0, 0, 30, 8);
    slider.SetValue(0.5);
    screen.DrawWidget(slider);
    EXPECT_EQ(screen.Pixel(0, 2), 0xFFFF0000u);
    EXPECT_EQ(screen.Pixel(5, 2), 0xFF00FF00u);
    EXPECT_EQ(screen.Pixel(25, 2), 0xFF00FF00u);
    EXPECT_EQ(screen.Pixel(26, 2), 0xFF0000FFu);
    EXPECT_EQ(screen.Pixel(29, 5), 0xFF0000FFu);
    EXPECT_EQ(screen.Pixel(5, 0), 0u) << "track centred vertically";
    EXPECT_EQ(screen.Pixel(14, 0), 0xFFFFFFFFu) << "thumb at (30 - 2) * 0.5";
}

TEST(Checkbox, AnyPressTogglesAndReports)
{
    ControlScreen screen;
    RecordingListener listener;
    Checkbox box(nullptr, nullptr, 9, &listener);
    box.Resize(10, 10, 16, 16);
    screen.manager.AddWidget(&box);
    screen.Click(15, 15);
    EXPECT_TRUE(box.IsChecked());
    screen.Click(15, 15, -1);
    EXPECT_FALSE(box.IsChecked());
    EXPECT_EQ(listener.log, (std::vector<std::string>{"toggled 9 on", "toggled 9 off"}));

    box.SetChecked(true, false);
    EXPECT_TRUE(box.checked);
    EXPECT_EQ(listener.log.size(), 2u);
    box.SetChecked(false, true);
    EXPECT_EQ(listener.log.back(), "toggled 9 off");
}

TEST(Checkbox, DrawsImagesRectanglesOrTheCross)
{
    ControlScreen screen;
    RecordingListener listener;
    MemoryImage off = Solid(8, 8, 0xFF111111);
    MemoryImage on = Solid(8, 8, 0xFF222222);
    Checkbox images(&off, &on, 1, &listener);
    images.Resize(0, 0, 8, 8);
    screen.DrawWidget(images);
    EXPECT_EQ(screen.Pixel(3, 3), 0xFF111111u);
    images.SetChecked(true, false);
    screen.DrawWidget(images);
    EXPECT_EQ(screen.Pixel(3, 3), 0xFF222222u);

    MemoryImage sheet;
    sheet.Allocate(16, 8);
    for (int32_t i = 0; i < 128; ++i)
    {
        sheet.GetPixels()[i] = (i % 16) < 8 ? 0xFF333333 : 0xFF444444;
    }
    sheet.PixelsChanged();
    Checkbox rects(&sheet, nullptr, 2, &listener);
    rects.uncheckedRect = Rect(0, 0, 8, 8);
    rects.checkedRect = Rect(8, 0, 8, 8);
    rects.Resize(20, 0, 8, 8);
    screen.DrawWidget(rects);
    EXPECT_EQ(screen.Pixel(23, 3), 0xFF333333u);
    rects.SetChecked(true, false);
    screen.DrawWidget(rects);
    EXPECT_EQ(screen.Pixel(23, 3), 0xFF444444u);

    Checkbox plain(nullptr, nullptr, 3, &listener);
    plain.Resize(40, 0, 10, 10);
    screen.DrawWidget(plain);
    EXPECT_EQ(screen.Pixel(40, 0), 0xFFFFFFFFu);
    EXPECT_EQ(screen.Pixel(44, 4), 0xFF505050u);
    plain.SetChecked(true, false);
    screen.DrawWidget(plain);
    EXPECT_EQ(screen.Pixel(44, 4), 0xFFFFFF00u);
    EXPECT_EQ(screen.Pixel(44, 7), 0xFF505050u);

    // Only one of the two images: nothing drawn.
    screen.screen.ClearAll();
    Checkbox half(nullptr, &on, 4, &listener);
    half.Resize(0, 0, 8, 8);
    screen.DrawWidget(half);
    EXPECT_EQ(screen.Pixel(3, 3), 0u);
}
