#include "framework/graphics/DisplayChangeFinder.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Framework;

namespace
{

// Applies the reported rectangles of `now` onto `shown` (what the window
// would show) so a test can check nothing was missed.
void Apply(std::vector<uint32_t>& shown, const std::vector<uint32_t>& now, int32_t w,
           const std::vector<ChangedRect>& rects)
{
    for (const ChangedRect& r : rects)
    {
        for (int32_t y = r.y; y < r.y + r.height; ++y)
        {
            for (int32_t x = r.x; x < r.x + r.width; ++x)
            {
                shown[size_t(y) * size_t(w) + size_t(x)] = now[size_t(y) * size_t(w) + size_t(x)];
            }
        }
    }
}

TEST(DisplayChangeFinderTest, FirstFrameIsWholeThenOnlyChangedTilesAndRows)
{
    const int32_t w = 800, h = 600;
    std::vector<uint32_t> frame(size_t(w) * h, 0xFF102030u);
    DisplayChangeFinder finder;
    bool whole = false;
    auto rects = finder.Find(frame.data(), w, h, w, whole);
    EXPECT_TRUE(whole);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].width, w);

    rects = finder.Find(frame.data(), w, h, w, whole);
    EXPECT_FALSE(whole);
    EXPECT_TRUE(rects.empty()) << "an unchanged frame sends nothing";

    // One pixel: one tile wide, one row high.
    frame[size_t(100) * w + 70] = 1;
    rects = finder.Find(frame.data(), w, h, w, whole);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].x, 64);
    EXPECT_EQ(rects[0].width, 32);
    EXPECT_EQ(rects[0].y, 100);
    EXPECT_EQ(rects[0].height, 1);

    // Adjacent changed tiles merge; a change in the last partial tile column
    // (800 = 25 x 32, so 799 is in a full tile) and the last row are found.
    frame[size_t(10) * w + 31] = 2;
    frame[size_t(12) * w + 32] = 2;
    frame[size_t(599) * w + 799] = 3;
    rects = finder.Find(frame.data(), w, h, w, whole);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].x, 0);
    EXPECT_EQ(rects[0].width, 64);
    EXPECT_EQ(rects[0].y, 10);
    EXPECT_EQ(rects[0].height, 3);
    EXPECT_EQ(rects[1].x, 768);
    EXPECT_EQ(rects[1].y, 599);

    finder.Reset();
    rects = finder.Find(frame.data(), w, h, w, whole);
    EXPECT_TRUE(whole);
}

TEST(DisplayChangeFinderTest, ReportedPartsAlwaysRebuildTheFrame)
{
    // Odd sizes, a pitch wider than the picture, and scattered changes over
    // many frames: applying only the reported rectangles must keep the
    // shown picture identical to the frame.
    const int32_t w = 203, h = 77, pitch = 211;
    std::vector<uint32_t> frame(size_t(pitch) * h, 0);
    std::vector<uint32_t> packed(size_t(w) * h), shown(size_t(w) * h, 0xDEADBEEFu);
    DisplayChangeFinder finder;
    uint32_t seed = 12345;
    for (int step = 0; step < 200; ++step)
    {
        for (int k = 0; k < step % 7; ++k)
        {
            seed = seed * 1664525u + 1013904223u;
            const int32_t x = static_cast<int32_t>((seed >> 8) % w);
            const int32_t y = static_cast<int32_t>((seed >> 20) % h);
            frame[size_t(y) * pitch + size_t(x)] = seed;
        }
        for (int32_t y = 0; y < h; ++y)
        {
            std::copy_n(frame.begin() + int64_t(y) * pitch, w, packed.begin() + int64_t(y) * w);
        }
        bool whole = false;
        Apply(shown, packed, w, finder.Find(frame.data(), w, h, pitch, whole));
        ASSERT_EQ(shown, packed) << "step " << step;
    }
}

} // namespace
