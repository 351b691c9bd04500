#include "external/lumora/Math.h"

#include "external/util/SplitMix64.h"

#include <cmath>

namespace Lumora
{

namespace
{

Util::SplitMix64& Generator()
{
    static Util::SplitMix64 generator(0x5eed1u);
    return generator;
}

} // namespace

float Math::Sin(float radians, bool)
{
    return std::sin(radians);
}

float Math::Cos(float radians, bool)
{
    return std::cos(radians);
}

float Math::UnitRandom()
{
    // 24 random bits fill a float's mantissa exactly, so the result is < 1.
    return static_cast<float>(Generator().Next() >> 40) * (1.0f / 16777216.0f);
}

float Math::RangeRandom(float low, float high)
{
    return low + (high - low) * UnitRandom();
}

void Math::SeedRandom(std::uint64_t seed)
{
    Generator() = Util::SplitMix64(seed);
}

} // namespace Lumora
