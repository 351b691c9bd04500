#include "src/screens/dialogs/ExitDialog.h"

#include "framework/app/AppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonWidget.h"
#include "src/core/ResourceIds.h"
#include "src/screens/common/PauseHolds.h"
#include "src/screens/players/PlayerScreenHost.h"

ExitDialog::ExitDialog(PlayerScreenHost& screenHost)
    : FeedbackButtonListener(screenHost, ButtonFeedback::Style::HandAndSoundOnEnter), host(screenHost)
{
    Resize(155, 215, 490, 107);
    drawPriority = 5;
    yesButton = AddImageButton(YesId, this, IMAGE_EXIT_YES, 28, 16, 3, 194, 79);
    noButton = AddImageButton(NoId, this, IMAGE_EXIT_NO, 26, 16, 3, 256, 79);
}

ExitDialog::~ExitDialog() = default;

void ExitDialog::Show()
{
    // Over a game it pauses the game; the menus are never paused.
    if (PauseHolds* holds = host.GamePauses())
    {
        holds->Hold(this);
    }
    host.OpenTopDialog(this);
}

void ExitDialog::Close()
{
    host.CloseTopDialog(this);
}

bool ExitDialog::IsShown() const
{
    return host.IsTopDialogOpen(this);
}

void ExitDialog::Draw(Framework::Graphics* g)
{
    g->DrawImage(IMAGE_EXIT_UI, 0, 0);
}

void ExitDialog::ButtonClicked(int32_t id)
{
    if (id != YesId && id != NoId)
    {
        return;
    }
    PauseHolds* holds = host.GamePauses();
    const bool inGame = holds != nullptr && holds->InGame();
    if (id == YesId)
    {
        host.BeginQuit();
        // The game runs under the quit fade, whatever else paused it.
        if (inGame)
        {
            holds->ReleaseAll();
        }
    }
    if (inGame)
    {
        // NO over a screen that still pauses the game leaves it paused.
        holds->Release(this);
    }
    else
    {
        host.SetPaused(false);
    }
    Close();
}
