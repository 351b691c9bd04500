// BubbleSprite: everything that occupies a cell of the play field or flies
// as the shot -- a coloured bubble (kinds 1 to 6), or an obstacle, whose
// classes derive from it and set their own kind and image.
//
// row and column are -1 while the sprite is in no cell; the grid keeps them
// equal to the cell that holds it. Hit points start at 1. A shake (started
// by Shake when a neighbour lands) is advanced by drawing, one step per Draw
// call; a shaking bubble draws cel 0 displaced along the shake direction.
//
// Shared through std::shared_ptr (grid cells, the shot slot and effects hold
// it); main thread only.
#pragma once

#include <cstdint>

#include "src/core/GameTypes.h"
#include "src/sprites/Sprite.h"

class BubbleSprite : public Sprite
{
public:
    BubbleSprite() = default;
    // Takes the image of `kind` as SetKind does; kinds without one leave an
    // empty bubble (kind 0).
    explicit BubbleSprite(int32_t kind);

    void Draw(Framework::Graphics* g) override;
    virtual int32_t GetKind() const { return kind; }
    // Colours 1 to 6, lock, wall and bomb take their image; any other value
    // clears the image and sets kind 0.
    virtual void SetKind(int32_t newKind);
    virtual void SetMarked(bool on) { marked = on; }
    virtual bool IsMarked() const { return marked; }
    // A shot of kind hittingKind has hit this sprite.
    virtual void OnHit(int32_t hittingKind);

    int32_t GetRow() const { return row; }
    void SetRow(int32_t r) { row = r; }
    int32_t GetColumn() const { return column; }
    void SetColumn(int32_t c) { column = c; }
    int32_t GetHitPoints() const { return hitPoints; }

    // Jumps 6.7 pixels along the unit vector `direction` and swings back and
    // forth around the position, 0.1 less far after every tenth frame, until
    // the amplitude is used up (101 frames for amplitude 1). A new shake
    // restarts from the new values.
    void Shake(const Lumora::Vector2& direction, float amplitude);
    bool IsShaking() const { return shaking; }
    const Lumora::Vector2& GetShakeDisplacement() const { return shakeDisplacement; }

protected:
    int32_t kind = KIND_NONE;
    bool marked = false;
    int32_t row = -1;
    int32_t column = -1;
    int32_t hitPoints = 1;
    float shakeAmplitude = 0.0f;
    float shakeSpeed = 0.0f;
    Lumora::Vector2 shakeDirection;
    Lumora::Vector2 shakeDisplacement;
    int32_t shakeFrame = 0;
    bool shaking = false;

private:
    void SetBubbleKind(int32_t newKind);
};
