#include "external/lumora/AbstractParticlePool.h"
#include "external/lumora/BurstParticleSystem.h"
#include "external/lumora/IClock.h"
#include "external/lumora/Math.h"
#include "external/lumora/Particle.h"
#include "external/lumora/ParticleSystemManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace Lumora;

namespace
{

class StepClock : public IClock
{
public:
    std::int32_t now = 0;
    std::int32_t GetTime() override { return now; }
};

// Dies by itself after `rendersToLive` renders, like a sprite that has played
// its cels.
class CountingParticle : public Particle
{
public:
    int renders = 0;
    int rendersToLive = 1000;
    void Reset() override { renders = 0; }
    void Render() override
    {
        if (++renders >= rendersToLive)
        {
            alive = 0;
        }
    }
};

// A fixed store with free and in-use lists, as the game keeps its sparks.
class TestPool : public AbstractParticlePool
{
public:
    explicit TestPool(int size)
    {
        for (int i = 0; i < size; ++i)
        {
            auto p = std::make_shared<CountingParticle>();
            all.push_back(p);
            freeList.push_back(p);
        }
    }
    std::shared_ptr<Particle> Acquire() override
    {
        if (freeList.empty())
        {
            return nullptr;
        }
        auto p = freeList.front();
        freeList.erase(freeList.begin());
        inUse.push_back(p);
        p->Reset();
        return p;
    }
    void ReleaseParticle(std::shared_ptr<Particle> particle) override
    {
        auto it = std::find(inUse.begin(), inUse.end(), particle);
        ASSERT_NE(it, inUse.end()) << "a particle was handed back twice or was never handed out";
        inUse.erase(it);
        freeList.push_back(particle);
    }
    void SetRendersToLive(int n)
    {
        for (auto& p : all)
        {
            p->rendersToLive = n;
        }
    }
    std::vector<std::shared_ptr<CountingParticle>> all;
    std::vector<std::shared_ptr<Particle>> freeList;
    std::vector<std::shared_ptr<Particle>> inUse;
};

std::shared_ptr<BurstParticleSystem> GameBurst(const std::shared_ptr<IClock>& clock, Vector2 at, int count,
                                               const std::shared_ptr<AbstractParticlePool>& pool)
{
    auto system = std::make_shared<BurstParticleSystem>(clock, Vector2(0, -300), 3000, at, Vector2(0, 0), 90, 30,
                                                        Vector2(20, 300), 2000, 0, 16, 2);
    system->SetParticlesMinMax(count, count);
    system->SetRunOnce(true);
    system->BindParticlePoolForEmitter(pool);
    return system;
}

class ParticleSystemTest : public ::testing::Test
{
protected:
    void SetUp() override { Math::SeedRandom(7); }
    void TearDown() override { ParticleSystemManager::Release(); }

    std::shared_ptr<StepClock> clock = std::make_shared<StepClock>();
    std::shared_ptr<TestPool> pool = std::make_shared<TestPool>(20);
};

} // namespace

TEST_F(ParticleSystemTest, BurstThrowsSparksUpwardsAndHandsThemBackWhenTheyDie)
{
    pool->SetRendersToLive(3);
    auto* manager = ParticleSystemManager::Instance();
    manager->AddParticleSystem(GameBurst(clock, Vector2(100, 200), 5, pool));

    manager->Tick();
    ASSERT_EQ(pool->inUse.size(), 5u);
    for (auto& p : pool->inUse)
    {
        EXPECT_NE(p->alive, 0);
        EXPECT_EQ(p->position, Vector2(100, 200));
    }

    clock->now = 100;
    manager->Tick();
    for (auto& p : pool->inUse)
    {
        EXPECT_LT(p->position.y, 200.0f) << "sparks fly up first";
        EXPECT_NE(p->position, Vector2(100, 200));
    }

    manager->RenderAllParticleEffects();
    manager->RenderAllParticleEffects();
    EXPECT_EQ(pool->inUse.size(), 5u);
    manager->RenderAllParticleEffects(); // the third render ends each spark
    EXPECT_EQ(pool->inUse.size(), 0u);
    EXPECT_EQ(pool->freeList.size(), 20u);

    manager->Tick(); // run once and empty: the manager disposes of it
    EXPECT_EQ(manager->GetParticleSystemCount(), 0u);
}

TEST_F(ParticleSystemTest, MotionFollowsVelocityAndAccelerationWhateverTheStep)
{
    auto straight = [&](int steps)
    {
        auto system = std::make_shared<BurstParticleSystem>(clock, Vector2(0, -300), 0, Vector2(10, 10), Vector2(0, 0),
                                                            0, 0, Vector2(0, 300), 5000, 0, 1, 1);
        system->BindParticlePoolForEmitter(pool);
        clock->now = 0;
        system->Tick();
        for (int i = 1; i <= steps; ++i)
        {
            clock->now = 1000 * i / steps;
            system->Tick();
        }
        return pool->inUse.front()->position;
    };
    // After one second: 10 - 300 + 300 / 2.
    EXPECT_EQ(straight(1), Vector2(10, -140));
    ParticleSystemManager::Release();
    pool = std::make_shared<TestPool>(20);
    const Vector2 fine = straight(100);
    EXPECT_FLOAT_EQ(fine.x, 10.0f);
    EXPECT_NEAR(fine.y, -140.0f, 0.01f);
}

TEST_F(ParticleSystemTest, LibraryEndsParticlesAtTheirLifeTimeAndTheSystemAtItsDuration)
{
    auto system = GameBurst(clock, Vector2(0, 0), 4, pool);
    system->Tick();
    clock->now = 1999;
    system->Tick();
    EXPECT_EQ(pool->inUse.size(), 4u);
    clock->now = 2000;
    system->Tick();
    EXPECT_EQ(pool->inUse.size(), 0u);
    EXPECT_TRUE(system->IsFinished());

    auto longLived = std::make_shared<BurstParticleSystem>(clock, Vector2(0, -300), 500, Vector2(0, 0), Vector2(0, 0),
                                                           90, 30, Vector2(20, 300), 2000, 0, 3, 3);
    longLived->BindParticlePoolForEmitter(pool);
    longLived->Tick();
    clock->now = 2500;
    longLived->Tick();
    EXPECT_TRUE(longLived->IsFinished());
    EXPECT_EQ(pool->inUse.size(), 0u);
}

TEST_F(ParticleSystemTest, DryPoolGivesFewerSparksAndReleaseGivesEveryParticleBack)
{
    auto* manager = ParticleSystemManager::Instance();
    manager->AddParticleSystem(GameBurst(clock, Vector2(0, 0), 15, pool));
    manager->AddParticleSystem(GameBurst(clock, Vector2(0, 0), 15, pool));
    manager->Tick();
    EXPECT_EQ(pool->inUse.size(), 20u);
    EXPECT_EQ(manager->GetParticleSystemCount(), 2u);

    ParticleSystemManager::Release();
    EXPECT_EQ(pool->inUse.size(), 0u);
    EXPECT_EQ(ParticleSystemManager::Instance()->GetParticleSystemCount(), 0u);
}

TEST_F(ParticleSystemTest, RepeatingSystemBurstsAgainWhenItsParticlesAreGone)
{
    pool->SetRendersToLive(1);
    auto system = GameBurst(clock, Vector2(0, 0), 2, pool);
    system->SetRunOnce(false);
    system->Tick();
    system->Render();
    EXPECT_EQ(pool->inUse.size(), 0u);
    clock->now = 10;
    system->Tick();
    EXPECT_EQ(pool->inUse.size(), 2u);
    EXPECT_FALSE(system->IsFinished());
}

TEST_F(ParticleSystemTest, CountIsDrawnFromTheMinMaxRange)
{
    std::vector<bool> seen(6, false);
    for (int i = 0; i < 200; ++i)
    {
        auto system = GameBurst(clock, Vector2(0, 0), 0, pool);
        system->SetParticlesMinMax(2, 5);
        system->Tick();
        const auto n = system->GetLiveParticleCount();
        ASSERT_GE(n, 2u);
        ASSERT_LE(n, 5u);
        seen[n] = true;
    }
    EXPECT_TRUE(seen[2] && seen[3] && seen[4] && seen[5]);
}
