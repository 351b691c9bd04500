// FieldControls: the play field as the in-game dialogs see it when they
// continue or restart a game -- the field's own stage set-up steps, one by
// one. Made by the board with its field; the field outlives it. Main thread
// only.
#pragma once

#include "src/screens/dialogs/PlayFieldControls.h"

class GameAreaWidget;

class FieldControls final : public PlayFieldControls
{
public:
    explicit FieldControls(GameAreaWidget& playField) : field(playField) {}

    void ClearGrid() override;
    void LoadStageFile(int32_t stageId) override;
    void GenerateStage(int32_t world) override;
    void PrepareShots() override;
    void SetShowGoal(bool on) override;
    void SetShowShine(bool on) override;
    void SetPushDownPending(bool on) override;
    void ClearSunkDrops() override;
    // The field comes out of black as at the start of every stage.
    void AddFadeIn() override;

private:
    GameAreaWidget& field;
};
