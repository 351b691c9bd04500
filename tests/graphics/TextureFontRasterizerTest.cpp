#include "framework/graphics/TextureFont.h"
#include "framework/graphics/TextureFontData.h"
#include "framework/platform/GlyphRasterizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace Framework;
using Format = GlyphRasterizer::Format;

namespace
{

// The face name as the game stores it: "宋体" in the GBK code page.
const std::string kSongTiFace = "\xCB\xCE\xCC\xE5";

} // namespace

TEST(TextureFontRasterizerTest, PixelHeightIsPointSizeAtTheDpiRoundedToNearest)
{
    EXPECT_EQ(TextureFont::PixelHeight(10, 96), 13);
    EXPECT_EQ(TextureFont::PixelHeight(9, 96), 12);
    EXPECT_EQ(TextureFont::PixelHeight(12, 96), 16);
    EXPECT_EQ(TextureFont::PixelHeight(3, 12), 1); // 0.5 rounds up
    EXPECT_EQ(TextureFont::PixelHeight(10, 120), 17);
}

TEST(TextureFontRasterizerTest, GbkCodesConvertToUnicode)
{
    EXPECT_EQ(GlyphRasterizer::GbkToUnicode(0xD6D0), U'\u4E2D');
    EXPECT_EQ(GlyphRasterizer::GbkToUnicode(0xA1A1), U'\u3000');
    EXPECT_EQ(GlyphRasterizer::GbkToUnicode(0xB0A1), U'\u554A');
    EXPECT_EQ(GlyphRasterizer::GbkToUnicode(0x817F), 0u);
}

TEST(TextureFontRasterizerTest, SongTiResolvesToAFaceWithChineseGlyphs)
{
    auto rasterizer = GlyphRasterizer::Create(kSongTiFace, 13, true, false, false, Format::Mono);
    ASSERT_NE(rasterizer, nullptr);
    EXPECT_GT(rasterizer->Ascent(), 0);
    EXPECT_GT(rasterizer->Height(), rasterizer->Ascent());

    GlyphRasterizer::Glyph glyph;
    ASSERT_TRUE(rasterizer->Render(0xD6D0, glyph)) << rasterizer->FamilyName();
    EXPECT_GT(glyph.width, 6);
    EXPECT_LE(glyph.height, 16);
    EXPECT_GT(glyph.originY, 6);
    EXPECT_GE(glyph.advance, 12);
    EXPECT_TRUE(std::all_of(glyph.levels.begin(), glyph.levels.end(), [](uint8_t v) { return v <= 1; }));
    EXPECT_TRUE(std::any_of(glyph.levels.begin(), glyph.levels.end(), [](uint8_t v) { return v == 1; }));

    ASSERT_TRUE(rasterizer->Render('A', glyph));
    EXPECT_LT(glyph.advance, 12);
    EXPECT_FALSE(rasterizer->Render(0x817F, glyph));
}

TEST(TextureFontRasterizerTest, GreyFormatsUseTheirLevelsAndBoldIsHeavier)
{
    auto levels = [](Format format, bool bold)
    {
        auto rasterizer = GlyphRasterizer::Create(kSongTiFace, 24, bold, false, false, format);
        GlyphRasterizer::Glyph glyph;
        EXPECT_TRUE(rasterizer && rasterizer->Render(0xD6D0, glyph));
        return glyph.levels;
    };
    const auto grey = levels(Format::Levels65, false);
    const std::set<uint8_t> distinct(grey.begin(), grey.end());
    EXPECT_EQ(*distinct.rbegin(), 64);
    EXPECT_GT(distinct.size(), 5u);
    const auto five = levels(Format::Levels5, false);
    EXPECT_EQ(*std::max_element(five.begin(), five.end()), 4);

    auto ink = [](const std::vector<uint8_t>& v) { return std::count(v.begin(), v.end(), 1); };
    EXPECT_GT(ink(levels(Format::Mono, true)), ink(levels(Format::Mono, false)));
}

TEST(TextureFontRasterizerTest, FontFromTheFaceMeasuresChineseAndLatinText)
{
    TextureFont font(kSongTiFace, 10, true, false, false, 1);
    EXPECT_GT(font.Ascent(), 0);
    const int32_t name = font.TextWidth("\xD6\xD0\xCE\xC4"); // two ideographs
    const int32_t latin = font.TextWidth("ab");
    EXPECT_GT(name, latin);
    EXPECT_EQ(font.TextWidth("\xD6\xD0\xCE\xC4"
                             "ab"),
              name + latin);
    EXPECT_EQ(font.GetFontData()->GlyphCount(), 4u);
}
