#include "src/screens/game/OverlayWidget.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonWidget.h"
#include "src/core/ResourceIds.h"
#include "src/screens/dialogs/GameDialogHost.h"

OverlayWidget::OverlayWidget(GameDialogHost& dialogHost)
    : FeedbackButtonListener(dialogHost, ButtonFeedback::Style::Silent), host(dialogHost)
{
    Resize(0, 25, 800, 575);
    resumeButton = MakeStripButton(this, ResumeId, this, IMAGE_BUTTON_RESUME, 625, 198, 110, 36, false);
}

OverlayWidget::~OverlayWidget()
{
    RemoveAllChildren();
}

void OverlayWidget::Show(Framework::WidgetContainer* gameScreen)
{
    if (gameScreen == nullptr || parent != nullptr)
    {
        return;
    }
    host.HoldGame(this);
    gameScreen->AddWidget(this);
}

void OverlayWidget::Resume()
{
    if (parent != nullptr)
    {
        parent->RemoveWidget(this);
    }
    host.ReleaseGame(this);
    if (onResume)
    {
        onResume();
    }
}

void OverlayWidget::Draw(Framework::Graphics* g)
{
    g->SetColor(Framework::Color(100, 100, 100, 128));
    g->FillRect(0, 0, width, height);
}

void OverlayWidget::ButtonClicked(int32_t id)
{
    if (id == ResumeId)
    {
        Resume();
    }
}
