// Lumora::LerpAlgorithm<T, Traits>: straight motion at a constant velocity
// (pixels per second). Apply(t) moves the target by velocity x (t - lastTime)
// / 1000, t and lastTime in milliseconds of the effect's elapsed time; a
// step of t = 0 or without a target does nothing. Optional bounds (off at
// construction, enabled by SetMinimum / SetMaximum) stop the motion: a new
// position below the minimum, or above the maximum (Vector2's component-wise
// ordering), puts the target on the bound and sets `done`. Header only; one
// thread.
#pragma once

#include "external/lumora/AbstractAlgorithm.h"
#include "external/lumora/Vector2.h"

#include <cstdint>

namespace Lumora
{

template <typename T, typename Traits> class LerpAlgorithm : public AbstractAlgorithm<T, Traits>
{
public:
    explicit LerpAlgorithm(const Vector2& initialVelocity) : velocity(initialVelocity) {}

    virtual void Apply(std::int32_t elapsed)
    {
        T* moved = this->target;
        if (elapsed == 0 || moved == nullptr)
        {
            return;
        }
        const Vector2 step = velocity * static_cast<float>(elapsed - this->lastTime) / 1000.0f;
        const Vector2 next = Traits::GetPosition(*moved) + step;
        if (minimumEnabled && next < minimum)
        {
            Traits::SetPosition(*moved, minimum);
            this->done = true;
        }
        else if (maximumEnabled && next > maximum)
        {
            Traits::SetPosition(*moved, maximum);
            this->done = true;
        }
        else
        {
            Traits::SetPosition(*moved, next);
        }
    }

    virtual void SetMinimum(const Vector2& value)
    {
        minimum = value;
        minimumEnabled = true;
    }

    virtual void SetMaximum(const Vector2& value)
    {
        maximum = value;
        maximumEnabled = true;
    }

    virtual void SetVelocity(const Vector2& value) { velocity = value; }

    const Vector2& GetVelocity() const { return velocity; }
    bool HasMinimum() const { return minimumEnabled; }
    bool HasMaximum() const { return maximumEnabled; }

private:
    Vector2 minimum;
    bool minimumEnabled = false;
    Vector2 maximum;
    bool maximumEnabled = false;
    Vector2 velocity;
};

} // namespace Lumora
