// Board: the game screen, one per game (GameApp::StartGame makes a new one).
// It shows the world's background and holds the play field, its child at
// (15, 37), built with the board (a quest field in the quest mode); the
// title bar and the pause overlay join it once they exist. The host outlives
// the board.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/widgets/Widget.h"

namespace Framework
{
class Image;
}

class GameAreaWidget;
class PlayHost;

class Board : public Framework::Widget
{
public:
    explicit Board(PlayHost* application);
    ~Board() override;

    // world: 1 water, 2 fire, 3 earth, 4 air.
    void SetWorld(int32_t newWorld);
    int32_t GetWorld() const { return world; }
    // The background of a world, null for a world outside 1 to 4 or before
    // the images are bound.
    static Framework::Image* WorldBackground(int32_t world);

    void Draw(Framework::Graphics* g) override;

    const std::shared_ptr<GameAreaWidget>& GetPlayField() const { return playField; }

protected:
    PlayHost* app;
    std::shared_ptr<GameAreaWidget> playField;
    int32_t world = 0;
};
