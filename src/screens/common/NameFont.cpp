#include "src/screens/common/NameFont.h"

#include "framework/graphics/FallbackFont.h"
#include "framework/graphics/TextureFont.h"

namespace
{

const char* const kSongTi = "\xCB\xCE\xCC\xE5"; // "宋体" in GBK
// 8 points at 96 dots per inch: the 11 pixels of FONT_VERDANA10BOLD.
constexpr int32_t kFallbackPoints = 8;

} // namespace

std::unique_ptr<Framework::Font> MakeNameFont(Framework::Font* imageFont)
{
    if (imageFont == nullptr)
    {
        return nullptr;
    }
    Framework::TextureFont wide(kSongTi, kFallbackPoints, true, false, false, 0);
    return std::make_unique<Framework::FallbackFont>(imageFont, &wide);
}

std::shared_ptr<Framework::EditWidget> MakeNameField(int32_t id, Framework::EditListener* listener, int32_t x,
                                                     int32_t y, int32_t width, int32_t height, int32_t maxBytes,
                                                     Framework::Font* imageFont)
{
    auto field = std::make_shared<Framework::EditWidget>(id, listener, x, y, width, height, maxBytes);
    if (auto font = MakeNameFont(imageFont))
    {
        field->SetFont(font.get());
    }
    field->SetColor(Framework::EditWidget::ColorBackground, Framework::Color(255, 255, 255, 0));
    field->SetColor(Framework::EditWidget::ColorOutline, Framework::Color(255, 255, 255, 0));
    field->SetColor(Framework::EditWidget::ColorText, Framework::Color(255, 255, 255, 255));
    return field;
}

Framework::Font* NameFontCache::Get(Framework::Font* imageFont)
{
    if (imageFont != madeFrom || !font)
    {
        madeFrom = imageFont;
        font = MakeNameFont(imageFont);
    }
    return font.get();
}
