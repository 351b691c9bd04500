#include "src/effects/SpriteParticlePool.h"

SpriteParticlePool::SpriteParticlePool()
{
    for (std::size_t i = 0; i < SIZE; ++i)
    {
        particles[i] = std::make_shared<SpriteParticle>();
        particles[i]->poolIndex = static_cast<std::int32_t>(i);
        nodes[i] = freeList.insert(freeList.end(), particles[i]);
    }
}

SpriteParticlePool::~SpriteParticlePool() = default;

std::shared_ptr<Lumora::Particle> SpriteParticlePool::Acquire()
{
    if (freeList.empty())
    {
        return {};
    }
    const List::iterator node = freeList.begin();
    inUseList.splice(inUseList.end(), freeList, node);
    SpriteParticle& particle = **node;
    inUse[static_cast<std::size_t>(particle.poolIndex)] = true;
    particle.Reset();
    return *node;
}

void SpriteParticlePool::ReleaseParticle(std::shared_ptr<Lumora::Particle> particle)
{
    const auto* sprite = dynamic_cast<const SpriteParticle*>(particle.get());
    if (sprite == nullptr || sprite->poolIndex < 0 || static_cast<std::size_t>(sprite->poolIndex) >= SIZE)
    {
        return;
    }
    const auto index = static_cast<std::size_t>(sprite->poolIndex);
    if (particles[index].get() != sprite || !inUse[index])
    {
        return;
    }
    freeList.splice(freeList.end(), inUseList, nodes[index]);
    inUse[index] = false;
}

void SpriteParticlePool::SetImageAll(Framework::Image* image, std::int32_t frameCount)
{
    for (const auto& particle : particles)
    {
        particle->image = image;
        particle->frameCount = frameCount;
    }
}

void SpriteParticlePool::SetGraphicsAll(Framework::Graphics* graphics)
{
    for (const auto& particle : particles)
    {
        particle->graphics = graphics;
    }
}
