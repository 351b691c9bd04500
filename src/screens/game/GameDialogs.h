// GameDialogs: what the game screen carries besides the play field -- the
// title bar (added over the board's top), the pause overlay, and the help,
// continue, congratulation, high-score and settings dialogs at their places
// on the field -- and the InGameScreens the field opens them through. The
// field's change-mode dialog and its PAUSE button are the board's to hand
// in (changeMode, showPauseButton); the dialogs restart stages through the
// field's building blocks (PlayFieldControls).
//
// Made by the board once per game and destroyed with it; owns the widgets
// (shared), which it takes off their parents when it goes. The host, the
// board, the field and its controls outlive it. Main thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "src/screens/common/InGameScreens.h"

namespace Framework
{
class Widget;
}

class ChangeModeDialog;
class CongratulationDialog;
class ConfigDialog;
class ContinueDialog;
class GameDialogHost;
class HelpDialog;
class HighScoreDialog;
class OverlayWidget;
class PlayFieldControls;
class TitleBarWidget;

class GameDialogs final : public InGameScreens
{
public:
    GameDialogs(GameDialogHost& dialogHost, Framework::Widget& gameBoard, Framework::Widget& playField,
                PlayFieldControls& fieldControls);
    ~GameDialogs();
    GameDialogs(const GameDialogs&) = delete;
    GameDialogs& operator=(const GameDialogs&) = delete;

    void ShowHighScores(int32_t rank, bool atStageEnd) override;
    void ShowCongratulation() override;
    void ShowHelp() override;
    void ShowSettings() override;
    void ShowChangeMode() override;
    // The PAUSE button hides until RESUME.
    void ShowPause() override;

    std::shared_ptr<TitleBarWidget> titleBar;
    std::shared_ptr<OverlayWidget> overlay;
    std::shared_ptr<HelpDialog> helpDialog;
    std::shared_ptr<ContinueDialog> continueDialog;
    std::shared_ptr<CongratulationDialog> congratulationDialog;
    std::shared_ptr<HighScoreDialog> highScoreDialog;
    std::shared_ptr<ConfigDialog> configDialog;
    // The field's change-mode dialog; null: CHANGE MODE shows nothing.
    ChangeModeDialog* changeMode = nullptr;
    // Hides the field's PAUSE button while the overlay shows.
    std::function<void(bool shown)> showPauseButton;

private:
    GameDialogHost& host;
    Framework::Widget& board;
    Framework::Widget& field;
};
