// SpriteAnimation: the pieces the obstacle sprites animate with. Frame
// counters are floats advanced once per draw; the cel drawn is the counter
// truncated, and a counter that wraps returns to 0 as soon as it reaches its
// limit after the step. An absent image (no art loaded) counts as one
// column. The flourish schedule picks, from the drawing generator, the
// moment a wall or plant plays its flourish.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace Framework
{
class Image;
} // namespace Framework

class RuntimeRandom;

// Cel columns of an image; 1 for a null image or one without columns.
int32_t ImageColumns(const Framework::Image* image);

inline void AdvanceWrapping(float& counter, float step, int32_t limit)
{
    counter += step;
    if (counter >= float(limit))
    {
        counter = 0.0f;
    }
}

inline int32_t CelOf(float counter)
{
    return int32_t(counter);
}

// Ping-pong cel tables of the flourishes: A for the fire wall, B for the plant.
inline constexpr std::array<int32_t, 12> FlourishTableA = {0, 1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 1};
inline constexpr std::array<int32_t, 20> FlourishTableB = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};

// The table entry for a counter, clamped into the table.
template <std::size_t N> int32_t TableCel(const std::array<int32_t, N>& table, float counter)
{
    int32_t i = CelOf(counter);
    if (i < 0)
    {
        i = 0;
    }
    if (i >= int32_t(N))
    {
        i = int32_t(N) - 1;
    }
    return table[std::size_t(i)];
}

// When the next flourish starts. Between moments the counter runs in steps
// of two, so an odd moment is never met; after the counter passes 400 a new
// moment (0 to 299) is drawn.
struct FlourishSchedule
{
    bool scheduled = false;
    int32_t at = 0;
    int32_t counter = 0;
    bool flourishing = false;

    // One step per draw; sets `flourishing` at the moment.
    void Step(RuntimeRandom& random);
};
