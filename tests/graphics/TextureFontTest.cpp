#include "framework/graphics/TextureFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/TextureFontData.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

using namespace Framework;
using Format = GlyphRasterizer::Format;

namespace
{

// A glyph source with boxes chosen by the test: every call is recorded, and a
// character without an entry fails like a character the face lacks.
struct FakeSource
{
    struct Box
    {
        int32_t width, height, advance;
        uint8_t level = 1;
    };
    std::map<uint32_t, Box> boxes;
    std::vector<uint32_t> calls;

    TextureFontData::GlyphSource Source()
    {
        return [this](uint32_t character, GlyphRasterizer::Glyph& glyph)
        {
            calls.push_back(character);
            auto it = boxes.find(character);
            if (it == boxes.end())
            {
                return false;
            }
            glyph.width = it->second.width;
            glyph.height = it->second.height;
            glyph.originX = 1;
            glyph.originY = it->second.height - 2;
            glyph.advance = it->second.advance;
            glyph.levels.assign(size_t(glyph.width) * size_t(glyph.height), it->second.level);
            return true;
        };
    }
};

} // namespace

TEST(TextureFontCodesTest, SingleBytesMapIntoTheUserDefinedRows)
{
    EXPECT_EQ(TextureFontData::SingleByteCode(65), 0xAAE2);
    EXPECT_EQ(TextureFontData::GlyphIndexOf(0xAAE2), 7951);
    EXPECT_EQ(TextureFontData::SingleByteCode(0), 0xAAA1);
    EXPECT_EQ(TextureFontData::SingleByteCode(93), 0xAAFE);
    EXPECT_EQ(TextureFontData::SingleByteCode(94), 0xABA1);
    EXPECT_EQ(TextureFontData::SingleByteCode(127), 0xABC2);
    for (int b = 0; b < 128; ++b)
    {
        const int expected = b < 94 ? 7886 + b : 7982 + b;
        ASSERT_EQ(TextureFontData::GlyphIndexOf(TextureFontData::SingleByteCode(uint8_t(b))), expected) << b;
    }
}

TEST(TextureFontCodesTest, InvalidCodesShareTheFullWidthSpaceAndValidOnesFillTheTable)
{
    EXPECT_EQ(TextureFontData::GlyphIndexOf(0xA1A1), 6176);
    for (uint16_t code : {0xB07F, 0xB0FF, 0xB03F, 0xB000, 0x80A1, 0x41A1, 0xFFA1})
    {
        EXPECT_EQ(TextureFontData::GlyphIndexOf(code), 6176) << std::hex << code;
    }
    EXPECT_EQ(TextureFontData::GlyphIndexOf(0x8140), 0);
    EXPECT_EQ(TextureFontData::GlyphIndexOf(0x817E), 62);
    EXPECT_EQ(TextureFontData::GlyphIndexOf(0x8180), 63);
    EXPECT_EQ(TextureFontData::GlyphIndexOf(0x81FE), 189);
    EXPECT_EQ(TextureFontData::GlyphIndexOf(0x8240), 190);
    EXPECT_EQ(TextureFontData::GlyphIndexOf(0xFEFE), TextureFontData::GlyphIndexCount - 1);
}

TEST(TextureFontCodesTest, TextWalkDropsALoneFirstByteAndStopsAtZero)
{
    auto codes = [](const std::string& text)
    {
        std::vector<uint16_t> out;
        TextureFontData::ForEachCode(text, [&](uint16_t c) { out.push_back(c); });
        return out;
    };
    EXPECT_EQ(codes("A\xB0\xA1"), (std::vector<uint16_t>{0xAAE2, 0xB0A1}));
    EXPECT_EQ(codes("A\xB0"), (std::vector<uint16_t>{0xAAE2}));
    EXPECT_EQ(codes(std::string("A\xB0\0\xA1", 4)), (std::vector<uint16_t>{0xAAE2}));
    EXPECT_EQ(codes(std::string("A\0B", 3)), (std::vector<uint16_t>{0xAAE2}));
    EXPECT_TRUE(codes("").empty());
}

TEST(TextureFontCodesTest, CoverageLevelsBecomeWhitePixelsWithAlpha)
{
    EXPECT_EQ(TextureFontData::LevelToPixel(Format::Mono, 1), 0xFFFFFFFFu);
    EXPECT_EQ(TextureFontData::LevelToPixel(Format::Mono, 0), 0x00000000u);
    EXPECT_EQ(TextureFontData::LevelToPixel(Format::Levels5, 0), 0x00FFFFFFu);
    EXPECT_EQ(TextureFontData::LevelToPixel(Format::Levels5, 1), 0x3FFFFFFFu);
    EXPECT_EQ(TextureFontData::LevelToPixel(Format::Levels5, 4), 0xFFFFFFFFu);
    EXPECT_EQ(TextureFontData::LevelToPixel(Format::Levels17, 1), 0x0FFFFFFFu);
    EXPECT_EQ(TextureFontData::LevelToPixel(Format::Levels17, 16), 0xFFFFFFFFu);
    EXPECT_EQ(TextureFontData::LevelToPixel(Format::Levels65, 1), 0x03FFFFFFu);
    EXPECT_EQ(TextureFontData::LevelToPixel(Format::Levels65, 64), 0xFFFFFFFFu);
    EXPECT_EQ(TextureFontData::FormatForQuality(0), Format::Mono);
    EXPECT_EQ(TextureFontData::FormatForQuality(3), Format::Levels17);
    EXPECT_EQ(TextureFontData::FormatForQuality(5), Format::Mono);
}

TEST(TextureFontCacheTest, GlyphsAreRenderedOnceAndMeasuredFromTheirAdvance)
{
    FakeSource fake;
    fake.boxes['A'] = {7, 9, 8};
    fake.boxes[0xB0A1] = {12, 12, 13};
    TextureFont font(std::make_shared<TextureFontData>(fake.Source(), Format::Mono), 10, 13);

    EXPECT_EQ(font.TextWidth("A"), 8);
    EXPECT_EQ(font.TextWidth("AA\xB0\xA1"), 29);
    EXPECT_EQ(fake.calls, (std::vector<uint32_t>{'A', 0xB0A1}));
    EXPECT_EQ(font.TextWidth("A\xB0"), 8);
    EXPECT_EQ(font.TextWidth(""), 0);
    font.scaleX = 1.5f;
    EXPECT_EQ(font.TextWidth("AA"), 24);
    EXPECT_EQ(fake.calls.size(), 2u);
}

TEST(TextureFontCacheTest, InvalidCodesAndTheFullWidthSpaceShareOneGlyphOfThatCharacter)
{
    FakeSource fake;
    fake.boxes[0xA1A1] = {1, 1, 14};
    TextureFont font(std::make_shared<TextureFontData>(fake.Source(), Format::Mono), 10, 13);
    EXPECT_EQ(font.TextWidth("\xB0\x7F"), 14); // rendered as the full-width space
    EXPECT_EQ(font.TextWidth("\xA1\xA1\xB0\xFF\xC0\x20"), 42);
    EXPECT_EQ(fake.calls, (std::vector<uint32_t>{0xA1A1}));
}

TEST(TextureFontCacheTest, FailedCharacterGetsAnEmptyGlyphOfAdvanceTwo)
{
    FakeSource fake;
    fake.boxes['B'] = {5, 5, 6};
    auto data = std::make_shared<TextureFontData>(fake.Source(), Format::Mono);
    const TextureGlyph* failed = data->GetGlyph(TextureFontData::SingleByteCode('Z'));
    ASSERT_NE(failed, nullptr);
    EXPECT_EQ(failed->advance, 2);
    EXPECT_EQ(failed->page, 0);
    EXPECT_TRUE(failed->pageRect.IsEmpty());
    EXPECT_EQ(data->PageCount(), 1u);
    EXPECT_EQ(data->GetGlyph(TextureFontData::SingleByteCode('Z')), failed);
    // The page opened for the failure is used by the next real glyph.
    const TextureGlyph* b = data->GetGlyph(TextureFontData::SingleByteCode('B'));
    EXPECT_EQ(b->page, 0);
    EXPECT_EQ(b->pageRect, Rect(0, 0, 5, 5));
    EXPECT_EQ(data->PageCount(), 1u);
}

TEST(TextureFontCacheTest, WithoutAGlyphSourceCharactersAreSkippedNotCached)
{
    auto data = std::make_shared<TextureFontData>(std::unique_ptr<GlyphRasterizer>(), Format::Mono);
    TextureFont font(data, 0, 0);
    EXPECT_EQ(font.TextWidth("AB"), 0);
    EXPECT_EQ(data->GlyphCount(), 0u);
    EXPECT_EQ(data->PageCount(), 0u);
}

TEST(TextureFontCacheTest, PagesFillInRowsAndLeaveTheLastRowAndColumnEmpty)
{
    // Characters 0..127 as boxes: byte b has the box given below.
    FakeSource fake;
    auto data = std::make_shared<TextureFontData>(fake.Source(), Format::Mono);
    auto place = [&](uint8_t byte, int32_t w, int32_t h)
    {
        fake.boxes[byte] = {w, h, w};
        const TextureGlyph* glyph = data->GetGlyph(TextureFontData::SingleByteCode(byte));
        return std::make_pair(int(glyph->page), glyph->pageRect);
    };

    EXPECT_EQ(place(1, 300, 20), std::make_pair(0, Rect(0, 0, 300, 20)));
    EXPECT_EQ(place(2, 211, 30), std::make_pair(0, Rect(300, 0, 211, 30))); // ends at x = 511
    EXPECT_EQ(place(3, 1, 10), std::make_pair(0, Rect(0, 30, 1, 10)));      // new row below the tallest
    EXPECT_EQ(place(4, 510, 10), std::make_pair(0, Rect(1, 30, 510, 10)));
    // A new row starts below the taller of the row so far and the new box.
    EXPECT_EQ(place(5, 10, 20), std::make_pair(0, Rect(0, 50, 10, 20)));
    EXPECT_EQ(place(6, 500, 461), std::make_pair(0, Rect(10, 50, 500, 461))); // ends at y = 511
    EXPECT_EQ(place(7, 2, 1), std::make_pair(1, Rect(0, 0, 2, 1)));           // would pass y = 511
    EXPECT_EQ(data->PageCount(), 2u);

    MemoryImage* page = data->GetPage(0);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->width, 512);
    ASSERT_EQ(page->height, 512);
    EXPECT_EQ(page->GetPixel(510, 0), 0xFFFFFFFFu);
    EXPECT_EQ(page->GetPixel(10, 510), 0xFFFFFFFFu);
    // The full page was told before the next one opened: its alpha flags
    // (both set by the allocation) were scanned again.
    EXPECT_FALSE(page->hasTranslucent);
    EXPECT_TRUE(page->hasTransparent);
    for (int i = 0; i < 512; ++i)
    {
        ASSERT_EQ(page->GetPixel(511, i), 0u) << i;
        ASSERT_EQ(page->GetPixel(i, 511), 0u) << i;
    }
}

TEST(TextureFontCacheTest, GlyphPixelsFollowTheFormat)
{
    FakeSource fake;
    fake.boxes['x'] = {2, 2, 3, 3};
    auto data = std::make_shared<TextureFontData>(fake.Source(), Format::Levels17);
    const TextureGlyph* glyph = data->GetGlyph(TextureFontData::SingleByteCode('x'));
    EXPECT_TRUE(data->PagesDirty());
    MemoryImage* page = data->GetPage(glyph->page);
    EXPECT_EQ(page->GetPixel(1, 1), 0x2FFFFFFFu);
    EXPECT_EQ(page->GetPixel(2, 0), 0u);
    data->FlushPages();
    EXPECT_FALSE(data->PagesDirty());
    EXPECT_TRUE(page->HasTranslucent());
}

TEST(TextureFontCacheTest, CloneSharesTheCacheWhichLivesUntilTheLastFontGoes)
{
    FakeSource fake;
    fake.boxes['A'] = {7, 9, 8};
    auto font = std::make_unique<TextureFont>(std::make_shared<TextureFontData>(fake.Source(), Format::Mono), 10, 13);
    font->scaleX = 2.0f;
    std::weak_ptr<TextureFontData> cache = font->GetFontData();

    std::unique_ptr<Font> clone = font->Clone();
    auto* textureClone = dynamic_cast<TextureFont*>(clone.get());
    ASSERT_NE(textureClone, nullptr);
    EXPECT_EQ(textureClone->GetFontData(), font->GetFontData());
    EXPECT_EQ(clone->Ascent(), 10);
    EXPECT_EQ(clone->Height(), 13);
    EXPECT_EQ(textureClone->scaleX, 2.0f);

    EXPECT_EQ(font->TextWidth("A"), 16);
    EXPECT_EQ(clone->TextWidth("A"), 16);
    EXPECT_EQ(fake.calls.size(), 1u);

    font.reset();
    EXPECT_FALSE(cache.expired());
    clone.reset();
    EXPECT_TRUE(cache.expired());
}

TEST(TextureFontDrawTest, GlyphsTakeTheContextColourOnTheBaselineAndModulationIsRestored)
{
    FakeSource fake;
    fake.boxes['A'] = {3, 4, 5};
    TextureFont font(std::make_shared<TextureFontData>(fake.Source(), Format::Mono), 10, 13);

    MemoryImage target;
    target.Allocate(20, 20);
    Graphics g(&target);
    g.SetColor(Color(255, 0, 0, 255));

    for (bool modulationBefore : {false, true})
    {
        g.SetColorModulation(modulationBefore);
        font.DrawText(&g, 0, 0, "", Color::White(), Rect());
        EXPECT_EQ(g.GetColorModulation(), modulationBefore);
    }
    for (int i = 0; i < 400; ++i)
    {
        ASSERT_EQ(target.GetPixel(i % 20, i / 20), 0u) << "an empty text drew something";
    }

    g.SetColorModulation(false);
    // Baseline 10; the box's top is 2 above it, its left 1 right of the pen.
    font.DrawText(&g, 2, 10, "AA", Color::White(), Rect());
    EXPECT_FALSE(g.GetColorModulation());
    EXPECT_EQ(target.GetPixel(3, 8), 0xFFFF0000u);
    EXPECT_EQ(target.GetPixel(5, 11), 0xFFFF0000u);
    EXPECT_EQ(target.GetPixel(6, 8), 0u);          // between the two glyphs
    EXPECT_EQ(target.GetPixel(8, 8), 0xFFFF0000u); // the second glyph, 5 further
    EXPECT_EQ(target.GetPixel(3, 7), 0u);
    EXPECT_EQ(target.GetPixel(3, 12), 0u);

    // Widgets draw with fast scaling on; coloured text must still show.
    g.SetFastScaling(true);
    g.SetColor(Color(0, 0, 255, 255));
    font.DrawText(&g, 2, 18, "A", Color::White(), Rect());
    EXPECT_EQ(target.GetPixel(3, 16), 0xFF0000FFu);
}
