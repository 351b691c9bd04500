// Lumora::Vector2: a 2D vector of two 32-bit floats, copied by value.
// Positions are pixels (y grows downwards), velocities pixels per second.
// Ordering operators compare component-wise and hold only when they hold for
// both components, so !(a < b) does not imply a >= b.
#pragma once

namespace Lumora
{

class Vector2
{
public:
    float x = 0.0f;
    float y = 0.0f;

    static const Vector2 ZERO;

    constexpr Vector2() = default;
    constexpr Vector2(float px, float py) : x(px), y(py) {}

    constexpr Vector2 operator+(const Vector2& o) const { return {x + o.x, y + o.y}; }
    constexpr Vector2 operator-(const Vector2& o) const { return {x - o.x, y - o.y}; }
    constexpr Vector2 operator-() const { return {-x, -y}; }
    constexpr Vector2 operator*(float s) const { return {x * s, y * s}; }
    constexpr Vector2 operator/(float s) const { return {x / s, y / s}; }
    constexpr Vector2& operator+=(const Vector2& o)
    {
        x += o.x;
        y += o.y;
        return *this;
    }
    constexpr Vector2& operator-=(const Vector2& o)
    {
        x -= o.x;
        y -= o.y;
        return *this;
    }
    constexpr Vector2& operator*=(float s)
    {
        x *= s;
        y *= s;
        return *this;
    }
    constexpr Vector2& operator/=(float s)
    {
        x /= s;
        y /= s;
        return *this;
    }

    constexpr bool operator==(const Vector2& o) const { return x == o.x && y == o.y; }
    constexpr bool operator!=(const Vector2& o) const { return !(*this == o); }
    constexpr bool operator<(const Vector2& o) const { return x < o.x && y < o.y; }
    constexpr bool operator<=(const Vector2& o) const { return x <= o.x && y <= o.y; }
    constexpr bool operator>(const Vector2& o) const { return x > o.x && y > o.y; }
    constexpr bool operator>=(const Vector2& o) const { return x >= o.x && y >= o.y; }

    float length() const;
    constexpr float squaredLength() const { return x * x + y * y; }
    constexpr float dotProduct(const Vector2& o) const { return x * o.x + y * o.y; }

    // Scales to unit length in place and returns the former length. A vector
    // too short to have a direction is left as it is.
    float normalise();
    Vector2 normalisedCopy() const;
};

constexpr Vector2 operator*(float s, const Vector2& v)
{
    return v * s;
}

} // namespace Lumora
