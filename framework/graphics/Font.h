// Font: the interface every font offers the drawing context. Text is a byte
// string (a byte with its top bit set starts a two-byte GBK character for
// fonts that support them). Positions are pixels; DrawText's y is the
// baseline. The metrics are plain fields that derived fonts fill in.
// A font does not own the images it is drawn into.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/graphics/Color.h"
#include "framework/graphics/Rect.h"

namespace Framework
{

class Graphics;

class Font
{
public:
    int32_t ascent = 0;
    int32_t ascentInset = 0;
    int32_t height = 0;
    int32_t lineSpacingOffset = 0;

    Font() = default;
    Font(const Font&) = default;
    Font& operator=(const Font&) = default;
    virtual ~Font() = default;

    virtual int32_t Ascent() { return ascent; }
    virtual int32_t AscentInset() { return ascentInset; }
    virtual int32_t Descent() { return height - ascent; }
    virtual int32_t Height() { return height; }
    virtual int32_t LineSpacingOffset() { return lineSpacingOffset; }
    virtual int32_t LineSpacing() { return height + lineSpacingOffset; }
    virtual int32_t TextWidth(const std::string& text);
    virtual int32_t GlyphWidth(char c);
    // Width of c when it follows `previous` (0: nothing before it).
    virtual int32_t GlyphWidthKerned(char c, char previous);
    virtual void DrawText(Graphics* graphics, int32_t x, int32_t y, const std::string& text, const Color& color,
                          const Rect& clip);
    // A new font object of the same kind and settings; the caller owns it.
    virtual std::unique_ptr<Font> Clone() = 0;
};

} // namespace Framework
