// PushDownBubbleRowTask: the time mode's timer task. Each run pushes its
// play field down one row, unless the stage is over or the field has let it
// go (Detach, from the field's destructor, which also cancels the task).
// Runs inside TimeManager::Process on the main thread.
#pragma once

#include "external/timer/TimerTask.h"

class GameAreaWidget;
class PlayHost;

class PushDownBubbleRowTask : public TimerTask
{
public:
    PushDownBubbleRowTask(GameAreaWidget* playField, PlayHost& playHost) : field(playField), host(&playHost) {}

    void HandleTimeout() override;
    void Detach() { field = nullptr; }

private:
    GameAreaWidget* field;
    PlayHost* host;
};
