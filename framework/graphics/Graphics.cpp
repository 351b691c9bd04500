#include "framework/graphics/Graphics.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/Font.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/MemoryImage.h"

namespace Framework
{

namespace
{

int32_t Trunc(double v)
{
    if (!(v > -2147483648.0))
    {
        return INT32_MIN;
    }
    if (!(v < 2147483647.0))
    {
        return INT32_MAX;
    }
    return int32_t(v);
}

int32_t HexDigit(char c)
{
    if (c >= '0' && c <= '9')
    {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f')
    {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F')
    {
        return c - 'A' + 10;
    }
    return 0;
}

int32_t HexByte(const std::string& s, size_t i)
{
    return HexDigit(s[i]) * 16 + HexDigit(s[i + 1]);
}

} // namespace

Graphics::Graphics(Image* destination)
{
    // Shared by every context made for no image. Primitives on an empty
    // image return before touching anything, so it never changes.
    static MemoryImage placeholder;
    target = destination != nullptr ? destination : &placeholder;
    clipArea = Rect(0, 0, target->width, target->height);
}

Graphics::Graphics(const Graphics& other) : GraphicsState(other) {}

Graphics& Graphics::operator=(const Graphics& other)
{
    if (this != &other)
    {
        GraphicsState::operator=(other);
        stateStack.clear();
    }
    return *this;
}

std::unique_ptr<Graphics> Graphics::Clone() const
{
    return std::make_unique<Graphics>(*this);
}

void Graphics::SaveState()
{
    stateStack.push_back(static_cast<const GraphicsState&>(*this));
}

void Graphics::RestoreState()
{
    if (stateStack.empty())
    {
        return;
    }
    GraphicsState::operator=(stateStack.back());
    stateStack.pop_back();
}

void Graphics::Translate(float dx, float dy)
{
    translateX += dx;
    translateY += dy;
}

void Graphics::IntersectClip(int32_t x, int32_t y, int32_t w, int32_t h)
{
    clipArea = clipArea.Intersection(Rect(Trunc(x + translateX), Trunc(y + translateY), w, h));
}

Color Graphics::ModulationColor() const
{
    return colorModulation ? color : Color::White();
}

void Graphics::FillRect(int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (color.alpha == 0)
    {
        return;
    }
    const Rect r = Rect(Trunc(x + translateX), Trunc(y + translateY), w, h).Intersection(clipArea);
    if (r.IsEmpty())
    {
        return;
    }
    target->FillRect(r, color, blendMode);
}

void Graphics::DrawRect(int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (color.alpha == 0)
    {
        return;
    }
    const Rect outline(Trunc(x + translateX), Trunc(y + translateY), w + 1, h + 1);
    if (w >= 0 && h >= 0 && clipArea.ContainsRect(outline))
    {
        target->DrawRect(Rect(outline.x, outline.y, w, h), color, blendMode);
        return;
    }
    FillRect(x, y, w + 1, 1);
    FillRect(x, y + h, w + 1, 1);
    FillRect(x, y + 1, 1, h - 1);
    FillRect(x + w, y + 1, 1, h - 1);
}

void Graphics::DrawLine(int32_t ix1, int32_t iy1, int32_t ix2, int32_t iy2)
{
    double x1 = ix1 + double(translateX);
    double y1 = iy1 + double(translateY);
    double x2 = ix2 + double(translateX);
    double y2 = iy2 + double(translateY);
    const double left = clipArea.x;
    const double right = double(clipArea.x) + clipArea.width;
    const double top = clipArea.y;
    const double bottom = double(clipArea.y) + clipArea.height;
    if (clipArea.IsEmpty())
    {
        return;
    }
    // Against the left and right edges, endpoints ordered by x.
    if (x1 > x2)
    {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    if (x1 < left)
    {
        if (x2 < left)
        {
            return;
        }
        y1 += (y2 - y1) * (left - x1) / (x2 - x1);
        x1 = left;
    }
    if (x2 >= right)
    {
        if (x1 >= right)
        {
            return;
        }
        y2 += (y2 - y1) * ((right - 1) - x2) / (x2 - x1);
        x2 = right - 1;
    }
    // Against the top and bottom edges, endpoints ordered by y.
    if (y1 > y2)
    {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    if (y1 < top)
    {
        if (y2 < top)
        {
            return;
        }
        x1 += (x2 - x1) * (top - y1) / (y2 - y1);
        y1 = top;
    }
    if (y2 >= bottom)
    {
        if (y1 >= bottom)
        {
            return;
        }
        x2 += (x2 - x1) * ((bottom - 1) - y2) / (y2 - y1);
        y2 = bottom - 1;
    }
    target->DrawLine(x1, y1, x2, y2, color, blendMode);
}

void Graphics::DrawImage(Image* image, int32_t x, int32_t y)
{
    if (image == nullptr)
    {
        return;
    }
    DrawImage(image, x, y, Rect(0, 0, image->width, image->height));
}

void Graphics::DrawImage(Image* image, int32_t x, int32_t y, const Rect& srcRect)
{
    if (image == nullptr || srcRect.x < 0 || srcRect.y < 0 || srcRect.IsEmpty() ||
        int64_t(srcRect.x) + srcRect.width > image->width || int64_t(srcRect.y) + srcRect.height > image->height)
    {
        return;
    }
    const int32_t dx = Trunc(x + translateX);
    const int32_t dy = Trunc(y + translateY);
    const Rect dest = Rect(dx, dy, srcRect.width, srcRect.height).Intersection(clipArea);
    if (dest.IsEmpty())
    {
        return;
    }
    const Rect src(srcRect.x + (dest.x - dx), srcRect.y + (dest.y - dy), dest.width, dest.height);
    target->BlitImage(*image, dest.x, dest.y, src, ModulationColor(), blendMode);
}

void Graphics::DrawCel(Image* image, int32_t x, int32_t y, int32_t column, int32_t row)
{
    if (image == nullptr || column < 0 || row < 0 || column >= image->columns || row >= image->rows)
    {
        return;
    }
    DrawImage(image, x, y, image->GetCelRect(column, row));
}

void Graphics::DrawCel(Image* image, int32_t x, int32_t y, int32_t cel)
{
    if (image == nullptr || image->columns <= 0)
    {
        return;
    }
    DrawCel(image, x, y, cel % image->columns, cel / image->columns);
}

void Graphics::DrawStretched(Image* image, int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (image == nullptr)
    {
        return;
    }
    DrawStretched(image, Rect(x, y, w, h), Rect(0, 0, image->width, image->height));
}

void Graphics::DrawStretched(Image* image, const Rect& destRect, const Rect& srcRect)
{
    if (image == nullptr)
    {
        return;
    }
    const Rect dest(Trunc(destRect.x + translateX), Trunc(destRect.y + translateY), destRect.width, destRect.height);
    if (dest.Intersection(clipArea).IsEmpty())
    {
        return;
    }
    target->BlitStretched(*image, dest, srcRect, clipArea, ModulationColor(), blendMode, fastScaling);
}

void Graphics::DrawImageSubpixel(Image* image, float x, float y, const Rect& srcRect)
{
    if (image == nullptr)
    {
        return;
    }
    target->BlitSubpixel(*image, x + translateX, y + translateY, srcRect, clipArea, ModulationColor(), blendMode);
}

void Graphics::DrawRotated(Image* image, float x, float y, double angle, float centreX, float centreY)
{
    if (image == nullptr)
    {
        return;
    }
    DrawRotated(image, x, y, angle, centreX, centreY, Rect(0, 0, image->width, image->height));
}

void Graphics::DrawRotated(Image* image, float x, float y, double angle, float centreX, float centreY,
                           const Rect& srcRect)
{
    if (image == nullptr)
    {
        return;
    }
    target->BlitRotated(*image, x + translateX, y + translateY, srcRect, clipArea, ModulationColor(), blendMode, angle,
                        centreX, centreY);
}

void Graphics::DrawRotated(Image* image, int32_t x, int32_t y, double angle, int32_t centreX, int32_t centreY)
{
    if (image == nullptr)
    {
        return;
    }
    DrawRotated(image, x, y, angle, centreX, centreY, Rect(0, 0, image->width, image->height));
}

void Graphics::DrawRotated(Image* image, int32_t x, int32_t y, double angle, int32_t centreX, int32_t centreY,
                           const Rect& srcRect)
{
    if (image == nullptr)
    {
        return;
    }
    target->BlitRotated(*image, float(Trunc(x + translateX)), float(Trunc(y + translateY)), srcRect, clipArea,
                        ModulationColor(), blendMode, angle, float(centreX), float(centreY));
}

void Graphics::DrawTransformed(Image* image, const ImageTransform& transform, float x, float y)
{
    if (image == nullptr)
    {
        return;
    }
    DrawTransformedImpl(image, transform, x, y, Rect(0, 0, image->width, image->height), false);
}

void Graphics::DrawTransformed(Image* image, const ImageTransform& transform, float x, float y, const Rect& srcRect)
{
    DrawTransformedImpl(image, transform, x, y, srcRect, false);
}

void Graphics::DrawTransformedF(Image* image, const ImageTransform& transform, float x, float y)
{
    if (image == nullptr)
    {
        return;
    }
    DrawTransformedImpl(image, transform, x, y, Rect(0, 0, image->width, image->height), true);
}

void Graphics::DrawTransformedF(Image* image, const ImageTransform& transform, float x, float y, const Rect& srcRect)
{
    DrawTransformedImpl(image, transform, x, y, srcRect, true);
}

void Graphics::DrawTransformedImpl(Image* image, const ImageTransform& t, float x, float y, const Rect& srcRect,
                                   bool subpixel)
{
    if (image == nullptr)
    {
        return;
    }
    const float w = float(srcRect.width);
    const float h = float(srcRect.height);
    if (t.general || (subpixel && target->IsAccelerated()))
    {
        target->BlitTransformed(*image, x + translateX, y + translateY, t.GetMatrix(), clipArea, ModulationColor(),
                                blendMode, srcRect, bilinear);
        return;
    }
    if (t.rotated)
    {
        const float cx = w / 2.0f - t.preTranslateX;
        const float cy = h / 2.0f - t.preTranslateY;
        // The 0.5 rounds the integer forms; the float forms put the centre
        // exactly on (x, y).
        const float cornerX = x + t.postTranslateX - cx;
        const float cornerY = y + t.postTranslateY - cy;
        if (subpixel)
        {
            DrawRotated(image, cornerX, cornerY, t.rotation, cx, cy, srcRect);
        }
        else
        {
            DrawRotated(image, Trunc(cornerX + 0.5f), Trunc(cornerY + 0.5f), t.rotation, Trunc(cx), Trunc(cy), srcRect);
        }
        return;
    }
    if (t.scaled)
    {
        const Rect dest(Trunc(x + t.postTranslateX - w / 2.0f * t.scaleX),
                        Trunc(y + t.postTranslateY - h / 2.0f * t.scaleY), Trunc(w * t.scaleX), Trunc(h * t.scaleY));
        DrawStretched(image, dest, srcRect);
        return;
    }
    const float px = t.postTranslateX + t.preTranslateX + x - w / 2.0f;
    const float py = t.postTranslateY + t.preTranslateY + y - h / 2.0f;
    if (subpixel)
    {
        DrawImageSubpixel(image, px, py, srcRect);
    }
    else
    {
        DrawImage(image, Trunc(px + 0.5f), Trunc(py + 0.5f), srcRect);
    }
}

void Graphics::DrawFrameBox(const Rect& destRect, Image* image)
{
    if (image == nullptr)
    {
        return;
    }
    DrawFrameBox(Rect(0, 0, image->width, image->height), destRect, image);
}

void Graphics::DrawFrameBox(const Rect& srcRect, const Rect& destRect, Image* image)
{
    if (image == nullptr || srcRect.IsEmpty())
    {
        return;
    }
    const int32_t cw = srcRect.width / 3;
    const int32_t ch = srcRect.height / 3;
    const int32_t mw = srcRect.width - 2 * cw;
    const int32_t mh = srcRect.height - 2 * ch;
    const int32_t sx = srcRect.x, sy = srcRect.y;
    const int32_t dx = destRect.x, dy = destRect.y, dw = destRect.width, dh = destRect.height;

    // Corners.
    DrawImage(image, dx, dy, Rect(sx, sy, cw, ch));
    DrawImage(image, dx + dw - cw, dy, Rect(sx + cw + mw, sy, cw, ch));
    DrawImage(image, dx, dy + dh - ch, Rect(sx, sy + ch + mh, cw, ch));
    DrawImage(image, dx + dw - cw, dy + dh - ch, Rect(sx + cw + mw, sy + ch + mh, cw, ch));

    const int32_t spanW = dw - 2 * cw;
    const int32_t spanH = dh - 2 * ch;
    const int32_t countX = (spanW > 0 && mw > 0) ? (spanW + mw - 1) / mw : 0;
    const int32_t countY = (spanH > 0 && mh > 0) ? (spanH + mh - 1) / mh : 0;

    // Top and bottom edges.
    if (countX > 0)
    {
        Graphics g(*this);
        g.IntersectClip(dx + cw, dy, spanW, dh);
        for (int32_t i = 0; i < countX; ++i)
        {
            g.DrawImage(image, dx + cw + i * mw, dy, Rect(sx + cw, sy, mw, ch));
            g.DrawImage(image, dx + cw + i * mw, dy + dh - ch, Rect(sx + cw, sy + ch + mh, mw, ch));
        }
    }
    // Left and right edges.
    if (countY > 0)
    {
        Graphics g(*this);
        g.IntersectClip(dx, dy + ch, dw, spanH);
        for (int32_t j = 0; j < countY; ++j)
        {
            g.DrawImage(image, dx, dy + ch + j * mh, Rect(sx, sy + ch, cw, mh));
            g.DrawImage(image, dx + dw - cw, dy + ch + j * mh, Rect(sx + cw + mw, sy + ch, cw, mh));
        }
    }
    // Centre.
    if (countX > 0 && countY > 0)
    {
        Graphics g(*this);
        g.IntersectClip(dx + cw, dy + ch, spanW, spanH);
        for (int32_t j = 0; j < countY; ++j)
        {
            for (int32_t i = 0; i < countX; ++i)
            {
                g.DrawImage(image, dx + cw + i * mw, dy + ch + j * mh, Rect(sx + cw, sy + ch, mw, mh));
            }
        }
    }
}

void Graphics::DrawString(const std::string& text, int32_t x, int32_t y)
{
    if (font == nullptr)
    {
        return;
    }
    font->DrawText(this, x, y, text, color, clipArea);
}

int32_t Graphics::WriteString(const std::string& text, int32_t x, int32_t y, int32_t width, int32_t justification,
                              bool draw, int32_t offset, int32_t length)
{
    if (font == nullptr)
    {
        return 0;
    }
    const size_t textLen = text.size();
    const size_t begin = std::min<size_t>(offset > 0 ? size_t(offset) : 0, textLen);
    const size_t end = length < 0 ? textLen : std::min<size_t>(textLen, begin + size_t(length));

    if (draw && (justification == 0 || justification == 1))
    {
        const int32_t textWidth = WriteString(text, 0, 0, -1, -1, false, int32_t(begin), int32_t(end - begin));
        x += justification == 0 ? (width - textWidth) / 2 : width - textWidth;
    }

    int32_t total = 0;
    std::string piece;
    auto flush = [&]()
    {
        if (piece.empty())
        {
            return;
        }
        if (draw)
        {
            DrawString(piece, x + total, y);
        }
        total += font->TextWidth(piece);
        piece.clear();
    };
    size_t i = begin;
    while (i < end)
    {
        const char c = text[i];
        if (c == '^' && colorCodes)
        {
            if (i + 1 < end && text[i + 1] == '^')
            {
                piece += '^';
                i += 2;
                continue;
            }
            if (i + 8 > end)
            {
                break;
            }
            flush();
            if (draw)
            {
                color.red = HexByte(text, i + 1);
                color.green = HexByte(text, i + 3);
                color.blue = HexByte(text, i + 5);
            }
            i += 8;
            continue;
        }
        piece += c;
        ++i;
    }
    flush();
    return total;
}

int32_t Graphics::WriteWordWrapped(const Rect& rect, const std::string& text, int32_t lineSpacing,
                                   int32_t justification, int32_t* maxWidthOut)
{
    return WordWrapImpl(rect, text, lineSpacing, justification, maxWidthOut, true);
}

int32_t Graphics::WordWrappedHeight(int32_t width, const std::string& text, int32_t lineSpacing, int32_t* maxWidthOut)
{
    Graphics scratch(nullptr);
    scratch.font = font;
    // Measured with the same colour-code rule the drawing would use.
    scratch.colorCodes = colorCodes;
    return scratch.WordWrapImpl(Rect(0, 0, width, 0), text, lineSpacing, -1, maxWidthOut, false);
}

int32_t Graphics::WordWrapImpl(const Rect& rect, const std::string& text, int32_t lineSpacing, int32_t justification,
                               int32_t* maxWidthOut, bool draw)
{
    if (font == nullptr)
    {
        if (maxWidthOut != nullptr)
        {
            *maxWidthOut = 0;
        }
        return 0;
    }
    const Color startColor = color;
    const int32_t lineHeight = lineSpacing == -1 ? font->LineSpacing() : lineSpacing;
    int32_t baseline = rect.y + font->Ascent() - font->AscentInset();
    int32_t lastBaseline = baseline;
    bool wroteLine = false;
    int32_t maxWidth = 0;

    auto writeLine = [&](size_t from, size_t to)
    {
        const int32_t w =
            WriteString(text, rect.x, baseline, rect.width, justification, draw, int32_t(from), int32_t(to - from));
        maxWidth = std::max(maxWidth, w);
        lastBaseline = baseline;
        wroteLine = true;
        baseline += lineHeight;
    };

    const size_t n = text.size();
    size_t lineStart = 0;
    size_t i = 0;
    int32_t lineWidth = 0;
    char prev = 0;
    size_t breakPos = std::string::npos;
    while (i < n)
    {
        const char c = text[i];
        size_t unitLen = 1;
        if (c == '^' && colorCodes)
        {
            if (i + 1 < n && text[i + 1] == '^')
            {
                unitLen = 2; // an escaped caret draws one caret and is never split
            }
            else
            {
                i = std::min(n, i + 8);
                continue;
            }
        }
        if (c == '\n')
        {
            writeLine(lineStart, i);
            lineStart = i + 1;
            i = lineStart;
            lineWidth = 0;
            prev = 0;
            breakPos = std::string::npos;
            continue;
        }
        if (c == ' ')
        {
            breakPos = i;
        }
        lineWidth += font->GlyphWidthKerned(c, prev);
        prev = c;
        if (lineWidth > rect.width)
        {
            if (breakPos == std::string::npos)
            {
                const size_t cut = i > lineStart ? i : i + unitLen;
                writeLine(lineStart, cut);
                lineStart = cut;
            }
            else
            {
                writeLine(lineStart, breakPos);
                size_t next = breakPos + 1;
                while (next < n && text[next] == ' ')
                {
                    ++next;
                }
                lineStart = next;
            }
            i = lineStart;
            lineWidth = 0;
            prev = 0;
            breakPos = std::string::npos;
            continue;
        }
        i += unitLen;
    }
    if (lineStart < n)
    {
        writeLine(lineStart, n);
    }
    if (maxWidthOut != nullptr)
    {
        *maxWidthOut = maxWidth;
    }
    color = startColor;
    if (!wroteLine)
    {
        return 0;
    }
    return lastBaseline + font->Descent() - rect.y;
}

} // namespace Framework
