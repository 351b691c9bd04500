#include "src/sprites/MushroomSprite.h"

#include "src/core/ResourceIds.h"
#include "src/sprites/SpriteAnimation.h"

MushroomSprite::MushroomSprite(int32_t mushroomDirection) : direction(mushroomDirection)
{
    kind = KIND_MUSHROOM;
    switch (direction)
    {
        case Left:
            image = IMAGE_MUSHROOM_LEFT;
            bounceImage = IMAGE_MUSHROOM_BOUNCE_LEFT;
            break;
        case Right:
            image = IMAGE_MUSHROOM_RIGHT;
            bounceImage = IMAGE_MUSHROOM_BOUNCE_RIGHT;
            break;
        case Straight:
            image = IMAGE_MUSHROOM;
            bounceImage = IMAGE_MUSHROOM_BOUNCE;
            break;
        default:
            break;
    }
}

void MushroomSprite::Draw(Framework::Graphics* g)
{
    if (!bouncing)
    {
        DrawImageAt(g, image, -9.0f, -6.0f);
        return;
    }
    DrawCelAt(g, bounceImage, CelOf(frame), -9.0f, -6.0f);
    frame += 0.3f;
    if (frame >= float(ImageColumns(bounceImage)))
    {
        frame = 0.0f;
        bouncing = false;
    }
}
