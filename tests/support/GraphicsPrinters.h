// GoogleTest printers for Color and Rect, and pixel-word helpers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ostream>

#include "framework/graphics/Color.h"
#include "framework/graphics/Rect.h"

namespace Framework
{

inline void PrintTo(const Color& c, std::ostream* os)
{
    *os << "Color(" << c.red << ", " << c.green << ", " << c.blue << ", " << c.alpha << ")";
}

inline void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "Rect(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}

} // namespace Framework

namespace TestSupport
{

constexpr uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b)
{
    return (a << 24) | (r << 16) | (g << 8) | b;
}

// True when every channel of two pixel words differs by at most `tolerance`.
inline bool PixelNear(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8)
    {
        const int ca = int((a >> shift) & 0xFF);
        const int cb = int((b >> shift) & 0xFF);
        if (ca - cb > tolerance || cb - ca > tolerance)
        {
            return false;
        }
    }
    return true;
}

} // namespace TestSupport
