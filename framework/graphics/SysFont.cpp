#include "framework/graphics/SysFont.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/platform/SystemFontFace.h"
#include "framework/platform/TextConverter.h"

namespace Framework
{

namespace
{

// One converter per direction and thread; false when the conversion is not
// available or fails.
bool GbkToUtf32(const std::string& input, std::string& output)
{
    thread_local TextConverter toUtf32("UTF-32LE", "GBK");
    return toUtf32.Convert(input, output);
}

bool GbkToUtf8(const std::string& input, std::string& output)
{
    thread_local TextConverter toUtf8("UTF-8", "GBK");
    return toUtf8.Convert(input, output);
}

} // namespace

std::u32string SysFont::DecodeGbk(const std::string& text)
{
    std::u32string out;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80)
        {
            out += char32_t(c);
            continue;
        }
        std::string utf32;
        if (i + 1 < text.size() && GbkToUtf32(text.substr(i, 2), utf32) && utf32.size() == 4)
        {
            const auto* b = reinterpret_cast<const unsigned char*>(utf32.data());
            out += char32_t(b[0] | (b[1] << 8) | (b[2] << 16) | (uint32_t(b[3]) << 24));
            ++i;
        }
        else
        {
            out += U'?';
            if (i + 1 < text.size())
                ++i;
        }
    }
    return out;
}

SysFont::SysFont(const std::string& name, int32_t points, int32_t scriptCode, bool isBold, bool isItalic,
                 bool isUnderline)
    : faceName(name), pointSize(points), script(scriptCode), bold(isBold), italic(isItalic), underline(isUnderline)
{
    std::string utf8;
    if (!GbkToUtf8(faceName, utf8))
        utf8 = faceName;
    // A family named for the Java-style logical font maps to the sans default.
    if (utf8 == "SansSerif")
        utf8 = "sans-serif";
    const int32_t pixels = pointSize * SystemFontFace::ScreenVerticalDpi() / 72;
    face = SystemFontFace::Open(utf8, pixels, bold, italic);
    if (face != nullptr)
    {
        height = face->Height();
        ascent = face->Ascent();
    }
}

SysFont::SysFont(const SysFont& other)
    : SysFont(other.faceName, other.pointSize, other.script, other.bold, other.italic, other.underline)
{
}

SysFont::~SysFont() = default;

std::unique_ptr<Font> SysFont::Clone()
{
    return std::make_unique<SysFont>(*this);
}

const SysFont::CachedGlyph& SysFont::GetGlyph(char32_t codePoint)
{
    auto it = glyphs.find(codePoint);
    if (it != glyphs.end())
        return it->second;
    CachedGlyph& cached = glyphs[codePoint];
    SystemFontFace::Glyph glyph;
    if (face == nullptr || (!face->Render(codePoint, glyph) && !face->Render(U'?', glyph)))
        return cached;
    cached.left = glyph.left;
    cached.top = glyph.top;
    cached.advance = glyph.advance;
    if (glyph.width > 0 && glyph.height > 0)
    {
        cached.coverage = std::make_unique<MemoryImage>();
        cached.coverage->Allocate(glyph.width, glyph.height);
        uint32_t* pixels = cached.coverage->GetPixels();
        if (pixels != nullptr)
        {
            for (size_t i = 0; i < glyph.coverage.size(); ++i)
                pixels[i] = (uint32_t(glyph.coverage[i]) << 24) | 0xFFFFFFu;
            cached.coverage->PixelsChanged();
        }
    }
    return cached;
}

int32_t SysFont::TextWidth(const std::string& text)
{
    int32_t width = 0;
    for (char32_t c : DecodeGbk(text))
        width += GetGlyph(c).advance;
    return width;
}

void SysFont::DrawText(Graphics* graphics, int32_t x, int32_t y, const std::string& text, const Color& color,
                       const Rect& clip)
{
    if (graphics == nullptr || face == nullptr)
        return;
    graphics->SaveState();
    // The clip is in image pixels (already translated), like the context's own.
    graphics->clipArea = graphics->clipArea.Intersection(clip);
    graphics->SetColorModulation(true);
    graphics->SetColor(Color(color.red, color.green, color.blue, 255));
    // The text's top sits at y - ascent + 1, so its baseline is one row below y.
    const int32_t baseline = y + 1;
    int32_t pen = x;
    for (char32_t c : DecodeGbk(text))
    {
        const CachedGlyph& glyph = GetGlyph(c);
        if (glyph.coverage != nullptr)
            graphics->DrawImage(glyph.coverage.get(), pen + glyph.left, baseline - glyph.top);
        pen += glyph.advance;
    }
    if (underline && pen > x)
        graphics->FillRect(x, baseline + 1, pen - x, 1);
    graphics->RestoreState();
}

} // namespace Framework
