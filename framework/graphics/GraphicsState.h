// GraphicsState: the drawing state of a Graphics context (see Graphics.h).
// It does not own its target image or its font.
#pragma once

#include <cstdint>

#include "framework/graphics/Color.h"
#include "framework/graphics/Rect.h"

namespace Framework
{

class Image;
class Font;

class GraphicsState
{
public:
    Image* target = nullptr; // never null inside a Graphics (a placeholder when made for no image)
    float translateX = 0.0f;
    float translateY = 0.0f;
    Rect clipArea;                     // destination pixels, already translated
    Color color = Color(0, 0, 0, 255); // current colour
    Font* font = nullptr;              // may be null
    int32_t blendMode = 0;             // 0 normal, 1 additive
    bool colorModulation = false;      // images multiplied by `color` when on
    bool fastScaling = false;          // stretched drawing may use nearest sampling
    bool colorCodes = true;            // WriteString honours ^RRGGBB^ codes
    bool bilinear = false;             // matrix drawing samples bilinearly
};

} // namespace Framework
