// The effect volume law and the gains the mixer applies.
//
// Levels are in hundredths of a decibel, 0 full level, -10000 silence.
// A volume v (0 to 1, the product of master, instance and base volume) maps
// to (int)((log10(9v + 1) - 1) * 2333), and anything below -2000 becomes
// -10000, so 1 is full level and small volumes fall silent. Pan runs from
// -10000 (right silent) to 10000 (left silent) in the same unit.
#pragma once

#include <cstdint>

namespace Framework
{

constexpr int32_t silentLevel = -10000;

int32_t VolumeToLevel(double volume);
// Linear amplitude of a level: 10^(level / 2000), exactly 0 at -10000.
double LevelToGain(int32_t level);

struct StereoGain
{
    float left = 1.0f;
    float right = 1.0f;
};

// The two channel gains of a level and a pan.
StereoGain LevelAndPanToGains(int32_t level, int32_t pan);

} // namespace Framework
