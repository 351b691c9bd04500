#include "src/effects/FieldEffects.h"

#include <cmath>

#include "external/lumora/Math.h"
#include "external/util/RuntimeRandom.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/ImageTransform.h"
#include "src/core/GameTypes.h"
#include "src/core/ResourceIds.h"
#include "src/effects/PlayFieldServices.h"
#include "src/sprites/BubbleSprite.h"
#include "src/sprites/SpriteAnimation.h"

namespace
{
constexpr int32_t PushDownSteps = 70;
// Where the play field's origin lies on the screen.
constexpr float FieldLeft = 15.0f;
constexpr float FieldTop = 37.0f;
} // namespace

BubbleEffect::BubbleEffect(bool vent, RuntimeRandom& random) : SpriteAnimation(nullptr, 0, 0, 0, 0.0f), fromVent(vent)
{
    const int32_t n = random.Next() % 3 + 3;
    const int32_t base = random.Next() % 470 + 20;
    for (int32_t i = 0; i < n; ++i)
    {
        Bubble& bubble = bubbles[size_t(i)];
        bubble.alpha = 255;
        bubble.scale = 0.1f;
        if (fromVent)
        {
            bubble.position = {float(250 + random.Next() % 40), 55.0f};
            bubble.velocity.y = Lumora::Math::RangeRandom(-0.08f, -0.09f);
            bubble.velocity.x = Lumora::Math::RangeRandom(-0.01f, 0.01f);
            bubble.growth = 0.002f;
        }
        else
        {
            bubble.position = {float(base + random.Next() % 20), 535.0f};
            bubble.velocity.y = Lumora::Math::RangeRandom(-0.14f, -0.18f);
            bubble.velocity.x = Lumora::Math::RangeRandom(-0.05f, 0.05f);
            bubble.growth = Lumora::Math::RangeRandom(0.002f, 0.003f);
        }
    }
}

void BubbleEffect::Draw(Framework::Graphics* g)
{
    for (Bubble& bubble : bubbles)
    {
        if (bubble.position.x == -1.0f || bubble.position.y == -1.0f)
        {
            continue;
        }
        bubble.position += bubble.velocity;
        if (bubble.alpha > 0 && g != nullptr && IMAGE_WATERBUBBLE != nullptr)
        {
            Framework::ImageTransform transform;
            transform.Scale(bubble.scale, bubble.scale);
            g->SetColorModulation(true);
            g->SetColor({255, 255, 255, bubble.alpha});
            g->DrawTransformed(IMAGE_WATERBUBBLE, transform, bubble.position.x, bubble.position.y);
            g->SetColorModulation(false);
        }
        bubble.scale += bubble.growth;
        if (fromVent)
        {
            bubble.alpha -= 1;
        }
        else if (bubble.scale >= 0.5f)
        {
            bubble.alpha -= 2;
        }
    }
    if (bubbles[0].alpha <= 0)
    {
        done = true;
    }
}

namespace
{
Framework::Image* DropImage(int32_t kind)
{
    switch (kind)
    {
        case KIND_RED:
            return IMAGE_RED_DROP;
        case KIND_YELLOW:
            return IMAGE_YELLOW_DROP;
        case KIND_BLUE:
            return IMAGE_BLUE_DROP;
        case KIND_GREEN:
            return IMAGE_GREEN_DROP;
        case KIND_AQUA:
            return IMAGE_AQUA_DROP;
        case KIND_FUCHSIA:
            return IMAGE_FUCHSIA_DROP;
        default:
            return nullptr;
    }
}
} // namespace

BubbleSinkEffect::BubbleSinkEffect(std::weak_ptr<PlayFieldServices> playField, const Lumora::Vector2& where,
                                   int32_t kind)
    : SpriteAnimation(DropImage(kind), 4, 0, 0, 0.0f), field(std::move(playField)), position(where)
{
}

void BubbleSinkEffect::Draw(Framework::Graphics* g)
{
    const auto services = field.lock();
    if (!services)
    {
        done = true;
        return;
    }
    if (image != nullptr && g != nullptr)
    {
        g->DrawCel(image, TruncateCoordinate(position.x), TruncateCoordinate(position.y - 3.0f), int32_t(sinkFrame));
    }
    sinkFrame += 0.2f;
    if (sinkFrame >= float(ImageColumns(image)))
    {
        done = true;
        services->RecordSunkBubble(position, image);
    }
}

SnowManHeadEffect::SnowManHeadEffect(int32_t left, int32_t top, const Lumora::Vector2& flight, bool head)
    : SpriteAnimation(head ? IMAGE_SNOWMAN_HEAD : IMAGE_SNOWMAN_BODY_DIS, 8, left, top, 0.0f), velocity(flight),
      withHead(head)
{
}

void SnowManHeadEffect::Draw(Framework::Graphics* g)
{
    if (done)
    {
        return;
    }
    Framework::ImageTransform transform;
    transform.RotateDegrees(angle);
    x += velocity.x;
    y += velocity.y;
    angle += 3.0f;
    // However it is turned, the picture lies within its half diagonal of
    // its centre.
    float reach = 0.0f;
    if (image != nullptr)
    {
        reach = 0.5f * std::sqrt(float(image->GetWidth()) * float(image->GetWidth()) +
                                 float(image->GetHeight()) * float(image->GetHeight()));
    }
    const float screenX = x + FieldLeft;
    const float screenY = y + FieldTop;
    if (screenX + reach < 0.0f || screenX - reach > float(SCREEN_WIDTH) || screenY + reach < 0.0f ||
        screenY - reach > float(SCREEN_HEIGHT))
    {
        done = true;
        return;
    }
    if (image != nullptr && g != nullptr)
    {
        g->DrawTransformed(image, transform, x, y);
    }
}

PushDownEffect::PushDownEffect(std::weak_ptr<PlayFieldServices> playField)
    : SpriteAnimation(nullptr, 4, 0, 0, 0.0f), field(std::move(playField))
{
}

void PushDownEffect::AddSprite(const std::shared_ptr<BubbleSprite>& sprite)
{
    const auto services = field.lock();
    if (!sprite || !services)
    {
        return;
    }
    sprites.push_back(sprite);
    steps.push_back((services->CellToPixel(sprite->GetRow(), sprite->GetColumn()) - sprite->GetPosition()) /
                    float(PushDownSteps));
}

void PushDownEffect::Start()
{
    active = true;
    stepCount = 0;
}

void PushDownEffect::Draw(Framework::Graphics*)
{
    const auto services = field.lock();
    if (!services)
    {
        done = true;
        return;
    }
    if (!active)
    {
        return;
    }
    for (size_t i = 0; i < sprites.size(); ++i)
    {
        sprites[i]->SetPosition(sprites[i]->GetPosition() + steps[i]);
    }
    stepCount += 1;
    if (stepCount < PushDownSteps)
    {
        return;
    }
    // Taken out before EndShot, which may start the next push-down on this
    // same effect.
    std::vector<std::shared_ptr<BubbleSprite>> arrived = std::move(sprites);
    sprites.clear();
    steps.clear();
    active = false;
    for (const auto& sprite : arrived)
    {
        // A sprite dropped during the slide no longer holds its cell.
        const int32_t row = sprite->GetRow();
        const int32_t column = sprite->GetColumn();
        if (row >= 0 && column >= 0 && services->GetCell(row, column) == sprite)
        {
            services->SetCell(row, column, sprite, true);
        }
    }
    services->EndShot();
}
