// Board: the game screen, one per game (GameApp::StartGame makes a new one).
// It shows the world's background; the play field, the title bar and the
// pause overlay are its children once they exist.
#pragma once

#include <cstdint>

#include "framework/widgets/Widget.h"

namespace Framework
{
class Image;
}

class PlayHost;

class Board : public Framework::Widget
{
public:
    explicit Board(PlayHost* application);

    // world: 1 water, 2 fire, 3 earth, 4 air.
    void SetWorld(int32_t newWorld);
    int32_t GetWorld() const { return world; }
    // The background of a world, null for a world outside 1 to 4 or before
    // the images are bound.
    static Framework::Image* WorldBackground(int32_t world);

    void Draw(Framework::Graphics* g) override;

protected:
    PlayHost* app;
    int32_t world = 0;
};
