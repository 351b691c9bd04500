#include "src/play/PlaySeed.h"

#include "external/lumora/Math.h"
#include "external/util/RandomUtil.h"
#include "external/util/RuntimeRandom.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

TEST(PlaySeedTest, OnlyPlainDecimalNumbersAreSeeds)
{
    EXPECT_EQ(PlaySeed::Parse("0"), 0u);
    EXPECT_EQ(PlaySeed::Parse("42"), 42u);
    EXPECT_EQ(PlaySeed::Parse("18446744073709551615"), 18446744073709551615u);
    for (const char* bad : {"", "-1", " 7", "7 ", "0x10", "12a", "18446744073709551616"})
    {
        EXPECT_FALSE(PlaySeed::Parse(bad)) << bad;
    }
    EXPECT_FALSE(PlaySeed::Parse(nullptr));
}

TEST(PlaySeedTest, TheEnvironmentFixesTheSeedAndTheClockVariesIt)
{
    setenv("FROTHWICK_SEED", "31337", 1);
    EXPECT_EQ(PlaySeed::Choose(), 31337u);
    unsetenv("FROTHWICK_SEED");
    // Microseconds since 1970: far from the 0 a steady clock's first read gives.
    const std::uint64_t a = PlaySeed::Choose();
    EXPECT_GT(a, 1'600'000'000'000'000u);
}

TEST(PlaySeedTest, OneSeedFixesEveryGenerator)
{
    const auto draw = []
    {
        std::vector<std::int64_t> out;
        out.push_back(RuntimeRandom::Global().Next());
        out.push_back(RuntimeRandom::Drawing().Next());
        RandomUtil random;
        out.push_back(random.Next(0, 1 << 30));
        out.push_back(static_cast<std::int64_t>(Lumora::Math::RangeRandom(0.0f, 1e6f)));
        return out;
    };
    PlaySeed::SeedAll(5);
    const auto first = draw();
    PlaySeed::SeedAll(5);
    EXPECT_EQ(draw(), first);
    PlaySeed::SeedAll(6);
    const auto other = draw();
    for (size_t i = 0; i < first.size(); ++i)
    {
        EXPECT_NE(other[i], first[i]) << "generator " << i;
    }
}
