// Deterministic white noise: a 32-bit xorshift generator, so that the same
// seed always gives the same samples on every machine. Values lie in [-1, 1).
#pragma once

#include <cstdint>

namespace AudioGen
{

class NoiseSource
{
public:
    explicit NoiseSource(std::uint32_t seed = 0x9E3779B9u) : state(seed != 0 ? seed : 0x9E3779B9u) {}

    std::uint32_t NextBits()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }

    float Next() { return static_cast<float>(static_cast<double>(NextBits()) * (2.0 / 4294967296.0) - 1.0); }

    // Uniform in [0, 1).
    double Uniform() { return static_cast<double>(NextBits()) / 4294967296.0; }

private:
    std::uint32_t state;
};

} // namespace AudioGen
