// Framework::TextureFont: a font drawn from glyphs that the platform's
// rasteriser renders once into cached texture pages (see TextureFontData.h
// for the cache and the GBK text it reads). It is the font for double-byte
// text.
//
// The pixel height is the point size at the given dots per inch, rounded to
// the nearest pixel (96 dpi for the application's own fonts, the screen's for
// those made for a given application). A face that is not installed is
// replaced by one that covers GBK; when no face can be loaded at all, the
// font measures every text as 0 and draws nothing.
//
// Clones share the glyph cache (std::shared_ptr); the cache is destroyed with
// the last font that uses it. Glyphs take the drawing context's colour
// (colour modulation is forced on while drawing) and its clip. The owner is
// only recorded. Main thread only.
#pragma once

#include "framework/graphics/Font.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Framework
{

class AppBase;
class TextureFontData;

class TextureFont : public Font
{
public:
    // For the running application, at 96 dots per inch.
    TextureFont(const std::string& face, int32_t pointSize, bool bold, bool italic, bool underline, int32_t quality);
    // For the given application, at the screen's vertical dots per inch. The
    // character set is accepted for compatibility and not used.
    TextureFont(AppBase* application, const std::string& face, int32_t pointSize, int32_t charSet, bool bold,
                bool italic, bool underline, int32_t quality);
    // Over a prepared glyph cache with the given metrics.
    TextureFont(std::shared_ptr<TextureFontData> data, int32_t fontAscent, int32_t fontHeight);
    TextureFont(const TextureFont& other);
    TextureFont& operator=(const TextureFont&) = delete;
    ~TextureFont() override;

    int32_t TextWidth(const std::string& text) override;
    // y is the baseline; color and clip are not used (the context's are).
    void DrawText(Graphics* graphics, int32_t x, int32_t y, const std::string& text, const Color& color,
                  const Rect& clip) override;
    std::unique_ptr<Font> Clone() override;

    const std::shared_ptr<TextureFontData>& GetFontData() const { return fontData; }
    AppBase* GetOwner() const { return owner; }

    // point size × dpi / 72, rounded half away from zero.
    static int32_t PixelHeight(int32_t pointSize, int32_t dotsPerInch);

    float scaleX = 1.0f;
    float scaleY = 1.0f;

private:
    void Create(const std::string& face, int32_t pointSize, int32_t dotsPerInch, bool bold, bool italic, bool underline,
                int32_t quality);

    AppBase* owner = nullptr;
    std::shared_ptr<TextureFontData> fontData;
};

} // namespace Framework
