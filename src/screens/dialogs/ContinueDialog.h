// ContinueDialog: asks after a lost game whether to play on, 132 x 50 with
// draw priority 4, placed by the play field at (197, 280). Its picture
// (IMAGE_CONTINUE) is drawn as an overlay of priority 4, centred at (82, 55)
// and pulsing once per opening: 0.02 larger per drawing until 1.2, then
// 0.02 smaller until back at 1.0, where it stays. Each drawing of an
// unsettled pulse asks for the next one, so it pulses while the game is
// paused and nothing updates.
//
// YES plays on: the same quest stage again, or a new field of the world in
// the other modes; NO goes back to the main menu. Either way the dialog
// lets go of the game, leaves the modal stack and the field. No stage end
// opens it today (a lost game shows the high-score dialog, whose TRY AGAIN
// does the same); it is built and ready. Main thread only.
#pragma once

#include <cstdint>

#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/common/CommonBkgdWidget.h"

namespace Framework
{
class ButtonWidget;
}

class GameDialogHost;
class PlayFieldControls;

class ContinueDialog : public CommonBkgdWidget, public FeedbackButtonListener
{
public:
    enum ButtonId : int32_t
    {
        YesId = 0,
        NoId = 1,
    };
    static constexpr float PulseStep = 0.02f;
    static constexpr float PulsePeak = 1.2f;

    ContinueDialog(GameDialogHost& dialogHost, PlayFieldControls& playField);
    ~ContinueDialog() override;

    // Modal on the field, holding the game paused; nothing while open.
    void Open(Framework::WidgetContainer* field);

    void Draw(Framework::Graphics* g) override;
    void DrawOverlay(Framework::Graphics* g) override;
    void ButtonClicked(int32_t id) override;

    // One drawing's step of the pulse.
    void AdvancePulse();

    float pulseScale = 1.0f;
    bool pulseGrowing = true;
    Framework::ButtonWidget* yesButton = nullptr;
    Framework::ButtonWidget* noButton = nullptr;

private:
    void PlayOn();
    void Close();

    GameDialogHost& host;
    PlayFieldControls& field;
};
