// RuntimeRandom: the game's stand-in for the C runtime's rand/srand, a linear
// congruential generator with the classic 15-bit output (0 to MAX, MAX =
// 32767). A seed fixes the whole sequence on every platform, so a seed plus
// the player's input reproduces a game.
//
// Global() is the process-wide generator the game draws its generated stages
// and obstacle set-up from (seed it once at start; main thread only).
// Drawing() is a second process-wide generator used only by drawing (sprite
// flourishes, blinks), so the number of frames drawn never changes what the
// game itself draws from Global(). Both start at seed 1 and can be re-seeded
// (tests do). Separate objects serve tests and tools.
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
    static RuntimeRandom& Drawing();

private:
    std::uint32_t state;
};
