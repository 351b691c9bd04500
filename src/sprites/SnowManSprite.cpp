#include "src/sprites/SnowManSprite.h"

#include "external/util/RuntimeRandom.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/sprites/SpriteAnimation.h"

SnowManSprite::SnowManSprite(PlayHost& playHost) : host(&playHost)
{
    kind = KIND_SNOWMAN;
    image = IMAGE_SNOWMAN_N;
    hitPoints = 2;
}

void SnowManSprite::OnHit(int32_t)
{
    host->PlaySound(SOUND_HITSNOW);
    hitPoints -= 1;
}

void SnowManSprite::Draw(Framework::Graphics* g)
{
    if (hitPoints == 2)
    {
        // Drawn every frame, so the drawing generator's sequence does not
        // depend on the blink state.
        const bool blinkNow = RuntimeRandom::Drawing().Next() % 300 == 0;
        if (blinkNow && blink < 1.0f)
        {
            blink = 1.9f;
        }
        DrawCelAt(g, IMAGE_SNOWMAN_N, CelOf(blink), 0.0f, 0.0f);
        if (blink >= 1.0f)
        {
            blink -= 0.03f;
        }
    }
    else if (hitPoints == 1)
    {
        DrawImageAt(g, IMAGE_SNOWMAN_BODY, offset.x, offset.y);
    }
    else
    {
        image = nullptr;
    }
}
