#include "src/sprites/BombSprite.h"

#include "src/core/ResourceIds.h"
#include "src/sprites/SpriteAnimation.h"

BombSprite::BombSprite()
{
    kind = KIND_BOMB;
    image = IMAGE_BOMB;
}

void BombSprite::Draw(Framework::Graphics* g)
{
    DrawCelAt(g, image, CelOf(frame), -3.0f, -4.0f);
    AdvanceWrapping(frame, 0.1f, ImageColumns(image));
}
