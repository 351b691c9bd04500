#include "src/screens/dialogs/ChangeModeDialog.h"

#include "framework/widgets/WidgetManager.h"
#include "src/core/ResourceIds.h"
#include "src/screens/common/MenuHost.h"
#include "src/screens/common/PauseHolds.h"

ChangeModeDialog::ChangeModeDialog(MenuHost& menuHost)
    : CommonBkgdWidget(IMAGE_CHANGEMODE), FeedbackButtonListener(menuHost, ButtonFeedback::Style::SoundThenHand),
      host(menuHost)
{
    drawPriority = 4;
    Move(201, 311);
    AddImageButton(ButtonArcade, this, IMAGE_ARCADE, 126, 20, 3, 37, 51);
    AddImageButton(ButtonQuest, this, IMAGE_QUEST, 116, 20, 3, 37, 71);
    AddImageButton(ButtonTimeAttack, this, IMAGE_TIMEATTACK, 112, 18, 4, 37, 91);
    AddImageButton(ButtonBack, this, IMAGE_BUTTON_BACK, 40, 16, 3, 78, 124);
}

ChangeModeDialog::~ChangeModeDialog()
{
    RemoveAllChildren();
}

void ChangeModeDialog::Open(Framework::WidgetContainer* field)
{
    if (field == nullptr || parent != nullptr)
    {
        return;
    }
    Move(201, 311);
    field->AddWidget(this);
    if (manager != nullptr)
    {
        manager->PushModal(this);
    }
    if (pauses != nullptr && pauses->InGame())
    {
        pauses->Hold(this);
    }
    else
    {
        host.SetPaused(true);
    }
}

void ChangeModeDialog::LeaveForMenu(int32_t panel, int32_t mode)
{
    // The menu switch takes every top-level widget away, this dialog's
    // screen with it; the modal record it leaves is unwound by the next
    // PopModal.
    host.ShowMainMenu(panel, true);
    host.SetGameMode(mode);
    if (mode == Game::ModeQuest)
    {
        host.ResetStageChooser();
    }
    host.SetPaused(false);
    host.ResetStage();
    host.ReleaseGameEffects();
}

void ChangeModeDialog::ButtonClicked(int32_t id)
{
    switch (id)
    {
        case ButtonArcade:
            LeaveForMenu(Panels::Difficulty, Game::ModeArcade);
            break;
        case ButtonQuest:
            LeaveForMenu(Panels::World, Game::ModeQuest);
            break;
        case ButtonTimeAttack:
            LeaveForMenu(Panels::Difficulty, Game::ModeTime);
            break;
        case ButtonBack:
            if (manager != nullptr)
            {
                manager->PopModal(this);
            }
            if (parent != nullptr)
            {
                parent->RemoveWidget(this);
            }
            if (pauses != nullptr && pauses->InGame())
            {
                pauses->Release(this);
            }
            else
            {
                host.SetPaused(false);
            }
            break;
        default:
            break;
    }
}

void ChangeModeDialog::MouseDown(int32_t localX, int32_t localY, int32_t clickCount)
{
    CommonBkgdWidget::MouseDown(localX, localY, clickCount);
    drag.Press(localX, localY, clickCount);
}

void ChangeModeDialog::MouseDrag(int32_t localX, int32_t localY)
{
    CommonBkgdWidget::MouseDrag(localX, localY);
    drag.Drag(*this, localX, localY, host);
}

void ChangeModeDialog::MouseUp(int32_t localX, int32_t localY, int32_t clickCount)
{
    CommonBkgdWidget::MouseUp(localX, localY, clickCount);
    drag.Release(host);
}
