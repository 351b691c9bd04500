#include "src/sprites/Sprite.h"

#include <cmath>
#include <limits>

#include "framework/graphics/Graphics.h"

int32_t TruncateCoordinate(float v)
{
    if (std::isnan(v))
    {
        return 0;
    }
    constexpr float low = -2147483648.0f;
    constexpr float high = 2147483648.0f;
    if (v <= low)
    {
        return std::numeric_limits<int32_t>::min();
    }
    if (v >= high)
    {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(v);
}

void Sprite::Draw(Framework::Graphics* g)
{
    if (image == nullptr)
    {
        return;
    }
    g->DrawCel(image, TruncateCoordinate(position.x), TruncateCoordinate(position.y), cel);
}

void Sprite::DrawCelAt(Framework::Graphics* g, Framework::Image* art, int32_t celNumber, float dx, float dy) const
{
    g->DrawCel(art, TruncateCoordinate(position.x + dx), TruncateCoordinate(position.y + dy), celNumber);
}

void Sprite::DrawImageAt(Framework::Graphics* g, Framework::Image* art, float dx, float dy) const
{
    g->DrawImage(art, TruncateCoordinate(position.x + dx), TruncateCoordinate(position.y + dy));
}
