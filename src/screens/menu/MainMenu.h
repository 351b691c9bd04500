// MainMenu: the menu background's panel with the five main choices -- the
// three game modes, the settings and quitting. Arcade and time attack lead to
// the difficulty selector, quest straight to the world selector.
#pragma once

#include <cstdint>

#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/common/CommonBkgdWidget.h"

class MenuHost;

class MainMenu : public CommonBkgdWidget, public FeedbackButtonListener
{
public:
    enum ButtonId : int32_t
    {
        ButtonArcade = 0,
        ButtonQuest = 1,
        ButtonTimeAttack = 2,
        ButtonSetting = 3,
        ButtonQuitGame = 4,
    };

    explicit MainMenu(MenuHost& host);
    // Unlinks the buttons while this listener is still whole.
    ~MainMenu() override;

    void ButtonClicked(int32_t id) override;

private:
    MenuHost& host;
};
