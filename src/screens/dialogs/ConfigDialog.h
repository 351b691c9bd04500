// ConfigDialog: the settings dialog, 384 x 320 with draw priority 4, at
// (201, 180) -- one on the menu background (SETTING) and one per game
// screen (PLAYER SETTINGS, which holds the game paused while it is open).
// The sliders set the music and sound volumes at once; the full-screen box,
// the name and the picture take effect on OK. BACK puts back the volumes the
// dialog found when it opened and forgets the box. The avatar picker is the
// create-player dialog's (AvatarPicker, BROWSE leaving full screen).
//
// OK refuses, with the warning dialog and without any change, a name that
// another stored player has (kind 0: taking it would drop that profile) and
// the name "invalid" (kind 3: the profile would never be saved); an empty
// name is accepted. With no avatar picture at all the player keeps the
// picture they had. The dialog can be dragged by any point outside its
// controls and stays on the screen.
//
// Built once and reused. The host, the application and the control images
// are only referenced; the picker owns the picture. Main thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/widgets/CheckboxListener.h"
#include "framework/widgets/EditListener.h"
#include "framework/widgets/SliderListener.h"
#include "framework/widgets/Widget.h"
#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/common/DialogDrag.h"
#include "src/screens/players/AvatarPicker.h"

namespace Framework
{
class ButtonWidget;
class Checkbox;
class EditWidget;
class Slider;
} // namespace Framework

class AvatarBrowser;
class PlayerScreenHost;

class ConfigDialog : public Framework::Widget,
                     public Framework::SliderListener,
                     public Framework::CheckboxListener,
                     public FeedbackButtonListener,
                     public Framework::EditListener
{
public:
    enum ControlId : int32_t
    {
        MusicId = 0,
        SoundId = 1,
        FullScreenId = 2,
        OkId = 3,
        BackId = 4,
        BrowseId = 5,
        LeftId = 6,
        RightId = 7,
        NameId = 8,
    };
    static constexpr int32_t MaxNameBytes = 12;

    explicit ConfigDialog(PlayerScreenHost& screenHost);
    ~ConfigDialog() override;

    // Filled from the game (box, name, the player's avatar, volumes), then
    // modal on the opening screen at (201, 180); over a game it holds the
    // game paused. Nothing while it is open.
    void ShowSettings(Framework::WidgetContainer* openingScreen);
    bool IsOpen() const { return parent != nullptr; }
    // Replaces the picture importer (tests give a scripted one).
    void SetBrowser(std::unique_ptr<AvatarBrowser> newBrowser);

    void Draw(Framework::Graphics* g) override;
    void SliderValueChanged(int32_t id, double value) override;
    void CheckboxToggled(int32_t id, bool checked) override;
    void ButtonClicked(int32_t id) override;
    void MouseDown(int32_t localX, int32_t localY, int32_t clickCount) override;
    void MouseDrag(int32_t localX, int32_t localY) override;
    void MouseUp(int32_t localX, int32_t localY, int32_t clickCount) override;
    using Framework::Widget::MouseDown;
    using Framework::Widget::MouseUp;

    std::shared_ptr<Framework::Slider> musicSlider;
    std::shared_ptr<Framework::Slider> soundSlider;
    std::shared_ptr<Framework::Checkbox> fullScreenBox;
    std::shared_ptr<Framework::ButtonWidget> okButton;
    std::shared_ptr<Framework::ButtonWidget> backButton;
    std::shared_ptr<Framework::ButtonWidget> browseButton;
    std::shared_ptr<Framework::ButtonWidget> leftButton;
    std::shared_ptr<Framework::ButtonWidget> rightButton;
    std::shared_ptr<Framework::EditWidget> nameField;
    double savedMusicVolume = 0.0;
    double savedSoundVolume = 0.0;
    AvatarPicker picker;
    DialogDrag drag;

private:
    // False, with the warning shown, when the name cannot be taken.
    bool Confirm();
    void Back();
    void Close();

    PlayerScreenHost& host;
};
