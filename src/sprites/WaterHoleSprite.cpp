#include "src/sprites/WaterHoleSprite.h"

#include "src/core/ResourceIds.h"

WaterHoleSprite::WaterHoleSprite()
{
    kind = KIND_WATER_HOLE;
    image = IMAGE_WATER;
}

void WaterHoleSprite::OnHit(int32_t)
{
    holeHit = true;
}

void WaterHoleSprite::Draw(Framework::Graphics* g)
{
    DrawCelAt(g, image, cel, -13.0f, -8.0f);
}
