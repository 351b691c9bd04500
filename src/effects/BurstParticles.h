// BurstParticles: the spray of sparks thrown where a bubble bursts -- a
// run-once burst system on the play field's clock with exactly `count`
// sparks from the pool (fewer when the pool runs dry), thrown upwards in a
// half-circle fan and pulled down, handed to the process-wide particle
// system manager, which owns it from then on. The returned pointer lets the
// caller remove the system early (a play field that goes away removes its
// own); holding it is optional. Main thread only.
#pragma once

#include "external/lumora/Vector2.h"

#include <cstdint>
#include <memory>

namespace Lumora
{
class AbstractParticlePool;
class IClock;
class ParticleSystem;
} // namespace Lumora

std::shared_ptr<Lumora::ParticleSystem> BurstParticles(const std::shared_ptr<Lumora::IClock>& clock,
                                                       const std::shared_ptr<Lumora::AbstractParticlePool>& pool,
                                                       const Lumora::Vector2& position, std::int32_t count);
