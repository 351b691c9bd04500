// PlayerScreenHost: what the player screens (selector, creation dialog,
// warning and exit dialogs) need from the game's application object.
// PlayerScreens answers it for the running game; tests give the screens a
// small fake. Part of the game library (not of the profile library).
//
// Application() is the framework side (widget manager, image loading, screen
// mode); the button sounds and cursors go through the FeedbackSink; the rest
// is the game's: the profile list with the current player, the warning
// dialog, the menu background's panels and the quit fade. Every call is made
// on the main thread.
#pragma once

#include <cstdint>
#include <memory>

#include "src/profiles/PlayerProfiles.h"
#include "src/profiles/PlayerRecord.h"
#include "src/screens/common/ButtonFeedback.h"

namespace Framework
{
class AppBase;
class ButtonListener;
class ButtonWidget;
class Image;
class Widget;
} // namespace Framework

class PauseHolds;

class PlayerScreenHost : public FeedbackSink
{
public:
    virtual Framework::AppBase& Application() = 0;

    // --- players ---
    virtual PlayerProfiles& Profiles() = 0;
    // False when a stored player has exactly that name.
    virtual bool AddPlayer(const PlayerRecord& record) = 0;
    virtual void SetCurrentPlayer(const PlayerRecord& record) = 0;
    // Frees the avatar picture shown during play and loads it again from the
    // current player's avatar path.
    virtual void ReloadAvatarImage() = 0;

    // --- screens ---
    // kind: 0 the name exists already, 1 the name is empty, 2 no player yet.
    virtual void ShowWarning(int32_t kind) = 0;
    // The menu background's panel: 0 player selector, 1 main menu, ...
    virtual void ShowPanel(int32_t panel, bool fade) = 0;
    virtual int32_t ShownPanel() = 0;
    // Opens the create-player dialog over the menu background.
    virtual void ShowCreatePlayer() = 0;
    // Adds the fade to black that saves the current player and ends the run.
    virtual void BeginQuit() = 0;
    virtual void SetPaused(bool on) = 0;
    // Who keeps the game in play paused; null where nothing counts them.
    virtual PauseHolds* GamePauses() { return nullptr; }
    // A screen pauses the game in play (nothing on the menus) and lets go
    // of it again; the game runs once the last holder has let go. Outside a
    // game (or without GamePauses) holding does nothing and letting go
    // clears the paused flag.
    void HoldGame(const void* holder);
    void ReleaseGame(const void* holder);

    // Dialogs that sit on the widget manager itself, above any screen: added
    // on top and made modal (nothing when already open); closed by popping
    // the modal record and removing it.
    void OpenTopDialog(Framework::Widget* dialog);
    void CloseTopDialog(Framework::Widget* dialog);
    bool IsTopDialogOpen(const Framework::Widget* dialog);
};

// A screen button drawn from a strip of frames (normal, over, down and, with
// hasDisabledFrame, disabled) at (x, y), added to parent, for the screens
// that are plain widgets.
std::shared_ptr<Framework::ButtonWidget> MakeStripButton(Framework::Widget* parent, int32_t id,
                                                         Framework::ButtonListener* listener, Framework::Image* strip,
                                                         int32_t x, int32_t y, int32_t frameWidth, int32_t frameHeight,
                                                         bool hasDisabledFrame);
