// The desktop's clipboard through SDL.
#include "framework/platform/Clipboard.h"

#include <SDL.h>

namespace Framework
{

namespace
{

class SdlClipboard final : public Clipboard
{
public:
    std::string GetText() override
    {
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        {
            return {};
        }
        char* text = SDL_GetClipboardText();
        if (text == nullptr)
        {
            return {};
        }
        std::string result(text);
        SDL_free(text);
        return result;
    }

    bool SetText(const std::string& utf8) override
    {
        return SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_SetClipboardText(utf8.c_str()) == 0;
    }
};

} // namespace

namespace
{
Clipboard* standInClipboard = nullptr;
} // namespace

Clipboard& DesktopClipboard()
{
    static SdlClipboard clipboard;
    return clipboard;
}

Clipboard& SystemClipboard()
{
    return standInClipboard ? *standInClipboard : DesktopClipboard();
}

void SetSystemClipboard(Clipboard* standIn)
{
    standInClipboard = standIn;
}

} // namespace Framework
