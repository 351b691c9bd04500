#include "external/util/RandomUtil.h"
#include "external/util/RuntimeRandom.h"
#include "external/util/SplitMix64.h"

#include <gtest/gtest.h>

#include <vector>

TEST(RandomTest, RuntimeRandomMatchesTheClassicRuntimeSequence)
{
    // The first numbers of the classic 15-bit runtime generator after a seed
    // of 1, as every program that printed rand() on that runtime showed.
    RuntimeRandom generator(1);
    const std::vector<int> expected{41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected)
    {
        EXPECT_EQ(generator.Next(), value);
    }
    generator.Seed(1);
    EXPECT_EQ(generator.Next(), 41);
}

TEST(RandomTest, SplitMix64MatchesTheReferenceOutput)
{
    Util::SplitMix64 generator(0);
    EXPECT_EQ(generator.Next(), 0xE220A8397B1DCDAFull);
    EXPECT_EQ(generator.Next(), 0x6E789E6AA1B965F4ull);
    EXPECT_EQ(generator.Next(), 0x06C45D188009454Full);
}

TEST(RandomTest, NextExcludesTheUpperBoundAndReachesEveryValue)
{
    RandomUtil random(12345);
    std::vector<int> seen(5, 0);
    for (int i = 0; i < 2000; ++i)
    {
        const int r = random.Next(1, 5);
        ASSERT_GE(r, 1);
        ASSERT_LT(r, 5);
        ++seen[r];
    }
    for (int v = 1; v < 5; ++v)
    {
        EXPECT_GT(seen[v], 400) << v;
    }
    EXPECT_EQ(random.Next(0, 1), 0);
    EXPECT_EQ(random.Next(3, 3), 3);
    EXPECT_EQ(random.Next(7, 2), 7);
    const int wide = random.Next(INT32_MIN, INT32_MAX);
    EXPECT_LT(wide, INT32_MAX);
}

TEST(RandomTest, SeededSequenceGivesIndependentObjectsAndRepeats)
{
    auto draw = [](RandomUtil& r)
    {
        std::vector<int> v;
        for (int i = 0; i < 16; ++i)
        {
            v.push_back(r.Next(0, 1000000));
        }
        return v;
    };
    RandomUtil::SeedAll(99);
    RandomUtil a;
    RandomUtil b;
    const auto first = draw(a);
    const auto second = draw(b);
    EXPECT_NE(first, second);

    RandomUtil::SeedAll(99);
    RandomUtil again;
    EXPECT_EQ(draw(again), first);

    // Pinned: recorded games and seeded tests elsewhere depend on these.
    RandomUtil fixed(5);
    const std::vector<int> golden{386768, 752307, 232709, 99339, 187960, 380608, 985563, 511101};
    for (int value : golden)
    {
        EXPECT_EQ(fixed.Next(0, 1000000), value);
    }
}
