#include "src/effects/SpriteAnimation.h"

#include <algorithm>

#include "framework/graphics/Graphics.h"
#include "src/sprites/Sprite.h"

SpriteAnimation::SpriteAnimation(Framework::Image* animationImage, int32_t cels, int32_t left, int32_t top, float step)
    : image(animationImage), frameCount(cels), x(float(left)), y(float(top)), frameStep(step)
{
}

void SpriteAnimation::Draw(Framework::Graphics* g)
{
    frame += frameStep;
    if (int32_t(frame) >= frameCount)
    {
        done = true;
        return;
    }
    if (image != nullptr && g != nullptr)
    {
        g->DrawCel(image, TruncateCoordinate(x), TruncateCoordinate(y), int32_t(frame));
    }
}

namespace
{
std::unique_ptr<SpriteAnimationManager>& ManagerSlot()
{
    static std::unique_ptr<SpriteAnimationManager> slot;
    return slot;
}

std::unique_ptr<SpriteAnimationManager>& RetiredSlot()
{
    static std::unique_ptr<SpriteAnimationManager> slot;
    return slot;
}
} // namespace

SpriteAnimationManager& SpriteAnimationManager::Instance()
{
    auto& slot = ManagerSlot();
    if (!slot)
    {
        slot.reset(new SpriteAnimationManager());
    }
    return *slot;
}

void SpriteAnimationManager::Release()
{
    // Moved out first: an animation's destructor may ask for the manager.
    std::unique_ptr<SpriteAnimationManager> old = std::move(ManagerSlot());
    if (old && old->drawing)
    {
        old->released = true;
        RetiredSlot() = std::move(old);
        return;
    }
    old.reset();
}

void SpriteAnimationManager::Add(std::shared_ptr<SpriteAnimation> animation)
{
    if (animation)
    {
        animations.push_back(std::move(animation));
    }
}

void SpriteAnimationManager::Remove(const SpriteAnimation* animation)
{
    auto it = std::find_if(animations.begin(), animations.end(),
                           [animation](const std::shared_ptr<SpriteAnimation>& a) { return a.get() == animation; });
    if (it != animations.end())
    {
        animations.erase(it);
    }
}

void SpriteAnimationManager::DrawAll(Framework::Graphics* g)
{
    // By index: an animation's Draw may add to the list (those wait for the
    // next frame) or release it.
    const size_t count = animations.size();
    drawing = true;
    for (size_t i = 0; i < count && i < animations.size() && !released; ++i)
    {
        std::shared_ptr<SpriteAnimation> animation = animations[i];
        if (!animation->IsDone())
        {
            animation->Draw(g);
        }
    }
    drawing = false;
    if (released)
    {
        // Destroys this list; nothing of it is touched afterwards.
        RetiredSlot().reset();
        return;
    }
    animations.erase(std::remove_if(animations.begin(), animations.end(),
                                    [](const std::shared_ptr<SpriteAnimation>& a) { return a->IsDone(); }),
                     animations.end());
}
