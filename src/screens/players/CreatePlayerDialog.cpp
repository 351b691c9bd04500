#include "src/screens/players/CreatePlayerDialog.h"

#include "framework/app/AppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/EditWidget.h"
#include "src/core/GameTypes.h"
#include "src/core/ResourceIds.h"
#include "src/profiles/PlayerProfiles.h"
#include "src/screens/common/NameFont.h"
#include "src/screens/players/AvatarBrowser.h"
#include "src/screens/players/PlayerScreenHost.h"
#include "src/screens/players/PlayerSelector.h"

CreatePlayerDialog::CreatePlayerDialog(PlayerScreenHost& screenHost, PlayerSelector* playerSelector)
    : FeedbackButtonListener(screenHost, ButtonFeedback::Style::SoundThenHand), picker(screenHost.Application(), *this),
      host(screenHost), selector(playerSelector)
{
    Resize(219, 103, 370, 259);
    okButton = MakeStripButton(this, OkId, this, IMAGE_BUTTON_CREATE_OK, 63, 212, 122, 30, false);
    cancelButton = MakeStripButton(this, CancelId, this, IMAGE_BUTTON_CREATE_CANCEL, 187, 212, 122, 30, false);
    browseButton = MakeStripButton(this, BrowseId, this, IMAGE_BUTTON_CREATE_BROWSE, 245, 174, 60, 16, true);
    leftButton = MakeStripButton(this, LeftId, this, IMAGE_PAGE_LEFT, 14, 152, 14, 18, true);
    rightButton = MakeStripButton(this, RightId, this, IMAGE_PAGE_RIGHT, 111, 152, 14, 18, true);
    nameField = MakeNameField(NameId, this, 147, 64, 178, 16, MaxNameBytes, FONT_VERDANA10BOLD);
    AddWidget(nameField.get());
}

CreatePlayerDialog::~CreatePlayerDialog()
{
    RemoveAllChildren();
}

void CreatePlayerDialog::ResetCreatePlayer()
{
    picker.Reset();
}

void CreatePlayerDialog::Open(Framework::WidgetContainer* parentScreen)
{
    ResetCreatePlayer();
    Framework::WidgetManager* widgets = host.Application().widgetManager.get();
    if (parentScreen == nullptr || widgets == nullptr || parentScreen->HasWidget(this))
    {
        return;
    }
    parentScreen->AddWidget(this);
    widgets->PushModal(this);
    widgets->SetFocus(nameField.get());
}

void CreatePlayerDialog::Close()
{
    if (parent != nullptr)
    {
        parent->RemoveWidget(this);
    }
    if (Framework::WidgetManager* widgets = host.Application().widgetManager.get())
    {
        widgets->PopModal(this);
    }
}

void CreatePlayerDialog::SetBrowser(std::unique_ptr<AvatarBrowser> newBrowser)
{
    picker.SetBrowser(std::move(newBrowser));
}

void CreatePlayerDialog::Draw(Framework::Graphics* g)
{
    g->DrawImage(IMAGE_CREAT_UI, 0, 0);
    picker.Draw(g, 29, 122);
}

void CreatePlayerDialog::ButtonClicked(int32_t id)
{
    switch (id)
    {
        case OkId:
            Confirm();
            break;
        case CancelId:
            Close();
            break;
        case BrowseId:
            picker.Browse();
            break;
        case LeftId:
            picker.Step(-1);
            break;
        case RightId:
            picker.Step(1);
            break;
        default:
            break;
    }
}

void CreatePlayerDialog::Confirm()
{
    const std::string& name = nameField->text;
    // A name of spaces only shows as nothing: it counts as empty.
    if (name.find_first_not_of(' ') == std::string::npos)
    {
        host.ShowWarning(Warnings::NameEmpty);
        return;
    }
    PlayerRecord record;
    // "invalid" is the name of "no player": a profile of that name would
    // never be saved, so it cannot be used.
    if (name == "invalid")
    {
        host.ShowWarning(Warnings::NameInvalid);
        return;
    }
    if (!record.SetName(name))
    {
        host.ShowWarning(Warnings::NameExists);
        return;
    }
    // Without any avatar picture the player gets none (only the frame shows).
    if (const std::string* avatar = picker.ChosenPath())
    {
        record.SetAvatarPath(*avatar);
    }
    if (!host.AddPlayer(record))
    {
        host.ShowWarning(Warnings::NameExists);
        return;
    }
    if (selector != nullptr)
    {
        selector->SelectIndex(static_cast<int32_t>(host.Profiles().players.size()) - 1);
    }
    nameField->SetText("");
    Close();
}
