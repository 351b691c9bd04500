#include "framework/platform/Letterbox.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Framework;

namespace
{

std::vector<uint32_t> Pattern(int32_t w, int32_t h)
{
    std::vector<uint32_t> p(size_t(w) * size_t(h));
    for (size_t i = 0; i < p.size(); ++i)
    {
        p[i] = static_cast<uint32_t>(i * 2654435761u);
    }
    return p;
}

TEST(LetterboxTest, PlacementKeepsAspectAndCentres)
{
    LetterboxPlacement p = ComputeLetterbox(800, 600, 1920, 1080);
    EXPECT_EQ(p.width, 1440);
    EXPECT_EQ(p.height, 1080);
    EXPECT_EQ(p.left, 240);
    EXPECT_EQ(p.top, 0);
    p = ComputeLetterbox(800, 600, 1280, 1024);
    EXPECT_EQ(p.width, 1280);
    EXPECT_EQ(p.height, 960);
    EXPECT_EQ(p.top, 32);
    p = ComputeLetterbox(800, 600, 800, 600);
    EXPECT_EQ(p.width, 800);
    EXPECT_EQ(p.left, 0);
}

// Scaling any set of rectangles gives exactly the pixels of a whole-frame
// scale, for odd ratios up and down, and every target pixel is written by
// exactly the rectangles covering its source pixel.
TEST(LetterboxTest, PartialUpdatesMatchTheWholeFrame)
{
    const int32_t w = 800, h = 600;
    std::vector<uint32_t> src = Pattern(w, h);
    for (auto [tw, th] :
         {std::pair{1366, 768}, std::pair{1280, 1024}, std::pair{1023, 767}, std::pair{640, 480}, std::pair{333, 997}})
    {
        LetterboxPlacement pl = ComputeLetterbox(w, h, tw, th);
        std::vector<uint32_t> whole(size_t(tw) * size_t(th), 0);
        int32_t ox, oy, ow, oh;
        ScaleRect(src.data(), w, h, w, 0, 0, w, h, whole.data(), tw, pl, ox, oy, ow, oh);
        EXPECT_EQ(ow, pl.width);
        EXPECT_EQ(oh, pl.height);

        // Tile the source in uneven rectangles; the union must equal whole.
        std::vector<uint32_t> parts(size_t(tw) * size_t(th), 0);
        std::vector<int> writes(size_t(tw) * size_t(th), 0);
        const int32_t xs[] = {0, 1, 33, 64, 65, 401, 799, 800};
        const int32_t ys[] = {0, 7, 31, 32, 300, 599, 600};
        for (size_t i = 0; i + 1 < std::size(xs); ++i)
        {
            for (size_t j = 0; j + 1 < std::size(ys); ++j)
            {
                ScaleRect(src.data(), w, h, w, xs[i], ys[j], xs[i + 1] - xs[i], ys[j + 1] - ys[j], parts.data(), tw, pl,
                          ox, oy, ow, oh);
                for (int32_t y = oy; y < oy + oh; ++y)
                {
                    for (int32_t x = ox; x < ox + ow; ++x)
                    {
                        ++writes[size_t(y) * size_t(tw) + size_t(x)];
                    }
                }
            }
        }
        EXPECT_EQ(parts, whole) << tw << "x" << th;
        for (int32_t y = 0; y < th; ++y)
        {
            for (int32_t x = 0; x < tw; ++x)
            {
                const bool inside = x >= pl.left && x < pl.left + pl.width && y >= pl.top && y < pl.top + pl.height;
                ASSERT_EQ(writes[size_t(y) * size_t(tw) + size_t(x)], inside ? 1 : 0) << x << "," << y;
            }
        }
    }
}

TEST(LetterboxTest, TargetPositionsMapBackAndClampOverTheBars)
{
    LetterboxPlacement pl = ComputeLetterbox(800, 600, 1920, 1080);
    int32_t x, y;
    TargetToPicture(240, 0, 800, 600, pl, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    TargetToPicture(1679, 1079, 800, 600, pl, x, y);
    EXPECT_EQ(x, 799);
    EXPECT_EQ(y, 599);
    TargetToPicture(10, 500, 800, 600, pl, x, y); // left bar
    EXPECT_EQ(x, 0);
    TargetToPicture(1900, 500, 800, 600, pl, x, y); // right bar
    EXPECT_EQ(x, 799);
    TargetToPicture(960, 540, 800, 600, pl, x, y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
}

} // namespace
