#include "src/screens/menu/MainMenu.h"

#include "src/screens/common/MenuHost.h"
#include "src/core/ResourceIds.h"

MainMenu::MainMenu(MenuHost& menuHost)
    : CommonBkgdWidget(IMAGE_UI_MAIN), FeedbackButtonListener(menuHost, ButtonFeedback::Style::SoundThenHand),
      host(menuHost)
{
    Move(301, 363);
    AddImageButton(ButtonArcade, this, IMAGE_ARCADE, 126, 20, 3, 38, 51);
    AddImageButton(ButtonQuest, this, IMAGE_QUEST, 116, 20, 3, 42, 71);
    AddImageButton(ButtonTimeAttack, this, IMAGE_TIMEATTACK, 112, 18, 4, 44, 91);
    AddImageButton(ButtonSetting, this, IMAGE_SETTING, 84, 19, 3, 56, 111);
    AddImageButton(ButtonQuitGame, this, IMAGE_QUITGAME, 102, 20, 3, 47, 131);
}

MainMenu::~MainMenu()
{
    RemoveAllChildren();
}

void MainMenu::ButtonClicked(int32_t id)
{
    switch (id)
    {
        case ButtonArcade:
            host.SetGameMode(Game::ModeArcade);
            host.ShowPanel(Panels::Difficulty, false);
            break;
        case ButtonQuest:
            host.SetGameMode(Game::ModeQuest);
            host.ShowPanel(Panels::World, false);
            break;
        case ButtonTimeAttack:
            host.SetGameMode(Game::ModeTime);
            host.ShowPanel(Panels::Difficulty, false);
            break;
        case ButtonSetting:
            host.ShowSettings();
            break;
        case ButtonQuitGame:
            host.ShowExitDialog();
            break;
        default:
            break;
    }
}
