// ControlHost: what the standard controls ask of the application beyond the
// widget manager's WidgetHost: cursor shapes, text input for a focused text
// field, and loop steps for a dialog that waits for its answer. The
// application implements it beside WidgetHost; controls find it through
// their manager's `app` (a cross-cast), and without one they skip these
// services. Main thread only.
#pragma once

#include <cstdint>

namespace Framework
{

class AppBase;
class WidgetContainer;

// The cursor numbers the controls ask for.
enum ControlCursor : int32_t
{
    CursorArrow = 0,
    CursorHand = 1,
    CursorDragging = 2,
    CursorText = 3,
};

class ControlHost
{
public:
    virtual ~ControlHost() = default;
    // Cursor number: 0 arrow, 1 hand, 2 dragging, 3 text.
    virtual void SetCursor(int32_t /*number*/) {}
    // Typed text (keyboard layouts, input methods) on while a text field has
    // the focus.
    virtual void SetTextInputEnabled(bool /*on*/) {}
    // Runs the application's loop until one update tick has passed; false when
    // the loop is ending and a waiting dialog must give up.
    virtual bool RunDialogLoopStep() { return false; }
    // The application the default text-field font is made for; may be null.
    virtual AppBase* GetTextFontOwner() { return nullptr; }
};

// The control host of the manager the widget is attached to, or null.
ControlHost* FindControlHost(const WidgetContainer* widget);
// Asks the widget's control host, if any, for the cursor.
void SetControlCursor(const WidgetContainer* widget, int32_t number);

} // namespace Framework
