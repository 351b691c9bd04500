// FixedWidthFont: a tiny font for layout tests. Every character advances
// `advance` pixels; height 10, ascent 8. Drawing fills, for each character
// other than a space, a (advance - 1) x ascent block above the baseline in
// the given colour, and records every DrawText call.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"

namespace TestSupport
{

class FixedWidthFont : public Framework::Font
{
public:
    struct Call
    {
        std::string text;
        int32_t x;
        int32_t y;
        Framework::Color color;
    };

    explicit FixedWidthFont(int32_t advancePixels = 6) : advance(advancePixels)
    {
        height = 10;
        ascent = 8;
    }

    int32_t TextWidth(const std::string& text) override { return int32_t(text.size()) * advance; }

    void DrawText(Framework::Graphics* g, int32_t x, int32_t y, const std::string& text, const Framework::Color& color,
                  const Framework::Rect&) override
    {
        calls.push_back(Call{text, x, y, color});
        const Framework::Color saved = g->GetColor();
        g->SetColor(color);
        for (size_t i = 0; i < text.size(); ++i)
        {
            if (text[i] != ' ')
            {
                g->FillRect(x + int32_t(i) * advance, y - ascent, advance - 1, ascent);
            }
        }
        g->SetColor(saved);
    }

    std::unique_ptr<Framework::Font> Clone() override { return std::make_unique<FixedWidthFont>(*this); }

    int32_t advance;
    std::vector<Call> calls;
};

} // namespace TestSupport
