// Lumora::AbstractAlgorithm<T, Traits>: the state every motion rule of a
// SimpleEffect shares -- the target it moves (a plain pointer: the effect
// holds the target and hands it over before each step, so the algorithm
// never outlives what it points at while it is used), the elapsed time of the
// previous step (`lastTime`, milliseconds) and `done`, set once the rule has
// reached a bound. Traits read and write the target's position (see
// TargetObjectTraits.h). Header only; one thread.
#pragma once

#include <cstdint>

namespace Lumora
{

template <typename T, typename Traits> class AbstractAlgorithm
{
public:
    using Target = T;

    virtual ~AbstractAlgorithm() = default;

    void SetTarget(T* value) { target = value; }
    T* GetTarget() const { return target; }

    std::int32_t lastTime = 0;
    bool done = false;

protected:
    T* target = nullptr;
};

} // namespace Lumora
