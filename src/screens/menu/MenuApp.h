// MenuApp: what the menu background asks of the application around it --
// the game state and screen switches its panels pass on (MenuGameHost), and
// the window buttons' operations. GameApp answers it; the menu background
// only references it. Main thread only.
#pragma once

#include "src/screens/common/MenuHost.h"

class MenuApp : public MenuGameHost
{
public:
    // --- the window buttons ---
    virtual void MinimiseWindow() = 0;
    // Full screen from a window; from full screen a window at the stored
    // position, moved into the screen.
    virtual void ToggleScreenMode() = 0;
};
