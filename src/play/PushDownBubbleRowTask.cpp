#include "src/play/PushDownBubbleRowTask.h"

#include "src/core/PlayHost.h"
#include "src/play/GameAreaWidget.h"

void PushDownBubbleRowTask::HandleTimeout()
{
    if (field == nullptr || host->State().stageOver)
    {
        return;
    }
    field->PushDown();
}
