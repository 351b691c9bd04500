// MushroomSprite: the mushroom (kind 51) leaning left (1), right (2) or
// standing straight (3). Still until StartBounce, then one pass through its
// bounce cels. Any other direction has no images. Keeps its kind: SetKind
// does nothing. Main thread only.
#pragma once

#include "src/sprites/BubbleSprite.h"

class MushroomSprite : public BubbleSprite
{
public:
    static constexpr int32_t Left = 1;
    static constexpr int32_t Right = 2;
    static constexpr int32_t Straight = 3;

    explicit MushroomSprite(int32_t direction);

    void Draw(Framework::Graphics* g) override;
    void SetKind(int32_t) override {}

    int32_t GetDirection() const { return direction; }
    void StartBounce() { bouncing = true; }
    bool IsBouncing() const { return bouncing; }

protected:
    float frame = 0.0f;
    int32_t direction;
    bool bouncing = false;
    Framework::Image* bounceImage = nullptr;
};
