// FallbackFont: text drawn with a primary font (usually an image font, which
// has single-byte glyphs only) in which every two-byte GBK character is drawn
// by a fallback font (usually a texture font of a face that covers GBK) at
// the same baseline and in the same colour. Text without two-byte characters
// is measured and drawn exactly as the primary font alone would.
//
// Metrics (ascent, height, line spacing) are the primary font's. Widths are
// the sum of the runs as drawn, so carets, width limits and centring that
// measure through TextWidth agree with the pixels. A lead byte without its
// second byte at the end of the text goes to the fallback font, which skips
// it.
//
// Ownership: the font owns clones of both fonts; clones of a FallbackFont
// clone both again (image and texture fonts share their glyph data between
// clones). Main thread only, like the fonts it wraps.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/graphics/Font.h"

namespace Framework
{

class FallbackFont : public Font
{
public:
    // Either font may be null: then its runs measure 0 and are not drawn.
    FallbackFont(Font* primaryFont, Font* fallbackFont);
    FallbackFont(const FallbackFont& other);
    FallbackFont& operator=(const FallbackFont&) = delete;
    ~FallbackFont() override;

    int32_t Ascent() override;
    int32_t AscentInset() override;
    int32_t Descent() override;
    int32_t Height() override;
    int32_t LineSpacingOffset() override;
    int32_t LineSpacing() override;
    int32_t TextWidth(const std::string& text) override;
    int32_t GlyphWidth(char c) override;
    int32_t GlyphWidthKerned(char c, char previous) override;
    // Fallback runs are drawn in `color` (set on the context for them).
    void DrawText(Graphics* graphics, int32_t x, int32_t y, const std::string& text, const Color& color,
                  const Rect& clip) override;
    std::unique_ptr<Font> Clone() override;

    Font* GetPrimary() const { return primary.get(); }
    Font* GetFallback() const { return fallback.get(); }

    // Calls visit(run, isDoubleByte) for each maximal run of single-byte or
    // of two-byte characters, in order.
    static void SplitRuns(const std::string& text, const std::function<void(const std::string&, bool)>& visit);

private:
    std::unique_ptr<Font> primary;
    std::unique_ptr<Font> fallback;
};

} // namespace Framework
