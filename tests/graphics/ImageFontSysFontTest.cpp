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
