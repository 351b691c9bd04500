#include "framework/graphics/SysFont.h"

#include <gtest/gtest.h>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"

using Framework::Color;
using Framework::Rect;
using Framework::SysFont;

TEST(SysFont, DecodesGbkText)
{
    EXPECT_EQ(SysFont::DecodeGbk("a\xc4\xe3z"), std::u32string(U"a\u4f60z"));
    // A lone lead byte at the end has no character.
    EXPECT_EQ(SysFont::DecodeGbk("a\xc4"), std::u32string(U"a?"));
}

TEST(SysFont, MeasuresAndDrawsInsideTheClip)
{
    SysFont font("SansSerif", 10);
    ASSERT_TRUE(font.IsValid()) << "no system font installed";
    EXPECT_GT(font.Height(), 8);
    EXPECT_GT(font.Ascent(), 0);
    EXPECT_LT(font.Ascent(), font.Height());
    const int32_t one = font.TextWidth("W");
    EXPECT_GT(one, 0);
    EXPECT_EQ(font.TextWidth("WW"), 2 * one);

    Framework::MemoryImage canvas;
    canvas.Allocate(100, 30);
    Framework::Graphics g(&canvas);
    g.SetColor(Color(1, 2, 3));
    font.DrawText(&g, 10, 20, "WWWW", Color(255, 0, 0), Rect(0, 0, 20, 30));
    int32_t inside = 0;
    int32_t outside = 0;
    for (int32_t y = 0; y < 30; ++y)
    {
        for (int32_t x = 0; x < 100; ++x)
        {
            const uint32_t p = canvas.GetPixel(x, y);
            if ((p >> 24) == 0)
                continue;
            (x < 20 ? inside : outside) += 1;
            EXPECT_EQ(p & 0xFFFFu, 0u) << "not red at " << x << "," << y;
        }
    }
    EXPECT_GT(inside, 5);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(g.GetColor(), Color(1, 2, 3));

    auto copy = font.Clone();
    EXPECT_EQ(copy->TextWidth("WW"), 2 * one);
}

TEST(SysFont, DrawsThroughATranslatedContextInsideItsClip)
{
    // Widgets draw with the context moved to their corner and clipped to
    // their bounds; the text lands relative to the corner and stays inside.
    SysFont font("SansSerif", 10);
    ASSERT_TRUE(font.IsValid()) << "no system font installed";
    Framework::MemoryImage canvas;
    canvas.Allocate(200, 40);
    Framework::Graphics g(&canvas);
    g.Translate(100, 5);
    g.IntersectClip(0, 0, 60, 30);
    g.SetFont(&font);
    g.SetColor(Color(0, 0, 255));
    g.DrawString("WWWWWWWWWW", 4, 18);
    int32_t inside = 0;
    int32_t outside = 0;
    for (int32_t y = 0; y < 40; ++y)
    {
        for (int32_t x = 0; x < 200; ++x)
        {
            if ((canvas.GetPixel(x, y) >> 24) == 0)
                continue;
            const bool inClip = x >= 100 && x < 160 && y >= 5 && y < 35;
            (inClip ? inside : outside) += 1;
        }
    }
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
}
