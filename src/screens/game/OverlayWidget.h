// OverlayWidget: the pause overlay, 800 x 575, placed by the game screen at
// (0, 25) under the title bar. It greys the game out and, lying over the
// whole play field and hit everywhere, takes every click there, so the
// field cannot be played while it shows. RESUME takes it away, lets go of
// the game and tells the game screen (onResume: the PAUSE button shows
// again). While shown it holds the game paused. Main thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/widgets/Widget.h"
#include "src/screens/common/ButtonFeedback.h"

namespace Framework
{
class ButtonWidget;
}

class GameDialogHost;

class OverlayWidget : public Framework::Widget, public FeedbackButtonListener
{
public:
    enum ButtonId : int32_t
    {
        ResumeId = 0,
    };

    explicit OverlayWidget(GameDialogHost& dialogHost);
    ~OverlayWidget() override;

    // Added to the game screen, holding the game paused; nothing while shown.
    void Show(Framework::WidgetContainer* gameScreen);
    void Resume();
    bool IsShown() const { return parent != nullptr; }

    void Draw(Framework::Graphics* g) override;
    void ButtonClicked(int32_t id) override;

    std::shared_ptr<Framework::ButtonWidget> resumeButton;
    std::function<void()> onResume;

private:
    GameDialogHost& host;
};
