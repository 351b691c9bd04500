// Rect: x, y, width, height in pixels (int32). A rectangle with width or
// height <= 0 is empty. Intersection never overflows for coordinates within
// the int32 range used by the program (it works in 64 bits).
#pragma once

#include <algorithm>
#include <cstdint>

namespace Framework
{

struct Rect
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    constexpr Rect() = default;
    constexpr Rect(int32_t x_, int32_t y_, int32_t w, int32_t h) : x(x_), y(y_), width(w), height(h) {}

    constexpr bool IsEmpty() const { return width <= 0 || height <= 0; }

    constexpr bool Contains(int32_t px, int32_t py) const
    {
        return px >= x && py >= y && int64_t(px) < int64_t(x) + width && int64_t(py) < int64_t(y) + height;
    }

    // True when other lies entirely inside this rectangle (an empty other
    // counts as inside).
    constexpr bool ContainsRect(const Rect& other) const
    {
        if (other.IsEmpty())
        {
            return true;
        }
        return other.x >= x && other.y >= y && int64_t(other.x) + other.width <= int64_t(x) + width &&
               int64_t(other.y) + other.height <= int64_t(y) + height;
    }

    // The overlap; its width or height is <= 0 when there is none.
    constexpr Rect Intersection(const Rect& other) const
    {
        const int64_t left = std::max<int64_t>(x, other.x);
        const int64_t top = std::max<int64_t>(y, other.y);
        const int64_t right = std::min<int64_t>(int64_t(x) + width, int64_t(other.x) + other.width);
        const int64_t bottom = std::min<int64_t>(int64_t(y) + height, int64_t(other.y) + other.height);
        const int64_t w = right - left;
        const int64_t h = bottom - top;
        return Rect(int32_t(left), int32_t(top), int32_t(std::clamp<int64_t>(w, INT32_MIN, INT32_MAX)),
                    int32_t(std::clamp<int64_t>(h, INT32_MIN, INT32_MAX)));
    }

    constexpr bool operator==(const Rect&) const = default;
};

} // namespace Framework
