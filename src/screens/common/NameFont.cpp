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

Framework::Font* NameFontCache::Get(Framework::Font* imageFont)
{
    if (imageFont != madeFrom || !font)
    {
        madeFrom = imageFont;
        font = MakeNameFont(imageFont);
    }
    return font.get();
}
