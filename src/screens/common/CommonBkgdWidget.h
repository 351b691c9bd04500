// CommonBkgdWidget: the base of the menu screens and dialogs. It draws its
// background image at (0, 0) and, when it has one, takes the image's size at
// construction; without one the screen sizes itself.
//
// Screens create their buttons through AddImageButton: the screen holds them
// (shared), they are its children from then on, and the destructor unlinks
// every child before the buttons go. A screen that listens to its own
// buttons unlinks them in its own destructor already: a button left while
// hovered reports to its listener, which must still be whole then.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/widgets/Widget.h"

namespace Framework
{
class ButtonListener;
class ButtonWidget;
class Image;
} // namespace Framework

class CommonBkgdWidget : public Framework::Widget
{
public:
    // The image is only referenced (the resource manager owns it); null
    // draws nothing.
    explicit CommonBkgdWidget(Framework::Image* background = nullptr);
    ~CommonBkgdWidget() override;

    Framework::Image* background = nullptr;

    void Draw(Framework::Graphics* g) override;

protected:
    // A button with a strip of frameCount frames (normal, over, down and,
    // from four frames on, disabled) at (buttonX, buttonY), added as a child.
    Framework::ButtonWidget* AddImageButton(int32_t id, Framework::ButtonListener* listener, Framework::Image* strip,
                                            int32_t frameWidth, int32_t frameHeight, int32_t frameCount,
                                            int32_t buttonX, int32_t buttonY);

    std::vector<std::shared_ptr<Framework::ButtonWidget>> buttons;
};
