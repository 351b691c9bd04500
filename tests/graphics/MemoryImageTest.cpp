#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/ImageAlpha.h"
#include "framework/graphics/ImageRegistry.h"
#include "framework/graphics/MemoryImage.h"
#include "support/GraphicsPrinters.h"

using namespace Framework;
using TestSupport::Argb;
using TestSupport::PixelNear;

namespace
{

MemoryImage Filled(int32_t w, int32_t h, uint32_t pixel)
{
    MemoryImage img;
    std::vector<uint32_t> px(size_t(w) * size_t(h), pixel);
    img.SetPixels(px.data(), w, h, false);
    return img;
}

// A w x h source whose pixel at (x, y) is opaque with red = x, green = y.
MemoryImage Gradient(int32_t w, int32_t h)
{
    MemoryImage img;
    img.Allocate(w, h);
    for (int32_t y = 0; y < h; ++y)
    {
        for (int32_t x = 0; x < w; ++x)
        {
            img.pixels[size_t(y * w + x)] = Argb(255, uint32_t(x), uint32_t(y), 7);
        }
    }
    img.PixelsChanged();
    return img;
}

int CountPixels(MemoryImage& img, uint32_t value)
{
    int n = 0;
    for (int32_t y = 0; y < img.height; ++y)
    {
        for (int32_t x = 0; x < img.width; ++x)
        {
            n += img.GetPixel(x, y) == value ? 1 : 0;
        }
    }
    return n;
}

} // namespace

TEST(MemoryImageTest, FillRectBlendsWithTheGivenFormula)
{
    MemoryImage img = Filled(4, 4, Argb(255, 255, 255, 255));
    img.FillRect(Rect(0, 0, 2, 2), Color(255, 0, 0, 128), BLENDMODE_NORMAL);
    const Color c = Color::FromInt(img.GetPixel(1, 1));
    EXPECT_EQ(c.alpha, 255);
    EXPECT_EQ(c.red, 255);
    EXPECT_NEAR(c.green, 127, 1);
    EXPECT_NEAR(c.blue, 127, 1);
    EXPECT_EQ(img.GetPixel(2, 2), Argb(255, 255, 255, 255)); // outside the rectangle

    // Opaque fills replace; translucent over transparent takes the colour.
    MemoryImage clear;
    clear.Allocate(2, 1);
    clear.FillRect(Rect(0, 0, 1, 1), Color(10, 20, 30, 255), BLENDMODE_NORMAL);
    clear.FillRect(Rect(1, 0, 1, 1), Color(200, 100, 50, 64), BLENDMODE_NORMAL);
    EXPECT_EQ(clear.GetPixel(0, 0), Argb(255, 10, 20, 30));
    EXPECT_TRUE(PixelNear(clear.GetPixel(1, 0), Argb(64, 200, 100, 50), 1));
}

TEST(MemoryImageTest, PrimitivesStayInsideTheImage)
{
    MemoryImage img = Filled(3, 3, 0);
    const int before = img.changeCount;
    img.FillRect(Rect(-5, -5, 100, 100), Color(1, 2, 3, 255), 0);
    EXPECT_EQ(CountPixels(img, Argb(255, 1, 2, 3)), 9);
    img.ClearArea(Rect(2, 2, 50, 50));
    EXPECT_EQ(img.GetPixel(2, 2), 0u);
    img.FillRect(Rect(10, 10, 5, 5), Color(9, 9, 9, 255), 0); // entirely outside: no change counted
    img.DrawLine(-100.0, 1.0, 100.0, 1.0, Color(0, 0, 255, 255), 0);
    EXPECT_EQ(img.GetPixel(0, 1), Argb(255, 0, 0, 255));
    EXPECT_EQ(img.GetPixel(2, 1), Argb(255, 0, 0, 255));
    EXPECT_EQ(img.changeCount, before + 3);

    // A context's placeholder-like empty image ignores everything.
    MemoryImage empty;
    empty.FillRect(Rect(0, 0, 10, 10), Color(1, 1, 1, 255), 0);
    empty.BlitImage(img, 0, 0, Rect(0, 0, 3, 3), Color::White(), 0);
    EXPECT_EQ(empty.changeCount, 0);
}

TEST(MemoryImageTest, DrawRectAndSpansUseFillRect)
{
    MemoryImage img = Filled(12, 8, 0);
    img.DrawRect(Rect(0, 0, 10, 5), Color(255, 0, 0, 255), 0);
    EXPECT_EQ(CountPixels(img, Argb(255, 255, 0, 0)), 2 * 11 + 2 * 4);
    EXPECT_EQ(img.GetPixel(10, 5), Argb(255, 255, 0, 0));
    EXPECT_EQ(img.GetPixel(11, 5), 0u);
    EXPECT_EQ(img.GetPixel(5, 2), 0u);

    MemoryImage spans = Filled(5, 3, 0);
    const Span s[2] = {{0, 1, 3}, {2, 0, 2}};
    spans.FillSpans(s, 2, Color(0, 255, 0, 255), 0);
    EXPECT_EQ(CountPixels(spans, Argb(255, 0, 255, 0)), 5);
    EXPECT_EQ(spans.GetPixel(1, 0), Argb(255, 0, 255, 0));
    EXPECT_EQ(spans.GetPixel(0, 0), 0u);
}

TEST(MemoryImageTest, NormalBlitCopiesOpaqueSkipsTransparentBlendsTranslucent)
{
    MemoryImage src;
    const uint32_t row[4] = {Argb(255, 10, 20, 30), 0x00123456u, Argb(128, 255, 0, 0), Argb(255, 40, 50, 60)};
    src.SetPixels(row, 4, 1, false);
    MemoryImage dst = Filled(6, 2, Argb(255, 255, 255, 255));
    dst.BlitImage(src, 1, 1, Rect(0, 0, 4, 1), Color::White(), BLENDMODE_NORMAL);
    EXPECT_EQ(dst.GetPixel(1, 1), Argb(255, 10, 20, 30));
    EXPECT_EQ(dst.GetPixel(2, 1), Argb(255, 255, 255, 255));
    EXPECT_TRUE(PixelNear(dst.GetPixel(3, 1), Argb(255, 255, 127, 127), 1));
    EXPECT_EQ(dst.GetPixel(4, 1), Argb(255, 40, 50, 60));
    EXPECT_EQ(dst.GetPixel(0, 1), Argb(255, 255, 255, 255));

    // Colour modulation multiplies the channels and the coverage.
    MemoryImage dst2 = Filled(1, 1, Argb(255, 0, 0, 0));
    MemoryImage white = Filled(1, 1, Argb(255, 200, 200, 200));
    dst2.BlitImage(white, 0, 0, Rect(0, 0, 1, 1), Color(255, 128, 0, 255), BLENDMODE_NORMAL);
    EXPECT_TRUE(PixelNear(dst2.GetPixel(0, 0), Argb(255, 200, 100, 0), 1));
    dst2.BlitImage(white, 0, 0, Rect(0, 0, 1, 1), Color(255, 255, 255, 0), BLENDMODE_NORMAL);
    EXPECT_TRUE(PixelNear(dst2.GetPixel(0, 0), Argb(255, 200, 100, 0), 1));
    dst2.BlitImage(white, 0, 0, Rect(0, 0, 1, 1), Color(0, 0, 0, 128), BLENDMODE_NORMAL);
    EXPECT_TRUE(PixelNear(dst2.GetPixel(0, 0), Argb(255, 100, 50, 0), 1));

    // Unknown blend modes draw nothing.
    dst2.BlitImage(white, 0, 0, Rect(0, 0, 1, 1), Color::White(), 7);
    EXPECT_TRUE(PixelNear(dst2.GetPixel(0, 0), Argb(255, 100, 50, 0), 1));
}

TEST(MemoryImageTest, AdditiveBlitSaturatesAndKeepsDestinationAlpha)
{
    MemoryImage src;
    const uint32_t px[2] = {Argb(255, 100, 200, 50), Argb(128, 200, 200, 200)};
    src.SetPixels(px, 2, 1, false);
    MemoryImage dst = Filled(2, 1, Argb(77, 100, 100, 100));
    dst.BlitImage(src, 0, 0, Rect(0, 0, 2, 1), Color::White(), BLENDMODE_ADDITIVE);
    EXPECT_EQ(dst.GetPixel(0, 0), Argb(77, 200, 255, 150));
    EXPECT_TRUE(PixelNear(dst.GetPixel(1, 0), Argb(77, 200, 200, 200), 1));

    MemoryImage dst2 = Filled(1, 1, Argb(255, 0, 0, 0));
    dst2.BlitImage(src, 0, 0, Rect(0, 0, 1, 1), Color(255, 0, 255, 128), BLENDMODE_ADDITIVE);
    EXPECT_TRUE(PixelNear(dst2.GetPixel(0, 0), Argb(255, 50, 0, 25), 1));
}

TEST(MemoryImageTest, BlitClipsAtEveryEdge)
{
    MemoryImage src = Gradient(4, 4);
    struct Case
    {
        int32_t x, y;
        int expected;
    };
    // Destination 6 x 6: hanging off left, right, top, bottom and all out.
    const Case cases[] = {{-2, 1, 8}, {4, 1, 8}, {1, -3, 4}, {1, 5, 4}, {-4, 0, 0}, {6, 6, 0}, {1, 1, 16}};
    for (const Case& c : cases)
    {
        MemoryImage dst = Filled(6, 6, 0);
        dst.BlitImage(src, c.x, c.y, Rect(0, 0, 4, 4), Color::White(), 0);
        EXPECT_EQ(36 - CountPixels(dst, 0), c.expected) << c.x << "," << c.y;
        if (c.expected > 0)
        {
            // The pixel drawn at the clipped corner is the matching source pixel.
            const int32_t dx = std::max(c.x, 0), dy = std::max(c.y, 0);
            EXPECT_EQ(dst.GetPixel(dx, dy), src.GetPixel(dx - c.x, dy - c.y));
        }
    }
    // A source rectangle reaching outside the source is cut to it.
    MemoryImage dst = Filled(6, 6, 0);
    dst.BlitImage(src, 0, 0, Rect(2, 2, 10, 10), Color::White(), 0);
    EXPECT_EQ(36 - CountPixels(dst, 0), 4);
    EXPECT_EQ(dst.GetPixel(0, 0), src.GetPixel(2, 2));
}

TEST(MemoryImageTest, RunCacheIsDroppedByEveryChange)
{
    MemoryImage src = Filled(3, 1, 0);
    MemoryImage dst = Filled(3, 1, Argb(255, 1, 1, 1));
    dst.BlitImage(src, 0, 0, Rect(0, 0, 3, 1), Color::White(), 0); // builds runs: all transparent
    EXPECT_EQ(dst.GetPixel(1, 0), Argb(255, 1, 1, 1));
    src.GetPixels()[1] = Argb(255, 9, 9, 9);
    src.PixelsChanged();
    dst.BlitImage(src, 0, 0, Rect(0, 0, 3, 1), Color::White(), 0);
    EXPECT_EQ(dst.GetPixel(1, 0), Argb(255, 9, 9, 9));
    // Drawing into the source drops its runs too.
    src.FillRect(Rect(2, 0, 1, 1), Color(5, 5, 5, 255), 0);
    dst.BlitImage(src, 0, 0, Rect(0, 0, 3, 1), Color::White(), 0);
    EXPECT_EQ(dst.GetPixel(2, 0), Argb(255, 5, 5, 5));
}

TEST(MemoryImageTest, AlphaFlagsComputedOnDemandOrForced)
{
    MemoryImage img = Filled(2, 1, Argb(255, 1, 2, 3));
    EXPECT_FALSE(img.HasTransparent());
    EXPECT_FALSE(img.HasTranslucent());
    img.GetPixels()[0] = 0;
    img.PixelsChanged();
    EXPECT_TRUE(img.HasTransparent());
    EXPECT_FALSE(img.HasTranslucent());
    img.GetPixels()[1] = Argb(100, 1, 2, 3);
    img.PixelsChanged();
    EXPECT_TRUE(img.HasTranslucent());

    img.ForceAlphaFlags(false, false);
    img.PixelsChanged();
    EXPECT_FALSE(img.HasTransparent());
    EXPECT_FALSE(img.HasTranslucent());

    MemoryImage none;
    none.ScanAlpha();
    EXPECT_TRUE(none.hasTransparent);

    MemoryImage alloc;
    alloc.Allocate(2, 2);
    EXPECT_TRUE(alloc.HasTransparent());
    EXPECT_TRUE(alloc.HasTranslucent());
    EXPECT_EQ(alloc.changeCount, 1);
}

TEST(MemoryImageTest, SizesAreLimited)
{
    MemoryImage img;
    img.Allocate(MemoryImage::MaxDimension + 1, 1);
    EXPECT_EQ(img.width, 0);
    EXPECT_EQ(img.GetPixels(), nullptr);
    img.Allocate(MemoryImage::MaxDimension, MemoryImage::MaxDimension); // too many pixels in all
    EXPECT_EQ(img.width, 0);
    img.Allocate(-3, 5);
    EXPECT_EQ(img.width, 0);
    EXPECT_FALSE(MemoryImage::SizeAllowed(int64_t(1) << 40, 1));
}

TEST(MemoryImageTest, ReduceToPaletteAt256And257Colours)
{
    std::vector<uint32_t> px(300);
    for (size_t i = 0; i < px.size(); ++i)
    {
        px[i] = Argb(255, uint32_t((255 - i % 256) & 0xFF), 0, uint32_t(i % 256 == 5 ? 1 : 0));
    }
    MemoryImage img;
    img.SetPixels(px.data(), 30, 10, false); // 256 distinct words (pixels 256+ repeat)
    ASSERT_TRUE(img.ReduceToPalette());
    EXPECT_TRUE(img.pixels.empty());
    ASSERT_EQ(img.palette.size(), 256u);
    EXPECT_EQ(img.palette[0], px[0]); // order of first appearance
    EXPECT_EQ(img.palette[5], px[5]);
    EXPECT_EQ(img.paletteIndices[256], 0);
    EXPECT_TRUE(img.ReduceToPalette()); // already in palette form
    // The pixel form comes back on demand and draws the same.
    EXPECT_EQ(img.GetPixel(7, 9), px[277]);
    MemoryImage dst = Filled(30, 10, 0);
    dst.BlitImage(img, 0, 0, Rect(0, 0, 30, 10), Color::White(), 0);
    EXPECT_EQ(dst.GetPixel(29, 9), px[299]);

    px[299] = Argb(255, 1, 2, 3); // a 257th distinct word
    MemoryImage img2;
    img2.SetPixels(px.data(), 30, 10, false);
    EXPECT_FALSE(img2.ReduceToPalette());
    EXPECT_TRUE(img2.palette.empty());
    EXPECT_EQ(img2.GetPixel(29, 9), Argb(255, 1, 2, 3));
}

TEST(MemoryImageTest, PixelChangesAfterPaletteDropTheStalePalette)
{
    MemoryImage img = Filled(2, 2, Argb(255, 1, 1, 1));
    ASSERT_TRUE(img.ReduceToPalette());
    img.GetPixels()[0] = Argb(255, 2, 2, 2);
    img.PixelsChanged();
    EXPECT_TRUE(img.palette.empty());
    EXPECT_EQ(img.GetPixel(0, 0), Argb(255, 2, 2, 2));
}

TEST(MemoryImageTest, CelGridAndAnimationRecord)
{
    MemoryImage img = Filled(128, 64, 0);
    img.columns = 4;
    img.rows = 2;
    EXPECT_EQ(img.GetCelRect(6), Rect(64, 32, 32, 32));
    EXPECT_EQ(img.GetCelRect(1, 1), Rect(32, 32, 32, 32));

    AnimInfo ping;
    ping.type = AnimType_PingPong;
    ping.frameDelay = 0;
    ping.Compute(4, 100, 0);
    EXPECT_EQ(ping.frameMap, (std::vector<int32_t>{0, 1, 2, 3, 2, 1}));
    EXPECT_EQ(ping.cels, 6);
    EXPECT_EQ(ping.frameDelay, 1);
    EXPECT_EQ(ping.perFrameDelay, (std::vector<int32_t>{100, 1, 1, 1, 1, 1}));
    EXPECT_EQ(ping.totalTime, 105);

    AnimInfo loop;
    loop.type = AnimType_Loop;
    loop.frameDelay = 10;
    loop.Compute(0, 0, 50);
    EXPECT_EQ(loop.cels, 1);
    EXPECT_EQ(loop.totalTime, 50);

    AnimInfo plain;
    plain.type = AnimType_Once;
    plain.frameDelay = 20;
    plain.Compute(3);
    EXPECT_EQ(plain.totalTime, 60);
    EXPECT_TRUE(plain.perFrameDelay.empty());
    EXPECT_EQ(plain.GetCel(45), 2);
    EXPECT_EQ(plain.GetCel(1000), 2);

    AnimInfo mapped;
    mapped.frameDelay = 5;
    mapped.frameMap = {3, 1};
    mapped.perFrameDelay = {0, 7, 9};
    mapped.Compute(4);
    EXPECT_EQ(mapped.cels, 2);
    EXPECT_EQ(mapped.perFrameDelay, (std::vector<int32_t>{5, 7}));
    EXPECT_EQ(mapped.totalTime, 12);
}

TEST(MemoryImageTest, StretchedFastAndSmoothPaths)
{
    MemoryImage src = Gradient(2, 2);
    MemoryImage dst = Filled(8, 8, 0);
    dst.BlitStretched(src, Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 8, 8), Color::White(), 0, true);
    EXPECT_EQ(dst.GetPixel(0, 0), src.GetPixel(0, 0));
    EXPECT_EQ(dst.GetPixel(1, 1), src.GetPixel(0, 0));
    EXPECT_EQ(dst.GetPixel(3, 2), src.GetPixel(1, 1));
    EXPECT_EQ(dst.GetPixel(4, 4), 0u);

    // Clip limits the fast path.
    MemoryImage clipped = Filled(8, 8, 0);
    clipped.BlitStretched(src, Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), Rect(2, 0, 8, 8), Color::White(), 0, true);
    EXPECT_EQ(clipped.GetPixel(1, 1), 0u);
    EXPECT_EQ(clipped.GetPixel(2, 1), src.GetPixel(1, 0));

    // The smooth path covers the same area, interpolating between source
    // pixels and keeping the edge pixels' own colours.
    MemoryImage ramp;
    const uint32_t r2[2] = {Argb(255, 0, 0, 0), Argb(255, 200, 0, 0)};
    ramp.SetPixels(r2, 2, 1, false);
    MemoryImage smooth = Filled(8, 2, 0);
    smooth.BlitStretched(ramp, Rect(0, 0, 8, 1), Rect(0, 0, 2, 1), Rect(0, 0, 8, 8), Color::White(), 0, false);
    EXPECT_EQ(CountPixels(smooth, 0), 8);
    EXPECT_EQ(smooth.GetPixel(0, 0), r2[0]);
    EXPECT_EQ(smooth.GetPixel(7, 0), r2[1]);
    int last = -1;
    for (int32_t x = 0; x < 8; ++x)
    {
        const int red = Color::FromInt(smooth.GetPixel(x, 0)).red;
        EXPECT_GE(red, last);
        last = red;
    }
    EXPECT_GT(Color::FromInt(smooth.GetPixel(4, 0)).red, 50);
    EXPECT_LT(Color::FromInt(smooth.GetPixel(4, 0)).red, 150);
    MemoryImage modulated = Filled(8, 8, Argb(255, 0, 0, 0));
    MemoryImage whiteSrc = Filled(2, 2, Argb(255, 255, 255, 255));
    modulated.BlitStretched(whiteSrc, Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 8, 8), Color(255, 0, 0, 255), 0,
                            true);
    EXPECT_EQ(modulated.GetPixel(1, 1), Argb(255, 255, 0, 0));
    // A source rectangle outside the source draws nothing.
    MemoryImage none = Filled(4, 4, 0);
    none.BlitStretched(src, Rect(0, 0, 4, 4), Rect(1, 1, 2, 2), Rect(0, 0, 4, 4), Color::White(), 0, true);
    EXPECT_EQ(CountPixels(none, 0), 16);
}

TEST(MemoryImageTest, RotatedAndTransformedBlits)
{
    // Angle 0 at whole pixels is an exact copy (sub-pixel path).
    MemoryImage src = Gradient(3, 2);
    MemoryImage dst = Filled(6, 6, 0);
    dst.BlitSubpixel(src, 2.0f, 1.0f, Rect(0, 0, 3, 2), Rect(0, 0, 6, 6), Color::White(), 0);
    EXPECT_EQ(dst.GetPixel(2, 1), src.GetPixel(0, 0));
    EXPECT_EQ(dst.GetPixel(4, 2), src.GetPixel(2, 1));
    EXPECT_EQ(CountPixels(dst, 0), 30);

    // A quarter turn counter-clockwise about the top-left pixel's corner:
    // the row to the right of the centre goes up.
    MemoryImage bar = Filled(4, 1, Argb(255, 255, 0, 0));
    MemoryImage rot = Filled(10, 10, 0);
    rot.BlitRotated(bar, 5.0f, 5.0f, Rect(0, 0, 4, 1), Rect(0, 0, 10, 10), Color::White(), 0, M_PI / 2, 0.0f, 0.0f);
    EXPECT_TRUE(PixelNear(rot.GetPixel(5, 3), Argb(255, 255, 0, 0), 1));
    EXPECT_TRUE(PixelNear(rot.GetPixel(5, 2), Argb(255, 255, 0, 0), 1));
    EXPECT_EQ(rot.GetPixel(7, 5), 0u);
    // Clip keeps pixels outside untouched.
    MemoryImage rotClip = Filled(10, 10, 0);
    rotClip.BlitRotated(bar, 5.0f, 5.0f, Rect(0, 0, 4, 1), Rect(0, 3, 10, 7), Color::White(), 0, M_PI / 2, 0.0f, 0.0f);
    EXPECT_EQ(rotClip.GetPixel(5, 2), 0u);
    EXPECT_TRUE(PixelNear(rotClip.GetPixel(5, 3), Argb(255, 255, 0, 0), 1));

    // Matrix blit: a 2x scale about the centre, nearest sampling.
    MemoryImage sq = Filled(2, 2, Argb(255, 0, 255, 0));
    MemoryImage mat = Filled(10, 10, 0);
    mat.BlitTransformed(sq, 5.0f, 5.0f, Matrix3::Scaling(2.0f, 2.0f), Rect(0, 0, 10, 10), Color::White(), 0,
                        Rect(0, 0, 2, 2), false);
    EXPECT_EQ(CountPixels(mat, Argb(255, 0, 255, 0)), 16);
    EXPECT_EQ(mat.GetPixel(3, 3), Argb(255, 0, 255, 0));
    EXPECT_EQ(mat.GetPixel(6, 6), Argb(255, 0, 255, 0));
    EXPECT_EQ(mat.GetPixel(7, 7), 0u);
    // A singular matrix draws nothing.
    MemoryImage sing = Filled(4, 4, 0);
    sing.BlitTransformed(sq, 2.0f, 2.0f, Matrix3::Scaling(0.0f, 1.0f), Rect(0, 0, 4, 4), Color::White(), 0,
                         Rect(0, 0, 2, 2), true);
    EXPECT_EQ(CountPixels(sing, 0), 16);
}

TEST(MemoryImageTest, AlphaMergingAndDisplayRegistration)
{
    MemoryImage img = Filled(4, 2, Argb(255, 10, 20, 30));
    img.columns = 2;
    MemoryImage alpha = Filled(4, 2, Argb(255, 0, 0, 77));
    ASSERT_TRUE(ApplyAlphaImage(img, alpha));
    EXPECT_EQ(img.GetPixel(3, 1), Argb(77, 10, 20, 30));
    MemoryImage wrong = Filled(3, 2, 0);
    EXPECT_FALSE(ApplyAlphaImage(img, wrong));

    MemoryImage grid;
    const uint32_t g[4] = {Argb(0, 0, 0, 1), Argb(0, 0, 0, 2), Argb(0, 0, 0, 3), Argb(0, 0, 0, 4)};
    grid.SetPixels(g, 2, 2, false);
    ASSERT_TRUE(ApplyAlphaGrid(img, grid));
    EXPECT_EQ(img.GetPixel(0, 0) >> 24, 1u);
    EXPECT_EQ(img.GetPixel(2, 0) >> 24, 1u);
    EXPECT_EQ(img.GetPixel(3, 1) >> 24, 4u);
    EXPECT_FALSE(ApplyAlphaGrid(img, alpha));

    struct Registry : ImageRegistry
    {
        int live = 0;
        void RegisterImage(DDImage*) override { ++live; }
        void UnregisterImage(DDImage*) override { --live; }
    } registry;
    {
        DDImage a(&registry);
        DDImage b(&registry);
        EXPECT_EQ(registry.live, 2);
    }
    EXPECT_EQ(registry.live, 0);
}
