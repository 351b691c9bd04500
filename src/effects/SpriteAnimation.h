// SpriteAnimation: a flip-book -- the cels of one image shown one after
// another at a fixed position, one step of `frameStep` per Draw -- and the
// base of the effects that replace its drawing with motion, fading or timed
// work on the grid. Nothing advances but Draw. Positions are play-field
// pixels; the image belongs to the resource manager and may be null.
//
// SpriteAnimationManager: the one list of running animations, in insertion
// order, each held by a std::shared_ptr. DrawAll draws the ones not done and
// then erases every done one. Release destroys the list with its animations;
// the next Instance starts an empty one (tests release between cases).
// Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace Framework
{
class Graphics;
class Image;
} // namespace Framework

class SpriteAnimation
{
public:
    SpriteAnimation(Framework::Image* image, int32_t frameCount, int32_t x, int32_t y, float frameStep);
    SpriteAnimation(const SpriteAnimation&) = delete;
    SpriteAnimation& operator=(const SpriteAnimation&) = delete;
    virtual ~SpriteAnimation() = default;

    // Advances the cel position, then draws that cel at (x, y) truncated, or
    // reports done (drawing nothing) once it has passed the last cel.
    virtual void Draw(Framework::Graphics* g);
    bool IsDone() const { return done; }
    void SetDone(bool on) { done = on; }

    float GetX() const { return x; }
    float GetY() const { return y; }
    float GetFrame() const { return frame; }

protected:
    Framework::Image* image = nullptr;
    int32_t frameCount = 0;
    float x = 0.0f;
    float y = 0.0f;
    float frame = 0.0f;
    float frameStep = 0.0f;
    bool done = false;
};

class SpriteAnimationManager
{
public:
    static SpriteAnimationManager& Instance();
    static void Release();

    void Add(std::shared_ptr<SpriteAnimation> animation);
    // Erases the first entry holding `animation`.
    void Remove(const SpriteAnimation* animation);
    // An animation that releases the manager from its Draw ends this call:
    // the rest are not drawn.
    void DrawAll(Framework::Graphics* g);

    size_t Count() const { return animations.size(); }
    const std::vector<std::shared_ptr<SpriteAnimation>>& Animations() const { return animations; }

private:
    SpriteAnimationManager() = default;

    std::vector<std::shared_ptr<SpriteAnimation>> animations;
    bool drawing = false;
    // Release was called from inside DrawAll: this list dies when it returns.
    bool released = false;
};
