#include "framework/graphics/Image.h"

namespace Framework
{

void Image::FillRect(const Rect&, const Color&, int32_t) {}

void Image::DrawRect(const Rect& rect, const Color& color, int32_t blendMode)
{
    FillRect(Rect(rect.x, rect.y, rect.width + 1, 1), color, blendMode);
    FillRect(Rect(rect.x, rect.y + rect.height, rect.width + 1, 1), color, blendMode);
    FillRect(Rect(rect.x, rect.y + 1, 1, rect.height - 1), color, blendMode);
    FillRect(Rect(rect.x + rect.width, rect.y + 1, 1, rect.height - 1), color, blendMode);
}

void Image::ClearArea(const Rect&) {}

void Image::DrawLine(double, double, double, double, const Color&, int32_t) {}

void Image::FillSpans(const Span* spans, int32_t count, const Color& color, int32_t blendMode)
{
    for (int32_t i = 0; i < count; ++i)
    {
        FillRect(Rect(spans[i].x, spans[i].y, spans[i].width, 1), color, blendMode);
    }
}

void Image::BlitImage(Image&, int32_t, int32_t, const Rect&, const Color&, int32_t) {}

void Image::BlitSubpixel(Image&, float, float, const Rect&, const Rect&, const Color&, int32_t) {}

void Image::BlitRotated(Image&, float, float, const Rect&, const Rect&, const Color&, int32_t, double, float, float) {}

void Image::BlitStretched(Image&, const Rect&, const Rect&, const Rect&, const Color&, int32_t, bool) {}

void Image::BlitTransformed(Image&, float, float, const Matrix3&, const Rect&, const Color&, int32_t, const Rect&, bool)
{
}

Rect Image::GetCelRect(int32_t column, int32_t row) const
{
    const int32_t cw = GetCelWidth();
    const int32_t ch = GetCelHeight();
    return Rect(column * cw, row * ch, cw, ch);
}

Rect Image::GetCelRect(int32_t cel) const
{
    const int32_t cols = columns > 0 ? columns : 1;
    return GetCelRect(cel % cols, cel / cols);
}

} // namespace Framework
