#include "framework/sound/VolumeLaw.h"

#include <algorithm>
#include <cmath>

namespace Framework
{

int32_t VolumeToLevel(double volume)
{
    // Negative or NaN volumes would leave the logarithm's domain.
    if (!(volume > 0.0))
    {
        return silentLevel;
    }
    const int32_t level = static_cast<int32_t>((std::log10(volume * 9.0 + 1.0) - 1.0) * 2333.0);
    if (level < -2000)
    {
        return silentLevel;
    }
    return std::min(level, 0);
}

double LevelToGain(int32_t level)
{
    if (level <= silentLevel)
    {
        return 0.0;
    }
    return std::pow(10.0, std::min(level, 0) / 2000.0);
}

StereoGain LevelAndPanToGains(int32_t level, int32_t pan)
{
    const double gain = LevelToGain(level);
    pan = std::clamp(pan, -10000, 10000);
    StereoGain out;
    out.left = static_cast<float>(gain * (pan > 0 ? LevelToGain(-pan) : 1.0));
    out.right = static_cast<float>(gain * (pan < 0 ? LevelToGain(pan) : 1.0));
    return out;
}

} // namespace Framework
