// BurningFlameSprite: the burning flame (kind 30), a seven-cel flame with the
// one-hit symbol, from a random cel drawn from the runtime generator at
// construction. It has no image of its own. Keeps its kind: SetKind does
// nothing. Main thread only.
#pragma once

#include "src/sprites/BubbleSprite.h"

class BurningFlameSprite : public BubbleSprite
{
public:
    BurningFlameSprite();

    void Draw(Framework::Graphics* g) override;
    void SetKind(int32_t) override {}

protected:
    float frame = 0.0f;
};
