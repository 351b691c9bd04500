#include "framework/graphics/TextureFont.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/TextureFontData.h"
#include "framework/platform/GlyphRasterizer.h"

#include <cstdlib>
#include <utility>

namespace Framework
{

namespace
{

constexpr int32_t kDefaultDotsPerInch = 96;

} // namespace

TextureFont::TextureFont(const std::string& face, int32_t pointSize, bool bold, bool italic, bool underline,
                         int32_t quality)
{
    Create(face, pointSize, kDefaultDotsPerInch, bold, italic, underline, quality);
}

TextureFont::TextureFont(AppBase* application, const std::string& face, int32_t pointSize, int32_t /*charSet*/,
                         bool bold, bool italic, bool underline, int32_t quality)
    : owner(application)
{
    Create(face, pointSize, GlyphRasterizer::ScreenVerticalDpi(), bold, italic, underline, quality);
}

TextureFont::TextureFont(std::shared_ptr<TextureFontData> data, int32_t fontAscent, int32_t fontHeight)
    : fontData(std::move(data))
{
    ascent = fontAscent;
    height = fontHeight;
}

TextureFont::TextureFont(const TextureFont& other) = default;

TextureFont::~TextureFont() = default;

int32_t TextureFont::PixelHeight(int32_t pointSize, int32_t dotsPerInch)
{
    const int64_t product = static_cast<int64_t>(pointSize) * dotsPerInch;
    const int64_t rounded = (std::llabs(product) + 36) / 72;
    return static_cast<int32_t>(product < 0 ? -rounded : rounded);
}

void TextureFont::Create(const std::string& face, int32_t pointSize, int32_t dotsPerInch, bool bold, bool italic,
                         bool underline, int32_t quality)
{
    const auto format = TextureFontData::FormatForQuality(quality);
    auto rasterizer =
        GlyphRasterizer::Create(face, PixelHeight(pointSize, dotsPerInch), bold, italic, underline, format);
    if (rasterizer)
    {
        ascent = rasterizer->Ascent();
        height = rasterizer->Height();
    }
    fontData = std::make_shared<TextureFontData>(std::move(rasterizer), format);
}

int32_t TextureFont::TextWidth(const std::string& text)
{
    int64_t sum = 0;
    TextureFontData::ForEachCode(text,
                                 [&](uint16_t code)
                                 {
                                     if (const TextureGlyph* glyph = fontData->GetGlyph(code))
                                     {
                                         sum += glyph->advance;
                                     }
                                 });
    return static_cast<int32_t>(static_cast<float>(sum) * scaleX);
}

void TextureFont::DrawText(Graphics* graphics, int32_t x, int32_t y, const std::string& text, const Color&, const Rect&)
{
    if (graphics == nullptr)
    {
        return;
    }
    // Build every missing glyph first and tell the pages once, so that no
    // glyph is drawn from a page whose derived caches predate it.
    fontData->BuildGlyphs(text);
    fontData->FlushPages();

    const bool modulation = graphics->GetColorModulation();
    graphics->SetColorModulation(true);
    int32_t pen = x;
    TextureFontData::ForEachCode(text,
                                 [&](uint16_t code)
                                 {
                                     const TextureGlyph* glyph = fontData->GetGlyph(code);
                                     if (glyph == nullptr)
                                     {
                                         return;
                                     }
                                     const Rect& src = glyph->pageRect;
                                     if (!src.IsEmpty())
                                     {
                                         const Rect dest(
                                             pen + static_cast<int32_t>(static_cast<float>(glyph->originX) * scaleX),
                                             y - static_cast<int32_t>(static_cast<float>(glyph->originY) * scaleY),
                                             static_cast<int32_t>(static_cast<float>(src.width) * scaleX),
                                             static_cast<int32_t>(static_cast<float>(src.height) * scaleY));
                                         graphics->DrawStretched(fontData->GetPage(glyph->page), dest, src);
                                     }
                                     pen += static_cast<int32_t>(static_cast<float>(glyph->advance) * scaleX);
                                 });
    graphics->SetColorModulation(modulation);
}

std::unique_ptr<Font> TextureFont::Clone()
{
    return std::make_unique<TextureFont>(*this);
}

} // namespace Framework
