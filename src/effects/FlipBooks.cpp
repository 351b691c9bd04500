#include "src/effects/FlipBooks.h"

#include "src/core/ResourceIds.h"
#include "src/sprites/Sprite.h"

namespace
{
std::shared_ptr<SpriteAnimation> Make(Framework::Image* image, int32_t cels, const Lumora::Vector2& at, int32_t dx,
                                      int32_t dy, float step)
{
    return std::make_shared<SpriteAnimation>(image, cels, TruncateCoordinate(at.x) + dx, TruncateCoordinate(at.y) + dy,
                                             step);
}
} // namespace

std::shared_ptr<SpriteAnimation> MakeSnowManHitAnimation(const Lumora::Vector2& at)
{
    return Make(IMAGE_SNOWMAN_HIT, 5, at, 0, 0, 0.1f);
}

std::shared_ptr<SpriteAnimation> MakeLavaDryUpAnimation(const Lumora::Vector2& at)
{
    return Make(IMAGE_LAVA_DRY_UP, 18, at, -4, 0, 0.2f);
}

std::shared_ptr<SpriteAnimation> MakePlantGoneAnimation(const Lumora::Vector2& at)
{
    return Make(IMAGE_PLANT_GONE, 22, at, -12, -13, 0.15f);
}

std::shared_ptr<SpriteAnimation> MakeBombBurstAnimation(const Lumora::Vector2& at)
{
    return Make(IMAGE_BOMB_BURST, 15, at, -49, -32, 0.3f);
}
