// WidgetContainer: a rectangle holding an ordered list of child widgets, the
// common base of Widget and WidgetManager.
//
// Ownership: a container never owns its children. AddWidget does not transfer
// ownership and RemoveWidget does not destroy (only RemoveAllChildren with
// its delete option does). A container destroyed while it still has children
// unlinks them silently; a Widget destroyed while still in a container
// removes itself first, so neither side is left with a dangling reference.
//
// Order: children.front() is bottom-most (drawn first), children.back() is
// top-most. The update and draw passes walk the list with updateCursor;
// removing or moving the child under the cursor moves the cursor on and sets
// childListChanged, so a handler may remove itself or a sibling during its own
// update or draw without a sibling being skipped or visited twice. A pass started from
// inside a handler (a dialog waiting for its answer runs the loop) walks with
// a cursor of its own, and the outer walk resumes where it stood.
//
// Coordinates: x, y are relative to the parent; width and height in pixels.
// Main thread only.
#pragma once

#include <cstdint>
#include <list>

#include "framework/graphics/Rect.h"
#include "framework/widgets/WidgetFlags.h"

namespace Framework
{

class Graphics;
class Widget;
class WidgetManager;

class WidgetContainer
{
public:
    using ChildList = std::list<Widget*>;

    WidgetContainer() = default;
    WidgetContainer(const WidgetContainer&) = delete;
    WidgetContainer& operator=(const WidgetContainer&) = delete;
    virtual ~WidgetContainer();

    ChildList children;
    WidgetManager* manager = nullptr;
    WidgetContainer* parent = nullptr;
    bool childListChanged = false;
    ChildList::iterator updateCursor = children.end();
    int32_t lastUpdateTick = 0;
    int32_t updateCount = 0;
    bool dirty = false;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool translucent = false;
    bool clipToBounds = true;
    FlagsMod flagOverride;
    int32_t drawPriority = 0;

    virtual Rect GetRect();
    virtual bool Intersects(WidgetContainer* other);
    virtual void MarkDirty(WidgetContainer* child);
    virtual void MarkDirty();
    virtual void MarkDirtyArea(WidgetContainer* child);
    virtual void MarkDirtyArea();
    virtual void AttachedToManager(WidgetManager* theManager);
    virtual void DetachedFromManager(WidgetManager* theManager);
    virtual void Update();
    virtual void UpdateTree(ModalFlags& flags);
    virtual void UpdateSmooth(double fraction);
    virtual void UpdateSmoothTree(ModalFlags& flags, double fraction);
    virtual void Draw(Graphics* g);
    virtual void DrawTree(ModalFlags& flags, Graphics* g);

    // Appends the widget on top; nothing if it is already a child.
    void AddWidget(Widget* widget);
    // Unlinks the widget (never destroys it); nothing if it is not a child.
    void RemoveWidget(Widget* widget);
    bool HasWidget(const Widget* widget) const;
    // Removes every child, first emptying each removed child the same way
    // when recursive, and destroying it when destroy is set.
    void RemoveAllChildren(bool destroy = false, bool recursive = false);
    // Moves the widget right above reference, or on top when reference is not
    // a child; nothing if the widget is not a child.
    void PlaceAbove(Widget* widget, Widget* reference);
    // Position of this container's top-left corner on the screen.
    Point GetScreenPos() const;
    // MarkDirty, then every descendant dirty.
    void MarkSubtreeDirty();

protected:
    // One walk over the children; walks nest when a handler runs a pass of
    // its own.
    struct ChildWalk
    {
        ChildList::iterator cursor;
        bool changed = false;
        ChildWalk* outer = nullptr;
    };

    // Calls visit(child) for every child in order. A handler may remove or
    // move any child meanwhile, the visited one included: none is skipped or
    // visited twice.
    template <class Visit> void WalkChildren(Visit&& visit)
    {
        ChildWalk walk;
        walk.cursor = children.begin();
        walk.outer = activeWalk;
        activeWalk = &walk;
        WalkEnd end{*this, walk};
        while (walk.cursor != children.end())
        {
            walk.changed = false;
            updateCursor = walk.cursor;
            childListChanged = false;
            visit(*walk.cursor);
            if (!walk.changed)
            {
                ++walk.cursor;
            }
        }
    }

    // Unlinks the widget from children, moving every walk's cursor on that
    // points at it.
    void UnlinkChild(ChildList::iterator it);
    // Marks the visible children after `at` that overlap child.
    void MarkSiblingsAbove(ChildList::iterator at, WidgetContainer* child);
    // The walk shared by the update passes.
    void UpdateChildren(ModalFlags& flags, bool smooth, double fraction);

    ChildWalk* activeWalk = nullptr;

private:
    // Leaving a walk, also by an exception, hands the cursor back to the
    // outer walk.
    struct WalkEnd
    {
        WidgetContainer& container;
        ChildWalk& walk;
        WalkEnd(WidgetContainer& c, ChildWalk& w) : container(c), walk(w) {}
        WalkEnd(const WalkEnd&) = delete;
        WalkEnd& operator=(const WalkEnd&) = delete;
        ~WalkEnd()
        {
            container.activeWalk = walk.outer;
            container.updateCursor = walk.outer != nullptr ? walk.outer->cursor : container.children.end();
        }
    };
};

} // namespace Framework
