// CreatePlayerDialog: the modal dialog that creates a player, 370 x 259 at
// (219, 103) on the menu background. The player types a name (at most 12
// bytes) and picks an avatar with the arrows among the pictures in
// "images/avatar/", or imports one with BROWSE (the AvatarPicker the
// settings dialog uses too).
//
// Built once with the menu background and reused: every Open resets the
// avatar list and selection but keeps the name field, which only a
// successful OK empties. The picker owns the picture; the selector, the
// host and the button images are only referenced. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/widgets/EditListener.h"
#include "framework/widgets/Widget.h"
#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/players/AvatarPicker.h"

namespace Framework
{
class ButtonWidget;
class EditWidget;
} // namespace Framework

class AvatarBrowser;
class PlayerScreenHost;
class PlayerSelector;

class CreatePlayerDialog : public Framework::Widget, public FeedbackButtonListener, public Framework::EditListener
{
public:
    enum ControlId : int32_t
    {
        OkId = 0,
        CancelId = 1,
        BrowseId = 2,
        LeftId = 3,
        RightId = 4,
        NameId = 5,
    };
    static constexpr int32_t MaxNameBytes = 12;

    // selector (may be null) is told to show a newly created player.
    CreatePlayerDialog(PlayerScreenHost& screenHost, PlayerSelector* playerSelector);
    ~CreatePlayerDialog() override;

    // The avatar list read again from disk, its first entry selected.
    void ResetCreatePlayer();
    // ResetCreatePlayer, then shown on parent as a modal dialog with the
    // name field focused.
    void Open(Framework::WidgetContainer* parentScreen);
    // Removed from its parent, modal record popped.
    void Close();
    // Replaces the picture importer (tests give a scripted one).
    void SetBrowser(std::unique_ptr<AvatarBrowser> newBrowser);

    void Draw(Framework::Graphics* g) override;
    void ButtonClicked(int32_t id) override;

    AvatarPicker picker;
    std::shared_ptr<Framework::ButtonWidget> okButton;
    std::shared_ptr<Framework::ButtonWidget> cancelButton;
    std::shared_ptr<Framework::ButtonWidget> browseButton;
    std::shared_ptr<Framework::ButtonWidget> leftButton;
    std::shared_ptr<Framework::ButtonWidget> rightButton;
    std::shared_ptr<Framework::EditWidget> nameField;

private:
    void Confirm();

    PlayerScreenHost& host;
    PlayerSelector* selector;
};
