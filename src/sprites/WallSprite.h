// WallSprite: the wall (kind 11) of one element -- 0 air, 1 fire, 2 water,
// 3 earth (the play field picks it from the world). Air loops, earth is
// still, fire and water play a flourish at moments the drawing generator
// picks; in the quest a wall in row 2 (the barrier) is drawn still. A hit
// plays the element's wall sound through the host. A wall is never marked;
// SetKind acts as for a plain bubble.
//
// The host must outlive the sprite. Main thread only.
#pragma once

#include "src/sprites/BubbleSprite.h"
#include "src/sprites/SpriteAnimation.h"

class PlayHost;

class WallSprite : public BubbleSprite
{
public:
    static constexpr int32_t ElementAir = 0;
    static constexpr int32_t ElementFire = 1;
    static constexpr int32_t ElementWater = 2;
    static constexpr int32_t ElementEarth = 3;

    WallSprite(PlayHost& host, int32_t element);

    void Draw(Framework::Graphics* g) override;
    void SetMarked(bool) override { marked = false; }
    bool IsMarked() const override { return false; }
    void OnHit(int32_t hittingKind) override;

    int32_t GetElement() const { return element; }

protected:
    PlayHost* host;
    int32_t element;
    float frame = 0.0f;
    FlourishSchedule flourish;
};
