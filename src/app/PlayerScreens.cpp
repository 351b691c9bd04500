#include "src/app/PlayerScreens.h"

#include "framework/graphics/DDImage.h"
#include "src/app/GameApp.h"
#include "src/core/UserPaths.h"
#include "src/screens/dialogs/ConfigDialog.h"
#include "src/screens/dialogs/ExitDialog.h"
#include "src/screens/dialogs/WarningDialog.h"
#include "src/screens/menu/MenuPanels.h"
#include "src/screens/players/CreatePlayerDialog.h"
#include "src/screens/players/PlayerSelector.h"

PlayerScreens::PlayerScreens(GameApp& application)
    : gamePauses([&application](bool on) { application.SetPaused(on); }), app(application)
{
    selector = std::make_shared<PlayerSelector>(*this);
    createPlayerDialog = std::make_shared<CreatePlayerDialog>(*this, selector.get());
    configDialog = std::make_shared<ConfigDialog>(*this);
    app.exitDialog = std::make_shared<ExitDialog>(*this);
    app.warningDialog = std::make_shared<WarningDialog>(*this);
}

PlayerScreens::~PlayerScreens()
{
    if (app.avatarImage == gameAvatar.get())
    {
        app.avatarImage = nullptr;
    }
}

void PlayerScreens::Attach(MenuPanels& menu)
{
    menu.SetPlayerSelector(selector);
    menu.openSettings = [this](Framework::WidgetContainer& screen) { configDialog->ShowSettings(&screen); };
}

Framework::AppBase& PlayerScreens::Application()
{
    return app;
}

PlayerProfiles& PlayerScreens::Profiles()
{
    return app.profiles;
}

bool PlayerScreens::AddPlayer(const PlayerRecord& record)
{
    return app.AddPlayer(record);
}

void PlayerScreens::SetCurrentPlayer(const PlayerRecord& record)
{
    app.SetCurrentPlayer(record);
}

void PlayerScreens::ReloadAvatarImage()
{
    app.avatarImage = nullptr;
    gameAvatar = app.LoadImageFile(Game::AvatarFile(app.profiles.currentPlayer.GetAvatarPath()).string(), true);
    app.avatarImage = gameAvatar.get();
}

void PlayerScreens::ShowWarning(int32_t kind)
{
    app.ShowWarning(kind);
}

void PlayerScreens::ShowPanel(int32_t panel, bool fade)
{
    if (app.menuBackground)
    {
        app.menuBackground->SwitchToPanel(panel, fade);
    }
}

int32_t PlayerScreens::ShownPanel()
{
    return app.menuBackground ? app.menuBackground->GetPanel() : -1;
}

void PlayerScreens::ShowCreatePlayer()
{
    createPlayerDialog->Open(app.menuBackground.get());
}

void PlayerScreens::BeginQuit()
{
    app.BeginQuit();
}

void PlayerScreens::SetPaused(bool on)
{
    app.SetPaused(on);
}

void PlayerScreens::PlaySound(int32_t soundId)
{
    app.PlaySound(soundId);
}

void PlayerScreens::SetCursor(int32_t cursor)
{
    app.SetCursor(cursor);
}

PlayHost& PlayerScreens::Play()
{
    return app;
}

void PlayerScreens::PlayStageMusic(int32_t song)
{
    app.PlayStageMusic(song);
}

void PlayerScreens::ShowMainMenu(int32_t panel, bool fade)
{
    app.ShowMainMenu(panel, fade);
}

void PlayerScreens::ShowExitDialog()
{
    app.ShowExitDialog();
}

HighScoreTables& PlayerScreens::HighScores()
{
    return app.highScoreTables;
}
