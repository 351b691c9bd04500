#include "src/play/BulletBubbleMoveEffect.h"

#include "src/play/GameAreaWidget.h"

BulletBubbleMoveEffect::BulletBubbleMoveEffect(GameAreaWidget* playField) : field(playField)
{
    rebindTarget = true;
}

void BulletBubbleMoveEffect::OnTick()
{
    SimpleEffect::OnTick();
    if (!target || !algorithm)
    {
        return;
    }
    const Lumora::Vector2 position = target->GetPosition();
    if (position.x <= LeftWall || position.x >= RightWall)
    {
        Lumora::Vector2 velocity = algorithm->GetVelocity();
        velocity.x = -velocity.x;
        algorithm->SetVelocity(velocity);
    }
    if (position.x <= LeftWall)
    {
        target->SetPosition({LeftWall, position.y});
    }
    else if (position.x >= RightWall)
    {
        target->SetPosition({RightWall, position.y});
    }
}

bool BulletBubbleMoveEffect::IsFinished()
{
    return field != nullptr && field->FlightStep();
}
