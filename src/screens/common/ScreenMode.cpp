#include "src/screens/common/ScreenMode.h"

#include <algorithm>

#include "framework/app/AppBase.h"

void SetWindowedMode(Framework::AppBase& app, bool toWindowed)
{
    if (toWindowed == app.windowed)
    {
        return;
    }
    if (toWindowed && app.preferredX != -1)
    {
        app.preferredX = std::max(app.preferredX, 0);
        app.preferredY = std::max(app.preferredY, 0);
    }
    // The window is made anew; it takes the stored drag band as it is made.
    app.SetScreenMode(toWindowed, app.is3D, false);
}

void ToggleScreenMode(Framework::AppBase& app)
{
    SetWindowedMode(app, !app.windowed);
}
