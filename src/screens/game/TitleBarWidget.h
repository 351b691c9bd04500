// TitleBarWidget: the game screen's top band, 800 x 25 at (0, 0) -- the
// program's title and the mode label ("Arcade mode-hard", "Quest
// mode-Stage 3") in the bold image font, and the window buttons the menu
// has: minimise, full screen <-> window (ToggleScreenMode) and exit (the
// exit dialog). The label is drawn again whenever the game's mode,
// difficulty or stage changes it. The window itself is dragged by the
// application's drag band over this bar; a left press in a window only
// remembers where it started, and its release restores the arrow.
//
// The host and the images are only referenced. Main thread only.
#pragma once

#include <cstdint>
#include <string>

#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/common/CommonBkgdWidget.h"

namespace Framework
{
class ButtonWidget;
class Image;
} // namespace Framework

class GameDialogHost;

class TitleBarWidget : public CommonBkgdWidget, public FeedbackButtonListener
{
public:
    enum ButtonId : int32_t
    {
        MinimizeId = 0,
        MaximizeId = 1,
        ExitId = 2,
    };

    TitleBarWidget(GameDialogHost& dialogHost, Framework::Image* titleImage);
    ~TitleBarWidget() override;

    // "Quest mode-Stage N" with N = stageId mod 10000 + 1 in the quest,
    // else the mode's name, " mode-" and the difficulty's name.
    static std::string ModeLabel(int32_t mode, int32_t difficulty, int32_t stageId);
    static std::string ModeName(int32_t mode);
    static std::string DifficultyName(int32_t difficulty);
    // The label of the game in play.
    std::string CurrentLabel() const;

    void Update() override;
    void Draw(Framework::Graphics* g) override;
    void ButtonClicked(int32_t id) override;
    void MouseDown(int32_t localX, int32_t localY, int32_t clickCount) override;
    void MouseUp(int32_t localX, int32_t localY, int32_t clickCount) override;
    using CommonBkgdWidget::MouseDown;
    using CommonBkgdWidget::MouseUp;

    int32_t pressX = 0;
    int32_t pressY = 0;
    bool pressed = false;
    // The label last drawn.
    std::string shownLabel;
    Framework::ButtonWidget* minimizeButton = nullptr;
    Framework::ButtonWidget* maximizeButton = nullptr;
    Framework::ButtonWidget* exitButton = nullptr;

private:
    GameDialogHost& host;
};
