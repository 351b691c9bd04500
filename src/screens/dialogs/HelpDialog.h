// HelpDialog: the ten pages of tips, 535 x 555, placed by the play field at
// (0, 0). Not modal: the title bar above it stays live. Pages run common 1
// and 2, then air, fire, water and earth with two pages each; the arrows
// page through them wrapping both ways, and the page shown stays between
// openings. While open it holds the game paused; CLOSE lets go and takes it
// off the field. Built once per game screen; the host and the page images
// are only referenced. Main thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/widgets/Widget.h"
#include "src/screens/common/ButtonFeedback.h"

namespace Framework
{
class ButtonWidget;
class Image;
} // namespace Framework

class GameDialogHost;

class HelpDialog : public Framework::Widget, public FeedbackButtonListener
{
public:
    enum ButtonId : int32_t
    {
        NextId = 0,
        PreviousId = 1,
        CloseId = 2,
    };
    static constexpr int32_t PageCount = 10;

    explicit HelpDialog(GameDialogHost& dialogHost);
    ~HelpDialog() override;

    // Shown on the field, holding the game paused; nothing while it shows.
    void Open(Framework::WidgetContainer* field);
    void Close();
    bool IsOpen() const { return parent != nullptr; }

    // The image of a page (0 to 9), null outside.
    static Framework::Image* PageImage(int32_t page);

    void Draw(Framework::Graphics* g) override;
    void ButtonClicked(int32_t id) override;

    int32_t page = 0;
    std::shared_ptr<Framework::ButtonWidget> nextButton;
    std::shared_ptr<Framework::ButtonWidget> previousButton;
    std::shared_ptr<Framework::ButtonWidget> closeButton;

private:
    GameDialogHost& host;
};
