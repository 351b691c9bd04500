#include "external/lumora/BurstParticleSystem.h"

#include <utility>

namespace Lumora
{

// Parameter names differ from the base's fields to keep -Wshadow quiet.
BurstParticleSystem::BurstParticleSystem(std::shared_ptr<IClock> timeSource, const Vector2& startVelocity,
                                         std::int32_t runTime, const Vector2& origin, const Vector2& originVariance,
                                         float spread, float speedPercent, const Vector2& accel, std::int32_t life,
                                         std::int32_t lifeExtra, std::int32_t countMax, std::int32_t countMin)
    : ParticleSystem(std::move(timeSource))
{
    SetInitialVelocity(startVelocity);
    SetDuration(runTime);
    SetPosition(origin);
    SetPositionVariance(originVariance);
    SetSpreadAngle(spread);
    SetSpeedVariance(speedPercent);
    SetAcceleration(accel);
    SetLifeTime(life, lifeExtra);
    SetParticlesMinMax(countMin, countMax);
}

} // namespace Lumora
