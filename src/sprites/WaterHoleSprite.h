// WaterHoleSprite: the water hole (kind 21), drawn still, 13 pixels left of
// and 8 above the cell. A hit only sets holeHit, which the play field reads.
// Never marked; SetKind acts as for a plain bubble. Main thread only.
#pragma once

#include "src/sprites/BubbleSprite.h"

class WaterHoleSprite : public BubbleSprite
{
public:
    WaterHoleSprite();

    void Draw(Framework::Graphics* g) override;
    void SetMarked(bool) override { marked = false; }
    bool IsMarked() const override { return false; }
    void OnHit(int32_t hittingKind) override;

    bool IsHoleHit() const { return holeHit; }

protected:
    bool holeHit = false;
};
