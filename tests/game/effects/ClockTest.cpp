#include "src/effects/Clock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

TEST(ClockTest, AdvancesByTenMillisecondsPerWholeUpdate)
{
    Clock clock;
    EXPECT_EQ(clock.GetTime(), 0);
    clock.Advance(1.0);
    clock.Advance(1.0);
    clock.Advance(1.0);
    EXPECT_EQ(clock.GetTime(), 30);
    clock.Advance(0.25);
    EXPECT_EQ(clock.GetTime(), 32);
    clock.Advance(-5.0);
    EXPECT_EQ(clock.GetTime(), 32);
}

TEST(ClockTest, KeepsItsStepFarBeyondWhereAFloatWouldStall)
{
    Clock clock;
    // 2^28 ms: a 32-bit float's step there is 32 ms, so + 10 would be lost.
    clock.SetTime(268435456.0);
    for (int i = 0; i < 100; ++i)
    {
        clock.Advance(1.0);
    }
    EXPECT_EQ(clock.GetTime(), 268435456 + 1000);
    // And 9.3 hours in, at 2^25 ms, steps are still exact.
    clock.SetTime(33554432.0);
    clock.Advance(1.0);
    EXPECT_EQ(clock.GetTime(), 33554442);
}

TEST(ClockTest, SaturatesInsteadOfWrapping)
{
    Clock clock;
    clock.SetTime(2147483600.0);
    for (int i = 0; i < 10; ++i)
    {
        clock.Advance(1.0);
    }
    EXPECT_EQ(clock.GetTime(), std::numeric_limits<std::int32_t>::max());
    clock.SetTime(1e300);
    EXPECT_EQ(clock.GetTime(), std::numeric_limits<std::int32_t>::max());
}
