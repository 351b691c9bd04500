// The effects that frame a stage: FadeEffect fades the whole screen in from
// black (alpha 255, 3 less per draw, done once below 0: 86 draws);
// StageTipAnimation shows "STAGE n" at (180, 400), 62 draws at full
// strength, then 10 less per draw (87 draws); GameOverEffect is the closing
// banner, which shrinks from ten times its size, rocks with a narrowing
// swing and, 100 draws after it shows, opens the high-score screen. It ends
// by itself only after the last quest stage (stage number 15 or more, quest
// mode only); otherwise it stays until it is marked done.
//
// GameOverEffect reads the game's state from the play host (which outlives
// it) and reaches the field weakly: without a field it does nothing and
// reports done. Positions are play-field pixels. Main thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "src/effects/SpriteAnimation.h"

class PlayFieldServices;
class PlayHost;

class FadeEffect : public SpriteAnimation
{
public:
    FadeEffect();
    void Draw(Framework::Graphics* g) override;

    int32_t GetAlpha() const { return alpha; }

private:
    int32_t alpha = 255;
};

class StageTipAnimation : public SpriteAnimation
{
public:
    // stageIndex 0 shows "1".
    explicit StageTipAnimation(int32_t stageIndex);
    void Draw(Framework::Graphics* g) override;

    int32_t GetTens() const { return tens; }
    int32_t GetUnits() const { return units; }
    int32_t GetAlpha() const { return alpha; }

private:
    int32_t tens = 0;
    int32_t units = 0;
    int32_t alpha = 255;
    int32_t counter = 0;
};

class GameOverEffect : public SpriteAnimation
{
public:
    GameOverEffect(PlayHost& host, std::weak_ptr<PlayFieldServices> field, bool won);
    void Draw(Framework::Graphics* g) override;

    float GetScale() const { return scale; }
    float GetAngle() const { return angle; }
    int32_t GetDelay() const { return delay; }
    Framework::Image* GetImage() const { return image; }

private:
    bool IsLastQuestStage() const;

    PlayHost* host;
    std::weak_ptr<PlayFieldServices> field;
    bool won = false;
    float scale = 10.0f;
    float angle = 0.0f;
    bool swingUp = true;
    float swingLimit = 15.0f;
    int32_t delay = 0;
};
