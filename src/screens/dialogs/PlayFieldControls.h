// PlayFieldControls: the play field's building blocks of a stage's start,
// which the in-game dialogs run when they continue or restart a game (the
// play field sits above the dialogs and implements this; tests record the
// calls). Main thread only; the field outlives its dialogs.
#pragma once

#include <cstdint>

class PlayFieldControls
{
public:
    // Every cell emptied.
    virtual void ClearGrid() = 0;
    // The quest stage the design script names for stageId.
    virtual void LoadStageFile(int32_t stageId) = 0;
    // A new random field of the world (1 to 4).
    virtual void GenerateStage(int32_t world) = 0;
    // The shot and the preview dealt anew.
    virtual void PrepareShots() = 0;
    virtual void SetShowGoal(bool on) = 0;
    virtual void SetShowShine(bool on) = 0;
    virtual void SetPushDownPending(bool on) = 0;
    // The water holes' sunk drops forgotten.
    virtual void ClearSunkDrops() = 0;
    // A new fade from black on the animation list.
    virtual void AddFadeIn() = 0;

protected:
    ~PlayFieldControls() = default;
};
