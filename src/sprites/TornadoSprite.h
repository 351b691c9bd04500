// TornadoSprite: the tornado (kind 40) facing left (1), right (2) or up (3);
// any other direction has no image and draws nothing. A looping animation
// drawn 7 pixels left of and 17 above the cell. Keeps its kind: SetKind does
// nothing. Main thread only.
#pragma once

#include "src/sprites/BubbleSprite.h"

class TornadoSprite : public BubbleSprite
{
public:
    static constexpr int32_t Left = 1;
    static constexpr int32_t Right = 2;
    static constexpr int32_t Up = 3;

    explicit TornadoSprite(int32_t direction);

    void Draw(Framework::Graphics* g) override;
    void SetKind(int32_t) override {}

    int32_t GetDirection() const { return direction; }

protected:
    float frame = 0.0f;
    int32_t direction;
};
