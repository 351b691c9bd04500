#include "framework/widgets/HyperlinkWidget.h"

#include "framework/graphics/Graphics.h"

namespace Framework
{

HyperlinkWidget::HyperlinkWidget(int32_t linkId, ButtonListener* linkListener) : ButtonWidget(linkId, linkListener)
{
    translucent = true;
    handCursor = true;
}

void HyperlinkWidget::Draw(Graphics* g)
{
    Font* labelFont = LabelFont();
    const int32_t textWidth = labelFont->TextWidth(label);
    const int32_t textX = (width - textWidth) / 2;
    const int32_t baseline = (labelFont->Ascent() + height) / 2 - 1;
    g->SetFont(labelFont);
    g->SetColor(isHovered ? hoverColor : color);
    g->DrawString(label, textX, baseline);
    for (int32_t i = 0; i < underlineThickness; ++i)
    {
        g->FillRect(textX, baseline + underlineOffset + i, textWidth, 1);
    }
}

void HyperlinkWidget::MouseEnter()
{
    ButtonWidget::MouseEnter();
    MarkDirtyArea();
}

void HyperlinkWidget::MouseLeave()
{
    ButtonWidget::MouseLeave();
    MarkDirtyArea();
}

} // namespace Framework
