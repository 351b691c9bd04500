#include "src/screens/menu/WorldSphere.h"

#include <algorithm>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/ImageTransform.h"
#include "framework/widgets/WidgetManager.h"
#include "src/screens/common/MenuHost.h"
#include "src/core/ResourceIds.h"
#include "src/screens/menu/WorldSelector.h"

Framework::Image* WorldImage(int32_t world)
{
    switch (world)
    {
        case 1:
            return IMAGE_ICEWORLD;
        case 2:
            return IMAGE_FIREWORLD;
        case 3:
            return IMAGE_EARTHWORLD;
        case 4:
            return IMAGE_AIRWORLD;
        default:
            return nullptr;
    }
}

int32_t QuestStageBase(int32_t world)
{
    switch (world)
    {
        case 1:
            return 30000;
        case 2:
            return 20000;
        case 3:
            return 40000;
        case 4:
            return 10000;
        default:
            return 0;
    }
}

WorldSphere::WorldSphere(MenuHost& menuHost, WorldSelector* owner, int32_t sphereWorld)
    : world(sphereWorld), host(menuHost), selector(owner)
{
    Resize(0, 0, SphereWidth, SphereHeight);
    worldImage = WorldImage(world);
    labelY = 141;
    switch (world)
    {
        case 1:
            labelImage = IMAGE_BUTTON_WATER;
            labelX = 46;
            break;
        case 2:
            labelImage = IMAGE_BUTTON_FIRE;
            labelX = 59;
            break;
        case 3:
            labelImage = IMAGE_BUTTON_EARTH;
            labelX = 51;
            break;
        case 4:
            labelImage = IMAGE_BUTTON_AIR;
            labelX = 62;
            break;
        default:
            break;
    }
}

void WorldSphere::Restart(int32_t startDelay)
{
    delay = startDelay;
    scale = 0.0f;
    labelAlpha = 0;
    SetVisible(true);
    MarkDirty();
}

void WorldSphere::Update()
{
    Widget::Update();
    // Stops at 0 rather than running down for ever.
    delay = std::max(delay - 1, 0);
    if (delay >= 1)
    {
        return;
    }
    if (scale < 1.0f || labelAlpha < 255)
    {
        MarkDirty();
    }
    scale += 0.05f;
    if (scale > 1.0f)
    {
        scale = 1.0f;
    }
}

void WorldSphere::Draw(Framework::Graphics* g)
{
    if (delay > 0)
    {
        return;
    }
    Framework::ImageTransform transform;
    transform.Scale(scale, scale);
    const auto cx = static_cast<float>(centreX);
    const auto cy = static_cast<float>(centreY);
    if (IMAGE_SPHERE != nullptr)
    {
        g->DrawTransformedF(IMAGE_SPHERE, transform, cx, cy);
    }
    if (worldImage != nullptr)
    {
        const int32_t half = worldImage->GetWidth() / 2;
        const Framework::Rect source(normalLook ? half : 0, 0, half, worldImage->GetHeight());
        const bool accelerated = manager != nullptr && manager->app != nullptr && manager->app->IsDrawing3D();
        if (accelerated)
        {
            g->DrawTransformedF(worldImage, transform, cx, cy, source);
        }
        else
        {
            g->DrawTransformed(worldImage, transform, cx, cy, source);
        }
    }
    labelAlpha = std::min(labelAlpha + 12, 255);
    if (labelImage != nullptr)
    {
        g->SetColorModulation(true);
        g->SetColor(Framework::Color(255, 255, 255, labelAlpha));
        g->DrawCel(labelImage, labelX, labelY, normalLook ? 1 : 0);
        g->SetColorModulation(false);
    }
}

void WorldSphere::MouseEnter()
{
    Widget::MouseEnter();
    normalLook = false;
    MarkDirty();
    host.PlaySound(SOUND_BTON_ON);
}

void WorldSphere::MouseLeave()
{
    Widget::MouseLeave();
    normalLook = true;
    MarkDirty();
}

void WorldSphere::MouseDown(int32_t, int32_t, int32_t clickCount)
{
    if (clickCount != 1)
    {
        return;
    }
    host.PlaySound(SOUND_SELECT_W);
    host.SetWorld(world);
    if (host.GetGameMode() == Game::ModeQuest)
    {
        if (selector != nullptr)
        {
            selector->OpenStageChooser();
        }
    }
    else
    {
        host.StartGame();
    }
}
