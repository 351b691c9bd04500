// Slider: a horizontal slider whose thumb is dragged along a track. value is
// 0 to 1 (SetValue stores what it is given). The track image holds three
// equal parts side by side (left end, middle, right end); the middle is
// repeated across the width. Images are only referenced; the listener must
// outlive the slider.
#pragma once

#include <cstdint>

#include "framework/widgets/SliderListener.h"
#include "framework/widgets/Widget.h"

namespace Framework
{

class Image;

class Slider : public Widget
{
public:
    Slider(Image* trackImage, Image* thumbImage, int32_t id, SliderListener* listener);

    SliderListener* listener;
    double value = 0.0;
    int32_t id;
    Image* trackImage;
    Image* thumbImage;
    bool dragging = false;
    int32_t grabOffset = 0;

    void Draw(Graphics* g) override;
    void MouseDown(int32_t localX, int32_t localY, int32_t button, int32_t clickCount) override;
    void MouseUp(int32_t localX, int32_t localY, int32_t button, int32_t clickCount) override;
    void MouseMove(int32_t localX, int32_t localY) override;
    void MouseDrag(int32_t localX, int32_t localY) override;
    void MouseLeave() override;
    using Widget::MouseDown;
    using Widget::MouseUp;

    virtual void SetValue(double newValue);
    virtual bool IsSeeThrough() { return true; }

    // Left edge and top of the thumb inside the slider.
    int32_t ThumbX() const;
    int32_t ThumbY() const;

private:
    int32_t ThumbWidth() const;
    int32_t ThumbHeight() const;
    bool OnThumb(int32_t localX) const;
};

} // namespace Framework
