#include "src/screens/common/DialogDrag.h"

#include <algorithm>

#include "framework/widgets/Widget.h"
#include "src/screens/common/ButtonFeedback.h"

namespace
{
int32_t ClampInto(int32_t position, int32_t size, int32_t limit)
{
    return std::max(0, std::min(position, limit - size));
}
} // namespace

void DialogDrag::Press(int32_t localX, int32_t localY, int32_t clickCount)
{
    if (clickCount != 1)
    {
        return;
    }
    grabX = localX;
    grabY = localY;
    dragging = true;
}

void DialogDrag::Drag(Framework::Widget& dialog, int32_t localX, int32_t localY, FeedbackSink& sink)
{
    if (!dragging)
    {
        return;
    }
    sink.SetCursor(FeedbackSink::CursorDragging);
    const int32_t pointerX = dialog.x + localX;
    const int32_t pointerY = dialog.y + localY;
    // The parent's origin on the screen: the clamp works in screen pixels.
    const Framework::Point onScreen = dialog.GetScreenPos();
    const int32_t originX = onScreen.x - dialog.x;
    const int32_t originY = onScreen.y - dialog.y;
    const int32_t newX = ClampInto(originX + pointerX - grabX, dialog.width, screenWidth) - originX;
    const int32_t newY = ClampInto(originY + pointerY - grabY, dialog.height, screenHeight) - originY;
    dialog.Move(newX, newY);
    grabX = pointerX - newX;
    grabY = pointerY - newY;
}

void DialogDrag::Release(FeedbackSink& sink)
{
    dragging = false;
    sink.SetCursor(FeedbackSink::CursorArrow);
}
