#include "src/MenuPanels.h"

#include "external/lumora/ParticleSystemManager.h"
#include "src/ChooseStageDialog.h"
#include "src/DifficultySelector.h"
#include "src/GameApp.h"
#include "src/MainMenu.h"
#include "src/WorldSelector.h"

MenuPanels::MenuPanels(GameApp* application)
    : MenuBackground(application), mainMenu(std::make_shared<MainMenu>(*this)),
      difficultySelector(std::make_shared<DifficultySelector>(*this)),
      worldSelector(std::make_shared<WorldSelector>(*this))
{
}

MenuPanels::~MenuPanels()
{
    RemoveWidget(mainMenu.get());
    RemoveWidget(difficultySelector.get());
    RemoveWidget(worldSelector.get());
}

void MenuPanels::SwitchToPanel(int32_t newPanel, bool fade)
{
    MenuBackground::SwitchToPanel(newPanel, fade);
    Framework::Widget* const panels[] = {mainMenu.get(), difficultySelector.get(), worldSelector.get()};
    Framework::Widget* requested = nullptr;
    for (int32_t i = 0; i < 3; ++i)
    {
        if (newPanel == MenuHost::PanelMainMenu + i)
        {
            requested = panels[i];
        }
        else
        {
            RemoveWidget(panels[i]);
        }
    }
    if (newPanel == MenuHost::PanelWorld)
    {
        worldSelector->ResetWorldSelector();
    }
    if (requested != nullptr && !HasWidget(requested))
    {
        AddWidget(requested);
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
    // The running sprite animations join here once they exist.
    Lumora::ParticleSystemManager::Release();
}

void MenuPanels::ShowPanel(int32_t newPanel, bool fade)
{
    SwitchToPanel(newPanel, fade);
}

void MenuPanels::ShowSettings()
{
    // The settings dialog opens here once it exists.
}

void MenuPanels::ResetStageChooser()
{
    worldSelector->stageChooser->ResetStageChooser();
}
