// BombSprite: the bomb (kind 12), a looping animation drawn 3 pixels left of
// and 4 above the cell. Keeps its kind: SetKind does nothing. Main thread
// only.
#pragma once

#include "src/sprites/BubbleSprite.h"

class BombSprite : public BubbleSprite
{
public:
    BombSprite();

    void Draw(Framework::Graphics* g) override;
    void SetKind(int32_t) override {}

protected:
    float frame = 0.0f;
};
