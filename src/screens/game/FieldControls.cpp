#include "src/screens/game/FieldControls.h"

#include <memory>

#include "src/effects/SpriteAnimation.h"
#include "src/effects/StageEffects.h"
#include "src/play/GameAreaWidget.h"

void FieldControls::ClearGrid()
{
    field.ClearGrid();
}

void FieldControls::LoadStageFile(int32_t stageId)
{
    field.LoadStageFile(stageId);
}

void FieldControls::GenerateStage(int32_t world)
{
    field.GenerateStage(world);
}

void FieldControls::PrepareShots()
{
    field.PrepareShots();
}

void FieldControls::SetShowGoal(bool on)
{
    field.showGoal = on;
    field.MarkDirty();
}

void FieldControls::SetShowShine(bool on)
{
    field.showShine = on;
}

void FieldControls::SetPushDownPending(bool on)
{
    field.pushDownPending = on;
}

void FieldControls::ClearSunkDrops()
{
    field.sunkDrops.clear();
}

void FieldControls::AddFadeIn()
{
    SpriteAnimationManager::Instance().Add(std::make_shared<FadeEffect>());
}
