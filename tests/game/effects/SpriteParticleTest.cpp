#include "external/lumora/ParticleSystem.h"
#include "external/lumora/ParticleSystemManager.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "src/effects/BurstParticles.h"
#include "src/effects/Clock.h"
#include "src/effects/SpriteParticle.h"
#include "src/effects/SpriteParticlePool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <list>
#include <memory>
#include <set>
#include <vector>

namespace
{

// An image of `cels` cels of 2 x 2 pixels side by side, cel n in colour n + 1.
std::unique_ptr<Framework::MemoryImage> MakeStrip(int32_t cels)
{
    auto image = std::make_unique<Framework::MemoryImage>();
    std::vector<uint32_t> pixels(static_cast<size_t>(cels) * 4);
    for (int32_t y = 0; y < 2; ++y)
    {
        for (int32_t x = 0; x < cels * 2; ++x)
        {
            pixels[static_cast<size_t>(y * cels * 2 + x)] = 0xFF000000u | uint32_t(x / 2 + 1);
        }
    }
    image->SetPixels(pixels.data(), cels * 2, 2, true);
    image->columns = cels;
    return image;
}

std::vector<SpriteParticle*> Snapshot(const std::list<std::shared_ptr<SpriteParticle>>& list)
{
    std::vector<SpriteParticle*> out;
    for (const auto& p : list)
    {
        out.push_back(p.get());
    }
    return out;
}

class ParticleManagerTest : public ::testing::Test
{
protected:
    void TearDown() override { Lumora::ParticleSystemManager::Release(); }
};

} // namespace

TEST(SpriteParticleTest, EightCelSparkPlaysEachCelThenDiesOnItsEightyFirstRender)
{
    auto strip = MakeStrip(8);
    Framework::MemoryImage screen;
    std::vector<uint32_t> blank(100, 0);
    screen.SetPixels(blank.data(), 10, 10, true);
    Framework::Graphics g(&screen);

    SpriteParticle spark;
    spark.image = strip.get();
    spark.frameCount = 8;
    spark.graphics = &g;
    spark.alive = 1;
    spark.position = {3.9f, 4.2f};
    spark.Reset();

    std::set<uint32_t> seen;
    for (int render = 1; render <= 80; ++render)
    {
        spark.Render();
        ASSERT_NE(spark.alive, 0) << "render " << render;
        seen.insert(screen.GetPixel(3, 4));
    }
    spark.Render();
    EXPECT_EQ(spark.alive, 0);
    EXPECT_EQ(spark.frame, 8.0f);
    // Every cel 0 to 7 reached the screen, nothing past the strip.
    for (uint32_t cel = 0; cel <= 7; ++cel)
    {
        EXPECT_TRUE(seen.count(0xFF000000u | (cel + 1))) << "cel " << cel;
    }
    EXPECT_FALSE(seen.count(0xFF000000u | 9u));
}


TEST(SpriteParticlePoolTest, ListsMoveParticlesAndNeverGrow)
{
    SpriteParticlePool pool;
    ASSERT_EQ(pool.FreeCount(), 600u);
    ASSERT_EQ(pool.InUseCount(), 0u);
    EXPECT_EQ(pool.FreeList().front().get(), pool.ParticleAt(0).get());
    EXPECT_EQ(pool.FreeList().back().get(), pool.ParticleAt(599).get());

    // Acquire, release, acquire: the released one went to the end of the free list.
    auto first = pool.Acquire();
    ASSERT_TRUE(first);
    EXPECT_EQ(first.get(), pool.ParticleAt(0).get());
    pool.ReleaseParticle(first);
    EXPECT_EQ(pool.FreeList().back().get(), first.get());
    auto second = pool.Acquire();
    EXPECT_NE(second.get(), first.get());
    EXPECT_EQ(second.get(), pool.ParticleAt(1).get());

    // Releasing a free particle, or one of another pool, changes nothing.
    SpriteParticlePool other;
    const auto freeBefore = Snapshot(pool.FreeList());
    const auto usedBefore = Snapshot(pool.InUseList());
    pool.ReleaseParticle(first);
    pool.ReleaseParticle(other.ParticleAt(5));
    pool.ReleaseParticle(std::make_shared<SpriteParticle>());
    pool.ReleaseParticle(nullptr);
    EXPECT_EQ(Snapshot(pool.FreeList()), freeBefore);
    EXPECT_EQ(Snapshot(pool.InUseList()), usedBefore);

    // Exhausted at 600: an empty pointer and both lists unchanged.
    std::vector<std::shared_ptr<Lumora::Particle>> held{second};
    while (auto p = pool.Acquire())
    {
        held.push_back(p);
    }
    EXPECT_EQ(held.size(), 600u);
    const auto usedFull = Snapshot(pool.InUseList());
    EXPECT_FALSE(pool.Acquire());
    EXPECT_EQ(pool.FreeCount(), 0u);
    EXPECT_EQ(Snapshot(pool.InUseList()), usedFull);
    std::set<Lumora::Particle*> distinct;
    for (const auto& p : held)
    {
        distinct.insert(p.get());
    }
    EXPECT_EQ(distinct.size(), 600u);
}


TEST_F(ParticleManagerTest, BurstTakesExactlyItsCountAndGivesThemBack)
{
    auto clock = std::make_shared<Clock>();
    auto pool = std::make_shared<SpriteParticlePool>();
    auto strip = MakeStrip(8);
    pool->SetImageAll(strip.get(), 8);
    auto* manager = Lumora::ParticleSystemManager::Instance();

    auto system = BurstParticles(clock, pool, {100.0f, 200.0f}, 5);
    ASSERT_TRUE(system);
    EXPECT_TRUE(system->IsRunOnce());
    EXPECT_EQ(manager->GetParticleSystemCount(), 1u);
    clock->Advance(1.0);
    manager->Tick();
    EXPECT_EQ(pool->InUseCount(), 5u);
    EXPECT_EQ(system->GetLiveParticleCount(), 5u);

    // Rendering plays the sparks out; afterwards every one is free again and
    // the finished system is disposed of.
    for (int frame = 0; frame < 100 && manager->GetParticleSystemCount() > 0; ++frame)
    {
        clock->Advance(1.0);
        manager->Tick();
        manager->RenderAllParticleEffects();
    }
    EXPECT_EQ(pool->InUseCount(), 0u);
    EXPECT_EQ(pool->FreeCount(), 600u);
    EXPECT_EQ(manager->GetParticleSystemCount(), 0u);
}

