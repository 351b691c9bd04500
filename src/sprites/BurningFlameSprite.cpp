#include "src/sprites/BurningFlameSprite.h"

#include "external/util/RuntimeRandom.h"
#include "src/core/ResourceIds.h"
#include "src/sprites/SpriteAnimation.h"

BurningFlameSprite::BurningFlameSprite()
{
    kind = KIND_BURNING_FLAME;
    frame = float(RuntimeRandom::Global().Next() % 6);
}

void BurningFlameSprite::Draw(Framework::Graphics* g)
{
    DrawCelAt(g, IMAGE_FLAME, CelOf(frame), -1.0f, -3.0f);
    DrawImageAt(g, IMAGE_SYMBOL_X1, -3.0f, -1.0f);
    AdvanceWrapping(frame, 0.1f, 7);
}
