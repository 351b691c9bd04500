#include "src/screens/common/CommonBkgdWidget.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/ButtonWidget.h"

CommonBkgdWidget::CommonBkgdWidget(Framework::Image* backgroundImage) : background(backgroundImage)
{
    if (background != nullptr)
    {
        Resize(x, y, background->GetWidth(), background->GetHeight());
    }
}

CommonBkgdWidget::~CommonBkgdWidget()
{
    RemoveAllChildren();
}

void CommonBkgdWidget::Draw(Framework::Graphics* g)
{
    if (background != nullptr)
    {
        g->DrawImage(background, 0, 0);
    }
}

Framework::ButtonWidget* CommonBkgdWidget::AddImageButton(int32_t id, Framework::ButtonListener* listener,
                                                          Framework::Image* strip, int32_t frameWidth,
                                                          int32_t frameHeight, int32_t frameCount, int32_t buttonX,
                                                          int32_t buttonY)
{
    auto button = std::make_shared<Framework::ButtonWidget>(id, listener);
    button->Move(buttonX, buttonY);
    Framework::SetButtonImages(button.get(), strip, frameWidth, frameHeight, frameCount >= 4);
    AddWidget(button.get());
    buttons.push_back(button);
    return button.get();
}
