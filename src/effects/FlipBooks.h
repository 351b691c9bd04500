// The play field's plain flip-books of its obstacles, each placed from the
// obstacle's position (play-field pixels, truncated): the snowman hit (5
// cels at 0.1), lava drying up (18 at 0.2), the plant going (22 at 0.15)
// and the bomb's explosion (15 at 0.3). The images are the bound resource
// variables at the time of the call. Main thread only.
#pragma once

#include <memory>

#include "external/lumora/Vector2.h"
#include "src/effects/SpriteAnimation.h"

std::shared_ptr<SpriteAnimation> MakeSnowManHitAnimation(const Lumora::Vector2& obstaclePosition);
std::shared_ptr<SpriteAnimation> MakeLavaDryUpAnimation(const Lumora::Vector2& obstaclePosition);
std::shared_ptr<SpriteAnimation> MakePlantGoneAnimation(const Lumora::Vector2& obstaclePosition);
std::shared_ptr<SpriteAnimation> MakeBombBurstAnimation(const Lumora::Vector2& obstaclePosition);
