// MenuPanels: the menu background with the selection panels in it -- the
// main menu, the difficulty selector and the world selector -- and the
// MenuHost those panels and the change-mode dialog talk to, answered by the
// application object. The application builds it once in place of the bare
// menu background; every panel switch (ShowMainMenu included) goes through
// SwitchToPanel, which puts the requested panel on top of the backdrop and
// takes the others away. The player selector of panel 0 comes from the
// player screens through SetPlayerSelector.
//
// SETTING opens the settings dialog through openSettings, which the player
// screens set (the dialog is theirs); without it SETTING does nothing.
//
// It also carries what the borderless window needs on the menu -- minimise,
// full screen <-> window, and exit buttons -- and the fade from black over
// everything below draw priority 2: 255 at construction and on every faded
// switch, 5 less per update.
//
// Owns the three panels and the window buttons (shared); the application
// (MenuApp) is only referenced.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/common/MenuHost.h"
#include "src/screens/menu/MenuApp.h"
#include "src/screens/menu/MenuBackground.h"

namespace Framework
{
class ButtonWidget;
}

class DifficultySelector;
class MainMenu;
class WorldSelector;

class MenuPanels : public MenuBackground, public MenuHost, public FeedbackButtonListener
{
public:
    enum WindowButton : int32_t
    {
        ButtonMinimize = 0,
        ButtonMaximize = 1,
        ButtonExit = 2,
    };

    explicit MenuPanels(MenuApp* application);
    ~MenuPanels() override;

    std::shared_ptr<Framework::Widget> playerSelector;
    std::shared_ptr<MainMenu> mainMenu;
    std::shared_ptr<DifficultySelector> difficultySelector;
    std::shared_ptr<WorldSelector> worldSelector;
    std::shared_ptr<Framework::ButtonWidget> minimizeButton;
    std::shared_ptr<Framework::ButtonWidget> maximizeButton;
    std::shared_ptr<Framework::ButtonWidget> exitButton;
    int32_t fadeAlpha = 255;
    // Opens the settings dialog over this screen.
    std::function<void(Framework::WidgetContainer& screen)> openSettings;

    // Panel 0's screen, moved to (219, 362); shown at once when panel 0 is.
    void SetPlayerSelector(std::shared_ptr<Framework::Widget> selector);
    void SwitchToPanel(int32_t newPanel, bool fade) override;
    void Update() override;
    void Draw(Framework::Graphics* g) override;
    void DrawOverlay(Framework::Graphics* g) override;
    void ButtonClicked(int32_t id) override;

    // --- MenuHost ---
    void PlaySound(int32_t soundId) override;
    void SetCursor(int32_t cursor) override;
    void SetGameMode(int32_t mode) override;
    int32_t GetGameMode() const override;
    void SetDifficulty(int32_t difficulty) override;
    void SetWorld(int32_t world) override;
    int32_t GetWorld() const override;
    int32_t WorldProgress() const override;
    void StageReached(int32_t stageId) override;
    void StartGame() override;
    void ShowMainMenu(int32_t newPanel, bool fade) override;
    void ShowExitDialog() override;
    void SetPaused(bool paused) override;
    void ResetStage() override;
    void ReleaseGameEffects() override;
    void ShowPanel(int32_t newPanel, bool fade) override;
    void ShowSettings() override;
    void ResetStageChooser() override;

private:
    std::shared_ptr<Framework::ButtonWidget> MakeWindowButton(int32_t id, Framework::Image* strip, int32_t buttonX);
};
