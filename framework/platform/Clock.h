// Clock: the millisecond time and sleep the main loop runs on.
//
// NowMs() is a monotonic millisecond count that wraps at 2^32 (callers take
// differences in uint32_t). SleepMs() blocks the calling thread. The system
// clock is thread-safe; tests replace it with a fake that advances only when
// told to, so a loop can be stepped tick by tick.
#pragma once

#include <cstdint>

namespace Framework
{

class Clock
{
public:
    virtual ~Clock() = default;
    virtual uint32_t NowMs() = 0;
    virtual void SleepMs(uint32_t ms) = 0;
};

// The steady clock of the C++ library; NowMs counts from the first use.
class SystemClock final : public Clock
{
public:
    uint32_t NowMs() override;
    void SleepMs(uint32_t ms) override;
};

} // namespace Framework
