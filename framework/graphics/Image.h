// Image: the abstract picture. A rectangle of width x height pixels, split
// into a grid of rows x columns equal cels (cel n at column n % columns, row
// n / columns; a cel is (width / columns) x (height / rows) pixels, integer
// division). The drawing primitives take destination coordinates that the
// drawing context has already translated (and clipped where noted); the base
// class draws nothing except DrawRect and FillSpans, built on FillRect.
// Blend modes: 0 normal, 1 additive. Not thread-safe: one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "framework/graphics/AnimInfo.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Matrix3.h"
#include "framework/graphics/Rect.h"

namespace Framework
{

enum BlendMode : int32_t
{
    BLENDMODE_NORMAL = 0,
    BLENDMODE_ADDITIVE = 1,
};

// A horizontal run of pixels: row y, starting column x, width pixels.
struct Span
{
    int32_t y = 0;
    int32_t x = 0;
    int32_t width = 0;
};

class Image
{
public:
    int32_t width = 0;
    int32_t height = 0;
    int32_t rows = 1;
    int32_t columns = 1;
    std::optional<AnimInfo> animation;

    Image() = default;
    Image(const Image&) = default;
    Image& operator=(const Image&) = default;
    virtual ~Image() = default;

    // True for an image whose drawing goes through an accelerated (3D) path;
    // transformed drawing then always uses the matrix blit.
    virtual bool IsAccelerated() const { return false; }

    virtual void FillRect(const Rect& rect, const Color& color, int32_t blendMode);
    // Outline of a (w + 1) x (h + 1) rectangle.
    virtual void DrawRect(const Rect& rect, const Color& color, int32_t blendMode);
    virtual void ClearArea(const Rect& rect);
    virtual void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t blendMode);
    virtual void FillSpans(const Span* spans, int32_t count, const Color& color, int32_t blendMode);
    virtual void BlitImage(Image& src, int32_t x, int32_t y, const Rect& srcRect, const Color& modulation,
                           int32_t blendMode);
    virtual void BlitSubpixel(Image& src, float x, float y, const Rect& srcRect, const Rect& clip,
                              const Color& modulation, int32_t blendMode);
    // srcRect rotated by angle (radians) about (centreX, centreY), given in
    // pixels from srcRect's top-left, its unrotated top-left placed at (x, y).
    virtual void BlitRotated(Image& src, float x, float y, const Rect& srcRect, const Rect& clip,
                             const Color& modulation, int32_t blendMode, double angle, float centreX, float centreY);
    virtual void BlitStretched(Image& src, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                               const Color& modulation, int32_t blendMode, bool fastStretch);
    // srcRect drawn through matrix about its centre, the centre landing on (x, y).
    virtual void BlitTransformed(Image& src, float x, float y, const Matrix3& matrix, const Rect& clip,
                                 const Color& modulation, int32_t blendMode, const Rect& srcRect, bool linearBlend);

    int32_t GetWidth() const { return width; }
    int32_t GetHeight() const { return height; }
    int32_t GetCelWidth() const { return columns > 0 ? width / columns : 0; }
    int32_t GetCelHeight() const { return rows > 0 ? height / rows : 0; }
    // The source rectangle of cel (column, row) and of cel number n.
    Rect GetCelRect(int32_t column, int32_t row) const;
    Rect GetCelRect(int32_t cel) const;
};

} // namespace Framework
