#include "framework/widgets/DialogButton.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/SysFont.h"

namespace Framework
{

DialogButton::DialogButton(Image* frameImage, int32_t buttonId, ButtonListener* buttonListener)
    : ButtonWidget(buttonId, buttonListener)
{
    normalImage = frameImage;
    handCursor = true;
    colors = {Color::White(), Color::White()};
}

std::unique_ptr<Font> DialogButton::CreateDefaultFont()
{
    return std::make_unique<SysFont>("SansSerif", 12, 0, true);
}

void DialogButton::Draw(Graphics* g)
{
    if (drawNothing)
    {
        return;
    }
    if (normalImage == nullptr)
    {
        ButtonWidget::Draw(g);
        return;
    }
    const bool pressed = IsPressedNow() != inverted;
    Rect source = normalRect;
    if (!pressed && disabled && !disabledRect.IsEmpty())
    {
        source = disabledRect;
    }
    else if (pressed && !downRect.IsEmpty())
    {
        source = downRect;
    }
    else if (!pressed && (isHovered || isPressed) && !overRect.IsEmpty())
    {
        source = overRect;
    }
    const Rect box(0, 0, width, height);
    if (source.IsEmpty())
    {
        g->DrawFrameBox(box, normalImage);
    }
    else
    {
        g->DrawFrameBox(source, box, normalImage);
    }
    if (label.empty())
    {
        return;
    }
    Font* labelFont = LabelFont();
    int32_t labelX = 0;
    int32_t labelY = 0;
    LabelPosition(labelFont, labelX, labelY);
    const int32_t shift = pressed ? 1 : 0;
    g->SetFont(labelFont);
    g->SetColor(GetColor(isHovered || pressed ? ColorLabelHover : ColorLabel));
    g->DrawString(label, labelX + shift, labelY + shift);
}

} // namespace Framework
