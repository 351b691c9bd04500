// DialogDrag: moving a dialog with the left button held anywhere on it
// outside its controls. A single left press stores the grab point (the
// pointer relative to the dialog); every drag moves the dialog so the grab
// point follows the pointer, kept whole inside the screen, and takes the
// grab point again from where the dialog ended up; the release ends it.
//
// The dialog moves in its parent's coordinates but is kept inside the
// screen: a dialog on the play field (whose origin is (15, 37) on the
// screen) stops at the screen's edges, not at the field's. A dialog larger
// than the screen is pinned to the screen's top-left corner.
#pragma once

#include <cstdint>

namespace Framework
{
class Widget;
}
class FeedbackSink;

class DialogDrag
{
public:
    int32_t screenWidth = 800;
    int32_t screenHeight = 600;

    // From the dialog's MouseDown (local coordinates, the toolkit's click
    // count); only a single left press starts dragging.
    void Press(int32_t localX, int32_t localY, int32_t clickCount);
    // From the dialog's MouseDrag: the dragging cursor and the clamped move.
    void Drag(Framework::Widget& dialog, int32_t localX, int32_t localY, FeedbackSink& sink);
    // From the dialog's MouseUp: ends dragging, the arrow again.
    void Release(FeedbackSink& sink);

    bool IsDragging() const { return dragging; }
    int32_t GrabX() const { return grabX; }
    int32_t GrabY() const { return grabY; }

private:
    bool dragging = false;
    int32_t grabX = 0;
    int32_t grabY = 0;
};
