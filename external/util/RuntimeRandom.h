// RuntimeRandom: the game's stand-in for the C runtime's rand/srand, a linear
// congruential generator with the classic 15-bit output (0 to MAX, MAX =
// 32767). A seed fixes the whole sequence on every platform, so a seed plus
// the player's input reproduces a game.
//
// Global() is the process-wide generator the game draws its flourishes and
// generated stages from (seed it once at start; main thread only). Separate
// objects serve tests and tools.
#pragma once

#include <cstdint>

class RuntimeRandom
{
public:
    static constexpr std::int32_t MAX = 0x7FFF;

    explicit constexpr RuntimeRandom(std::uint32_t seed = 1) : state(seed) {}

    constexpr void Seed(std::uint32_t seed) { state = seed; }

    // The next number, 0 to MAX.
    constexpr std::int32_t Next()
    {
        state = state * 214013u + 2531011u;
        return static_cast<std::int32_t>((state >> 16) & 0x7FFFu);
    }

    static RuntimeRandom& Global();

private:
    std::uint32_t state;
};
