// PlayerScreens: the player screens of the running game and the host they
// talk to, answered by the application object. Built once with the main
// screen: it makes the player selector (panel 0 of the menu background), the
// create-player dialog, the menu's settings dialog, and the application's
// exit and warning dialogs.
//
// It answers the game screen's dialogs too (GameDialogHost) and keeps the
// game's pause holds.
//
// It owns the selector and the two dialogs (shared, the menu
// background holds the selector too) and the avatar picture shown during
// play, which the application references as avatarImage. The application
// must release its exit and warning dialogs before this object goes.
// Main thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "src/screens/common/PauseHolds.h"
#include "src/screens/dialogs/GameDialogHost.h"

namespace Framework
{
class DDImage;
}

class ConfigDialog;
class CreatePlayerDialog;
class GameApp;
class MenuPanels;
class PlayerSelector;

class PlayerScreens : public GameDialogHost
{
public:
    explicit PlayerScreens(GameApp& application);
    ~PlayerScreens() override;
    PlayerScreens(const PlayerScreens&) = delete;
    PlayerScreens& operator=(const PlayerScreens&) = delete;

    // Puts the selector into the menu background as its panel 0; SETTING
    // opens the settings dialog over it.
    void Attach(MenuPanels& menu);

    std::shared_ptr<PlayerSelector> selector;
    std::shared_ptr<CreatePlayerDialog> createPlayerDialog;
    std::shared_ptr<ConfigDialog> configDialog;
    std::unique_ptr<Framework::DDImage> gameAvatar;
    // Who keeps the game in play paused: begun with each game, ended by the
    // way back to the menu.
    PauseHolds gamePauses;

    // --- PlayerScreenHost ---
    Framework::AppBase& Application() override;
    PlayerProfiles& Profiles() override;
    bool AddPlayer(const PlayerRecord& record) override;
    void SetCurrentPlayer(const PlayerRecord& record) override;
    void ReloadAvatarImage() override;
    void ShowWarning(int32_t kind) override;
    void ShowPanel(int32_t panel, bool fade) override;
    int32_t ShownPanel() override;
    void ShowCreatePlayer() override;
    void BeginQuit() override;
    void SetPaused(bool on) override;
    PauseHolds* GamePauses() override { return &gamePauses; }
    void PlaySound(int32_t soundId) override;
    void SetCursor(int32_t cursor) override;

    // --- GameDialogHost ---
    PlayHost& Play() override;
    void PlayStageMusic(int32_t song) override;
    void ShowMainMenu(int32_t panel, bool fade) override;
    void ShowExitDialog() override;
    HighScoreTables& HighScores() override;

private:
    GameApp& app;
};
