// ChangeModeDialog: the in-game dialog that leaves the game for the menu in
// another mode (arcade and time attack on the difficulty selector, quest on
// the world selector, both fading in) or closes again with BACK. It can be
// dragged by any point outside its buttons, and unpauses the game whichever
// button is used (while a game screen's pause holds are given, BACK only
// lets go of the game, which stays paused under another pausing screen).
// Modal while open; the game screen opens it.
#pragma once

#include <cstdint>

#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/common/CommonBkgdWidget.h"
#include "src/screens/common/DialogDrag.h"

class MenuHost;
class PauseHolds;

class ChangeModeDialog : public CommonBkgdWidget, public FeedbackButtonListener
{
public:
    enum ButtonId : int32_t
    {
        ButtonArcade = 0,
        ButtonQuest = 1,
        ButtonTimeAttack = 2,
        ButtonBack = 3,
    };

    explicit ChangeModeDialog(MenuHost& host);
    // Unlinks the buttons while this listener is still whole.
    ~ChangeModeDialog() override;

    DialogDrag drag;
    // The game screen's pause holds; null: BACK clears the paused flag.
    PauseHolds* pauses = nullptr;

    // Modal on the field at (201, 311), holding the game paused; nothing
    // while it is open.
    void Open(Framework::WidgetContainer* field);

    void ButtonClicked(int32_t id) override;
    void MouseDown(int32_t localX, int32_t localY, int32_t clickCount) override;
    void MouseDrag(int32_t localX, int32_t localY) override;
    void MouseUp(int32_t localX, int32_t localY, int32_t clickCount) override;

private:
    // Back to the menu on the panel in the mode, ending the game.
    void LeaveForMenu(int32_t panel, int32_t mode);

    MenuHost& host;
};
