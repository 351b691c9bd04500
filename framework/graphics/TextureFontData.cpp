#include "framework/graphics/TextureFontData.h"

#include <algorithm>
#include <utility>

namespace Framework
{

TextureFontData::TextureFontData(std::unique_ptr<GlyphRasterizer> rasterizer, GlyphFormat format)
    : fontHandle(std::move(rasterizer)), glyphFormat(format)
{
    glyphIndex.fill(-1);
    if (fontHandle)
    {
        GlyphRasterizer* raw = fontHandle.get();
        source = [raw](uint32_t character, GlyphRasterizer::Glyph& glyph) { return raw->Render(character, glyph); };
    }
}

TextureFontData::TextureFontData(GlyphSource glyphSource, GlyphFormat format)
    : source(std::move(glyphSource)), glyphFormat(format)
{
    glyphIndex.fill(-1);
}

TextureFontData::~TextureFontData() = default;

uint16_t TextureFontData::SingleByteCode(uint8_t byte)
{
    return static_cast<uint16_t>(((0xAA + byte / 94) << 8) | (0xA1 + byte % 94));
}

int32_t TextureFontData::GlyphIndexOf(uint16_t code)
{
    const int32_t high = code >> 8;
    const int32_t low = code & 0xFF;
    if (high < 0x81 || high == 0xFF || low < 0x40 || low == 0x7F || low == 0xFF)
    {
        return FullWidthSpaceIndex;
    }
    return (high - 0x81) * 190 + (low <= 0x7E ? low - 0x40 : low - 0x41);
}

uint32_t TextureFontData::LevelToPixel(GlyphFormat format, int level)
{
    const int maxLevel = GlyphRasterizer::MaxLevel(format);
    level = std::clamp(level, 0, maxLevel);
    if (format == GlyphFormat::Mono)
    {
        return level != 0 ? 0xFFFFFFFFu : 0x00000000u;
    }
    if (level == 0)
    {
        return 0x00FFFFFFu;
    }
    // The level fills the top bits of the alpha, the rest of the word is set:
    // alpha runs from 63, 15 or 3 up to 255.
    const int shift = format == GlyphFormat::Levels5 ? 30 : (format == GlyphFormat::Levels17 ? 28 : 26);
    return (static_cast<uint32_t>(level - 1) << shift) | ((1u << shift) - 1u);
}

TextureFontData::GlyphFormat TextureFontData::FormatForQuality(int32_t quality)
{
    switch (quality)
    {
        case 2:
            return GlyphFormat::Levels5;
        case 3:
            return GlyphFormat::Levels17;
        case 4:
            return GlyphFormat::Levels65;
        default:
            return GlyphFormat::Mono;
    }
}

const TextureGlyph* TextureFontData::GetGlyph(uint16_t code)
{
    const int32_t index = GlyphIndexOf(code);
    const int16_t slot = glyphIndex[static_cast<size_t>(index)];
    if (slot >= 0)
    {
        return &glyphs[static_cast<size_t>(slot)];
    }
    if (!source)
    {
        return nullptr;
    }
    return &Build(code, index);
}

void TextureFontData::BuildGlyphs(const std::string& text)
{
    ForEachCode(text, [this](uint16_t code) { GetGlyph(code); });
}

void TextureFontData::OpenPage()
{
    auto page = std::make_unique<MemoryImage>();
    page->Allocate(PageSize, PageSize);
    pages.push_back(std::move(page));
}

void TextureFontData::FlushPages()
{
    if (pagesDirty && !pages.empty())
    {
        pagesDirty = false;
        pages.back()->PixelsChanged();
        pages.back()->ScanAlpha();
    }
}

const TextureGlyph& TextureFontData::Build(uint16_t code, int32_t index)
{
    // What the source renders: the byte a single-byte code was made from; the
    // full-width space for every code that shares its slot, so that the slot
    // always holds that character whichever code filled it first; otherwise
    // the code itself.
    uint32_t character = code;
    const int32_t high = code >> 8;
    const int32_t low = code & 0xFF;
    const int32_t singleByte = (high - 0xAA) * 94 + low - 0xA1;
    if ((high == 0xAA || high == 0xAB) && low >= 0xA1 && low <= 0xFE && singleByte < 128)
    {
        character = static_cast<uint32_t>(singleByte);
    }
    else if (index == FullWidthSpaceIndex)
    {
        character = 0xA1A1;
    }

    TextureGlyph glyph;
    if (!source(character, scratch) || scratch.width < 0 || scratch.height < 0 ||
        scratch.levels.size() < static_cast<size_t>(scratch.width) * static_cast<size_t>(scratch.height))
    {
        // An empty glyph that moves the pen by 2, drawn from page 0.
        if (pages.empty())
        {
            OpenPage();
            // The new page is empty: let the next real glyph start in it.
            cursorX = 0;
            cursorY = 0;
            rowHeight = 0;
        }
        glyph.advance = 2;
    }
    else
    {
        const int32_t w = scratch.width;
        const int32_t g = scratch.height;
        rowHeight = std::max(rowHeight, g);
        if (cursorX + w > PageSize - 1)
        {
            cursorY += rowHeight;
            rowHeight = g;
            cursorX = 0;
        }
        if (cursorY + g > PageSize - 1)
        {
            rowHeight = g;
            FlushPages();
            OpenPage();
            cursorX = 0;
            cursorY = 0;
        }
        const int32_t x = cursorX;
        const int32_t y = cursorY;
        cursorX += w;

        MemoryImage& page = *pages.back();
        uint32_t* pixels = page.GetPixels();
        for (int32_t r = 0; r < g && y + r < page.height; ++r)
        {
            const uint8_t* levels = scratch.levels.data() + static_cast<size_t>(r) * static_cast<size_t>(w);
            uint32_t* out = pixels + static_cast<size_t>(y + r) * static_cast<size_t>(page.width) + x;
            for (int32_t k = 0; k < w && x + k < page.width; ++k)
            {
                out[k] = LevelToPixel(glyphFormat, levels[k]);
            }
        }
        pagesDirty = true;

        glyph.page = static_cast<uint16_t>(pages.size() - 1);
        glyph.advance = static_cast<uint16_t>(std::clamp(scratch.advance, 0, 0xFFFF));
        glyph.originX = scratch.originX;
        glyph.originY = scratch.originY;
        // A box larger than a page keeps what fits.
        glyph.pageRect = Rect(x, y, std::min(w, page.width - x), std::min(g, page.height - y));
    }
    glyphIndex[static_cast<size_t>(index)] = static_cast<int16_t>(glyphs.size());
    glyphs.push_back(glyph);
    return glyphs.back();
}

} // namespace Framework
