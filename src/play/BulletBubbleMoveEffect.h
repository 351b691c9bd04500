// BulletBubbleMoveEffect: the flight of the shot. One per play field, reused
// for every shot. Each step moves the shot by its velocity (pixels per
// second) over the play field clock's milliseconds, then bounces it off the
// side walls (ShotPath::Bounce): at x <= 5 or x >= 489 the horizontal
// velocity is reversed and the shot is put back on the wall, so its speed
// never changes.
//
// The end of the flight is the play field's to decide (FlightStep): the
// effect asks it after every step. The play field outlives the effect's use:
// its destructor stops the effect and removes it from the effect manager.
// Main thread only.
#pragma once

#include "external/lumora/LerpAlgorithm.h"
#include "external/lumora/SimpleEffect.h"
#include "external/lumora/TargetObjectTraits.h"
#include "src/play/ShotPath.h"
#include "src/sprites/BubbleSprite.h"

class GameAreaWidget;

using BulletAlgorithm = Lumora::LerpAlgorithm<BubbleSprite, Lumora::TargetObjectTraits<BubbleSprite>>;

class BulletBubbleMoveEffect : public Lumora::SimpleEffect<BubbleSprite, BulletAlgorithm>
{
public:
    static constexpr float LeftWall = ShotPath::LeftWall;
    static constexpr float RightWall = ShotPath::RightWall;

    explicit BulletBubbleMoveEffect(GameAreaWidget* field);

    // Forgets the play field (it is going away); the flight then never ends
    // by itself.
    void Detach() { field = nullptr; }

protected:
    void OnTick() override;
    bool IsFinished() override;

private:
    GameAreaWidget* field;
};
