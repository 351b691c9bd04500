// LavaSprite: lava (kind 31), two red hits. The first red shot starts a melt
// (played once), after which the one-hit symbol shows; other colours do
// nothing. Keeps its kind: SetKind does nothing. Main thread only.
#pragma once

#include "src/sprites/BubbleSprite.h"

class LavaSprite : public BubbleSprite
{
public:
    LavaSprite();

    void Draw(Framework::Graphics* g) override;
    void SetKind(int32_t) override {}
    void OnHit(int32_t hittingKind) override;

    bool IsMelting() const { return melting; }

protected:
    float frame = 0.0f;
    bool melting = false;
    float symbolFrame = 0.0f;
    float meltFrame = 0.0f;
};
