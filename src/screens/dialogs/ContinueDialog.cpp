#include "src/screens/dialogs/ContinueDialog.h"

#include "framework/app/AppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageTransform.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/screens/dialogs/GameDialogHost.h"
#include "src/screens/dialogs/PlayFieldControls.h"
#include "src/screens/dialogs/StageRestart.h"

ContinueDialog::ContinueDialog(GameDialogHost& dialogHost, PlayFieldControls& playField)
    : FeedbackButtonListener(dialogHost, ButtonFeedback::Style::HandAndSoundOnEnter), host(dialogHost), field(playField)
{
    Resize(197, 280, 132, 50);
    drawPriority = 4;
    yesButton = AddImageButton(YesId, this, IMAGE_EXIT_YES, 28, 16, 3, 33, 32);
    noButton = AddImageButton(NoId, this, IMAGE_EXIT_NO, 26, 16, 3, 69, 32);
}

ContinueDialog::~ContinueDialog()
{
    RemoveAllChildren();
}

void ContinueDialog::Open(Framework::WidgetContainer* fieldWidget)
{
    if (fieldWidget == nullptr || parent != nullptr)
    {
        return;
    }
    host.HoldGame(this);
    fieldWidget->AddWidget(this);
    if (Framework::WidgetManager* widgets = host.Application().widgetManager.get())
    {
        widgets->PushModal(this);
    }
}

void ContinueDialog::Draw(Framework::Graphics*)
{
    RequestOverlay(4);
}

void ContinueDialog::AdvancePulse()
{
    if (pulseGrowing)
    {
        pulseScale += PulseStep;
        if (pulseScale >= PulsePeak)
        {
            pulseGrowing = false;
        }
        return;
    }
    pulseScale -= PulseStep;
    if (pulseScale < 1.0f)
    {
        pulseScale = 1.0f;
    }
}

void ContinueDialog::DrawOverlay(Framework::Graphics* g)
{
    AdvancePulse();
    Framework::ImageTransform transform;
    transform.Scale(pulseScale, pulseScale);
    g->DrawTransformed(IMAGE_CONTINUE, transform, 82.0f, 55.0f);
    // Nothing updates while the game is paused: an unsettled pulse asks
    // for its next drawing itself.
    if (pulseGrowing || pulseScale != 1.0f)
    {
        MarkDirty();
    }
}

void ContinueDialog::PlayOn()
{
    RestartStage(host, field);
}

void ContinueDialog::Close()
{
    host.Play().ResetStage();
    field.ClearSunkDrops();
    // The next opening pulses from the start again.
    pulseGrowing = true;
    pulseScale = 1.0f;
    host.ReleaseGame(this);
    if (Framework::WidgetManager* widgets = host.Application().widgetManager.get())
    {
        widgets->PopModal(this);
    }
    if (parent != nullptr)
    {
        parent->RemoveWidget(this);
    }
}

void ContinueDialog::ButtonClicked(int32_t id)
{
    switch (id)
    {
        case YesId:
            PlayOn();
            break;
        case NoId:
            host.ShowMainMenu(Panels::MainMenu, true);
            break;
        default:
            return;
    }
    Close();
}
