// Framework::GlyphRasterizer: the platform's glyph rasteriser for system-font
// text (FreeType faces found through fontconfig).
//
// Create resolves a face name (given in the GBK code page, as the game stores
// it) to an installed face that covers GBK text, at a pixel height that is the
// character height (the em square), and returns null when no face can be
// loaded. Bold and italic are synthesised when the face has no such style;
// underline is not part of single glyphs and is ignored.
//
// Render rasterises one character: a byte below 128 stands for itself, any
// other value is a GBK double-byte code (first byte in the high half). The
// result is one coverage level per pixel, row-major from the top-left, in the
// range 0 to MaxLevel(format) (1, 4, 16 or 64). The box origin is the left
// edge relative to the pen and the top edge as a distance above the baseline;
// the advance is in whole pixels. A character the face has no glyph for, or
// that has no Unicode counterpart, fails.
//
// A rasteriser is used on one thread at a time; instances are independent.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Framework
{

class GlyphRasterizer
{
public:
    enum class Format
    {
        Mono,     // levels 0 and 1
        Levels5,  // 0 to 4
        Levels17, // 0 to 16
        Levels65  // 0 to 64
    };

    struct Glyph
    {
        std::int32_t width = 0;
        std::int32_t height = 0;
        std::int32_t originX = 0;
        std::int32_t originY = 0;
        std::int32_t advance = 0;
        std::vector<std::uint8_t> levels; // width × height
    };

    static std::unique_ptr<GlyphRasterizer> Create(const std::string& faceGbk, std::int32_t pixelHeight, bool bold,
                                                   bool italic, bool underline, Format format);
    ~GlyphRasterizer();

    GlyphRasterizer(const GlyphRasterizer&) = delete;
    GlyphRasterizer& operator=(const GlyphRasterizer&) = delete;

    // Pixels above the baseline, and above plus below it.
    std::int32_t Ascent() const;
    std::int32_t Height() const;
    // The family of the face that was chosen (UTF-8).
    std::string FamilyName() const;

    bool Render(std::uint32_t character, Glyph& glyph);

    static int MaxLevel(Format format);
    // The vertical dots per inch of the main display, 96 when it is unknown.
    static int ScreenVerticalDpi();
    // A GBK double-byte code as a Unicode code point, 0 when it has none.
    static char32_t GbkToUnicode(std::uint16_t code);

private:
    struct Impl;
    explicit GlyphRasterizer(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl;
};

} // namespace Framework
