// CongratulationDialog: shown when a quest world's last stage is cleared,
// 600 x 331, placed by the play field at (-20, 70). A player with every
// world at stage 15 sees the all-clear picture; otherwise the one-world
// picture with the current world's word at (418, 166). BACK TO MENU ends
// the game and returns to the main menu (the menu switch takes the dialog
// away with the game screen). Modal while open, holding the game paused.
// Main thread only.
#pragma once

#include <cstdint>

#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/common/CommonBkgdWidget.h"

namespace Framework
{
class ButtonWidget;
class Image;
} // namespace Framework

class GameDialogHost;

class CongratulationDialog : public CommonBkgdWidget, public FeedbackButtonListener
{
public:
    enum ButtonId : int32_t
    {
        BackToMenuId = 0,
    };
    static constexpr int32_t LastStage = 15;

    explicit CongratulationDialog(GameDialogHost& dialogHost);
    ~CongratulationDialog() override;

    void Open(Framework::WidgetContainer* field);
    // Whether the current player has reached stage 15 in all four worlds.
    bool AllWorldsCleared() const;
    // The word of a world (1 to 4), null for another.
    static Framework::Image* WorldWord(int32_t world);

    void Draw(Framework::Graphics* g) override;
    void ButtonClicked(int32_t id) override;

    Framework::ButtonWidget* backButton = nullptr;

private:
    GameDialogHost& host;
};
