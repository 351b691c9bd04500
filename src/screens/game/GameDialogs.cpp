#include "src/screens/game/GameDialogs.h"

#include "framework/widgets/Widget.h"
#include "src/core/ResourceIds.h"
#include "src/screens/dialogs/ChangeModeDialog.h"
#include "src/screens/dialogs/ConfigDialog.h"
#include "src/screens/dialogs/CongratulationDialog.h"
#include "src/screens/dialogs/ContinueDialog.h"
#include "src/screens/dialogs/GameDialogHost.h"
#include "src/screens/dialogs/HelpDialog.h"
#include "src/screens/dialogs/HighScoreDialog.h"
#include "src/screens/game/OverlayWidget.h"
#include "src/screens/game/TitleBarWidget.h"

GameDialogs::GameDialogs(GameDialogHost& dialogHost, Framework::Widget& gameBoard, Framework::Widget& playField,
                         PlayFieldControls& fieldControls)
    : host(dialogHost), board(gameBoard), field(playField)
{
    titleBar = std::make_shared<TitleBarWidget>(host, IMAGE_TITLEBAR);
    board.AddWidget(titleBar.get());
    overlay = std::make_shared<OverlayWidget>(host);
    overlay->onResume = [this]
    {
        if (showPauseButton)
        {
            showPauseButton(true);
        }
    };
    helpDialog = std::make_shared<HelpDialog>(host);
    continueDialog = std::make_shared<ContinueDialog>(host, fieldControls);
    congratulationDialog = std::make_shared<CongratulationDialog>(host);
    highScoreDialog = std::make_shared<HighScoreDialog>(host, fieldControls);
    configDialog = std::make_shared<ConfigDialog>(host);
}

GameDialogs::~GameDialogs()
{
    Framework::Widget* const widgets[] = {
        titleBar.get(),        overlay.get(),     helpDialog.get(), continueDialog.get(), congratulationDialog.get(),
        highScoreDialog.get(), configDialog.get()};
    for (Framework::Widget* widget : widgets)
    {
        if (widget->parent != nullptr)
        {
            widget->parent->RemoveWidget(widget);
        }
    }
}

void GameDialogs::ShowHighScores(int32_t rank, bool atStageEnd)
{
    highScoreDialog->Open(&field, atStageEnd ? HighScoreDialog::GameEnd : HighScoreDialog::Viewing, rank);
}

void GameDialogs::ShowCongratulation()
{
    congratulationDialog->Open(&field);
}

void GameDialogs::ShowHelp()
{
    helpDialog->Open(&field);
}

void GameDialogs::ShowSettings()
{
    configDialog->ShowSettings(&field);
}

void GameDialogs::ShowChangeMode()
{
    if (changeMode == nullptr)
    {
        return;
    }
    changeMode->pauses = host.GamePauses();
    changeMode->Open(&field);
}

void GameDialogs::ShowPause()
{
    if (overlay->IsShown())
    {
        return;
    }
    if (showPauseButton)
    {
        showPauseButton(false);
    }
    overlay->Show(&board);
}
