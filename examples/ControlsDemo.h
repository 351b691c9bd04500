// ControlsDemo: a panel that shows every standard control working: two
// buttons from artwork strips (four frames: normal, over, down, disabled), a
// grey button that opens a message box, a link, a slider, a check box that
// disables the first button, and a text field that takes Chinese text from
// an input method and the clipboard. The last event is written at the bottom.
//
// The panel owns its controls and the small images it draws for the slider;
// the strips are only referenced (null strips give grey buttons). Add the
// panel to the widget manager with AddTo and take it off with RemoveFrom
// (the controls are its children; the message box joins the manager
// itself). Main thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/Checkbox.h"
#include "framework/widgets/Dialog.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/HyperlinkWidget.h"
#include "framework/widgets/Slider.h"
#include "framework/widgets/Widget.h"

namespace Framework
{
class Font;
class WidgetManager;
} // namespace Framework

class ControlsDemo : public Framework::Widget,
                     public Framework::ButtonListener,
                     public Framework::CheckboxListener,
                     public Framework::SliderListener,
                     public Framework::EditListener,
                     public Framework::DialogListener
{
public:
    enum ControlId : int32_t
    {
        ID_FIRST_STRIP = 1,
        ID_SECOND_STRIP,
        ID_ASK,
        ID_LINK,
        ID_SLIDER,
        ID_CHECKBOX,
        ID_NAME,
        ID_DIALOG,
    };

    ControlsDemo(Framework::Image* firstStrip, Framework::Image* secondStrip,
                 const Framework::Dialog::StringTable* strings = nullptr);
    ~ControlsDemo() override;

    void AddTo(Framework::WidgetManager* root);
    void RemoveFrom(Framework::WidgetManager* root);
    const std::string& Status() const { return status; }
    // Told the field's text (GBK bytes) when Enter reports it.
    std::function<void(const std::string& text)> onTextEntered;

    void Draw(Framework::Graphics* g) override;

    void ButtonClicked(int32_t id) override;
    void CheckboxToggled(int32_t id, bool checked) override;
    void SliderValueChanged(int32_t id, double value) override;
    void EditTextEntered(int32_t id, const std::string& text) override;
    void DialogButtonClicked(int32_t dialogId, int32_t buttonId) override;

    Framework::ButtonWidget firstButton;
    Framework::ButtonWidget secondButton;
    Framework::ButtonWidget askButton;
    Framework::HyperlinkWidget link;
    Framework::Slider slider;
    Framework::Checkbox checkbox;
    Framework::EditWidget nameField;
    Framework::Dialog dialog;

private:
    void SetStatus(const std::string& text);

    Framework::MemoryImage trackImage;
    Framework::MemoryImage thumbImage;
    std::unique_ptr<Framework::Font> textFont;
    std::string status;
};
