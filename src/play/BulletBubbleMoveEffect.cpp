#include "src/play/BulletBubbleMoveEffect.h"

#include "src/play/GameAreaWidget.h"
#include "src/play/ShotPath.h"

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
    Lumora::Vector2 position = target->GetPosition();
    Lumora::Vector2 velocity = algorithm->GetVelocity();
    const Lumora::Vector2 before = position;
    ShotPath::Bounce(position, velocity);
    algorithm->SetVelocity(velocity);
    if (before.x <= LeftWall || before.x >= RightWall)
    {
        target->SetPosition(position);
    }
}

bool BulletBubbleMoveEffect::IsFinished()
{
    return field != nullptr && field->FlightStep();
}
