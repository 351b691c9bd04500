#include "src/screens/players/PlayerScreenHost.h"

#include "framework/app/AppBase.h"
#include "framework/widgets/ButtonWidget.h"
#include "src/screens/common/PauseHolds.h"

void PlayerScreenHost::OpenTopDialog(Framework::Widget* dialog)
{
    Framework::WidgetManager* widgets = Application().widgetManager.get();
    if (widgets == nullptr || widgets->HasWidget(dialog))
    {
        return;
    }
    // Added before it becomes modal, so the widget under the pointer below
    // it is left at once.
    widgets->AddWidget(dialog);
    widgets->PushModal(dialog);
}

void PlayerScreenHost::CloseTopDialog(Framework::Widget* dialog)
{
    Framework::WidgetManager* widgets = Application().widgetManager.get();
    if (widgets == nullptr || !widgets->HasWidget(dialog))
    {
        return;
    }
    widgets->PopModal(dialog);
    widgets->RemoveWidget(dialog);
}

void PlayerScreenHost::HoldGame(const void* holder)
{
    if (PauseHolds* holds = GamePauses())
    {
        holds->Hold(holder);
    }
}

void PlayerScreenHost::ReleaseGame(const void* holder)
{
    PauseHolds* holds = GamePauses();
    if (holds != nullptr && holds->InGame())
    {
        holds->Release(holder);
        return;
    }
    SetPaused(false);
}

bool PlayerScreenHost::IsTopDialogOpen(const Framework::Widget* dialog)
{
    const Framework::WidgetManager* widgets = Application().widgetManager.get();
    return widgets != nullptr && widgets->HasWidget(dialog);
}

std::shared_ptr<Framework::ButtonWidget> MakeStripButton(Framework::Widget* parent, int32_t id,
                                                         Framework::ButtonListener* listener, Framework::Image* strip,
                                                         int32_t x, int32_t y, int32_t frameWidth, int32_t frameHeight,
                                                         bool hasDisabledFrame)
{
    auto button = std::make_shared<Framework::ButtonWidget>(id, listener);
    button->Move(x, y);
    Framework::SetButtonImages(button.get(), strip, frameWidth, frameHeight, hasDisabledFrame);
    parent->AddWidget(button.get());
    return button;
}
