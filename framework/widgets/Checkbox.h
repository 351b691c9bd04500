// Checkbox: a two-state box toggled by a press of any mouse button. Drawn
// from a checked and an unchecked image, from two source rectangles of the
// unchecked image, or, without images, as a filled square with a cross when
// checked. Images are only referenced; the listener must outlive the box.
#pragma once

#include <cstdint>

#include "framework/graphics/Color.h"
#include "framework/graphics/Rect.h"
#include "framework/widgets/CheckboxListener.h"
#include "framework/widgets/Widget.h"

namespace Framework
{

class Image;

class Checkbox : public Widget
{
public:
    Checkbox(Image* uncheckedImage, Image* checkedImage, int32_t id, CheckboxListener* listener);

    CheckboxListener* listener;
    int32_t id;
    bool checked = false;
    Image* uncheckedImage;
    Image* checkedImage;
    Rect uncheckedRect;
    Rect checkedRect;
    Color outlineColor = Color::White();
    Color fillColor = Color(80, 80, 80);
    Color markColor = Color(255, 255, 0);

    void Draw(Graphics* g) override;
    void MouseDown(int32_t localX, int32_t localY, int32_t button, int32_t clickCount) override;
    using Widget::MouseDown;

    virtual void SetChecked(bool isChecked, bool notify = true);
    virtual bool IsChecked();
};

} // namespace Framework
