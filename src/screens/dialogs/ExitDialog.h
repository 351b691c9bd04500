// ExitDialog: asks whether to quit. Built once by the application, 490 x 107
// at (155, 215) with draw priority 5; Show adds it to the widget manager
// itself, above whatever screen shows, as a modal dialog. YES starts the
// quit fade; YES and NO both unpause the game and close the dialog, so the
// game keeps running under the darkening screen until the fade ends it.
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
