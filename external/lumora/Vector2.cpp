#include "external/lumora/Vector2.h"

#include <cmath>

namespace Lumora
{

const Vector2 Vector2::ZERO{0.0f, 0.0f};

float Vector2::length() const
{
    return std::sqrt(squaredLength());
}

float Vector2::normalise()
{
    const float len = length();
    // Below this the direction is noise; dividing would blow it up.
    if (len > 1e-8f)
    {
        x /= len;
        y /= len;
    }
    return len;
}

Vector2 Vector2::normalisedCopy() const
{
    Vector2 copy = *this;
    copy.normalise();
    return copy;
}

} // namespace Lumora
