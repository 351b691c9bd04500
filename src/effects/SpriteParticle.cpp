#include "src/effects/SpriteParticle.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "src/sprites/Sprite.h"

void SpriteParticle::Reset()
{
    frame = 0.0f;
}

void SpriteParticle::Render()
{
    frame += 0.1f;
    if (static_cast<std::int32_t>(frame) >= frameCount)
    {
        alive = 0;
        frame = static_cast<float>(frameCount);
    }
    if (graphics == nullptr || image == nullptr)
    {
        return;
    }
    const std::int32_t cel = static_cast<std::int32_t>(frame);
    if (cel >= image->rows * image->columns)
    {
        return;
    }
    graphics->DrawCel(image, TruncateCoordinate(position.x), TruncateCoordinate(position.y), cel);
}
