// Graphics: the drawing context. Bound to a destination image (not owned),
// it carries a GraphicsState (translation, clip, colour, font, blend mode,
// switches) and a stack of saved states. Every operation translates its
// integer positions as trunc(v + translate), clips to clipArea before the
// destination is touched, and hands the pixel work to the destination
// image's primitives. Copying a context copies its state but not its stack.
// Main thread only (or one thread per context and destination).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/GraphicsState.h"
#include "framework/graphics/ImageTransform.h"

namespace Framework
{

class Graphics : public GraphicsState
{
public:
    // A context on no image draws into an empty placeholder (nothing shows).
    explicit Graphics(Image* destination = nullptr);
    Graphics(const Graphics& other);
    Graphics& operator=(const Graphics& other);
    virtual ~Graphics() = default;

    std::unique_ptr<Graphics> Clone() const;

    void SaveState();
    void RestoreState();
    size_t SavedStateCount() const { return stateStack.size(); }

    void Translate(float dx, float dy);
    void Translate(int32_t dx, int32_t dy) { Translate(float(dx), float(dy)); }
    void IntersectClip(int32_t x, int32_t y, int32_t w, int32_t h);
    void IntersectClip(const Rect& r) { IntersectClip(r.x, r.y, r.width, r.height); }

    void SetColor(const Color& c) { color = c; }
    const Color& GetColor() const { return color; }
    void SetFont(Font* f) { font = f; }
    Font* GetFont() const { return font; }
    void SetColorModulation(bool on) { colorModulation = on; }
    bool GetColorModulation() const { return colorModulation; }
    void SetFastScaling(bool on) { fastScaling = on; }
    bool GetFastScaling() const { return fastScaling; }
    void SetBilinear(bool on) { bilinear = on; }
    bool GetBilinear() const { return bilinear; }

    // Filled shapes and lines, in `color` with `blendMode`.
    void FillRect(int32_t x, int32_t y, int32_t w, int32_t h);
    void FillRect(const Rect& r) { FillRect(r.x, r.y, r.width, r.height); }
    void DrawRect(int32_t x, int32_t y, int32_t w, int32_t h);
    void DrawRect(const Rect& r) { DrawRect(r.x, r.y, r.width, r.height); }
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    // Images, with the modulation colour (`color` when colorModulation is
    // on, opaque white otherwise) and `blendMode`.
    void DrawImage(Image* image, int32_t x, int32_t y);
    void DrawImage(Image* image, int32_t x, int32_t y, const Rect& srcRect);
    void DrawCel(Image* image, int32_t x, int32_t y, int32_t column, int32_t row);
    void DrawCel(Image* image, int32_t x, int32_t y, int32_t cel);
    void DrawStretched(Image* image, int32_t x, int32_t y, int32_t w, int32_t h);
    void DrawStretched(Image* image, const Rect& destRect, const Rect& srcRect);
    void DrawImageSubpixel(Image* image, float x, float y, const Rect& srcRect);
    // Rotated by angle (radians) about (centreX, centreY) in source pixels.
    void DrawRotated(Image* image, float x, float y, double angle, float centreX, float centreY);
    void DrawRotated(Image* image, float x, float y, double angle, float centreX, float centreY, const Rect& srcRect);
    void DrawRotated(Image* image, int32_t x, int32_t y, double angle, int32_t centreX, int32_t centreY);
    void DrawRotated(Image* image, int32_t x, int32_t y, double angle, int32_t centreX, int32_t centreY,
                     const Rect& srcRect);
    // The centre of the source lands on (x, y), transformed about it.
    void DrawTransformed(Image* image, const ImageTransform& transform, float x, float y);
    void DrawTransformed(Image* image, const ImageTransform& transform, float x, float y, const Rect& srcRect);
    void DrawTransformedF(Image* image, const ImageTransform& transform, float x, float y);
    void DrawTransformedF(Image* image, const ImageTransform& transform, float x, float y, const Rect& srcRect);
    // Nine-slice frame: corners fixed, edges and centre tiled.
    void DrawFrameBox(const Rect& destRect, Image* image);
    void DrawFrameBox(const Rect& srcRect, const Rect& destRect, Image* image);

    // Text through the current font (nothing without one); y is the baseline.
    void DrawString(const std::string& text, int32_t x, int32_t y);
    // Justification: -1 left, 0 centred in width, 1 right. Returns the width.
    int32_t WriteString(const std::string& text, int32_t x, int32_t y, int32_t width = -1, int32_t justification = -1,
                        bool draw = true, int32_t offset = 0, int32_t length = -1);
    // Returns the height used.
    int32_t WriteWordWrapped(const Rect& rect, const std::string& text, int32_t lineSpacing = -1,
                             int32_t justification = -1, int32_t* maxWidthOut = nullptr);
    int32_t WordWrappedHeight(int32_t width, const std::string& text, int32_t lineSpacing = -1,
                              int32_t* maxWidthOut = nullptr);

private:
    Color ModulationColor() const;
    void DrawTransformedImpl(Image* image, const ImageTransform& transform, float x, float y, const Rect& srcRect,
                             bool subpixel);
    int32_t WordWrapImpl(const Rect& rect, const std::string& text, int32_t lineSpacing, int32_t justification,
                         int32_t* maxWidthOut, bool draw);

    std::vector<GraphicsState> stateStack;
};

} // namespace Framework
