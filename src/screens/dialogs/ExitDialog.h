// ExitDialog: asks whether to quit. Built once by the application, 490 x 107
// at (155, 215) with draw priority 5; Show adds it to the widget manager
// itself, above whatever screen shows, as a modal dialog; over a game it
// holds the game paused (PlayerScreenHost::GamePauses). YES starts the quit
// fade and lets the game run, so it keeps running under the darkening
// screen until the fade ends it; NO lets go of the game, which stays paused
// while another screen (the pause overlay, an in-game dialog) holds it.
#pragma once

#include <cstdint>

#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/common/CommonBkgdWidget.h"

namespace Framework
{
class ButtonWidget;
}

class PlayerScreenHost;

class ExitDialog : public CommonBkgdWidget, public FeedbackButtonListener
{
public:
    enum ButtonId : int32_t
    {
        YesId = 0,
        NoId = 1,
    };

    explicit ExitDialog(PlayerScreenHost& screenHost);
    ~ExitDialog() override;

    // On top of the widget manager as a modal dialog (once, however often it
    // is asked while open).
    void Show();
    void Close();
    bool IsShown() const;

    void Draw(Framework::Graphics* g) override;
    void ButtonClicked(int32_t id) override;

    Framework::ButtonWidget* yesButton = nullptr;
    Framework::ButtonWidget* noButton = nullptr;

private:
    PlayerScreenHost& host;
};
