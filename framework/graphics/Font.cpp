#include "framework/graphics/Font.h"

namespace Framework
{

int32_t Font::TextWidth(const std::string&)
{
    return 0;
}

int32_t Font::GlyphWidth(char c)
{
    return TextWidth(std::string(1, c));
}

int32_t Font::GlyphWidthKerned(char c, char)
{
    return GlyphWidth(c);
}

void Font::DrawText(Graphics*, int32_t, int32_t, const std::string&, const Color&, const Rect&) {}

} // namespace Framework
