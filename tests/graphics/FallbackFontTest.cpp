// The fallback font: two-byte GBK characters go to the texture font, the
// rest to the primary font, on one baseline, measured as drawn.
#include "framework/graphics/FallbackFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/TextureFont.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/FixedWidthFont.h"

using namespace Framework;
using TestSupport::FixedWidthFont;

namespace
{

const std::string kSongTi = "\xCB\xCE\xCC\xE5";
const std::string kZhongWen = "\xD6\xD0\xCE\xC4"; // 中文

FixedWidthFont* Fixed(Font* font)
{
    return dynamic_cast<FixedWidthFont*>(font);
}

int32_t InkedColumns(MemoryImage& image, int32_t fromX, int32_t toX)
{
    int32_t columns = 0;
    for (int32_t x = fromX; x < toX; ++x)
    {
        for (int32_t y = 0; y < image.GetHeight(); ++y)
        {
            if ((image.GetPixel(x, y) & 0x00FFFFFF) != 0)
            {
                ++columns;
                break;
            }
        }
    }
    return columns;
}

} // namespace

TEST(FallbackFontTest, RunsSplitAtEveryChangeOfCharacterWidth)
{
    std::vector<std::pair<std::string, bool>> runs;
    FallbackFont::SplitRuns("ab" + kZhongWen + "c\xD6",
                            [&](const std::string& run, bool wide) { runs.emplace_back(run, wide); });
    EXPECT_EQ(runs, (std::vector<std::pair<std::string, bool>>{
                        {"ab", false}, {kZhongWen, true}, {"c", false}, {"\xD6", true}}));
    runs.clear();
    FallbackFont::SplitRuns("", [&](const std::string& run, bool wide) { runs.emplace_back(run, wide); });
    EXPECT_TRUE(runs.empty());
}

TEST(FallbackFontTest, LatinTextIsThePrimaryFontsAndWideCharactersTheFallbacks)
{
    FixedWidthFont latin(6);
    FixedWidthFont wide(13);
    wide.height = 16;
    wide.ascent = 12;
    FallbackFont font(&latin, &wide);
    EXPECT_EQ(font.Ascent(), 8);
    EXPECT_EQ(font.Height(), 10);
    EXPECT_EQ(font.TextWidth("Tom"), latin.TextWidth("Tom"));
    EXPECT_EQ(font.TextWidth("A" + kZhongWen + "b"), 6 + 4 * 13 + 6);

    MemoryImage screen;
    screen.Allocate(100, 20);
    Graphics g(&screen);
    g.SetColor(Color(1, 2, 3));
    g.SetFont(&font);
    g.DrawString("A" + kZhongWen + "b", 5, 15);
    const auto& primaryCalls = Fixed(font.GetPrimary())->calls;
    const auto& fallbackCalls = Fixed(font.GetFallback())->calls;
    ASSERT_EQ(primaryCalls.size(), 2u);
    ASSERT_EQ(fallbackCalls.size(), 1u);
    EXPECT_EQ(primaryCalls[0].x, 5);
    EXPECT_EQ(fallbackCalls[0].text, kZhongWen);
    EXPECT_EQ(fallbackCalls[0].x, 11);
    EXPECT_EQ(fallbackCalls[0].y, 15);
    EXPECT_EQ(primaryCalls[1].x, 11 + 52);
    EXPECT_EQ(g.GetColor(), Color(1, 2, 3));

    // Clones carry both fonts.
    auto copy = font.Clone();
    EXPECT_EQ(copy->TextWidth(kZhongWen), 52);
}

TEST(FallbackFontTest, AChineseNameGetsGlyphsFromTheTextureFont)
{
    FixedWidthFont latin(6);
    TextureFont texture(kSongTi, 10, true, false, false, 0);
    ASSERT_GT(texture.TextWidth(kZhongWen), 0) << "fonts-wqy-microhei is needed";
    FallbackFont font(&latin, &texture);
    const int32_t wideWidth = texture.TextWidth(kZhongWen);
    EXPECT_EQ(font.TextWidth("Li" + kZhongWen), 12 + wideWidth);

    MemoryImage screen;
    screen.Allocate(120, 24);
    Graphics g(&screen);
    g.SetFont(&font);
    g.SetColor(Color(255, 255, 255));
    g.DrawString("Li" + kZhongWen, 0, 16);
    EXPECT_GE(InkedColumns(screen, 12, 12 + wideWidth), wideWidth / 2);
    EXPECT_EQ(InkedColumns(screen, 12 + wideWidth + 2, 120), 0);
}
