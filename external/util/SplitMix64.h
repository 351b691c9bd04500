// Util::SplitMix64: a tiny 64-bit generator (Steele, Lea and Flood's
// SplitMix64). Any seed, zero included, gives a full-period sequence; the
// same seed always gives the same sequence on every platform. Not for
// cryptography. Not thread-safe: one generator per thread.
#pragma once

#include <cstdint>

namespace Util
{

class SplitMix64
{
public:
    explicit constexpr SplitMix64(std::uint64_t seed) : state(seed) {}

    constexpr std::uint64_t Next()
    {
        state += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // An integer in [0, bound) without modulo bias; 0 when bound is 0.
    constexpr std::uint32_t Below(std::uint32_t bound)
    {
        if (bound == 0)
        {
            return 0;
        }
        // Lemire's multiply-and-shift with rejection of the biased low band.
        const std::uint32_t threshold = static_cast<std::uint32_t>(-bound) % bound;
        for (;;)
        {
            const std::uint64_t product = (Next() >> 32) * bound;
            if (static_cast<std::uint32_t>(product) >= threshold)
            {
                return static_cast<std::uint32_t>(product >> 32);
            }
        }
    }

private:
    std::uint64_t state;
};

} // namespace Util
