#include "src/sprites/TornadoSprite.h"

#include "src/core/ResourceIds.h"
#include "src/sprites/SpriteAnimation.h"

TornadoSprite::TornadoSprite(int32_t tornadoDirection) : direction(tornadoDirection)
{
    kind = KIND_TORNADO;
    switch (direction)
    {
        case Left:
            image = IMAGE_TORNADO_LEFT;
            break;
        case Right:
            image = IMAGE_TORNADO_RIGHT;
            break;
        case Up:
            image = IMAGE_TORNADO_UPPER;
            break;
        default:
            image = nullptr;
            break;
    }
}

void TornadoSprite::Draw(Framework::Graphics* g)
{
    DrawCelAt(g, image, CelOf(frame), -7.0f, -17.0f);
    AdvanceWrapping(frame, 0.1f, ImageColumns(image));
}
