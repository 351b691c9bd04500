// Lumora::AbstractParticlePool: where particle systems take their particles
// from and give them back. The user implements it; a pool may hold a fixed
// number of particles and return an empty pointer when none is free.
#pragma once

#include <memory>

namespace Lumora
{

class Particle;

class AbstractParticlePool
{
public:
    virtual ~AbstractParticlePool() = default;

    // A free particle, reset for a new life, or empty when none is free.
    virtual std::shared_ptr<Particle> Acquire() = 0;
    // Gives back a particle that Acquire handed out.
    virtual void ReleaseParticle(std::shared_ptr<Particle> particle) = 0;
};

} // namespace Lumora
