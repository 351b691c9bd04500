// ChooseStageDialog: the quest stage chooser over the world selector. Its
// sixteen stage buttons open as far as the current player has come in the
// current world (stage 1 always, then one past the progress); a stage button
// starts that stage, the close button brings the spheres back.
#pragma once

#include <cstdint>

#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/common/CommonBkgdWidget.h"

class MenuHost;
class WorldSelector;

class ChooseStageDialog : public CommonBkgdWidget, public FeedbackButtonListener
{
public:
    static constexpr int32_t StageCount = 16;
    static constexpr int32_t ButtonClose = 100;

    ChooseStageDialog(MenuHost& host, WorldSelector* selector);
    // Unlinks the buttons while this listener is still whole.
    ~ChooseStageDialog() override;

    // Stage buttons 0 to p enabled for progress p (0 to 15), the rest
    // disabled.
    void ResetStageChooser();
    Framework::ButtonWidget* StageButton(int32_t index) const;

    void Draw(Framework::Graphics* g) override;
    void ButtonClicked(int32_t id) override;

private:
    MenuHost& host;
    WorldSelector* selector;
};
