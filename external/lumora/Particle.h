// Lumora::Particle: one particle of a particle system; the user derives the
// drawing. The library owns the state fields below while the particle is in
// a system: it sets them when it emits the particle and moves it each tick.
// Render may clear `alive` to end the particle; the system then hands it back
// to its pool.
#pragma once

#include "external/lumora/Vector2.h"

#include <cstdint>

namespace Lumora
{

class Particle
{
public:
    virtual ~Particle() = default;

    // Prepares the particle for a new life (the pool calls it on Acquire).
    virtual void Reset() = 0;
    // Draws the particle where the library has put it.
    virtual void Render() = 0;

    std::int32_t alive = 0;    // non-zero while the particle lives
    Vector2 position;          // pixels, top-left of what Render draws
    Vector2 velocity;          // pixels per second
    std::int32_t age = 0;      // milliseconds since emission
    std::int32_t lifeTime = 0; // milliseconds; the system ends the particle at this age
};

} // namespace Lumora
