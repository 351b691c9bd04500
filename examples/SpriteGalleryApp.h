// SpriteGalleryApp: the application that shows the sprite gallery. After the
// window is up it reads the game's manifest, loads the groups "Media" and
// "Game" from the program's folder, binds their resource variables and the
// wind loop (song 1000), then shows a SpriteGallery over the whole window.
// A group that fails to load ends the program with its error text.
//
// FROTHWICK_EXIT_AFTER_TICKS=N stops it in order after N update ticks (for
// automated runs). FROTHWICK_GALLERY=sprites frothwick_gallery runs it
// (RunSpritesGallery). Main thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/app/AppBase.h"

class SpriteGallery;

class SpriteGalleryApp final : public Framework::AppBase
{
public:
    SpriteGalleryApp();
    ~SpriteGalleryApp() override;

    void Initialise() override;

protected:
    void Tick() override;

private:
    int32_t exitAfterTicks = 0;
    std::unique_ptr<SpriteGallery> gallery;
};
