// Lumora::IClock: the time source of effects and particle systems.
// GetTime is in milliseconds and must never go backwards; the library reads
// it only from the thread that ticks it.
#pragma once

#include <cstdint>

namespace Lumora
{

class IClock
{
public:
    virtual ~IClock() = default;
    virtual std::int32_t GetTime() = 0;
};

} // namespace Lumora
