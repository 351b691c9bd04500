// The main-window side of AppBase: creating the window for the current mode
// with its fallbacks, switching modes, and choosing the cursor.
#include <algorithm>

#include "framework/app/AppBase.h"

namespace Framework
{

namespace
{

constexpr int32_t WorkAreaMargin = 4;
// The top band that drags the borderless window: rows 0..25, except the
// window buttons at x 720..797.
constexpr int32_t DragBandHeight = 26;
constexpr int32_t DragExcludeLeft = 720;
constexpr int32_t DragExcludeRight = 798;

} // namespace

void AppBase::PlaceWindow(const PlatformRect& workArea, int32_t w, int32_t h, int32_t prefX, int32_t prefY, int32_t& x,
                          int32_t& y)
{
    if (prefX == -1)
    {
        x = workArea.x + (workArea.width - w) / 2;
        y = workArea.y + (workArea.height - h) / 2;
        return;
    }
    x = std::max(prefX, workArea.x + WorkAreaMargin);
    y = std::max(prefY, workArea.y + WorkAreaMargin);
    x = std::min(x, workArea.x + workArea.width - WorkAreaMargin - w);
    y = std::min(y, workArea.y + workArea.height - WorkAreaMargin - h);
}

void AppBase::CreateMainWindow()
{
    if (!platform)
    {
        return;
    }
    platform->DestroyMainWindow();
    while (true)
    {
        WindowSpec spec;
        spec.caption = windowCaption;
        spec.width = width;
        spec.height = height;
        spec.fullScreen = !windowed;
        if (windowed)
        {
            PlaceWindow(platform->GetWorkArea(), width, height, preferredX, preferredY, spec.x, spec.y);
        }
        std::string error;
        if (platform->CreateMainWindow(spec, error))
        {
            break;
        }
        if (windowed && !forceWindowed)
        {
            // A window cannot be had: full screen for the rest of the run.
            forceFullScreen = true;
            windowed = false;
            continue;
        }
        if (!windowed && !forceFullScreen)
        {
            // Full screen cannot be had: a window for the rest of the run.
            forceWindowed = true;
            windowed = true;
            continue;
        }
        ShowErrorBox("Failed to initialize the display: " + error);
        ExitProcess(1);
    }
    mainWindowFullScreen = !windowed;
    platform->SetDragBand(DragBandHeight, DragExcludeLeft, DragExcludeRight);
    StartDisplay();
    if (minimised)
    {
        minimised = false;
        if (muteOnFocusLoss)
        {
            Unmute(true);
        }
    }
    WidgetsMarkAllDirty();
    tickSinceDraw = true;
    UpdateScreenSaverRule();
    RefreshCursor();
}

void AppBase::StartDisplay()
{
    if (!display)
    {
        display = std::make_unique<DDInterface>(platform.get());
        display->is3D = false;
        // A stored "Is3D" asks for the 3D device, which this display does not
        // have; the software path is complete, so the choice stays off.
    }
    PreDisplayHook();
    const int32_t result = display->Init(windowed, width, height, refreshPacingFailed);
    if (result != DDInterface::RESULT_OK)
    {
        ShowErrorBox(std::string("Failed to initialize the display: ") + DDInterface::ResultName(result) + " " +
                     display->lastError);
        ExitProcess(1);
    }
    refreshRate = display->refreshRate;
    WidgetsSetScreenImage(display->GetScreenImage());
}

void AppBase::SetScreenMode(bool toWindowed, bool accelerated, bool force)
{
    if (forceFullScreen)
    {
        toWindowed = false;
    }
    if (forceWindowed)
    {
        toWindowed = true;
    }
    if (toWindowed == windowed && !force)
    {
        Set3DAcceleration(accelerated, true);
        return;
    }
    Set3DAcceleration(accelerated, false);
    windowed = toWindowed;
    CreateMainWindow();
    if (platform)
    {
        platform->ShowMainWindow();
        platform->RaiseMainWindow();
    }
    SoundWindowChanged(windowed);
}

void AppBase::SetScreenMode(bool toWindowed)
{
    SetScreenMode(toWindowed, is3D, false);
}

void AppBase::SetScreenMode()
{
    SetScreenMode(windowed, is3D, true);
}

void AppBase::Set3DAcceleration(bool on, bool restart)
{
    // Drawing is always the software path here: a wish for the 3D device is
    // a start that fails with 3D on, which falls back to 3D off. The choice
    // therefore never changes and nothing is restarted.
    (void)restart;
    if (on == is3D)
    {
        return;
    }
    is3D = false;
}

void AppBase::SetCursor(int32_t number)
{
    cursorNumber = number;
    RefreshCursor();
}

void AppBase::SetCustomCursors(bool on)
{
    customCursors = on;
    RefreshCursor();
}

void AppBase::SetCustomCursorImage(int32_t number, Image* image)
{
    if (number < 0 || number >= CursorCount)
    {
        return;
    }
    cursorImages[size_t(number)] = image;
    RefreshCursor();
}

void AppBase::RefreshCursor()
{
    if (!platform || !display)
    {
        return;
    }
    if (!pointerInside)
    {
        if (display)
        {
            display->SetCursorImage(nullptr);
        }
        platform->RequestSystemCursor(0);
        return;
    }
    const bool inRange = cursorNumber >= 0 && cursorNumber < CursorCount;
    Image* image = inRange ? cursorImages[size_t(cursorNumber)] : nullptr;
    if (image && (customCursors || cursorNumber == 12 || demoPlayback))
    {
        // The display shows the image at the pointer in place of the system
        // cursor.
        if (display)
        {
            display->SetCursorImage(image);
        }
        return;
    }
    if (display)
    {
        display->SetCursorImage(nullptr);
    }
    platform->RequestSystemCursor(inRange ? cursorNumber : 0);
}

} // namespace Framework
