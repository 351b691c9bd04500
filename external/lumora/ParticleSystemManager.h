// Lumora::ParticleSystemManager: the process-wide owner of particle systems.
//
// Instance() creates the manager on first use and returns a plain pointer
// that stays valid until Release(), which destroys the manager and every
// system it owns (their particles go back to their pools); the next
// Instance() creates an empty manager.
//
// AddParticleSystem takes shared ownership of the system: the caller may drop
// its own pointer at once. Tick ticks every system in the order they were
// added and disposes of the systems that have finished. Main thread only; a
// system's particles must not reach back into the manager.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace Lumora
{

class ParticleSystem;

class ParticleSystemManager
{
public:
    static ParticleSystemManager* Instance();
    static void Release();

    ParticleSystemManager();
    ~ParticleSystemManager();

    ParticleSystemManager(const ParticleSystemManager&) = delete;
    ParticleSystemManager& operator=(const ParticleSystemManager&) = delete;

    void AddParticleSystem(std::shared_ptr<ParticleSystem> system);
    void RemoveParticleSystem(const std::shared_ptr<ParticleSystem>& system);
    void RemoveAllParticleSystems();
    void Tick();
    void RenderAllParticleEffects();
    std::size_t GetParticleSystemCount() const { return systems.size(); }

private:
    std::vector<std::shared_ptr<ParticleSystem>> systems;
};

} // namespace Lumora
