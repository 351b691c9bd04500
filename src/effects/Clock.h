// Clock: the play field's time source, read by its effects and particle
// systems. `time` counts milliseconds of play as a double, 0 at
// construction; Advance(fraction) adds fraction x 10 ms (one update is 10 ms
// of game time), so it stays exact for any length of game. GetTime truncates
// toward zero and saturates at INT32_MAX (about 24.8 days of play), so it
// never wraps and never goes backwards. Reads no system clock. Main thread.
#pragma once

#include "external/lumora/IClock.h"

#include <cstdint>

class Clock : public Lumora::IClock
{
public:
    std::int32_t GetTime() override;
    void Advance(double fraction);

    double GetExactTime() const { return time; }
    void SetTime(double milliseconds) { time = milliseconds; }

private:
    double time = 0.0;
};
