#include "framework/widgets/WidgetContainer.h"

#include <algorithm>

#include "framework/graphics/Graphics.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"

namespace Framework
{

namespace
{

// Clears the manager of a subtree without calling any handler.
void DropManager(WidgetContainer* container)
{
    for (Widget* child : container->children)
    {
        child->manager = nullptr;
        DropManager(child);
    }
}

} // namespace

WidgetContainer::~WidgetContainer()
{
    for (Widget* child : children)
    {
        child->parent = nullptr;
        child->manager = nullptr;
        DropManager(child);
    }
}

Rect WidgetContainer::GetRect()
{
    return Rect(x, y, width, height);
}

bool WidgetContainer::Intersects(WidgetContainer* other)
{
    return other != nullptr && !GetRect().Intersection(other->GetRect()).IsEmpty();
}

void WidgetContainer::MarkDirty(WidgetContainer* child)
{
    if (child->dirty)
    {
        return;
    }
    MarkDirty();
    child->dirty = true;
    if (parent != nullptr)
    {
        return; // a nested widget is redrawn with its top-level ancestor
    }
    if (child->translucent)
    {
        MarkDirtyArea(child);
        return;
    }
    auto at = std::find(children.begin(), children.end(), child);
    if (at != children.end())
    {
        MarkSiblingsAbove(at, child);
    }
}

void WidgetContainer::MarkSiblingsAbove(ChildList::iterator at, WidgetContainer* child)
{
    for (auto it = std::next(at); it != children.end(); ++it)
    {
        Widget* sibling = *it;
        if (sibling->visible && sibling->Intersects(child))
        {
            MarkDirty(sibling);
        }
    }
}

void WidgetContainer::MarkDirty()
{
    if (parent != nullptr)
    {
        parent->MarkDirty(this);
    }
    else
    {
        dirty = true;
    }
}

void WidgetContainer::MarkDirtyArea(WidgetContainer* child)
{
    MarkDirtyArea();
    child->dirty = true;
    if (parent != nullptr)
    {
        return;
    }
    auto at = std::find(children.begin(), children.end(), child);
    if (at == children.end())
    {
        return;
    }

    // Downward: stop at the first opaque sibling that covers the whole area.
    const Rect area = child->GetRect().Intersection(Rect(0, 0, width, height));
    for (auto it = at; it != children.begin();)
    {
        --it;
        Widget* sibling = *it;
        if (!sibling->visible)
        {
            continue;
        }
        if (!sibling->seeThrough && !sibling->translucent && !area.IsEmpty() && sibling->Contains(area.x, area.y) &&
            sibling->Contains(area.x + area.width - 1, area.y + area.height - 1))
        {
            MarkDirty(sibling);
            break;
        }
        if (sibling->Intersects(child))
        {
            MarkDirty(sibling);
        }
    }
    // Upward: everything drawn over the area.
    MarkSiblingsAbove(at, child);
}

void WidgetContainer::MarkDirtyArea()
{
    if (parent != nullptr)
    {
        parent->MarkDirtyArea(this);
    }
    else
    {
        dirty = true;
    }
}

void WidgetContainer::AttachedToManager(WidgetManager* theManager)
{
    for (Widget* child : children)
    {
        child->manager = theManager;
        child->AttachedToManager(theManager);
    }
    for (Widget* child : children)
    {
        MarkDirty(child);
    }
}

void WidgetContainer::DetachedFromManager(WidgetManager* theManager)
{
    for (Widget* child : children)
    {
        theManager->ForgetWidget(child);
        child->DetachedFromManager(theManager);
        child->manager = nullptr;
    }
    if (theManager->popupWidget != nullptr && static_cast<WidgetContainer*>(theManager->popupWidget) == this)
    {
        theManager->popupWidget = nullptr;
    }
}

void WidgetContainer::Update()
{
    ++updateCount;
}

void WidgetContainer::UpdateTree(ModalFlags& flags)
{
    ModalFlagsScope scope(flags, flagOverride);
    if (flags.Has(FlagMarkDirty))
    {
        MarkDirty();
    }
    if (manager == nullptr)
    {
        return;
    }
    if (flags.Has(FlagUpdate) && lastUpdateTick != manager->updateCount)
    {
        lastUpdateTick = manager->updateCount;
        Update();
    }
    UpdateChildren(flags, false, 0.0);
    childListChanged = true;
}

void WidgetContainer::UpdateSmooth(double) {}

void WidgetContainer::UpdateSmoothTree(ModalFlags& flags, double fraction)
{
    ModalFlagsScope scope(flags, flagOverride);
    if (manager == nullptr)
    {
        return;
    }
    if (flags.Has(FlagUpdate))
    {
        UpdateSmooth(fraction);
    }
    UpdateChildren(flags, true, fraction);
    childListChanged = true;
}

void WidgetContainer::UpdateChildren(ModalFlags& flags, bool smooth, double fraction)
{
    WalkChildren(
        [&](Widget* child)
        {
            if (manager != nullptr && child == manager->modalWidget)
            {
                flags.aboveModal = true;
            }
            if (smooth)
            {
                child->UpdateSmoothTree(flags, fraction);
            }
            else
            {
                child->UpdateTree(flags);
            }
        });
}

void WidgetContainer::Draw(Graphics*) {}

void WidgetContainer::DrawTree(ModalFlags& flags, Graphics* g)
{
    if (manager != nullptr && drawPriority > manager->lowestPendingPriority)
    {
        manager->DrawPendingOverlays(drawPriority);
    }
    ModalFlagsScope scope(flags, flagOverride);
    if (clipToBounds && flags.Has(FlagClip))
    {
        g->IntersectClip(0, 0, width, height);
    }
    if (children.empty())
    {
        if (flags.Has(FlagDraw))
        {
            Draw(g);
        }
        return;
    }
    if (flags.Has(FlagDraw))
    {
        g->SaveState();
        Draw(g);
        g->RestoreState();
    }
    WalkChildren(
        [&](Widget* child)
        {
            if (manager != nullptr && child == manager->modalWidget)
            {
                flags.aboveModal = true;
            }
            if (child->visible)
            {
                Graphics childGraphics(*g);
                childGraphics.Translate(child->x, child->y);
                child->DrawTree(flags, &childGraphics);
            }
            // A hidden child counts as drawn too: a stale mark would keep a
            // later MarkDirty from reaching its parent once it is shown again.
            child->dirty = false;
        });
}

void WidgetContainer::AddWidget(Widget* widget)
{
    if (widget == nullptr || HasWidget(widget) || widget == this)
    {
        return;
    }
    if (widget->parent != nullptr)
    {
        widget->parent->RemoveWidget(widget); // a widget lives in one list only
    }
    children.push_back(widget);
    widget->manager = manager;
    widget->parent = this;
    if (manager != nullptr)
    {
        widget->AttachedToManager(manager);
        widget->MarkDirtyArea();
        manager->RefreshPointer();
    }
    MarkDirty();
}

void WidgetContainer::RemoveWidget(Widget* widget)
{
    if (!HasWidget(widget))
    {
        return;
    }
    if (manager != nullptr)
    {
        WidgetManager* theManager = manager;
        theManager->ForgetWidget(widget);
        widget->DetachedFromManager(theManager);
        MarkDirtyArea(widget);
    }
    widget->manager = nullptr;
    widget->parent = nullptr;
    // Handlers above may have reordered the list: look the widget up again.
    auto it = std::find(children.begin(), children.end(), widget);
    if (it != children.end())
    {
        UnlinkChild(it);
    }
}

bool WidgetContainer::HasWidget(const Widget* widget) const
{
    return widget != nullptr && std::find(children.begin(), children.end(), widget) != children.end();
}

void WidgetContainer::RemoveAllChildren(bool destroy, bool recursive)
{
    while (!children.empty())
    {
        Widget* widget = children.front();
        RemoveWidget(widget);
        if (!children.empty() && children.front() == widget)
        {
            UnlinkChild(children.begin()); // a handler put it back: never loop forever
        }
        if (recursive)
        {
            widget->RemoveAllChildren(destroy, recursive);
        }
        if (destroy)
        {
            delete widget;
        }
    }
}

void WidgetContainer::PlaceAbove(Widget* widget, Widget* reference)
{
    auto it = std::find(children.begin(), children.end(), widget);
    if (it == children.end())
    {
        return;
    }
    UnlinkChild(it);
    auto ref = std::find(children.begin(), children.end(), reference);
    if (ref == children.end())
    {
        children.push_back(widget);
    }
    else
    {
        children.insert(std::next(ref), widget);
    }
    widget->OrderChanged();
    widget->MarkDirty();
    if (manager != nullptr)
    {
        manager->RefreshPointer();
    }
}

Point WidgetContainer::GetScreenPos() const
{
    Point p;
    for (const WidgetContainer* c = this; c != nullptr; c = c->parent)
    {
        p.x += c->x;
        p.y += c->y;
    }
    return p;
}

void WidgetContainer::MarkSubtreeDirty()
{
    MarkDirty();
    for (Widget* child : children)
    {
        child->dirty = true;
        child->MarkSubtreeDirty();
    }
}

void WidgetContainer::UnlinkChild(ChildList::iterator it)
{
    for (ChildWalk* walk = activeWalk; walk != nullptr; walk = walk->outer)
    {
        if (walk->cursor == it)
        {
            ++walk->cursor;
            walk->changed = true;
        }
    }
    if (it == updateCursor)
    {
        ++updateCursor;
        childListChanged = true;
    }
    children.erase(it);
}

} // namespace Framework
