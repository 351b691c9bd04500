// Lumora::Math: angle helpers and the library's random floats.
// Angles are radians unless the name says degrees. RangeRandom draws from one
// process-wide generator (main thread only) that starts from a fixed seed,
// so its sequence is the same in every run until SeedRandom changes it.
#pragma once

#include <cstdint>

namespace Lumora
{

class Math
{
public:
    static constexpr float PI = 3.14159265358979323846f;

    static float DegreesToRadians(float degrees) { return degrees * (PI / 180.0f); }
    static float RadiansToDegrees(float radians) { return radians * (180.0f / PI); }

    // The flag asked for a table lookup in older versions; the result is the
    // exact function either way.
    static float Sin(float radians, bool useTables = false);
    static float Cos(float radians, bool useTables = false);

    // A float between the bounds, which may come in either order.
    static float RangeRandom(float low, float high);
    // A float in [0, 1).
    static float UnitRandom();
    static void SeedRandom(std::uint64_t seed);
};

} // namespace Lumora
