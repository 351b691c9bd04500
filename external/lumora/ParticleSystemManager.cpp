#include "external/lumora/ParticleSystemManager.h"

#include "external/lumora/ParticleSystem.h"

#include <algorithm>

namespace Lumora
{

namespace
{

std::unique_ptr<ParticleSystemManager>& ParticleSystemManagerSlot()
{
    static std::unique_ptr<ParticleSystemManager> instance;
    return instance;
}

} // namespace

ParticleSystemManager* ParticleSystemManager::Instance()
{
    auto& slot = ParticleSystemManagerSlot();
    if (!slot)
    {
        slot = std::make_unique<ParticleSystemManager>();
    }
    return slot.get();
}

void ParticleSystemManager::Release()
{
    ParticleSystemManagerSlot().reset();
}

ParticleSystemManager::ParticleSystemManager() = default;

ParticleSystemManager::~ParticleSystemManager() = default;

void ParticleSystemManager::AddParticleSystem(std::shared_ptr<ParticleSystem> system)
{
    if (system && std::find(systems.begin(), systems.end(), system) == systems.end())
    {
        systems.push_back(std::move(system));
    }
}

void ParticleSystemManager::RemoveParticleSystem(const std::shared_ptr<ParticleSystem>& system)
{
    systems.erase(std::remove(systems.begin(), systems.end(), system), systems.end());
}

void ParticleSystemManager::RemoveAllParticleSystems()
{
    systems.clear();
}

void ParticleSystemManager::Tick()
{
    for (const auto& system : systems)
    {
        system->Tick();
    }
    systems.erase(std::remove_if(systems.begin(), systems.end(), [](const auto& s) { return s->IsFinished(); }),
                  systems.end());
}

void ParticleSystemManager::RenderAllParticleEffects()
{
    for (const auto& system : systems)
    {
        system->Render();
    }
}

} // namespace Lumora
