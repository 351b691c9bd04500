// Color: four int32 channels red, green, blue, alpha, each meant to lie in
// 0..255. Construction does not clamp; ToInt() clamps when packing into a
// 0xAARRGGBB pixel word.
#pragma once

#include <cstdint>

namespace Framework
{

struct Color
{
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
    int32_t alpha = 255;

    constexpr Color() = default;
    constexpr Color(int32_t r, int32_t g, int32_t b, int32_t a = 255) : red(r), green(g), blue(b), alpha(a) {}

    // From a pixel word 0xAARRGGBB.
    static constexpr Color FromInt(uint32_t argb)
    {
        return Color(int32_t((argb >> 16) & 0xFF), int32_t((argb >> 8) & 0xFF), int32_t(argb & 0xFF),
                     int32_t(argb >> 24));
    }

    static constexpr uint32_t Clamp8(int32_t v) { return v < 0 ? 0u : (v > 255 ? 255u : uint32_t(v)); }

    // The pixel word 0xAARRGGBB, channels clamped to 0..255.
    constexpr uint32_t ToInt() const
    {
        return (Clamp8(alpha) << 24) | (Clamp8(red) << 16) | (Clamp8(green) << 8) | Clamp8(blue);
    }

    constexpr bool IsOpaqueWhite() const { return red == 255 && green == 255 && blue == 255 && alpha == 255; }

    constexpr bool operator==(const Color&) const = default;

    static constexpr Color White() { return Color(255, 255, 255, 255); }
    static constexpr Color Black() { return Color(0, 0, 0, 255); }
};

} // namespace Framework
