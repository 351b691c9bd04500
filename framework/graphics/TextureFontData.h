// Framework::TextureFontData: the glyph cache that texture fonts share.
//
// Glyphs are rendered by a glyph source (normally the platform rasteriser)
// once, on first use, into 512 × 512 texture pages filled in rows from the
// top-left; the last row and column of a page stay empty. A glyph pixel is
// white with the glyph's coverage in its alpha (see LevelToPixel). Glyphs are
// found through a flat table indexed by GBK code position, so a lookup costs
// no search. The cache only grows: pages and glyphs live as long as the data.
//
// Text is a GBK byte string ending at its end or at a zero byte: a byte with
// its top bit set starts a two-byte character (code = first × 256 + second;
// a first byte without a second is dropped); a byte b below 128 gets a code of
// its own in the user-defined rows, 0xAA + b / 94 and 0xA1 + b mod 94. Codes
// that are not valid double-byte positions share the full-width space
// (0xA1A1), and are rendered as that character.
//
// Shared by std::shared_ptr among a font and its clones; the pages it hands
// out are owned by it. Main thread only.
#pragma once

#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/Rect.h"
#include "framework/platform/GlyphRasterizer.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Framework
{

struct TextureGlyph
{
    uint16_t page = 0;    // index into the data's pages
    uint16_t advance = 0; // pixels the pen moves on
    int32_t originX = 0;  // box's left edge relative to the pen
    int32_t originY = 0;  // box's top edge as a distance above the baseline
    Rect pageRect;        // where the glyph lies in its page
};

class TextureFontData
{
public:
    using GlyphFormat = GlyphRasterizer::Format;
    // Renders a character (a byte below 128, else a GBK code) into a glyph;
    // false when it cannot.
    using GlyphSource = std::function<bool(uint32_t character, GlyphRasterizer::Glyph& glyph)>;

    static constexpr int32_t PageSize = 512;
    static constexpr int32_t GlyphIndexCount = 23940;
    static constexpr int32_t FullWidthSpaceIndex = 6176;

    // A cache over the platform rasteriser (null: no glyph can be built).
    TextureFontData(std::unique_ptr<GlyphRasterizer> rasterizer, GlyphFormat format);
    // A cache over any glyph source (null: no glyph can be built).
    TextureFontData(GlyphSource source, GlyphFormat format);
    virtual ~TextureFontData();

    TextureFontData(const TextureFontData&) = delete;
    TextureFontData& operator=(const TextureFontData&) = delete;

    // The glyph of a code, built on first use; null when no glyph source is
    // available (such characters are skipped, not cached). The glyph lives as
    // long as the data.
    const TextureGlyph* GetGlyph(uint16_t code);
    // Calls f(code) for each character of a text.
    template <typename F> static void ForEachCode(const std::string& text, F&& f);
    // Builds the glyphs of a text that are missing.
    void BuildGlyphs(const std::string& text);
    // Tells the newest page about glyphs written into it since the last time.
    void FlushPages();

    MemoryImage* GetPage(size_t index) const { return index < pages.size() ? pages[index].get() : nullptr; }
    size_t PageCount() const { return pages.size(); }
    size_t GlyphCount() const { return glyphs.size(); }
    GlyphFormat GetGlyphFormat() const { return glyphFormat; }
    bool CanBuildGlyphs() const { return static_cast<bool>(source); }
    GlyphRasterizer* GetRasterizer() const { return fontHandle.get(); }
    bool PagesDirty() const { return pagesDirty; }
    int32_t CursorX() const { return cursorX; }
    int32_t CursorY() const { return cursorY; }

    // The code a byte below 128 stands for.
    static uint16_t SingleByteCode(uint8_t byte);
    // The table position of a code, 0 to GlyphIndexCount - 1.
    static int32_t GlyphIndexOf(uint16_t code);
    // The pixel word written for a coverage level of the format.
    static uint32_t LevelToPixel(GlyphFormat format, int level);
    // The format for a font quality: 2, 3 and 4 give 5, 17 and 65 levels,
    // anything else one bit.
    static GlyphFormat FormatForQuality(int32_t quality);

private:
    const TextureGlyph& Build(uint16_t code, int32_t index);
    void OpenPage();

    std::unique_ptr<GlyphRasterizer> fontHandle;
    GlyphSource source;
    std::vector<std::unique_ptr<MemoryImage>> pages;
    std::deque<TextureGlyph> glyphs; // deque: glyph references stay valid as it grows
    std::array<int16_t, GlyphIndexCount> glyphIndex;
    int32_t cursorX = PageSize;
    int32_t cursorY = PageSize;
    int32_t rowHeight = 0;
    bool pagesDirty = false;
    GlyphFormat glyphFormat;
    GlyphRasterizer::Glyph scratch; // reused between builds
};

template <typename F> void TextureFontData::ForEachCode(const std::string& text, F&& f)
{
    const size_t size = text.size();
    for (size_t i = 0; i < size;)
    {
        const auto first = static_cast<uint8_t>(text[i]);
        if (first == 0)
        {
            return;
        }
        if (first < 0x80)
        {
            f(SingleByteCode(first));
            ++i;
            continue;
        }
        if (i + 1 >= size || text[i + 1] == '\0')
        {
            return; // a lone first byte at the end is dropped
        }
        f(static_cast<uint16_t>((first << 8) | static_cast<uint8_t>(text[i + 1])));
        i += 2;
    }
}

} // namespace Framework
