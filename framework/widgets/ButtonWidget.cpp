#include "framework/widgets/ButtonWidget.h"

#include <algorithm>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/SysFont.h"
#include "framework/widgets/WidgetManager.h"

namespace Framework
{

namespace
{

const Color kFaceGrey(212, 212, 212);
const Color kShadowGrey(128, 128, 128);

} // namespace

ButtonWidget::ButtonWidget(int32_t buttonId, ButtonListener* buttonListener) : id(buttonId), listener(buttonListener)
{
    translucent = true;
    colors = {Color::Black(), Color::Black()};
}

ButtonWidget::~ButtonWidget() = default;

void ButtonWidget::SetFont(Font* newFont)
{
    font = newFont != nullptr ? newFont->Clone() : nullptr;
}

Font* ButtonWidget::LabelFont()
{
    if (font == nullptr)
    {
        font = CreateDefaultFont();
    }
    return font.get();
}

std::unique_ptr<Font> ButtonWidget::CreateDefaultFont()
{
    return std::make_unique<SysFont>("SansSerif", 10);
}

bool ButtonWidget::IsPressedNow()
{
    return isPressed && isHovered && !disabled;
}

bool ButtonWidget::HoverChangesLook() const
{
    return isPressed || HasOverFrame() || colors.size() < 2 || !(colors[0] == colors[1]);
}

void ButtonWidget::MouseDown(int32_t localX, int32_t localY, int32_t clickCount)
{
    Widget::MouseDown(localX, localY, clickCount);
    if (listener != nullptr)
    {
        listener->ButtonPressed(id, clickCount);
    }
    MarkDirty();
}

void ButtonWidget::MouseUp(int32_t, int32_t)
{
    if (isHovered && manager != nullptr && manager->hasFocus && listener != nullptr)
    {
        listener->ButtonClicked(id);
    }
    MarkDirty();
}

void ButtonWidget::MouseMove(int32_t localX, int32_t localY)
{
    if (listener != nullptr)
    {
        listener->ButtonPointerMove(id, localX, localY);
    }
}

void ButtonWidget::MouseEnter()
{
    if (hoverFadeInStep == 0.0 && hoverFade > 0.0)
    {
        hoverFade = 0.0;
    }
    if (HoverChangesLook())
    {
        MarkDirty();
    }
    if (listener != nullptr)
    {
        listener->ButtonPointerEnter(id);
    }
}

void ButtonWidget::MouseLeave()
{
    if (hoverFadeOutStep == 0.0 && hoverFade > 0.0)
    {
        hoverFade = 0.0;
    }
    if (hoverFadeOutStep > 0.0 && hoverFade == 0.0)
    {
        hoverFade = 1.0;
    }
    if (HoverChangesLook())
    {
        MarkDirty();
    }
    if (listener != nullptr)
    {
        listener->ButtonPointerLeave(id);
    }
}

void ButtonWidget::Update()
{
    Widget::Update();
    if (isPressed && !isHovered)
    {
        return;
    }
    if (isPressed && listener != nullptr)
    {
        listener->ButtonHeldTick(id);
    }
    if (!isHovered)
    {
        if (hoverFade > 0.0)
        {
            hoverFade = hoverFadeOutStep > 0.0 ? std::max(0.0, hoverFade - hoverFadeOutStep) : 0.0;
            MarkDirty();
        }
        return;
    }
    if (hoverFadeInStep > 0.0 && hoverFade < 1.0)
    {
        hoverFade = std::min(1.0, hoverFade + hoverFadeInStep);
        MarkDirty();
    }
}

void ButtonWidget::SetDisabled(bool isDisabled)
{
    const bool changed = isDisabled != disabled;
    Widget::SetDisabled(isDisabled);
    if (changed && HasDisabledFrame())
    {
        MarkDirty();
    }
}

void ButtonWidget::DrawFrame(Graphics* g, Image* image, const Rect& srcRect, int32_t frameX, int32_t frameY)
{
    if (!srcRect.IsEmpty())
    {
        if (normalImage != nullptr)
        {
            g->DrawImage(normalImage, frameX, frameY, srcRect);
        }
    }
    else if (image != nullptr)
    {
        g->DrawImage(image, frameX, frameY);
    }
}

void ButtonWidget::LabelPosition(Font* labelFont, int32_t& labelX, int32_t& labelY)
{
    const int32_t textWidth = labelFont->TextWidth(label);
    const int32_t ascent = labelFont->Ascent();
    if (labelJustify == JustifyCentre)
    {
        labelX = (width - textWidth) / 2;
    }
    else if (labelJustify == JustifyRight)
    {
        labelX = width - textWidth;
    }
    else
    {
        labelX = 0;
    }
    labelY = (ascent + height - ascent / 6 - 1) / 2;
}

void ButtonWidget::Draw(Graphics* g)
{
    if (drawNothing)
    {
        return;
    }
    Font* labelFont = nullptr;
    int32_t labelX = 0;
    int32_t labelY = 0;
    if (!label.empty())
    {
        labelFont = LabelFont();
        LabelPosition(labelFont, labelX, labelY);
        g->SetFont(labelFont);
    }
    const bool pressed = IsPressedNow() != inverted;
    const bool over = isHovered;

    if (normalImage != nullptr || downImage != nullptr)
    {
        if (!pressed)
        {
            if (disabled && HasDisabledFrame())
            {
                DrawFrame(g, disabledImage, disabledRect, 0, 0);
            }
            else if (hoverFade > 0.0 && HasOverFrame())
            {
                DrawFrame(g, normalImage, normalRect, 0, 0);
                const bool savedModulation = g->GetColorModulation();
                const Color savedColor = g->GetColor();
                g->SetColorModulation(true);
                g->SetColor(Color(255, 255, 255, static_cast<int32_t>(hoverFade * 255)));
                DrawFrame(g, overImage, overRect, 0, 0);
                g->SetColorModulation(savedModulation);
                g->SetColor(savedColor);
            }
            else if ((over || isPressed) && HasOverFrame())
            {
                DrawFrame(g, overImage, overRect, 0, 0);
            }
            else
            {
                DrawFrame(g, normalImage, normalRect, 0, 0);
            }
            if (labelFont != nullptr)
            {
                g->SetColor(GetColor(over ? ColorLabelHover : ColorLabel));
                g->DrawString(label, labelX, labelY);
            }
        }
        else
        {
            if (HasDownFrame())
            {
                DrawFrame(g, downImage, downRect, 0, 0);
            }
            else if (HasOverFrame())
            {
                DrawFrame(g, overImage, overRect, 1, 1);
            }
            else
            {
                DrawFrame(g, normalImage, normalRect, 1, 1);
            }
            if (labelFont != nullptr)
            {
                g->SetColor(GetColor(ColorLabelHover));
                g->DrawString(label, labelX + 1, labelY + 1);
            }
        }
        return;
    }

    if (!labelOnly)
    {
        g->SetColor(kFaceGrey);
        g->FillRect(0, 0, width, height);
        g->SetColor(pressed ? Color::Black() : Color::White());
        g->FillRect(0, 0, width - 1, 1);
        g->FillRect(0, 0, 1, height - 1);
        g->SetColor(pressed ? Color::White() : kShadowGrey);
        g->FillRect(0, height - 1, width, 1);
        g->FillRect(width - 1, 0, 1, height);
    }
    if (labelFont != nullptr)
    {
        if (pressed)
        {
            g->SetColor(Color::Black());
            g->DrawString(label, labelX + 1, labelY + 1);
        }
        else
        {
            g->SetColor(GetColor(over ? ColorLabelHover : ColorLabel));
            g->DrawString(label, labelX, labelY);
        }
    }
}

void SetButtonImages(ButtonWidget* button, Image* strip, int32_t frameWidth, int32_t frameHeight, bool hasDisabledFrame)
{
    button->normalImage = strip;
    button->overImage = strip;
    button->downImage = strip;
    button->normalRect = Rect(0, 0, frameWidth, frameHeight);
    button->overRect = Rect(frameWidth, 0, frameWidth, frameHeight);
    button->downRect = Rect(2 * frameWidth, 0, frameWidth, frameHeight);
    if (hasDisabledFrame)
    {
        button->disabledImage = strip;
        button->disabledRect = Rect(3 * frameWidth, 0, frameWidth, frameHeight);
    }
    button->Resize(button->x, button->y, frameWidth, frameHeight);
}

} // namespace Framework
