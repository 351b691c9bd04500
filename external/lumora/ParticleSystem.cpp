#include "external/lumora/ParticleSystem.h"

#include "external/lumora/AbstractParticlePool.h"
#include "external/lumora/IClock.h"
#include "external/lumora/Math.h"
#include "external/lumora/Particle.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Lumora
{

ParticleSystem::ParticleSystem(std::shared_ptr<IClock> systemClock) : clock(std::move(systemClock)) {}

ParticleSystem::~ParticleSystem()
{
    ReleaseAll();
}

void ParticleSystem::BindParticlePoolForEmitter(std::shared_ptr<AbstractParticlePool> newPool)
{
    // Particles belong to the pool they came from.
    ReleaseAll();
    pool = std::move(newPool);
}

void ParticleSystem::SetParticlesMinMax(std::int32_t minimum, std::int32_t maximum)
{
    particlesMin = std::max(minimum, 0);
    particlesMax = std::max(maximum, particlesMin);
}

void ParticleSystem::SetRunOnce(bool once)
{
    runOnce = once;
}

void ParticleSystem::SetLifeTime(std::int32_t milliseconds, std::int32_t variance)
{
    lifeTime = std::max(milliseconds, 0);
    lifeVariance = std::max(variance, 0);
}

void ParticleSystem::Tick()
{
    if (finished || !clock)
    {
        return;
    }
    const std::int32_t now = clock->GetTime();
    if (!started)
    {
        started = true;
        startTime = now;
        lastTime = now;
        if (Emit() == 0 && runOnce)
        {
            finished = true;
        }
        return;
    }

    // A clock that stepped back moves nothing.
    const std::int32_t elapsed = std::max(now - lastTime, 0);
    lastTime = now;
    const float seconds = static_cast<float>(elapsed) / 1000.0f;
    for (const auto& particle : particles)
    {
        particle->age += elapsed;
        if (particle->age >= particle->lifeTime)
        {
            particle->alive = 0;
            continue;
        }
        // Exact for constant acceleration, whatever the step.
        particle->position += particle->velocity * seconds + acceleration * (0.5f * seconds * seconds);
        particle->velocity += acceleration * seconds;
    }
    ReleaseDead();

    if (duration > 0 && now - startTime >= duration)
    {
        ReleaseAll();
        finished = true;
    }
    else if (particles.empty())
    {
        if (runOnce || Emit() == 0)
        {
            // A repeating system whose pool is dry waits for the next tick.
            finished = runOnce;
        }
    }
}

void ParticleSystem::Render()
{
    // Render may not add or remove particles of this system, but a particle's
    // Render could reach other code: iterate over a snapshot.
    const auto snapshot = particles;
    for (const auto& particle : snapshot)
    {
        if (particle->alive != 0)
        {
            particle->Render();
        }
    }
    ReleaseDead();
}

std::size_t ParticleSystem::Emit()
{
    if (!pool)
    {
        return 0;
    }
    std::int32_t count = particlesMin;
    if (particlesMax > particlesMin)
    {
        const float pick = Math::RangeRandom(0.0f, static_cast<float>(particlesMax - particlesMin + 1));
        count += std::min(static_cast<std::int32_t>(pick), particlesMax - particlesMin);
    }
    std::size_t emitted = 0;
    for (std::int32_t i = 0; i < count; ++i)
    {
        auto particle = pool->Acquire();
        if (!particle)
        {
            break;
        }
        Launch(*particle);
        particles.push_back(std::move(particle));
        ++emitted;
    }
    return emitted;
}

void ParticleSystem::Launch(Particle& particle)
{
    particle.alive = 1;
    particle.age = 0;
    particle.position = position + Vector2(Math::RangeRandom(-positionVariance.x, positionVariance.x),
                                           Math::RangeRandom(-positionVariance.y, positionVariance.y));
    const float turn = Math::DegreesToRadians(Math::RangeRandom(-spreadAngle, spreadAngle));
    const float scale = 1.0f + Math::RangeRandom(-speedVariance, speedVariance) / 100.0f;
    const float c = Math::Cos(turn);
    const float s = Math::Sin(turn);
    particle.velocity =
        Vector2(initialVelocity.x * c - initialVelocity.y * s, initialVelocity.x * s + initialVelocity.y * c) * scale;
    particle.lifeTime = lifeTime + static_cast<std::int32_t>(Math::RangeRandom(0.0f, static_cast<float>(lifeVariance)));
}

void ParticleSystem::ReleaseDead()
{
    auto firstDead =
        std::stable_partition(particles.begin(), particles.end(), [](const auto& p) { return p->alive != 0; });
    std::vector<std::shared_ptr<Particle>> dead(std::make_move_iterator(firstDead),
                                                std::make_move_iterator(particles.end()));
    particles.erase(firstDead, particles.end());
    for (auto& particle : dead)
    {
        pool->ReleaseParticle(std::move(particle));
    }
}

void ParticleSystem::ReleaseAll()
{
    auto all = std::move(particles);
    particles.clear();
    for (auto& particle : all)
    {
        particle->alive = 0;
        pool->ReleaseParticle(std::move(particle));
    }
}

} // namespace Lumora
