#include "src/effects/Clock.h"

#include <limits>

std::int32_t Clock::GetTime()
{
    constexpr double limit = std::numeric_limits<std::int32_t>::max();
    if (!(time < limit))
    {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (time <= 0.0)
    {
        return 0;
    }
    return static_cast<std::int32_t>(time);
}

void Clock::Advance(double fraction)
{
    if (fraction > 0.0)
    {
        time += fraction * 10.0;
    }
}
