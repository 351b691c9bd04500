// GameApp's screens: the main screen built once, the menus and the game
// screen shown, the exit and warning dialogs, the window buttons' operations
// and the quit through the fade.
#include "src/app/GameApp.h"

#include <cstdio>

#include "external/lumora/ParticleSystemManager.h"
#include "framework/widgets/WidgetManager.h"
#include "src/app/FadeWidget.h"
#include "src/app/PlayerScreens.h"
#include "src/core/UserPaths.h"
#include "src/effects/SpriteAnimation.h"
#include "src/screens/dialogs/ExitDialog.h"
#include "src/screens/common/ScreenMode.h"
#include "src/screens/dialogs/WarningDialog.h"
#include "src/screens/game/Board.h"
#include "src/screens/menu/MenuPanels.h"

void GameApp::ShowMainScreen()
{
    if (mainScreenBuilt)
    {
        return;
    }
    mainScreenBuilt = true;
    if (statsOutput)
    {
        std::fprintf(stderr, "Main Screen Time: %d\n", static_cast<int>(clock->NowMs() - StartTimeMs()));
    }
    LoadPlayers();
    highScoreTables.LoadRecords(Game::RecordsPath());
    playerScreens = std::make_unique<PlayerScreens>(*this);
    auto menuPanels = std::make_shared<MenuPanels>(this);
    playerScreens->Attach(*menuPanels);
    menuBackground = menuPanels;
    InstallDragBand();
    ShowMainMenu(0, false);
}

void GameApp::InstallDragBand()
{
    SetWindowDragBand(26, 720, 797);
}

void GameApp::ShowMainMenu(int32_t panel, bool fade)
{
    if (!menuBackground)
    {
        return;
    }
    menuBackground->Resize(0, 0, 800, 600);
    menuBackground->SwitchToPanel(panel, fade);
    // The menus never pause: whatever held the game lets go with it. (The
    // settings dialogs take the volumes as they open.)
    if (playerScreens)
    {
        playerScreens->gamePauses.End();
    }
    widgetManager->RemoveAllChildren();
    widgetManager->AddWidget(menuBackground.get());
    widgetManager->SetFocus(menuBackground.get());
    PlayMainScreenMusic();
}

void GameApp::StartGame()
{
    score = 0;
    displayedScore = 0;
    if (board)
    {
        // The old field leaves the effect and particle managers as it goes.
        widgetManager->RemoveWidget(board.get());
        board.reset();
    }
    // Sparks still flying would keep the old field's drawing context. The
    // animation list stays: the stage chooser has just put the stage tip in.
    Lumora::ParticleSystemManager::Release();
    board = std::make_shared<Board>(*this, dynamic_cast<MenuHost*>(menuBackground.get()));
    board->Resize(0, 0, 800, 600);
    // The field's set-up may have changed the world (a quest stage file).
    board->ShowWorldBackground(world);
    if (playerScreens)
    {
        board->MakeDialogs(*playerScreens);
        playerScreens->gamePauses.Begin();
    }
    shotsUntilPushDown = Game::ShotsPerPushDown;
    widgetManager->RemoveAllChildren();
    widgetManager->AddWidget(board.get());
    widgetManager->SetFocus(board.get());
    PlayStageMusic(-1);
    songDelay = 0;
    TraceStageStart();
}

void GameApp::ShowExitDialog()
{
    if (exitDialog)
    {
        exitDialog->Show();
    }
}

void GameApp::ShowWarning(int32_t kind)
{
    if (warningDialog)
    {
        warningDialog->Show(kind);
    }
}

void GameApp::ReleaseGameEffects()
{
    SpriteAnimationManager::Release();
    Lumora::ParticleSystemManager::Release();
}

void GameApp::MinimiseWindow()
{
    if (platform)
    {
        platform->MinimiseMainWindow();
    }
}

void GameApp::ToggleScreenMode()
{
    ::ToggleScreenMode(*this);
}

void GameApp::CloseRequestHook()
{
    // Closing the window asks as the menu's quit does; without the exit
    // dialog it quits at once through the fade.
    if (exitDialog)
    {
        ShowExitDialog();
    }
    else
    {
        BeginQuit();
    }
}

void GameApp::BeginQuit()
{
    if (widgetManager && fadeWidget && !widgetManager->HasWidget(fadeWidget.get()))
    {
        widgetManager->AddWidget(fadeWidget.get());
    }
}
