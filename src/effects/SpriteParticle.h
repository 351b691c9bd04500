// SpriteParticle: a spark that plays the cels of one image once, where the
// particle system has put it. Each Render advances the cel position by 0.1,
// so each cel shows for about ten renders; once the cel number reaches
// frameCount the particle clears its alive flag (the system then hands it
// back to its pool) and that last render draws nothing.
//
// image and graphics are borrowed: the image belongs to the resource
// manager, the context to the draw in progress (the pool hands it over
// before each render and clears it after). With no context or no image
// nothing is drawn. Main thread only.
#pragma once

#include "external/lumora/Particle.h"

#include <cstdint>

namespace Framework
{
class Graphics;
class Image;
} // namespace Framework

class SpriteParticle : public Lumora::Particle
{
public:
    void Reset() override;
    void Render() override;

    Framework::Image* image = nullptr;
    std::int32_t frameCount = 0;
    float frame = 0.0f;
    Framework::Graphics* graphics = nullptr;

    // Place in the pool that made it (-1: none); kept by the pool.
    std::int32_t poolIndex = -1;
};
