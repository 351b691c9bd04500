#include "src/screens/dialogs/ConfigDialog.h"

#include <algorithm>

#include "framework/app/AppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/Checkbox.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/Slider.h"
#include "src/core/GameTypes.h"
#include "src/core/ResourceIds.h"
#include "src/profiles/PlayerProfiles.h"
#include "src/screens/common/NameFont.h"
#include "src/screens/common/ScreenMode.h"
#include "src/screens/players/AvatarBrowser.h"
#include "src/screens/players/PlayerScreenHost.h"

ConfigDialog::ConfigDialog(PlayerScreenHost& screenHost)
    : FeedbackButtonListener(screenHost, ButtonFeedback::Style::Silent), picker(screenHost.Application(), *this),
      host(screenHost)
{
    Resize(201, 180, 384, 320);
    drawPriority = 4;
    musicSlider = std::make_shared<Framework::Slider>(nullptr, IMAGE_VOL_MARK, MusicId, this);
    musicSlider->Resize(167, 213, 172, 19);
    AddWidget(musicSlider.get());
    soundSlider = std::make_shared<Framework::Slider>(nullptr, IMAGE_VOL_MARK, SoundId, this);
    soundSlider->Resize(167, 232, 172, 19);
    AddWidget(soundSlider.get());
    // Only a checked image: the box draws nothing, the dialog draws the mark.
    fullScreenBox = std::make_shared<Framework::Checkbox>(nullptr, IMAGE_FULLMARK, FullScreenId, this);
    fullScreenBox->Resize(164, 263, 19, 19);
    AddWidget(fullScreenBox.get());
    okButton = MakeStripButton(this, OkId, this, IMAGE_OK, 290, 291, 26, 16, true);
    backButton = MakeStripButton(this, BackId, this, IMAGE_BUTTON_BACK, 332, 291, 40, 16, true);
    browseButton = MakeStripButton(this, BrowseId, this, IMAGE_BUTTON_CREATE_BROWSE, 260, 170, 60, 16, false);
    leftButton = MakeStripButton(this, LeftId, this, IMAGE_PAGE_LEFT, 24, 147, 14, 18, true);
    rightButton = MakeStripButton(this, RightId, this, IMAGE_PAGE_RIGHT, 121, 147, 14, 18, true);
    nameField = MakeNameField(NameId, this, 158, 60, 178, 14, MaxNameBytes, FONT_VERDANA10BOLD);
    AddWidget(nameField.get());
    Framework::AppBase& app = host.Application();
    savedMusicVolume = app.GetMusicVolume();
    savedSoundVolume = app.GetSfxVolume();
}

ConfigDialog::~ConfigDialog()
{
    RemoveAllChildren();
}

void ConfigDialog::SetBrowser(std::unique_ptr<AvatarBrowser> newBrowser)
{
    picker.SetBrowser(std::move(newBrowser));
}

void ConfigDialog::ShowSettings(Framework::WidgetContainer* openingScreen)
{
    if (openingScreen == nullptr || parent != nullptr)
    {
        return;
    }
    Framework::AppBase& app = host.Application();
    Move(201, 180);
    fullScreenBox->SetChecked(!app.windowed, false);
    const PlayerRecord& player = host.Profiles().currentPlayer;
    nameField->SetText(player.GetName());
    picker.ResetTo(player.GetAvatarPath());
    musicSlider->SetValue(app.GetMusicVolume());
    soundSlider->SetValue(app.GetSfxVolume());
    // BACK puts back what this opening found, whichever dialog changed the
    // volumes since.
    savedMusicVolume = app.GetMusicVolume();
    savedSoundVolume = app.GetSfxVolume();
    if (Framework::WidgetManager* widgets = app.widgetManager.get())
    {
        widgets->PushModal(this);
    }
    openingScreen->AddWidget(this);
    host.HoldGame(this);
}

void ConfigDialog::Draw(Framework::Graphics* g)
{
    g->DrawImage(IMAGE_SETTINGS_UI, 0, 0);
    if (fullScreenBox->checked)
    {
        g->DrawImage(IMAGE_FULLMARK, 166, 264);
    }
    picker.Draw(g, 39, 115);
}

void ConfigDialog::SliderValueChanged(int32_t id, double value)
{
    if (id == MusicId)
    {
        host.Application().SetMusicVolume(value);
    }
    else if (id == SoundId)
    {
        host.Application().SetSfxVolume(value);
    }
}

void ConfigDialog::CheckboxToggled(int32_t, bool)
{
    MarkDirty();
}

void ConfigDialog::ButtonClicked(int32_t id)
{
    switch (id)
    {
        case OkId:
            if (Confirm())
            {
                Close();
            }
            break;
        case BackId:
            Back();
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

bool ConfigDialog::Confirm()
{
    PlayerProfiles& profiles = host.Profiles();
    const std::string& name = nameField->text;
    if (profiles.HasCurrentPlayer())
    {
        // "invalid" is the name of "no player": the run's progress would
        // never be saved under it.
        if (name == "invalid")
        {
            host.ShowWarning(Warnings::NameInvalid);
            return false;
        }
        PlayerRecord renamed = profiles.currentPlayer;
        // Another stored player's name would drop that profile at the next
        // save. (The field holds at most 12 bytes: the name always fits.)
        if (!renamed.SetName(name) || std::any_of(profiles.players.begin(), profiles.players.end(),
                                                  [&](const PlayerRecord& other) { return other.SameName(renamed); }))
        {
            host.ShowWarning(Warnings::NameExists);
            return false;
        }
        // Without any avatar picture listed the player keeps theirs.
        if (const std::string* avatar = picker.ChosenPath())
        {
            renamed.SetAvatarPath(*avatar);
        }
        host.SetCurrentPlayer(renamed);
    }
    SetWindowedMode(host.Application(), !fullScreenBox->checked);
    host.ReloadAvatarImage();
    savedMusicVolume = musicSlider->value;
    savedSoundVolume = soundSlider->value;
    return true;
}

void ConfigDialog::Back()
{
    Framework::AppBase& app = host.Application();
    app.SetMusicVolume(savedMusicVolume);
    app.SetSfxVolume(savedSoundVolume);
    fullScreenBox->SetChecked(!app.windowed, false);
}

void ConfigDialog::Close()
{
    nameField->SetText("");
    drag = DialogDrag{};
    host.ReleaseGame(this);
    if (parent != nullptr)
    {
        parent->RemoveWidget(this);
    }
    if (Framework::WidgetManager* widgets = host.Application().widgetManager.get())
    {
        widgets->PopModal(this);
    }
}

void ConfigDialog::MouseDown(int32_t localX, int32_t localY, int32_t clickCount)
{
    Framework::Widget::MouseDown(localX, localY, clickCount);
    drag.Press(localX, localY, clickCount);
}

void ConfigDialog::MouseDrag(int32_t localX, int32_t localY)
{
    Framework::Widget::MouseDrag(localX, localY);
    drag.Drag(*this, localX, localY, host);
}

void ConfigDialog::MouseUp(int32_t localX, int32_t localY, int32_t clickCount)
{
    Framework::Widget::MouseUp(localX, localY, clickCount);
    drag.Release(host);
}
