// Sprite: the plain drawable of the game, an image drawn at a floating-point
// position in the play field's drawing coordinates (pixels, y downwards; the
// position is the top-left corner of a one-cell image).
//
// The image is only referenced (the resource manager owns it) and may be
// null: then nothing is drawn. Sprites are shared (std::shared_ptr) by
// whoever holds them and are used on the main thread only.
#pragma once

#include <cstdint>

#include "external/lumora/Vector2.h"

namespace Framework
{
class Graphics;
class Image;
} // namespace Framework

class Sprite
{
public:
    Sprite() = default;
    Sprite(const Sprite&) = default;
    Sprite& operator=(const Sprite&) = default;
    virtual ~Sprite() = default;

    // Cel `cel` of the image at the position, each coordinate truncated
    // toward zero.
    virtual void Draw(Framework::Graphics* g);
    virtual Lumora::Vector2 GetPosition() const { return position; }

    void SetPosition(const Lumora::Vector2& p) { position = p; }
    void SetImage(Framework::Image* newImage) { image = newImage; }
    Framework::Image* GetImage() const { return image; }
    int32_t GetCel() const { return cel; }
    void SetCel(int32_t newCel) { cel = newCel; }
    const Lumora::Vector2& GetOffset() const { return offset; }
    void SetOffset(const Lumora::Vector2& o) { offset = o; }

protected:
    // Cel `celNumber` of `art`, or the whole of `art`, at the position moved
    // by (dx, dy), each coordinate sum truncated toward zero. Null art draws
    // nothing.
    void DrawCelAt(Framework::Graphics* g, Framework::Image* art, int32_t celNumber, float dx, float dy) const;
    void DrawImageAt(Framework::Graphics* g, Framework::Image* art, float dx, float dy) const;

    Framework::Image* image = nullptr;
    Lumora::Vector2 position;
    int32_t cel = 0;
    Lumora::Vector2 offset;
};

// A drawing coordinate truncated toward zero; values beyond the int32 range
// saturate instead of overflowing.
int32_t TruncateCoordinate(float v);
