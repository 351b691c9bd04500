// DialogButton: the button of a message box. Its frame image is stretched
// over the button as a nine-slice box (source rectangles by state as for
// ButtonWidget, the whole image when they are empty); the content shifts by
// (1, 1) while pressed. Label colours white, default font "SansSerif" 12
// bold; the hand cursor shows over it.
#pragma once

#include <cstdint>

#include "framework/widgets/ButtonWidget.h"

namespace Framework
{

class DialogButton : public ButtonWidget
{
public:
    DialogButton(Image* frameImage, int32_t id, ButtonListener* listener);

    void Draw(Graphics* g) override;

protected:
    std::unique_ptr<Font> CreateDefaultFont() override;
};

} // namespace Framework
