// LockSprite: the black lock bubble (kind 10). Its cels turn slowly from a
// random start drawn from the runtime generator at construction. Keeps its
// kind: SetKind does nothing. Main thread only.
#pragma once

#include "src/sprites/BubbleSprite.h"

class LockSprite : public BubbleSprite
{
public:
    LockSprite();

    void Draw(Framework::Graphics* g) override;
    void SetKind(int32_t) override {}

protected:
    float frame = 0.0f;
};
