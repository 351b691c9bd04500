#include "framework/widgets/Slider.h"

#include <algorithm>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/ControlHost.h"

namespace Framework
{

Slider::Slider(Image* track, Image* thumb, int32_t sliderId, SliderListener* sliderListener)
    : listener(sliderListener), id(sliderId), trackImage(track), thumbImage(thumb)
{
}

int32_t Slider::ThumbWidth() const
{
    return thumbImage != nullptr ? thumbImage->GetWidth() : 0;
}

int32_t Slider::ThumbHeight() const
{
    return thumbImage != nullptr ? thumbImage->GetHeight() : 0;
}

int32_t Slider::ThumbX() const
{
    return static_cast<int32_t>((width - ThumbWidth()) * value);
}

int32_t Slider::ThumbY() const
{
    return (height - ThumbHeight()) / 2;
}

bool Slider::OnThumb(int32_t localX) const
{
    const int32_t thumbX = ThumbX();
    return localX >= thumbX && localX < thumbX + ThumbWidth();
}

void Slider::MouseDown(int32_t localX, int32_t, int32_t, int32_t)
{
    if (!OnThumb(localX))
    {
        return;
    }
    SetControlCursor(this, CursorDragging);
    dragging = true;
    grabOffset = localX - ThumbX();
}

void Slider::MouseMove(int32_t localX, int32_t)
{
    SetControlCursor(this, OnThumb(localX) ? CursorDragging : CursorArrow);
}

void Slider::MouseLeave()
{
    if (!dragging)
    {
        SetControlCursor(this, CursorArrow);
    }
}

void Slider::MouseDrag(int32_t localX, int32_t)
{
    if (!dragging)
    {
        return;
    }
    const int32_t travel = width - ThumbWidth();
    // A slider no wider than its thumb has nowhere to move it.
    const double newValue = travel > 0 ? std::clamp(static_cast<double>(localX - grabOffset) / travel, 0.0, 1.0) : 0.0;
    if (newValue != value)
    {
        value = newValue;
        if (listener != nullptr)
        {
            listener->SliderValueChanged(id, value);
        }
        MarkDirtyArea();
    }
}

void Slider::MouseUp(int32_t, int32_t, int32_t, int32_t)
{
    dragging = false;
    SetControlCursor(this, CursorArrow);
    if (listener != nullptr)
    {
        listener->SliderValueChanged(id, value);
    }
}

void Slider::SetValue(double newValue)
{
    value = newValue;
    MarkDirtyArea();
}

void Slider::Draw(Graphics* g)
{
    if (trackImage != nullptr)
    {
        const int32_t partWidth = trackImage->GetWidth() / 3;
        const int32_t partHeight = trackImage->GetHeight();
        const int32_t trackY = (height - partHeight) / 2;
        if (partWidth > 0)
        {
            g->DrawImage(trackImage, 0, trackY, Rect(0, 0, partWidth, partHeight));
            Graphics middle(*g);
            middle.IntersectClip(partWidth, trackY, width - 2 * partWidth, partHeight);
            const int32_t count = (width - partWidth - 1) / partWidth;
            for (int32_t i = 1; i <= count; ++i)
            {
                middle.DrawImage(trackImage, i * partWidth, trackY, Rect(partWidth, 0, partWidth, partHeight));
            }
            g->DrawImage(trackImage, width - partWidth, trackY, Rect(2 * partWidth, 0, partWidth, partHeight));
        }
    }
    if (thumbImage != nullptr)
    {
        g->DrawImage(thumbImage, ThumbX(), ThumbY());
    }
}

} // namespace Framework
