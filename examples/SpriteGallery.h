// SpriteGallery: every bubble colour and every obstacle in each of its
// directions, placed on the play field's grid at the play field's place
// (15, 37) and animating with the game's art, so the art is seen at its real
// offsets. Rows 0 to 2 hold the colours; rows 4, 7 and 10 the obstacles
// (one wall per element, the snowman whole and hit once, lava, plant,
// tornadoes and mushrooms in each direction); row 14 the three wind clouds,
// which take turns blowing. A left click on a cell shakes the sprites around
// it as a landing shot does, and bounces a mushroom clicked.
//
// The gallery is its own play host: sounds go to the application, the wind
// loop to its music interface (song 1000, when loaded). The art must be
// bound (resource variables of the "Game" group) before it is built; the
// application must outlive it. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "external/lumora/Vector2.h"
#include "framework/widgets/Widget.h"
#include "src/core/GameTypes.h"
#include "src/core/PlayHost.h"

namespace Framework
{
class AppBase;
} // namespace Framework

class BubbleSprite;
class WindCloudSprite;

class SpriteGallery final : public Framework::Widget, public PlayHost
{
public:
    static constexpr int32_t FieldX = 15;
    static constexpr int32_t FieldY = 37;

    explicit SpriteGallery(Framework::AppBase& app);
    ~SpriteGallery() override;

    void Update() override;
    void Draw(Framework::Graphics* g) override;
    using Widget::MouseDown;
    void MouseDown(int32_t localX, int32_t localY, int32_t button, int32_t clickCount) override;

    // The sprite in a cell, null for an empty cell or one outside the grid.
    BubbleSprite* At(int32_t row, int32_t column) const;
    // Top-left pixel of a cell in play-field coordinates.
    static Lumora::Vector2 CellPixel(int32_t row, int32_t column);

    // --- PlayHost ---
    PlayState& State() override { return state; }
    void PlaySound(int32_t soundId) override;
    void StartWindLoop() override;
    void StopWindLoop() override;
    void ResetStage() override {}
    void StageReached(int32_t) override {}
    void EndStage(bool) override {}
    void ConfigureObstacles() override {}
    int32_t ObstacleCount(int32_t) const override { return 0; }
    int32_t ColourCount() const override { return 6; }
    void StampStageStart() override {}

private:
    void Place(int32_t row, int32_t column, std::shared_ptr<BubbleSprite> sprite);
    void ShakeNeighbours(int32_t row, int32_t column);

    Framework::AppBase& app;
    PlayState state;
    std::array<std::shared_ptr<BubbleSprite>, GRID_CELLS> cells;
    std::vector<WindCloudSprite*> clouds;
};
