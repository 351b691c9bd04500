// Dialog: the generic message box: a header, word-wrapped lines, a footer
// and a row of up to two buttons (YES / NO, OK / CANCEL, or one button
// labelled with the footer). The labels come from a string table
// ("DIALOG_BUTTON_YES", "DIALOG_BUTTON_NO", "DIALOG_BUTTON_OK",
// "DIALOG_BUTTON_CANCEL") and fall back to the English words.
//
// The buttons are top-level widgets of the widget manager: they join the
// manager right in front of the dialog when the dialog joins the tree, leave
// with it, follow it when it moves and come back in front of it when its
// order changes. The dialog owns them.
//
// Answer: result stays NoResult until a button is clicked; RunUntilAnswered
// runs the application's loop (through the ControlHost) until then. The
// dialog can be dragged with a left press outside its buttons and stays
// inside its parent.
//
// Colour table: 0 header, 1 lines, 2 footer, 3 button label, 4 button label
// under the pointer, 5 background and 6 outline of the plain frame (used
// without a frame image). Images are only referenced; the listener and the
// string table must outlive the dialog. Main thread only.
#pragma once

#include <climits>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "framework/graphics/Font.h"
#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/DialogListener.h"
#include "framework/widgets/Widget.h"

namespace Framework
{

class Dialog : public Widget, public ButtonListener
{
public:
    enum ButtonId : int32_t
    {
        ID_YES = 1000,
        ID_NO = 1001,
        ID_OK = 1000,
        ID_CANCEL = 1001,
        ID_FOOTER = 1000,
    };
    enum ButtonMode : int32_t
    {
        BUTTONS_NONE = 0,
        BUTTONS_YES_NO = 1,
        BUTTONS_OK_CANCEL = 2,
        BUTTONS_FOOTER = 3,
    };
    enum ColorIndex : int32_t
    {
        ColorHeader = 0,
        ColorLines = 1,
        ColorFooter = 2,
        ColorButtonText = 3,
        ColorButtonTextHover = 4,
        ColorBackground = 5,
        ColorOutline = 6,
    };
    static constexpr int32_t NoResult = INT32_MAX;

    using StringTable = std::map<std::string, std::string>;

    // frameImage and buttonImage may be null (plain frame, grey buttons).
    Dialog(Image* frameImage, Image* buttonImage, int32_t dialogId, bool isModal, const std::string& header,
           const std::string& lines, const std::string& footer, int32_t buttonMode, DialogListener* listener = nullptr,
           const StringTable* strings = nullptr);
    ~Dialog() override;

    Image* frameImage;
    std::string header;
    std::string lines;
    std::string footer;
    int32_t buttonMode;
    std::unique_ptr<DialogButton> firstButton;
    std::unique_ptr<DialogButton> secondButton;
    int32_t dialogId;
    bool isModal;
    int32_t result = NoResult;
    std::unique_ptr<Font> headerFont;
    std::unique_ptr<Font> linesFont;
    DialogListener* listener;
    Insets contentInsets{24, 24, 24, 24};
    Insets backgroundInsets;
    int32_t sectionSpacing = 10;
    int32_t buttonSpacing = 8;
    bool dragging = false;
    int32_t grabX = 0;
    int32_t grabY = 0;

    void Draw(Graphics* g) override;
    void AttachedToManager(WidgetManager* theManager) override;
    void DetachedFromManager(WidgetManager* theManager) override;
    void OrderChanged() override;
    void SetVisible(bool isVisible) override;
    void SetColor(int32_t index, const Color& color) override;
    void Resize(int32_t newX, int32_t newY, int32_t newWidth, int32_t newHeight) override;
    void MouseDown(int32_t localX, int32_t localY, int32_t button, int32_t clickCount) override;
    void MouseUp(int32_t localX, int32_t localY, int32_t button, int32_t clickCount) override;
    void MouseDrag(int32_t localX, int32_t localY) override;
    using Widget::MouseDown;
    using Widget::MouseUp;
    using Widget::Resize;
    using Widget::SetColor;

    void ButtonPressed(int32_t buttonId) override;
    void ButtonClicked(int32_t buttonId) override;
    using ButtonListener::ButtonPressed;

    virtual void SetButtonFont(Font* font);
    virtual void SetHeaderFont(Font* font);
    virtual void SetLinesFont(Font* font);
    // Height that shows everything at the given width.
    virtual int32_t GetPreferredHeight(int32_t atWidth);
    virtual bool IsModal() { return isModal; }
    // Runs the application's loop until a button was clicked or the dialog
    // left the tree; with remove, takes the dialog off the screen afterwards.
    // Returns result (NoResult when unanswered).
    virtual int32_t RunUntilAnswered(bool remove);

    // Leaves the modal stack (when it is the top entry) and its parent.
    void Close();

private:
    Font* HeaderFont();
    Font* LinesFont();
    int32_t ButtonRowHeight();
    void LayoutButtons();
};

} // namespace Framework
