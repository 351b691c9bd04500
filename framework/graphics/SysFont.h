// SysFont: text in an installed system font, for the few framework texts that
// were given no image font (standard controls with the face "SansSerif",
// the frame-rate display). Built from a face name (GBK code page), a point
// size (pixels = points × screen dpi / 72), bold and italic; underline is
// drawn as a line under the text. Text is GBK: a byte with its top bit set
// starts a two-byte character. y of DrawText is the baseline.
//
// A font without a usable face (none installed) measures 0 and draws
// nothing. Rendered glyphs are cached per character. One thread at a time.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "framework/graphics/Font.h"

namespace Framework
{

class MemoryImage;
class SystemFontFace;

class SysFont : public Font
{
public:
    SysFont(const std::string& faceName, int32_t pointSize, int32_t script = 0, bool bold = false, bool italic = false,
            bool underline = false);
    SysFont(const SysFont& other);
    SysFont& operator=(const SysFont&) = delete;
    ~SysFont() override;

    int32_t TextWidth(const std::string& text) override;
    void DrawText(Graphics* graphics, int32_t x, int32_t y, const std::string& text, const Color& color,
                  const Rect& clip) override;
    std::unique_ptr<Font> Clone() override;

    bool IsValid() const { return face != nullptr; }

    // The characters of GBK text as Unicode code points (unmappable ones
    // become "?").
    static std::u32string DecodeGbk(const std::string& text);

private:
    struct CachedGlyph
    {
        std::unique_ptr<MemoryImage> coverage; // white with the coverage as alpha; null for blank glyphs
        int32_t left = 0;
        int32_t top = 0;
        int32_t advance = 0;
    };
    const CachedGlyph& GetGlyph(char32_t codePoint);

    std::string faceName;
    int32_t pointSize;
    int32_t script;
    bool bold;
    bool italic;
    bool underline;
    std::unique_ptr<SystemFontFace> face;
    std::map<char32_t, CachedGlyph> glyphs;
};

} // namespace Framework
