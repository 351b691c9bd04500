// The effects that move pictures over the field:
// - BubbleEffect: three to five air bubbles rising and growing in the water
//   world, from the bottom or (fromVent) from the vent; done once the first
//   has faded out. Its random draws come from the generator it is given, in
//   a fixed order.
// - BubbleSinkEffect: a shot of colour kind 1 to 6 sinking into a water
//   hole; at its last cel it hands the drop to the field.
// - SnowManHeadEffect: the snowman's head (or body) flying off rotating; it
//   reports done once it has left the 800 x 600 screen (the play field's
//   origin is (15, 37) on it).
// - PushDownEffect: the whole grid sliding one row down over 70 draws; the
//   field owns one and reuses it. It never reports done while its field
//   lives; at its end it puts back only the sprites still in their cells.
// Effects that need the field hold it weakly: once it is gone they do
// nothing and report done. Positions are play-field pixels. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "external/lumora/Vector2.h"
#include "src/effects/SpriteAnimation.h"

class BubbleSprite;
class PlayFieldServices;
class RuntimeRandom;

class BubbleEffect : public SpriteAnimation
{
public:
    struct Bubble
    {
        Lumora::Vector2 position{-1.0f, -1.0f};
        Lumora::Vector2 velocity;
        int32_t alpha = 0;
        float scale = 0.0f;
        float growth = 0.0f;
    };

    BubbleEffect(bool fromVent, RuntimeRandom& random);
    void Draw(Framework::Graphics* g) override;

    const std::array<Bubble, 5>& Bubbles() const { return bubbles; }

private:
    std::array<Bubble, 5> bubbles;
    bool fromVent = false;
};

class BubbleSinkEffect : public SpriteAnimation
{
public:
    BubbleSinkEffect(std::weak_ptr<PlayFieldServices> field, const Lumora::Vector2& position, int32_t kind);
    void Draw(Framework::Graphics* g) override;

private:
    std::weak_ptr<PlayFieldServices> field;
    Lumora::Vector2 position;
    float sinkFrame = 0.0f;
};

class SnowManHeadEffect : public SpriteAnimation
{
public:
    // velocity: the shot's direction, normalised, times 5.
    SnowManHeadEffect(int32_t x, int32_t y, const Lumora::Vector2& velocity, bool withHead);
    void Draw(Framework::Graphics* g) override;

    float GetAngle() const { return angle; }

private:
    Lumora::Vector2 velocity;
    float angle = 0.0f;
    bool withHead = true;
};

class PushDownEffect : public SpriteAnimation
{
public:
    explicit PushDownEffect(std::weak_ptr<PlayFieldServices> field);
    // The sprite's row and column name the cell it slides to.
    void AddSprite(const std::shared_ptr<BubbleSprite>& sprite);
    void Start();
    void Draw(Framework::Graphics* g) override;

    bool IsActive() const { return active; }
    int32_t GetStepCount() const { return stepCount; }
    size_t SpriteCount() const { return sprites.size(); }

private:
    std::weak_ptr<PlayFieldServices> field;
    std::vector<std::shared_ptr<BubbleSprite>> sprites;
    std::vector<Lumora::Vector2> steps;
    bool active = false;
    int32_t stepCount = 0;
};
