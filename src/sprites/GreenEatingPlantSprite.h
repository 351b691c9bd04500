// GreenEatingPlantSprite: the green eating plant (kind 50), two green hits.
// Idle it waits with its mouth shut and now and then (a moment the drawing
// generator picks) snaps; the first green shot plays its eating animation
// once, holding the last cel, after which the one-hit symbol shows. Other
// colours do nothing. It has no image of its own. Keeps its kind: SetKind
// does nothing. Main thread only.
#pragma once

#include "src/sprites/BubbleSprite.h"
#include "src/sprites/SpriteAnimation.h"

class GreenEatingPlantSprite : public BubbleSprite
{
public:
    GreenEatingPlantSprite();

    void Draw(Framework::Graphics* g) override;
    void SetKind(int32_t) override {}
    void OnHit(int32_t hittingKind) override;

    bool IsEating() const { return eating; }

protected:
    float frame = 0.0f;
    bool eating = false;
    float symbolFrame = 0.0f;
    float eatFrame = 0.0f;
    FlourishSchedule flourish;
};
