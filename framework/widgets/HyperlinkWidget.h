// HyperlinkWidget: a text link; the label centred and underlined, in
// hoverColor while the pointer is over it. Reports like a button.
#pragma once

#include <cstdint>

#include "framework/graphics/Color.h"
#include "framework/widgets/ButtonWidget.h"

namespace Framework
{

class HyperlinkWidget : public ButtonWidget
{
public:
    HyperlinkWidget(int32_t id, ButtonListener* listener);

    Color color = Color::White();
    Color hoverColor = Color::White();
    int32_t underlineThickness = 1;
    int32_t underlineOffset = 3; // first underline row below the baseline

    void Draw(Graphics* g) override;
    void MouseEnter() override;
    void MouseLeave() override;
};

} // namespace Framework
