// RandomUtil: a source of random integers, created where numbers are needed
// and dropped after use.
//
// Each default construction takes the next seed of a process-wide seed
// sequence, so successive RandomUtil objects give independent numbers. The
// sequence starts from a seed taken from the system's entropy source unless
// SeedAll fixes it: after SeedAll(s) the objects constructed from then on
// produce the same numbers in every run, which tests and recorded games use.
// RandomUtil(seed) ignores the sequence. Construction is thread-safe; one
// object is used from one thread.
#pragma once

#include "external/util/SplitMix64.h"

#include <cstdint>

class RandomUtil
{
public:
    RandomUtil();
    explicit RandomUtil(std::uint64_t seed);

    // An integer r with low <= r < high; low itself when high <= low.
    std::int32_t Next(std::int32_t low, std::int32_t high);

    // Restarts the process-wide seed sequence at `seed`.
    static void SeedAll(std::uint64_t seed);

private:
    Util::SplitMix64 generator;
};
