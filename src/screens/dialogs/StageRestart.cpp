#include "src/screens/dialogs/StageRestart.h"

#include "src/core/PlayHost.h"
#include "src/screens/dialogs/GameDialogHost.h"
#include "src/screens/dialogs/PlayFieldControls.h"

void RestartStage(GameDialogHost& host, PlayFieldControls& field)
{
    PlayHost& play = host.Play();
    PlayState& state = play.State();
    field.ClearGrid();
    if (state.IsQuest())
    {
        play.StageReached(state.stageId);
        field.LoadStageFile(state.stageId);
        field.SetShowGoal(true);
    }
    else
    {
        field.GenerateStage(state.world);
        field.SetPushDownPending(false);
    }
    play.ResetStage();
    field.ClearSunkDrops();
    field.PrepareShots();
    field.AddFadeIn();
    host.PlayStageMusic(-1);
    play.TraceStageStart();
}
