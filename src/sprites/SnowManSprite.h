// SnowManSprite: the snowman (kind 20), two hits. Whole, it blinks now and
// then (the moment comes from the drawing generator); after one hit only its
// body is drawn, at the sprite's offset; after two nothing. Every hit plays
// the snow sound through the host. Keeps its kind: SetKind does nothing.
//
// The host must outlive the sprite. Main thread only.
#pragma once

#include "src/sprites/BubbleSprite.h"

class PlayHost;

class SnowManSprite : public BubbleSprite
{
public:
    explicit SnowManSprite(PlayHost& host);

    void Draw(Framework::Graphics* g) override;
    void SetKind(int32_t) override {}
    void OnHit(int32_t hittingKind) override;

protected:
    PlayHost* host;
    float blink = 0.0f;
};
