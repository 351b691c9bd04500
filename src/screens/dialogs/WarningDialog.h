// WarningDialog: tells the player why a request was refused (kind 0: the
// name exists already, 1: the name is empty, 2: a player must be created
// first). Built once by the application, 490 x 107 at (155, 215); Show adds
// it to the widget manager itself, above whatever screen shows, as a modal
// dialog; BACK closes it. The images are the resource manager's.
#pragma once

#include <cstdint>

#include "src/core/GameTypes.h"
#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/common/CommonBkgdWidget.h"

namespace Framework
{
class ButtonWidget;
class Image;
} // namespace Framework

class PlayerScreenHost;

class WarningDialog : public CommonBkgdWidget, public FeedbackButtonListener
{
public:
    enum ButtonId : int32_t
    {
        BackId = 0,
    };

    explicit WarningDialog(PlayerScreenHost& screenHost);
    ~WarningDialog() override;

    // Kinds 0 to 2 choose the image; another kind keeps the previous one.
    void SetKind(int32_t kind);
    // SetKind, then on top of the widget manager as a modal dialog (once,
    // however often it is asked while open).
    void Show(int32_t kind);
    void Close();
    bool IsShown() const;

    void Draw(Framework::Graphics* g) override;
    void ButtonClicked(int32_t id) override;

    Framework::Image* image = nullptr;
    int32_t kind = -1;
    Framework::ButtonWidget* backButton = nullptr;

private:
    PlayerScreenHost& host;
};
