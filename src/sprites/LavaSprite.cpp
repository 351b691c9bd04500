#include "src/sprites/LavaSprite.h"

#include "src/core/ResourceIds.h"
#include "src/sprites/SpriteAnimation.h"

LavaSprite::LavaSprite()
{
    kind = KIND_LAVA;
    image = IMAGE_LAVA;
    hitPoints = 2;
}

void LavaSprite::OnHit(int32_t hittingKind)
{
    if (hittingKind != KIND_RED)
    {
        return;
    }
    if (hitPoints == 2)
    {
        melting = true;
    }
    hitPoints -= 1;
}

void LavaSprite::Draw(Framework::Graphics* g)
{
    if (melting)
    {
        DrawCelAt(g, IMAGE_RED_MELT, CelOf(meltFrame), -4.0f, 0.0f);
        meltFrame += 0.2f;
        if (meltFrame >= float(ImageColumns(IMAGE_RED_MELT)))
        {
            meltFrame = 0.0f;
            melting = false;
        }
        DrawCelAt(g, IMAGE_ANIM_X1X2, CelOf(symbolFrame), -4.0f, 0.0f);
        AdvanceWrapping(symbolFrame, 0.1f, ImageColumns(IMAGE_ANIM_X1X2));
        return;
    }
    DrawCelAt(g, image, CelOf(frame), -4.0f, 0.0f);
    AdvanceWrapping(frame, 0.09f, ImageColumns(image));
    if (hitPoints == 2)
    {
        DrawImageAt(g, IMAGE_SYMBOL_X2, -4.0f, 0.0f);
    }
    else if (hitPoints == 1)
    {
        DrawImageAt(g, IMAGE_SYMBOL_X1, -4.0f, 0.0f);
    }
}
