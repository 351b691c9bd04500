// ButtonListener: what a button reports to its owner. Every handler does
// nothing by default. Ids are the button's own; coordinates are relative to
// the button.
#pragma once

#include <cstdint>

namespace Framework
{

class ButtonListener
{
public:
    virtual ~ButtonListener() = default;

    // A press on the button (any mouse button); clickCount as the widget
    // manager hands it over (1, 2 left; -1, -2 right; 3 middle).
    virtual void ButtonPressed(int32_t id, int32_t /*clickCount*/) { ButtonPressed(id); }
    virtual void ButtonPressed(int32_t /*id*/) {}
    // The release over the button while the window has the focus.
    virtual void ButtonClicked(int32_t /*id*/) {}
    // Every update while the button is held and the pointer is over it.
    virtual void ButtonHeldTick(int32_t /*id*/) {}
    virtual void ButtonPointerEnter(int32_t /*id*/) {}
    virtual void ButtonPointerLeave(int32_t /*id*/) {}
    virtual void ButtonPointerMove(int32_t /*id*/, int32_t /*x*/, int32_t /*y*/) {}
};

} // namespace Framework
