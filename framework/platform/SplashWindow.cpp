#include "framework/platform/SplashWindow.h"

#include <SDL.h>

#include <vector>

namespace Framework
{

struct SplashWindow::Impl
{
    SDL_Window* window = nullptr;
    bool videoStarted = false;
};

SplashWindow::SplashWindow() : impl(std::make_unique<Impl>()) {}

SplashWindow::~SplashWindow()
{
    Close();
}

bool SplashWindow::IsOpen() const
{
    return impl->window != nullptr;
}

bool SplashWindow::Show(const std::string& caption, const uint32_t* pixels, int32_t width, int32_t height)
{
    Close();
    if (width <= 0 || height <= 0)
    {
        return false;
    }
    // The program handles SIGINT, SIGTERM and SIGHUP itself; SDL's handlers
    // would turn them into a close request.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    {
        return false;
    }
    impl->videoStarted = true;
    SDL_Rect area{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &area) != 0 || area.w <= 0 || area.h <= 0)
    {
        SDL_GetDisplayBounds(0, &area);
    }
    x = area.x + (area.w - width) / 2;
    y = area.y + (area.h - height) / 2;
    // Plain shared-memory surfaces, as the main window uses.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    impl->window = SDL_CreateWindow(caption.c_str(), x, y, width, height,
                                    SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_SHOWN);
    if (!impl->window)
    {
        Close();
        return false;
    }
    if (SDL_Surface* surface = SDL_GetWindowSurface(impl->window))
    {
        if (pixels)
        {
            std::vector<uint32_t> copy(pixels, pixels + size_t(width) * size_t(height));
            SDL_Surface* source =
                SDL_CreateRGBSurfaceWithFormatFrom(copy.data(), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
            if (source)
            {
                SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
                SDL_BlitSurface(source, nullptr, surface, nullptr);
                SDL_FreeSurface(source);
            }
        }
        else
        {
            SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 255, 255, 255));
        }
        SDL_UpdateWindowSurface(impl->window);
    }
    return true;
}

void SplashWindow::Close()
{
    if (impl->window)
    {
        SDL_DestroyWindow(impl->window);
        impl->window = nullptr;
    }
    if (impl->videoStarted)
    {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        impl->videoStarted = false;
    }
}

} // namespace Framework
