#include "src/effects/BurstParticles.h"

#include "external/lumora/BurstParticleSystem.h"
#include "external/lumora/ParticleSystemManager.h"

std::shared_ptr<Lumora::ParticleSystem> BurstParticles(const std::shared_ptr<Lumora::IClock>& clock,
                                                       const std::shared_ptr<Lumora::AbstractParticlePool>& pool,
                                                       const Lumora::Vector2& position, std::int32_t count)
{
    auto system = std::make_shared<Lumora::BurstParticleSystem>(clock, Lumora::Vector2(0.0f, -300.0f), 3000, position,
                                                                Lumora::Vector2(0.0f, 0.0f), 90.0f, 30.0f,
                                                                Lumora::Vector2(20.0f, 300.0f), 2000, 0, 16, 2);
    system->SetParticlesMinMax(count, count);
    system->SetRunOnce(true);
    system->BindParticlePoolForEmitter(pool);
    Lumora::ParticleSystemManager::Instance()->AddParticleSystem(system);
    return system;
}
