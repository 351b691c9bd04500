// ScreenMode: the one way the game's window switches between a window and
// full screen -- the menu's and the title bar's window button, the settings
// dialog's OK and the avatar import's BROWSE all go through it.
//
// Going to a window first pulls the stored window position into the
// desktop's top-left quadrant (x >= 0, y >= 0; -1, "never placed", stays and
// centres the window); the new window gets the application's drag band
// again as it is made. Main thread only.
#pragma once

namespace Framework
{
class AppBase;
}

// Nothing when the game already runs that way.
void SetWindowedMode(Framework::AppBase& app, bool toWindowed);
// Full screen from a window, a window from full screen.
void ToggleScreenMode(Framework::AppBase& app);
