// Lumora::ParticleSystem: an emitter that takes particles from a bound pool,
// moves them on its clock and hands them back when they die.
//
// Emission: each emission takes a count drawn from [min, max] particles
// (SetParticlesMinMax) from the pool; a pool that runs dry gives fewer. A
// particle starts at the emitter position plus a random offset within
// +/- positionVariance, with the initial velocity turned by a random angle
// within +/- spreadAngle degrees and its speed scaled by a random factor
// within +/- speedVariance percent. It then accelerates by `acceleration`
// (pixels per second squared) and lives lifeTime plus up to lifeVariance
// milliseconds unless Render clears its alive flag first.
//
// The first Tick emits; a run-once system then finishes when its particles
// are gone, otherwise it emits again each time they are all gone. A duration
// above zero ends the system that many milliseconds after its first emission,
// handing back the particles still alive. A finished system holds no
// particles. Destroying a system hands its particles back too; the system
// keeps its pool alive through a shared pointer.
//
// Time comes from the clock given at construction (milliseconds); a tick with
// no clock does nothing. Randomness comes from Lumora::Math (seedable).
// Main thread only.
#pragma once

#include "external/lumora/Vector2.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Lumora
{

class AbstractParticlePool;
class IClock;
class Particle;

class ParticleSystem
{
public:
    explicit ParticleSystem(std::shared_ptr<IClock> clock);
    virtual ~ParticleSystem();

    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    void BindParticlePoolForEmitter(std::shared_ptr<AbstractParticlePool> pool);
    void SetParticlesMinMax(std::int32_t minimum, std::int32_t maximum);
    void SetRunOnce(bool once);
    bool IsRunOnce() const { return runOnce; }

    void SetPosition(const Vector2& value) { position = value; }
    const Vector2& GetPosition() const { return position; }
    void SetPositionVariance(const Vector2& value) { positionVariance = value; }
    void SetInitialVelocity(const Vector2& value) { initialVelocity = value; }
    void SetSpreadAngle(float degrees) { spreadAngle = degrees; }
    void SetSpeedVariance(float percent) { speedVariance = percent; }
    void SetAcceleration(const Vector2& value) { acceleration = value; }
    void SetLifeTime(std::int32_t milliseconds, std::int32_t variance);
    void SetDuration(std::int32_t milliseconds) { duration = milliseconds; }

    // Emits (first time), moves, ages and culls the particles.
    virtual void Tick();
    // Renders every live particle, then hands back those that died in Render.
    virtual void Render();

    bool IsFinished() const { return finished; }
    std::size_t GetLiveParticleCount() const { return particles.size(); }

protected:
    // Takes and launches one emission's particles; returns how many it got.
    virtual std::size_t Emit();
    void ReleaseAll();

private:
    void ReleaseDead();
    void Launch(Particle& particle);

    std::shared_ptr<IClock> clock;
    std::shared_ptr<AbstractParticlePool> pool;
    std::vector<std::shared_ptr<Particle>> particles;

    Vector2 position;
    Vector2 positionVariance;
    Vector2 initialVelocity;
    float spreadAngle = 0.0f;
    float speedVariance = 0.0f;
    Vector2 acceleration;
    std::int32_t lifeTime = 1000;
    std::int32_t lifeVariance = 0;
    std::int32_t duration = 0;
    std::int32_t particlesMin = 1;
    std::int32_t particlesMax = 1;
    bool runOnce = false;

    bool started = false;
    bool finished = false;
    std::int32_t startTime = 0;
    std::int32_t lastTime = 0;
};

} // namespace Lumora
