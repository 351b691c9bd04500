// PlaySeed: the one seed of everything the game leaves to chance -- the
// runtime generator (generated stages, obstacle counts and sprites' starts),
// the drawing generator, RandomUtil's seed sequence (colours, shots) and the
// effect library's random numbers (sparks).
//
// FROTHWICK_SEED=N (a decimal number, 0 to 2^64 - 1) fixes it, so a seed and
// the player's input replay a game; otherwise it is the system clock's
// microseconds since 1970 at start. Called once at start-up, main thread.
#pragma once

#include <cstdint>
#include <optional>

namespace PlaySeed
{
// The number a FROTHWICK_SEED value names; empty for null, empty text,
// anything but decimal digits, or a number beyond 64 bits.
std::optional<std::uint64_t> Parse(const char* text);

// FROTHWICK_SEED's number, else the system clock's microseconds.
std::uint64_t Choose();

// Seeds all four generators from `seed`.
void SeedAll(std::uint64_t seed);
} // namespace PlaySeed
