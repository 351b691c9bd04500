#include "src/screens/dialogs/HelpDialog.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonWidget.h"
#include "src/core/ResourceIds.h"
#include "src/screens/dialogs/GameDialogHost.h"

HelpDialog::HelpDialog(GameDialogHost& dialogHost)
    : FeedbackButtonListener(dialogHost, ButtonFeedback::Style::Silent), host(dialogHost)
{
    Resize(0, 0, 535, 555);
    nextButton = MakeStripButton(this, NextId, this, IMAGE_PAGE_RIGHT, 270, 530, 14, 18, false);
    previousButton = MakeStripButton(this, PreviousId, this, IMAGE_PAGE_LEFT, 228, 530, 14, 18, false);
    closeButton = MakeStripButton(this, CloseId, this, IMAGE_BUTTON_TIP_CLOSE, 463, 532, 44, 16, true);
}

HelpDialog::~HelpDialog()
{
    RemoveAllChildren();
}

void HelpDialog::Open(Framework::WidgetContainer* field)
{
    if (field == nullptr || parent != nullptr)
    {
        return;
    }
    host.HoldGame(this);
    field->AddWidget(this);
}

void HelpDialog::Close()
{
    host.ReleaseGame(this);
    if (parent != nullptr)
    {
        parent->RemoveWidget(this);
    }
}

Framework::Image* HelpDialog::PageImage(int32_t number)
{
    Framework::Image* const pages[PageCount] = {IMAGE_COMMON1, IMAGE_COMMON2, IMAGE_AIR1,   IMAGE_AIR2,   IMAGE_FIRE1,
                                                IMAGE_FIRE2,   IMAGE_WATER1,  IMAGE_WATER2, IMAGE_EARTH1, IMAGE_EARTH2};
    return number >= 0 && number < PageCount ? pages[number] : nullptr;
}

void HelpDialog::Draw(Framework::Graphics* g)
{
    g->DrawImage(PageImage(page), 0, 0);
}

void HelpDialog::ButtonClicked(int32_t id)
{
    switch (id)
    {
        case NextId:
            page = (page + 1) % PageCount;
            MarkDirty();
            break;
        case PreviousId:
            page = (page + PageCount - 1) % PageCount;
            MarkDirty();
            break;
        case CloseId:
            Close();
            break;
        default:
            break;
    }
}
