#include "src/sprites/GreenEatingPlantSprite.h"

#include "external/util/RuntimeRandom.h"
#include "src/core/ResourceIds.h"

GreenEatingPlantSprite::GreenEatingPlantSprite()
{
    kind = KIND_GREEN_EATING_PLANT;
    hitPoints = 2;
}

void GreenEatingPlantSprite::OnHit(int32_t hittingKind)
{
    if (hittingKind != KIND_GREEN)
    {
        return;
    }
    if (hitPoints == 2)
    {
        eating = true;
    }
    hitPoints -= 1;
}

void GreenEatingPlantSprite::Draw(Framework::Graphics* g)
{
    if (eating)
    {
        DrawCelAt(g, IMAGE_PLANT_EATING, CelOf(eatFrame), -12.0f, -13.0f);
        DrawCelAt(g, IMAGE_ANIM_X1X2_GREEN, CelOf(symbolFrame), -4.0f, 3.0f);
        const int32_t symbolColumns = ImageColumns(IMAGE_ANIM_X1X2_GREEN);
        symbolFrame += 0.1f;
        if (symbolFrame >= float(symbolColumns))
        {
            symbolFrame = float(symbolColumns - 1);
        }
        const int32_t eatColumns = ImageColumns(IMAGE_PLANT_EATING);
        eatFrame += 0.1f;
        if (eatFrame >= float(eatColumns))
        {
            eating = false;
            eatFrame = float(eatColumns - 1);
        }
        return;
    }
    flourish.Step(RuntimeRandom::Drawing());
    if (flourish.flourishing)
    {
        DrawCelAt(g, IMAGE_GREEN_EAT, TableCel(FlourishTableB, frame), -12.0f, -13.0f);
        frame += 0.07f;
        if (frame >= 20.0f)
        {
            frame = 0.0f;
            flourish.flourishing = false;
        }
    }
    else
    {
        DrawCelAt(g, IMAGE_GREEN_EAT, 0, -12.0f, -13.0f);
    }
    if (hitPoints == 2)
    {
        DrawImageAt(g, IMAGE_SYMBOL_X2LV, -4.0f, 3.0f);
    }
    else if (hitPoints == 1)
    {
        DrawImageAt(g, IMAGE_SYMBOL_X1LV, -4.0f, 3.0f);
    }
}
