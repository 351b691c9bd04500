// NameFont: the font player names are drawn and typed with. Latin names are
// drawn by the image font FONT_VERDANA10BOLD exactly as before; every
// two-byte GBK character falls back to the texture font of the face "宋体"
// (WenQuanYi Micro Hei through fontconfig) at the image font's 11-pixel size,
// on the same baseline and in the same colour. Widths measure the text as
// drawn, so carets, width limits and centring agree with the pixels.
//
// The caller owns the font. Main thread only.
#pragma once

#include <memory>

#include "framework/graphics/Font.h"
#include "framework/widgets/EditWidget.h"

// Null when imageFont is null (no fonts loaded).
std::unique_ptr<Framework::Font> MakeNameFont(Framework::Font* imageFont);

// The name field of the player dialogs: white text in the name font of
// imageFont on a see-through field (the dialog's art draws its box), at most
// maxBytes bytes.
std::shared_ptr<Framework::EditWidget> MakeNameField(int32_t id, Framework::EditListener* listener, int32_t x,
                                                     int32_t y, int32_t width, int32_t height, int32_t maxBytes,
                                                     Framework::Font* imageFont);

// Keeps one name font for the image font it was made from, remaking it when
// the bound image font changes (a resource group reloaded).
class NameFontCache
{
public:
    Framework::Font* Get(Framework::Font* imageFont);

private:
    Framework::Font* madeFrom = nullptr;
    std::unique_ptr<Framework::Font> font;
};
