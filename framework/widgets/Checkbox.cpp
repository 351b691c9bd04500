#include "framework/widgets/Checkbox.h"

#include "framework/graphics/Graphics.h"

namespace Framework
{

Checkbox::Checkbox(Image* unchecked, Image* checkedImg, int32_t boxId, CheckboxListener* boxListener)
    : listener(boxListener), id(boxId), uncheckedImage(unchecked), checkedImage(checkedImg)
{
    handCursor = true;
}

void Checkbox::MouseDown(int32_t, int32_t, int32_t, int32_t)
{
    checked = !checked;
    if (listener != nullptr)
    {
        listener->CheckboxToggled(id, checked);
    }
    MarkDirty();
}

void Checkbox::SetChecked(bool isChecked, bool notify)
{
    checked = isChecked;
    if (notify && listener != nullptr)
    {
        listener->CheckboxToggled(id, checked);
    }
    MarkDirty();
}

bool Checkbox::IsChecked()
{
    return checked;
}

void Checkbox::Draw(Graphics* g)
{
    const bool hasRects = !uncheckedRect.IsEmpty() || !checkedRect.IsEmpty();
    if (uncheckedImage != nullptr && checkedImage != nullptr && !hasRects)
    {
        g->DrawImage(checked ? checkedImage : uncheckedImage, 0, 0);
        return;
    }
    if (uncheckedImage != nullptr && hasRects)
    {
        g->DrawImage(uncheckedImage, 0, 0, checked ? checkedRect : uncheckedRect);
        return;
    }
    if (uncheckedImage != nullptr || checkedImage != nullptr)
    {
        return;
    }
    g->SetColor(outlineColor);
    g->FillRect(0, 0, width, height);
    g->SetColor(fillColor);
    g->FillRect(1, 1, width - 2, height - 2);
    if (checked)
    {
        g->SetColor(markColor);
        g->DrawLine(1, 1, width - 2, height - 2);
        g->DrawLine(width - 1, 1, 1, height - 2);
    }
}

} // namespace Framework
