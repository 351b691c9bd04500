#include "src/sprites/LockSprite.h"

#include "external/util/RuntimeRandom.h"
#include "src/core/ResourceIds.h"
#include "src/sprites/SpriteAnimation.h"

LockSprite::LockSprite()
{
    kind = KIND_LOCK;
    image = IMAGE_BUBBLE_BLACK;
    frame = float(RuntimeRandom::Global().Next() % ImageColumns(image));
}

void LockSprite::Draw(Framework::Graphics* g)
{
    DrawCelAt(g, image, CelOf(frame), 0.0f, 0.0f);
    AdvanceWrapping(frame, 0.08f, ImageColumns(image));
}
