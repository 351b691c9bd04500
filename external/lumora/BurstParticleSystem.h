// Lumora::BurstParticleSystem: a particle system that emits all of an
// emission's particles at once (see ParticleSystem.h for the motion model).
// The constructor takes the whole set of motion values in one go:
//   clock            time source, milliseconds
//   initialVelocity  pixels per second (the centre of the fan)
//   duration         milliseconds from the first burst until the system ends
//                    (0: no limit)
//   position         emitter position, pixels
//   positionVariance +/- offset of each particle from the position, pixels
//   spreadAngle      +/- degrees the initial velocity is turned by
//   speedVariance    +/- percent the initial speed is scaled by
//   acceleration     pixels per second squared (gravity, wind)
//   lifeTime         milliseconds a particle lives at most
//   lifeVariance     up to this many milliseconds more
//   particlesMax     most particles per burst
//   particlesMin     fewest particles per burst
// For example (clock, (0, -300), 3000, p, (0, 0), 90, 30, (20, 300), 2000, 0,
// 16, 2) throws 2 to 16 sparks from p into the upper half plane at 210 to
// 390 px/s, pulled down at 300 px/s^2 with a light drift to the right.
#pragma once

#include "external/lumora/ParticleSystem.h"

namespace Lumora
{

class BurstParticleSystem : public ParticleSystem
{
public:
    BurstParticleSystem(std::shared_ptr<IClock> clock, const Vector2& initialVelocity, std::int32_t duration,
                        const Vector2& position, const Vector2& positionVariance, float spreadAngle,
                        float speedVariance, const Vector2& acceleration, std::int32_t lifeTime,
                        std::int32_t lifeVariance, std::int32_t particlesMax, std::int32_t particlesMin);
};

} // namespace Lumora
