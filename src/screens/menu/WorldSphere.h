// WorldSphere: one of the four animated world choices on the world
// selector. After its start delay it grows from nothing to full size (0.05
// per update) while its label fades in (12 per draw); the pointer over it
// switches it to its highlighted look. A single left press picks the world:
// in quest mode the stage chooser opens, in the other modes the game starts.
#pragma once

#include <cstdint>

#include "framework/widgets/Widget.h"

namespace Framework
{
class Image;
}
class MenuHost;
class WorldSelector;

// World ids: 1 water, 2 fire, 3 earth, 4 air.
// The two-frame sphere picture of a world (left highlighted, right normal);
// null for an unknown world.
Framework::Image* WorldImage(int32_t world);
// The first quest stage id of a world (0 for an unknown world).
int32_t QuestStageBase(int32_t world);

class WorldSphere : public Framework::Widget
{
public:
    static constexpr int32_t SphereWidth = 172;
    static constexpr int32_t SphereHeight = 175;

    WorldSphere(MenuHost& host, WorldSelector* selector, int32_t world);

    int32_t world;
    Framework::Image* worldImage = nullptr;
    Framework::Image* labelImage = nullptr;
    int32_t labelX = 0;
    int32_t labelY = 0;
    int32_t centreX = 86;
    int32_t centreY = 87;
    float scale = 0.0f;
    int32_t labelAlpha = 0;
    bool normalLook = true;
    int32_t delay = 0;

    // Hidden again for startDelay updates, then growing from nothing.
    void Restart(int32_t startDelay);

    void Update() override;
    void Draw(Framework::Graphics* g) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(int32_t localX, int32_t localY, int32_t clickCount) override;

private:
    MenuHost& host;
    WorldSelector* selector;
};
