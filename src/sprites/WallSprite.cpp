#include "src/sprites/WallSprite.h"

#include "external/util/RuntimeRandom.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"

namespace
{
Framework::Image* ElementImage(int32_t element)
{
    switch (element)
    {
        case WallSprite::ElementAir:
            return IMAGE_WALL_AIR;
        case WallSprite::ElementFire:
            return IMAGE_WALL_FIRE;
        case WallSprite::ElementWater:
            return IMAGE_ICE;
        case WallSprite::ElementEarth:
            return IMAGE_WALL_EARTH;
        default:
            return IMAGE_ICE;
    }
}
} // namespace

WallSprite::WallSprite(PlayHost& playHost, int32_t wallElement) : host(&playHost), element(wallElement)
{
    kind = KIND_WALL;
    image = ElementImage(element);
    if (element == ElementAir)
    {
        frame = float(RuntimeRandom::Global().Next() % ImageColumns(IMAGE_WALL_AIR));
    }
}

void WallSprite::OnHit(int32_t)
{
    switch (element)
    {
        case ElementAir:
            host->PlaySound(SOUND_WALL_CLOUD);
            break;
        case ElementFire:
            host->PlaySound(SOUND_WALL_LAVA);
            break;
        case ElementWater:
            host->PlaySound(SOUND_WALL_ICE);
            break;
        case ElementEarth:
            host->PlaySound(SOUND_WALL_TREE);
            break;
        default:
            break;
    }
}

void WallSprite::Draw(Framework::Graphics* g)
{
    image = ElementImage(element);
    if (element < ElementAir || element > ElementEarth)
    {
        return;
    }
    if (host->State().IsQuest() && row == 2 && element != ElementEarth)
    {
        DrawCelAt(g, image, 0, element == ElementAir ? -3.0f : 0.0f, element == ElementAir ? 3.0f : 0.0f);
        return;
    }
    switch (element)
    {
        case ElementAir:
            DrawCelAt(g, image, CelOf(frame), -3.0f, 3.0f);
            AdvanceWrapping(frame, 0.1f, ImageColumns(IMAGE_WALL_AIR));
            break;
        case ElementFire:
            flourish.Step(RuntimeRandom::Drawing());
            if (flourish.flourishing)
            {
                DrawCelAt(g, image, TableCel(FlourishTableA, frame), 0.0f, 0.0f);
                frame += 0.07f;
                if (frame >= 12.0f)
                {
                    frame = 0.0f;
                    flourish.flourishing = false;
                }
            }
            else
            {
                DrawCelAt(g, image, 0, 0.0f, 0.0f);
            }
            break;
        case ElementWater:
            DrawCelAt(g, IMAGE_ICE, CelOf(frame), 0.0f, 0.0f);
            flourish.Step(RuntimeRandom::Drawing());
            if (flourish.flourishing)
            {
                DrawCelAt(g, IMAGE_ICELIGHT, CelOf(frame), 0.0f, 0.0f);
                frame += 0.1f;
                if (frame >= float(ImageColumns(IMAGE_ICE)))
                {
                    frame = 0.0f;
                    flourish.flourishing = false;
                }
            }
            break;
        default:
            DrawImageAt(g, IMAGE_WALL_EARTH, -5.0f, 2.0f);
            break;
    }
}
