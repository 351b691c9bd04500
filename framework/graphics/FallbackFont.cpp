#include "framework/graphics/FallbackFont.h"

#include "framework/graphics/Graphics.h"

namespace Framework
{

namespace
{

std::unique_ptr<Font> CloneOf(Font* font)
{
    return font != nullptr ? font->Clone() : nullptr;
}

bool IsLeadByte(char c)
{
    return (static_cast<unsigned char>(c) & 0x80) != 0;
}

} // namespace

FallbackFont::FallbackFont(Font* primaryFont, Font* fallbackFont)
    : primary(CloneOf(primaryFont)), fallback(CloneOf(fallbackFont))
{
}

FallbackFont::FallbackFont(const FallbackFont& other)
    : Font(other), primary(CloneOf(other.primary.get())), fallback(CloneOf(other.fallback.get()))
{
}

FallbackFont::~FallbackFont() = default;

int32_t FallbackFont::Ascent()
{
    return primary ? primary->Ascent() : 0;
}

int32_t FallbackFont::AscentInset()
{
    return primary ? primary->AscentInset() : 0;
}

int32_t FallbackFont::Descent()
{
    return primary ? primary->Descent() : 0;
}

int32_t FallbackFont::Height()
{
    return primary ? primary->Height() : 0;
}

int32_t FallbackFont::LineSpacingOffset()
{
    return primary ? primary->LineSpacingOffset() : 0;
}

int32_t FallbackFont::LineSpacing()
{
    return primary ? primary->LineSpacing() : 0;
}

void FallbackFont::SplitRuns(const std::string& text, const std::function<void(const std::string&, bool)>& visit)
{
    size_t start = 0;
    size_t i = 0;
    bool doubleRun = false;
    while (i < text.size())
    {
        const bool lead = IsLeadByte(text[i]);
        if (lead != doubleRun && i > start)
        {
            visit(text.substr(start, i - start), doubleRun);
            start = i;
        }
        doubleRun = lead;
        i += lead ? 2 : 1;
    }
    if (start < text.size())
    {
        visit(text.substr(start), doubleRun);
    }
}

int32_t FallbackFont::TextWidth(const std::string& text)
{
    int32_t width = 0;
    SplitRuns(text,
              [&](const std::string& run, bool doubleByte)
              {
                  Font* font = doubleByte ? fallback.get() : primary.get();
                  if (font != nullptr)
                  {
                      width += font->TextWidth(run);
                  }
              });
    return width;
}

int32_t FallbackFont::GlyphWidth(char c)
{
    return primary && !IsLeadByte(c) ? primary->GlyphWidth(c) : 0;
}

int32_t FallbackFont::GlyphWidthKerned(char c, char previous)
{
    return primary && !IsLeadByte(c) ? primary->GlyphWidthKerned(c, IsLeadByte(previous) ? 0 : previous) : 0;
}

void FallbackFont::DrawText(Graphics* graphics, int32_t x, int32_t y, const std::string& text, const Color& color,
                            const Rect& clip)
{
    int32_t pen = x;
    SplitRuns(text,
              [&](const std::string& run, bool doubleByte)
              {
                  Font* font = doubleByte ? fallback.get() : primary.get();
                  if (font == nullptr)
                  {
                      return;
                  }
                  if (doubleByte && graphics != nullptr)
                  {
                      const Color saved = graphics->GetColor();
                      graphics->SetColor(color);
                      font->DrawText(graphics, pen, y, run, color, clip);
                      graphics->SetColor(saved);
                  }
                  else
                  {
                      font->DrawText(graphics, pen, y, run, color, clip);
                  }
                  pen += font->TextWidth(run);
              });
}

std::unique_ptr<Font> FallbackFont::Clone()
{
    return std::make_unique<FallbackFont>(*this);
}

} // namespace Framework
