// SpriteParticlePool: the fixed store of the play field's sparks. It makes
// its 600 SpriteParticles at construction and keeps them, each through a
// shared pointer, in a fixed array for its whole life; nothing is allocated
// afterwards. Two ordered lists hold them: free (at first all 600 in
// creation order) and in use. Acquire moves the first free particle to the
// end of the in-use list and resets it (empty pointer when none is free);
// ReleaseParticle moves a particle of this pool that is in use to the end of
// the free list and ignores anything else. Moving is a splice of list nodes
// made at construction.
//
// SetGraphicsAll hands the particles the context of the draw in progress;
// ClearGraphics takes it back after the render, so no particle keeps a
// context beyond its draw. Main thread only.
#pragma once

#include "external/lumora/AbstractParticlePool.h"
#include "src/effects/SpriteParticle.h"

#include <array>
#include <cstddef>
#include <list>
#include <memory>

class SpriteParticlePool : public Lumora::AbstractParticlePool
{
public:
    static constexpr std::size_t SIZE = 600;

    SpriteParticlePool();
    ~SpriteParticlePool() override;

    SpriteParticlePool(const SpriteParticlePool&) = delete;
    SpriteParticlePool& operator=(const SpriteParticlePool&) = delete;

    std::shared_ptr<Lumora::Particle> Acquire() override;
    void ReleaseParticle(std::shared_ptr<Lumora::Particle> particle) override;

    void SetImageAll(Framework::Image* image, std::int32_t frameCount);
    void SetGraphicsAll(Framework::Graphics* graphics);
    void ClearGraphics() { SetGraphicsAll(nullptr); }

    std::size_t FreeCount() const { return freeList.size(); }
    std::size_t InUseCount() const { return inUseList.size(); }
    const std::list<std::shared_ptr<SpriteParticle>>& FreeList() const { return freeList; }
    const std::list<std::shared_ptr<SpriteParticle>>& InUseList() const { return inUseList; }
    const std::shared_ptr<SpriteParticle>& ParticleAt(std::size_t index) const { return particles[index]; }

private:
    using List = std::list<std::shared_ptr<SpriteParticle>>;

    std::array<std::shared_ptr<SpriteParticle>, SIZE> particles;
    List freeList;
    List inUseList;
    // Each particle's node in whichever list holds it.
    std::array<List::iterator, SIZE> nodes;
    std::array<bool, SIZE> inUse{};
};
