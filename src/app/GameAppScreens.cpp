// GameApp's screens: the main screen built once, the menus and the game
// screen shown, the exit and warning dialogs, the window buttons' operations
// and the quit through the fade.
#include "src/app/GameApp.h"

#include <algorithm>
#include <cstdio>

#include "external/lumora/ParticleSystemManager.h"
#include "framework/widgets/WidgetManager.h"
#include "src/app/FadeWidget.h"
#include "src/app/PlayerScreens.h"
#include "src/core/UserPaths.h"
#include "src/effects/SpriteAnimation.h"
#include "src/screens/dialogs/ExitDialog.h"
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
    // The settings dialog's sliders take the volumes here once it exists.
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
    // The board's settings dialog takes the volumes here once it exists.
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
    if (windowed)
    {
        SetScreenMode(false, is3D, false);
        return;
    }
    // -1 means "never placed": the window is then centred, not cornered.
    if (preferredX != -1)
    {
        preferredX = std::max(preferredX, 0);
        preferredY = std::max(preferredY, 0);
    }
    SetScreenMode(true, is3D, false);
    InstallDragBand();
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
