// GoalDecorationFrames: the frame counters of the quest's goal decoration
// (the world's strip, the ice and its sparkle, the air world's tornado, the
// shine) and of the barrier glow. They belong to the process, not to a play
// field: a field of the next game carries on where the last one stopped,
// while each field keeps its own flags (showGoal, showShine, the glow's
// visibility and alpha). Tests Reset them between cases. Main thread only.
#pragma once

#include <cstdint>

struct GoalDecorationFrames
{
    // Draws the earth world's strip rests on its last cel before it starts
    // over.
    static constexpr int32_t EarthHoldDraws = 100;
    // Draws of the glow at full strength before it fades by 5 per draw.
    static constexpr int32_t GlowFullDraws = 300;

    float strip = 0.0f;
    // Earth: draws left on the strip's last cel (0: not resting).
    int32_t stripHold = 0;
    // The ice (water) or the tornado (air) over the strip.
    float overlay = 0.0f;
    // The ice's sparkle: a counter walking towards a target drawn per cycle.
    bool sparkling = false;
    float sparkle = 0.0f;
    int32_t sparkleCounter = 0;
    // -1: drawn at the next draw.
    int32_t sparkleTarget = -1;
    float shine = 0.0f;
    // The barrier glow.
    float glow = 0.0f;
    int32_t glowCounter = 0;
    float pulse = 0.7f;
    bool pulseRising = true;

    static GoalDecorationFrames& Instance();
    // Everything back to its start.
    static void Reset() { Instance() = GoalDecorationFrames(); }
};
