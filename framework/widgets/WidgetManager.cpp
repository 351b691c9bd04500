#include "framework/widgets/WidgetManager.h"

#include <algorithm>

#include "framework/graphics/Graphics.h"

namespace Framework
{

namespace
{

// Depth-first walk in child order; 1 when first is met before second, -1
// when second comes first, 0 when neither was met in this subtree.
int32_t WalkOrder(const WidgetContainer* container, const Widget* first, const Widget* second)
{
    for (const Widget* child : container->children)
    {
        if (child == first)
        {
            return 1;
        }
        if (child == second)
        {
            return -1;
        }
        if (const int32_t found = WalkOrder(child, first, second); found != 0)
        {
            return found;
        }
    }
    return 0;
}

// Clears currentGraphics when a draw pass leaves, also by an exception.
class CurrentGraphicsScope
{
public:
    CurrentGraphicsScope(Graphics*& slot, Graphics* g) : current(slot) { current = g; }
    ~CurrentGraphicsScope() { current = nullptr; }
    CurrentGraphicsScope(const CurrentGraphicsScope&) = delete;
    CurrentGraphicsScope& operator=(const CurrentGraphicsScope&) = delete;

private:
    Graphics*& current;
};

bool IsOrHolds(const WidgetContainer* container, const WidgetContainer* widget)
{
    for (const WidgetContainer* c = widget; c != nullptr; c = c->parent)
    {
        if (c == container)
        {
            return true;
        }
    }
    return false;
}

constexpr int32_t ClickCountOfBit(int32_t bit)
{
    return bit == 1 ? 1 : (bit == 2 ? -1 : 3);
}

} // namespace

WidgetManager::WidgetManager(WidgetHost* host) : app(host)
{
    manager = this;
}

WidgetManager::~WidgetManager() = default;

// --- passes ---

int32_t WidgetManager::GetBaseFlags() const
{
    return hasFocus ? baseFlags : inactiveOverride.Apply(baseFlags);
}

ModalFlags WidgetManager::InitModalFlags() const
{
    ModalFlags flags;
    flags.aboveFlags = GetBaseFlags();
    flags.belowFlags = belowModalOverride.Apply(flags.aboveFlags);
    flags.aboveModal = modalWidget == nullptr;
    return flags;
}

bool WidgetManager::RunUpdatePass()
{
    ModalFlags flags = InitModalFlags();
    ++updateCount;
    lastUpdateTick = updateCount;
    UpdateTree(flags);
    return dirty;
}

bool WidgetManager::RunSmoothUpdatePass(double fraction)
{
    ModalFlags flags = InitModalFlags();
    UpdateSmoothTree(flags, fraction);
    return dirty;
}

bool WidgetManager::RunDrawPass()
{
    ModalFlags flags = InitModalFlags();
    const bool anyDirty = std::any_of(children.begin(), children.end(), [](const Widget* w) { return w->dirty; });
    lowestPendingPriority = INT32_MAX;
    pendingOverlays.clear();
    Graphics g(screenImage);
    CurrentGraphicsScope scope(currentGraphics, &g);
    // The redraw this flag asked for is happening now; marks made while
    // drawing ask for the next one.
    dirty = false;

    bool drawn = false;
    if (anyDirty)
    {
        const bool accelerated = app != nullptr && app->IsDrawing3D();
        WalkChildren(
            [&](Widget* widget)
            {
                if (widget == modalWidget)
                {
                    flags.aboveModal = true;
                }
                if (!widget->dirty)
                {
                    return;
                }
                if (widget->visible)
                {
                    Graphics widgetGraphics(g);
                    widgetGraphics.SetFastScaling(!accelerated);
                    widgetGraphics.SetBilinear(accelerated);
                    widgetGraphics.Translate(widget->x, widget->y);
                    widget->DrawTree(flags, &widgetGraphics);
                    drawn = true;
                }
                widget->dirty = false;
            });
    }
    DrawPendingOverlays(INT32_MAX);
    return drawn;
}

void WidgetManager::DrawPendingOverlays(int32_t maxPriority)
{
    if (currentGraphics == nullptr)
    {
        return;
    }
    while (!pendingOverlays.empty() && lowestPendingPriority < maxPriority)
    {
        const int32_t current = lowestPendingPriority;
        int32_t next = INT32_MAX;
        bool waiting = false;
        // By index: an overlay may request another one while it draws.
        for (size_t i = 0; i < pendingOverlays.size(); ++i)
        {
            Widget* widget = pendingOverlays[i].widget;
            const int32_t priority = pendingOverlays[i].priority;
            if (widget == nullptr)
            {
                continue;
            }
            if (priority == current)
            {
                pendingOverlays[i].widget = nullptr;
                Graphics overlayGraphics(*currentGraphics);
                const Point pos = widget->GetScreenPos();
                overlayGraphics.Translate(pos.x, pos.y);
                widget->DrawOverlay(&overlayGraphics);
            }
            else
            {
                next = std::min(next, priority);
                waiting = true;
            }
        }
        if (!waiting)
        {
            pendingOverlays.clear();
            lowestPendingPriority = INT32_MAX;
            return;
        }
        lowestPendingPriority = next;
    }
}

// --- pointer ---

void WidgetManager::EnterWidget(Widget* widget)
{
    widget->isHovered = true;
    widget->MouseEnter();
    if (widget->handCursor)
    {
        widget->ShowHandCursor(true);
    }
}

void WidgetManager::LeaveWidget(Widget* widget)
{
    widget->isHovered = false;
    widget->MouseLeave();
    if (widget->handCursor)
    {
        widget->ShowHandCursor(false);
    }
}

void WidgetManager::SetPointerPosition(int32_t px, int32_t py)
{
    const bool moved = px != pointerX || py != pointerY;
    pointerX = px;
    pointerY = py;
    int32_t localX = 0;
    int32_t localY = 0;
    Widget* widget = FindWidgetAt(px, py, localX, localY);
    if (widget != hoverWidget)
    {
        if (Widget* old = hoverWidget)
        {
            hoverWidget = nullptr;
            LeaveWidget(old);
            if (!IsInTree(widget))
            {
                widget = nullptr; // the leave handler took it out of the tree
            }
        }
        hoverWidget = widget;
        if (widget != nullptr)
        {
            EnterWidget(widget);
            if (hoverWidget == widget)
            {
                widget->MouseMove(localX, localY);
            }
        }
    }
    else if (widget != nullptr && moved)
    {
        widget->MouseMove(localX, localY);
    }
}

void WidgetManager::MouseMove(int32_t px, int32_t py)
{
    if (capturedButtons != 0)
    {
        MouseDrag(px, py);
        return;
    }
    pointerInside = true;
    SetPointerPosition(px, py);
}

void WidgetManager::MouseDrag(int32_t px, int32_t py)
{
    pointerInside = true;
    pointerX = px;
    pointerY = py;
    if (hoverWidget != nullptr && hoverWidget != pressedWidget)
    {
        Widget* old = hoverWidget;
        hoverWidget = nullptr;
        LeaveWidget(old);
    }
    Widget* pressed = pressedWidget;
    if (pressed == nullptr)
    {
        return;
    }
    const Point pos = pressed->GetScreenPos();
    pressed->MouseDrag(px - pos.x, py - pos.y);
    if (pressedWidget != pressed)
    {
        return; // the handler ended the press
    }
    if (FindWidgetAt(px, py) == pressed)
    {
        if (hoverWidget == nullptr)
        {
            hoverWidget = pressed;
            EnterWidget(pressed);
        }
    }
    else if (hoverWidget != nullptr)
    {
        Widget* old = hoverWidget;
        hoverWidget = nullptr;
        LeaveWidget(old);
    }
}

void WidgetManager::MouseDown(int32_t px, int32_t py, int32_t clickCount)
{
    const int32_t bit = Widget::ButtonBit(clickCount);
    heldButtons |= bit;
    if (capturedButtons == 0)
    {
        SetPointerPosition(px, py);
    }
    else
    {
        // Another button of a held press: hover stays with the drag rules.
        pointerX = px;
        pointerY = py;
    }

    if (Widget* popup = popupWidget)
    {
        const Point origin = popup->parent != nullptr ? popup->parent->GetScreenPos() : Point();
        if (!popup->Contains(px - origin.x, py - origin.y))
        {
            popupWidget = nullptr;
            if (popup->parent != nullptr)
            {
                popup->parent->RemoveWidget(popup);
            }
        }
    }

    Widget* target = pressedWidget != nullptr ? pressedWidget : FindWidgetAt(px, py);
    if (capturedButtons == 0)
    {
        // 3 is a middle press, never the repeat of a series.
        const bool repeat = clickCount == 2 || clickCount <= -2;
        if (!repeat)
        {
            clickSeriesWidget = target;
            clickSeriesButton = bit;
        }
        else if (clickSeriesButton != 0 && (target != clickSeriesWidget || bit != clickSeriesButton))
        {
            swallowedButtons |= bit;
            return;
        }
    }
    capturedButtons |= bit;
    pressedWidget = target;
    if (target == nullptr)
    {
        return;
    }
    if (target->AcceptsFocus())
    {
        SetFocus(target);
        if (pressedWidget != target)
        {
            return; // the focus handlers took the target away
        }
    }
    target->isPressed = true;
    const Point pos = target->GetScreenPos();
    target->MouseDown(px - pos.x, py - pos.y, clickCount);
}

void WidgetManager::MouseUp(int32_t px, int32_t py, int32_t clickCount)
{
    const int32_t bit = Widget::ButtonBit(clickCount);
    heldButtons &= ~bit;
    if ((swallowedButtons & bit) != 0)
    {
        swallowedButtons &= ~bit;
        if (capturedButtons == 0)
        {
            SetPointerPosition(px, py);
        }
        return;
    }
    if (pressedWidget != nullptr && (capturedButtons & bit) != 0)
    {
        Widget* widget = pressedWidget;
        capturedButtons &= ~bit;
        if (capturedButtons == 0)
        {
            pressedWidget = nullptr;
        }
        widget->isPressed = false;
        const Point pos = widget->GetScreenPos();
        widget->MouseUp(px - pos.x, py - pos.y, clickCount);
    }
    else
    {
        capturedButtons &= ~bit;
    }
    if (capturedButtons == 0)
    {
        SetPointerPosition(px, py);
    }
    else
    {
        pointerX = px;
        pointerY = py;
    }
}

void WidgetManager::MouseLeftWindow(int32_t, int32_t)
{
    pointerInside = false;
    if (Widget* old = hoverWidget)
    {
        hoverWidget = nullptr;
        LeaveWidget(old);
    }
}

void WidgetManager::MouseWheel(int32_t delta)
{
    if (focusWidget != nullptr)
    {
        focusWidget->MouseWheel(delta);
    }
}

// --- keyboard ---

void WidgetManager::KeyDown(int32_t key)
{
    if (key >= 0 && key < KeyCount)
    {
        keyState[size_t(key)] = true;
    }
    if (focusWidget != nullptr)
    {
        focusWidget->KeyDown(key);
    }
}

void WidgetManager::KeyUp(int32_t key)
{
    if (key >= 0 && key < KeyCount)
    {
        keyState[size_t(key)] = false;
    }
    if (key == VK_TAB && IsKeyDown(VK_CONTROL))
    {
        return;
    }
    if (focusWidget != nullptr)
    {
        focusWidget->KeyUp(key);
    }
}

void WidgetManager::CharTyped(char character)
{
    if (character == '\t' && IsKeyDown(VK_CONTROL))
    {
        if (ctrlTabTarget != nullptr)
        {
            ctrlTabTarget->CharTyped('\t');
        }
        return;
    }
    if (focusWidget != nullptr)
    {
        focusWidget->CharTyped(character);
    }
}

// --- focus ---

void WidgetManager::GotFocus()
{
    if (hasFocus)
    {
        return;
    }
    hasFocus = true;
    if (focusWidget != nullptr)
    {
        focusWidget->GotFocus();
    }
}

void WidgetManager::LostFocus()
{
    if (!hasFocus)
    {
        return;
    }
    heldButtons = 0;
    for (int32_t key = 0; key < KeyCount; ++key)
    {
        if (keyState[size_t(key)])
        {
            keyState[size_t(key)] = false;
            if (focusWidget != nullptr)
            {
                focusWidget->KeyUp(key);
            }
        }
    }
    hasFocus = false;
    if (focusWidget != nullptr)
    {
        focusWidget->LostFocus();
    }
}

void WidgetManager::SetFocus(Widget* widget)
{
    if (widget == focusWidget)
    {
        return;
    }
    if (Widget* old = focusWidget)
    {
        focusWidget = nullptr;
        old->LostFocus();
    }
    if (IsInTree(widget))
    {
        focusWidget = widget;
        if (hasFocus)
        {
            widget->GotFocus();
        }
    }
    else
    {
        focusWidget = nullptr;
    }
}

// --- modal widgets ---

void WidgetManager::SetModal(Widget* widget, const FlagsMod& belowOverride)
{
    modalWidget = widget;
    belowModalOverride = belowOverride;
    if ((belowOverride.Apply(FlagAllowMouse) & FlagAllowMouse) == 0)
    {
        if (hoverWidget != nullptr && ComesBefore(hoverWidget, widget))
        {
            Widget* old = hoverWidget;
            hoverWidget = nullptr;
            LeaveWidget(old);
        }
        if (pressedWidget != nullptr && ComesBefore(pressedWidget, widget))
        {
            Widget* pressed = pressedWidget;
            const int32_t buttons = capturedButtons;
            pressedWidget = nullptr;
            capturedButtons = 0;
            ReleaseButtons(pressed, buttons);
        }
    }
    if ((belowOverride.Apply(FlagAllowFocus) & FlagAllowFocus) == 0 && focusWidget != nullptr &&
        ComesBefore(focusWidget, widget))
    {
        Widget* old = focusWidget;
        focusWidget = nullptr;
        old->LostFocus();
    }
}

void WidgetManager::PushModal(Widget* widget, const FlagsMod& belowOverride)
{
    modalStack.push_back({widget, modalWidget, focusWidget, belowModalOverride});
    SetModal(widget, belowOverride);
}

void WidgetManager::PushModal(Widget* widget)
{
    PushModal(widget, defaultBelowModalOverride);
}

void WidgetManager::PopModal(Widget* widget)
{
    if (modalStack.empty() || modalStack.back().modalWidget != widget)
    {
        return;
    }
    while (!modalStack.empty())
    {
        const ModalRecord record = modalStack.back();
        SetModal(record.prevModalWidget, record.prevBelowModalOverride);
        if (focusWidget == nullptr && record.prevFocusWidget != nullptr)
        {
            SetFocus(record.prevFocusWidget);
        }
        modalStack.pop_back();
        if (record.prevModalWidget != nullptr || modalStack.empty())
        {
            break;
        }
    }
}

bool WidgetManager::ComesBefore(Widget* widget1, Widget* widget2)
{
    return WalkOrder(this, widget1, widget2) == 1;
}

// --- the tree ---

bool WidgetManager::IsInTree(const Widget* widget) const
{
    return widget != nullptr && widget->manager == this;
}

void WidgetManager::ForgetWidget(Widget* widget)
{
    if (widget == nullptr)
    {
        return;
    }
    if (hoverWidget == widget)
    {
        hoverWidget = nullptr;
        LeaveWidget(widget);
    }
    if (pressedWidget == widget)
    {
        const int32_t buttons = capturedButtons;
        pressedWidget = nullptr;
        capturedButtons = 0;
        ReleaseButtons(widget, buttons);
    }
    if (focusWidget == widget)
    {
        focusWidget = nullptr;
        widget->LostFocus();
    }
    if (modalWidget == widget)
    {
        modalWidget = nullptr;
    }
    if (popupWidget == widget)
    {
        popupWidget = nullptr;
    }
    if (clickSeriesWidget == widget)
    {
        clickSeriesWidget = nullptr;
    }
    // Nested widgets leave with their ancestor: no record or overlay may
    // keep pointing at them.
    for (ModalRecord& record : modalStack)
    {
        if (record.prevModalWidget == widget)
        {
            record.prevModalWidget = nullptr;
        }
        if (record.prevFocusWidget == widget)
        {
            record.prevFocusWidget = nullptr;
        }
    }
    for (PendingOverlay& overlay : pendingOverlays)
    {
        if (overlay.widget == widget)
        {
            overlay.widget = nullptr;
        }
    }
}

void WidgetManager::ReleaseButtons()
{
    Widget* pressed = pressedWidget;
    const int32_t buttons = capturedButtons;
    pressedWidget = nullptr;
    capturedButtons = 0;
    if (pressed != nullptr)
    {
        ReleaseButtons(pressed, buttons);
    }
}

void WidgetManager::ReleaseButtons(Widget* widget, int32_t buttons)
{
    for (int32_t bit : {1, 2, 4})
    {
        if ((buttons & bit) == 0)
        {
            continue;
        }
        widget->isPressed = false;
        const Point pos = widget->GetScreenPos();
        widget->MouseUp(pointerX - pos.x, pointerY - pos.y, ClickCountOfBit(bit));
    }
}

Widget* WidgetManager::FindInContainer(WidgetContainer* container, int32_t flags, int32_t px, int32_t py,
                                       int32_t& localX, int32_t& localY)
{
    flags = container->flagOverride.Apply(flags);
    for (auto it = container->children.rbegin(); it != container->children.rend(); ++it)
    {
        Widget* child = *it;
        if ((flags & FlagAllowMouse) != 0 && child->visible)
        {
            const int32_t childX = px - child->x;
            const int32_t childY = py - child->y;
            if (Widget* found = FindInContainer(child, flags, childX, childY, localX, localY))
            {
                return found;
            }
            if (child->mouseTarget && child->GetHitRect().Contains(px, py) && child->AcceptsPoint(childX, childY))
            {
                localX = childX;
                localY = childY;
                return child;
            }
        }
        // Everything further down is below the modal widget, also when the
        // modal widget sits inside this child.
        if (modalWidget != nullptr && IsOrHolds(child, modalWidget))
        {
            flags = belowModalOverride.Apply(flags);
        }
    }
    return nullptr;
}

Widget* WidgetManager::FindWidgetAt(int32_t px, int32_t py, int32_t& localX, int32_t& localY)
{
    Widget* found = FindInContainer(this, GetBaseFlags(), px, py, localX, localY);
    return found != nullptr && found->disabled ? nullptr : found;
}

Widget* WidgetManager::FindWidgetAt(int32_t px, int32_t py)
{
    int32_t localX = 0;
    int32_t localY = 0;
    return FindWidgetAt(px, py, localX, localY);
}

void WidgetManager::RefreshPointer()
{
    if (capturedButtons != 0)
    {
        if (hoverWidget != nullptr && FindWidgetAt(pointerX, pointerY) != pressedWidget)
        {
            Widget* old = hoverWidget;
            hoverWidget = nullptr;
            LeaveWidget(old);
        }
    }
    else if (pointerInside)
    {
        SetPointerPosition(pointerX, pointerY);
    }
}

} // namespace Framework
