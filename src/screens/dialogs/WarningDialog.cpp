#include "src/screens/dialogs/WarningDialog.h"

#include "framework/app/AppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonWidget.h"
#include "src/core/ResourceIds.h"
#include "src/screens/players/PlayerScreenHost.h"

WarningDialog::WarningDialog(PlayerScreenHost& screenHost)
    : FeedbackButtonListener(screenHost, ButtonFeedback::Style::HandAndSoundOnEnter), host(screenHost)
{
    Resize(155, 215, 490, 107);
    backButton = AddImageButton(BackId, this, IMAGE_BUTTON_BACK, 40, 16, 3, 225, 78);
}

WarningDialog::~WarningDialog() = default;

void WarningDialog::SetKind(int32_t newKind)
{
    switch (newKind)
    {
        case Warnings::NameExists:
            image = IMAGE_WARNING_ALREADY_EXISTS;
            break;
        case Warnings::NameEmpty:
            image = IMAGE_WARNING_EMPTY;
            break;
        case Warnings::NoPlayer:
            image = IMAGE_WARNING_MUST_CREATE;
            break;
        case Warnings::NameInvalid:
            image = IMAGE_WARNING_INVALID_NAME;
            break;
        default:
            return;
    }
    kind = newKind;
    MarkDirty();
}

void WarningDialog::Show(int32_t newKind)
{
    SetKind(newKind);
    host.OpenTopDialog(this);
}

void WarningDialog::Close()
{
    host.CloseTopDialog(this);
}

bool WarningDialog::IsShown() const
{
    return host.IsTopDialogOpen(this);
}

void WarningDialog::Draw(Framework::Graphics* g)
{
    g->DrawImage(image, 0, 0);
}

void WarningDialog::ButtonClicked(int32_t id)
{
    if (id == BackId)
    {
        Close();
    }
}
