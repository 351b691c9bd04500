#include "src/sprites/BubbleSprite.h"

#include "framework/graphics/Graphics.h"
#include "src/core/ResourceIds.h"

BubbleSprite::BubbleSprite(int32_t newKind)
{
    SetBubbleKind(newKind);
}

void BubbleSprite::SetKind(int32_t newKind)
{
    SetBubbleKind(newKind);
}

void BubbleSprite::SetBubbleKind(int32_t newKind)
{
    Framework::Image* kindImage = nullptr;
    switch (newKind)
    {
        case KIND_RED:
            kindImage = IMAGE_BUBBLE_RED;
            break;
        case KIND_YELLOW:
            kindImage = IMAGE_BUBBLE_YELLOW;
            break;
        case KIND_BLUE:
            kindImage = IMAGE_BUBBLE_BLUE;
            break;
        case KIND_GREEN:
            kindImage = IMAGE_BUBBLE_GREEN;
            break;
        case KIND_AQUA:
            kindImage = IMAGE_BUBBLE_AQUA;
            break;
        case KIND_FUCHSIA:
            kindImage = IMAGE_BUBBLE_FUCHSIA;
            break;
        case KIND_LOCK:
            kindImage = IMAGE_BUBBLE_BLACK;
            break;
        case KIND_WALL:
            kindImage = IMAGE_ICE;
            break;
        case KIND_BOMB:
            kindImage = IMAGE_BOMB;
            break;
        default:
            image = nullptr;
            kind = KIND_NONE;
            return;
    }
    image = kindImage;
    kind = newKind;
}

void BubbleSprite::OnHit(int32_t) {}

void BubbleSprite::Shake(const Lumora::Vector2& direction, float amplitude)
{
    shaking = true;
    shakeDirection = direction;
    shakeSpeed = -amplitude;
    shakeAmplitude = amplitude;
    shakeDisplacement = direction * 6.7f;
    shakeFrame = 0;
}

void BubbleSprite::Draw(Framework::Graphics* g)
{
    if (!shaking)
    {
        Sprite::Draw(g);
        return;
    }
    shakeDisplacement += shakeDirection * shakeSpeed;
    if (shakeFrame >= 10)
    {
        // The reduced amplitude is judged before it is narrowed to a float.
        const double reduced = double(shakeAmplitude) - 0.1;
        shakeAmplitude = float(reduced);
        shakeSpeed = shakeSpeed < 0.0f ? shakeAmplitude : -shakeAmplitude;
        if (reduced <= 0.0)
        {
            shaking = false;
        }
        shakeFrame = 0;
    }
    shakeFrame += 1;
    if (image != nullptr)
    {
        g->DrawCel(image, TruncateCoordinate(position.x + shakeDisplacement.x),
                   TruncateCoordinate(position.y + shakeDisplacement.y), 0);
    }
}
