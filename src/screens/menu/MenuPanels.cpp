#include "src/screens/menu/MenuPanels.h"

#include <algorithm>

#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonWidget.h"
#include "src/core/ResourceIds.h"
#include "src/screens/menu/ChooseStageDialog.h"
#include "src/screens/menu/DifficultySelector.h"
#include "src/screens/menu/MainMenu.h"
#include "src/screens/menu/WorldSelector.h"

MenuPanels::MenuPanels(MenuApp* application)
    : MenuBackground(application), FeedbackButtonListener(*this, ButtonFeedback::Style::HandOnly),
      mainMenu(std::make_shared<MainMenu>(*this)), difficultySelector(std::make_shared<DifficultySelector>(*this)),
      worldSelector(std::make_shared<WorldSelector>(*this))
{
    minimizeButton = MakeWindowButton(ButtonMinimize, IMAGE_MINMIZE_BUTTON, 733);
    maximizeButton = MakeWindowButton(ButtonMaximize, IMAGE_MAXMIZE_BUTTON, 752);
    exitButton = MakeWindowButton(ButtonExit, IMAGE_EXIT_BUTTON, 771);
}

MenuPanels::~MenuPanels()
{
    RemoveAllChildren();
}

std::shared_ptr<Framework::ButtonWidget> MenuPanels::MakeWindowButton(int32_t id, Framework::Image* strip,
                                                                      int32_t buttonX)
{
    auto button = std::make_shared<Framework::ButtonWidget>(id, this);
    button->Move(buttonX, 11);
    Framework::SetButtonImages(button.get(), strip, 17, 17, true);
    AddWidget(button.get());
    return button;
}

void MenuPanels::SetPlayerSelector(std::shared_ptr<Framework::Widget> selector)
{
    if (playerSelector)
    {
        RemoveWidget(playerSelector.get());
    }
    playerSelector = std::move(selector);
    if (playerSelector)
    {
        playerSelector->Move(219, 362);
    }
    SwitchToPanel(panel, false);
}

void MenuPanels::SwitchToPanel(int32_t newPanel, bool fade)
{
    MenuBackground::SwitchToPanel(newPanel, fade);
    if (fade)
    {
        fadeAlpha = 255;
    }
    Framework::Widget* const panels[] = {playerSelector.get(), mainMenu.get(), difficultySelector.get(),
                                         worldSelector.get()};
    Framework::Widget* requested = nullptr;
    for (int32_t i = 0; i < 4; ++i)
    {
        if (i == newPanel)
        {
            requested = panels[i];
        }
        else if (panels[i] != nullptr)
        {
            RemoveWidget(panels[i]);
        }
    }
    if (newPanel == Panels::World)
    {
        worldSelector->ResetWorldSelector();
    }
    if (requested != nullptr && !HasWidget(requested))
    {
        AddWidget(requested);
    }
}

void MenuPanels::Update()
{
    MenuBackground::Update();
    if (fadeAlpha <= 0)
    {
        fading = false;
        return; // at rest: nothing changes, nothing is redrawn
    }
    fadeAlpha = std::max(fadeAlpha - 5, 0);
    fading = fadeAlpha > 0;
    MarkDirty();
}

void MenuPanels::Draw(Framework::Graphics* g)
{
    MenuBackground::Draw(g);
    RequestOverlay(2);
}

void MenuPanels::DrawOverlay(Framework::Graphics* g)
{
    if (fadeAlpha <= 0)
    {
        return;
    }
    g->SetColor(Framework::Color(0, 0, 0, fadeAlpha));
    g->FillRect(0, 0, width, height);
}

void MenuPanels::ButtonClicked(int32_t id)
{
    switch (id)
    {
        case ButtonMinimize:
            app->MinimiseWindow();
            break;
        case ButtonMaximize:
            app->ToggleScreenMode();
            break;
        case ButtonExit:
            app->ShowExitDialog();
            break;
        default:
            break;
    }
}

void MenuPanels::PlaySound(int32_t soundId)
{
    app->PlaySound(soundId);
}

void MenuPanels::SetCursor(int32_t cursor)
{
    app->SetCursor(cursor);
}

void MenuPanels::SetGameMode(int32_t mode)
{
    app->SetGameMode(mode);
}

int32_t MenuPanels::GetGameMode() const
{
    return app->GetGameMode();
}

void MenuPanels::SetDifficulty(int32_t difficulty)
{
    app->SetDifficulty(difficulty);
}

void MenuPanels::SetWorld(int32_t world)
{
    app->SetWorld(world);
}

int32_t MenuPanels::GetWorld() const
{
    return app->GetWorld();
}

int32_t MenuPanels::WorldProgress() const
{
    return app->WorldProgress();
}

void MenuPanels::StageReached(int32_t stageId)
{
    app->StageReached(stageId);
}

void MenuPanels::StartGame()
{
    app->StartGame();
}

void MenuPanels::ShowMainMenu(int32_t newPanel, bool fade)
{
    app->ShowMainMenu(newPanel, fade);
}

void MenuPanels::ShowExitDialog()
{
    app->ShowExitDialog();
}

void MenuPanels::SetPaused(bool paused)
{
    app->SetPaused(paused);
}

void MenuPanels::ResetStage()
{
    app->ResetStage();
}

void MenuPanels::ReleaseGameEffects()
{
    app->ReleaseGameEffects();
}

void MenuPanels::ShowPanel(int32_t newPanel, bool fade)
{
    SwitchToPanel(newPanel, fade);
}

void MenuPanels::ShowSettings()
{
    if (openSettings)
    {
        openSettings(*this);
    }
}

void MenuPanels::ResetStageChooser()
{
    worldSelector->stageChooser->ResetStageChooser();
}
