// The main-window side of AppBase: creating the window for the current mode
// with its fallbacks, switching modes, and choosing the cursor.
#include <algorithm>
#include <cstdio>

#include "framework/app/AppBase.h"
#include "framework/graphics/ImageLoader.h"

namespace Framework
{

namespace
{

constexpr int32_t WorkAreaMargin = 4;

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
    std::unique_ptr<ImageLoader::LoadedImage> icon;
    if (!windowIconPath.empty())
    {
        icon = ImageLoader::LoadImageFile(windowIconPath, false);
    }
    int32_t placedX = 0;
    int32_t placedY = 0;
    while (true)
    {
        WindowSpec spec;
        if (icon && icon->width > 0 && icon->height > 0)
        {
            spec.icon = icon->pixels;
            spec.iconWidth = icon->width;
            spec.iconHeight = icon->height;
        }
        spec.caption = windowCaption;
        spec.width = width;
        spec.height = height;
        spec.fullScreen = !windowed;
        if (windowed)
        {
            PlaceWindow(platform->GetWorkArea(), width, height, preferredX, preferredY, spec.x, spec.y);
            placedX = spec.x;
            placedY = spec.y;
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
    if (windowed && preferredX != -1)
    {
        // The place kept is where the window stands (pulled inside the work
        // area), not the place asked for; a window never placed stays centred.
        platform->GetWindowPosition(placedX, placedY);
        preferredX = placedX;
        preferredY = placedY;
    }
    if (inputTrace)
    {
        std::fprintf(stderr, "trace: window %s %dx%d\n", windowed ? "windowed" : "full screen", width, height);
    }
    // Every new window needs the drag band again.
    platform->SetDragBand(dragBandHeight, dragExcludeLeft, dragExcludeRight);
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
        // A stored "Is3D" of 1 asks for the 3D device, which this display
        // does not have: that start falls back to plain drawing at once, so
        // the choice changed during the run and is written back as 0.
        int32_t stored = 0;
        if (ReadInteger("Is3D", stored))
        {
            is3DStored = true;
            if (stored != 0)
            {
                is3DChanged = true;
            }
        }
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
    // a start that fails with 3D on, which falls back to 3D off at once. The
    // display keeps running as it is; only the change is recorded.
    (void)restart;
    if (on == is3D)
    {
        return;
    }
    is3DChanged = true;
    is3D = false;
}

void AppBase::Settle3DSetting()
{
    if (!is3DChanged)
    {
        return;
    }
    // Without a stored value and with 3D off nothing is written (3D cannot
    // be on at the end of a run here, so the question that keeps it on is
    // never asked).
    if (!is3DStored && !is3D)
    {
        return;
    }
    WriteInteger("Is3D", is3D ? 1 : 0);
}

void AppBase::SetWindowDragBand(int32_t bandHeight, int32_t excludeLeft, int32_t excludeRight)
{
    dragBandHeight = bandHeight;
    dragExcludeLeft = excludeLeft;
    dragExcludeRight = excludeRight;
    if (platform && platform->HasMainWindow())
    {
        platform->SetDragBand(bandHeight, excludeLeft, excludeRight);
    }
}

void AppBase::SetCursor(int32_t number)
{
    {
        std::lock_guard lock(cursorLock);
        cursorNumber = number;
    }
    RefreshCursor();
}

void AppBase::SetCustomCursors(bool on)
{
    {
        std::lock_guard lock(cursorLock);
        customCursors = on;
    }
    RefreshCursor();
}

void AppBase::SetCustomCursorImage(int32_t number, Image* image, int32_t hotX, int32_t hotY)
{
    if (number < 0 || number >= CursorCount)
    {
        return;
    }
    {
        std::lock_guard lock(cursorLock);
        cursorImages[size_t(number)] = image;
        cursorHotSpots[size_t(number)] = Point(hotX, hotY);
    }
    RefreshCursor();
}

void AppBase::RefreshCursor()
{
    if (primaryThreadId != std::thread::id() && std::this_thread::get_id() != primaryThreadId)
    {
        // The window system is the main thread's: it shows the cursor at its
        // next pump.
        cursorRefreshPending = true;
        return;
    }
    if (!platform || !display)
    {
        return;
    }
    int32_t number = 0;
    Image* image = nullptr;
    Point hotSpot;
    bool custom = false;
    {
        std::lock_guard lock(cursorLock);
        number = cursorNumber;
        custom = customCursors;
        const bool inRange = number >= 0 && number < CursorCount;
        image = inRange ? cursorImages[size_t(number)] : nullptr;
        hotSpot = inRange ? cursorHotSpots[size_t(number)] : Point();
        if (!inRange)
        {
            number = 0;
        }
    }
    if (demoPlayback)
    {
        // The recorded pointer draws the game's cursor; the viewer's own
        // pointer says that it has nothing to do here.
        display->SetCursorImage(pointerInside ? image : nullptr, hotSpot.x, hotSpot.y);
        platform->RequestSystemCursor(4); // not allowed
        return;
    }
    if (!pointerInside)
    {
        display->SetCursorImage(nullptr);
        platform->RequestSystemCursor(0);
        return;
    }
    if (image && (custom || number == 12))
    {
        // The display shows the image at the pointer in place of the system
        // cursor.
        display->SetCursorImage(image, hotSpot.x, hotSpot.y);
        return;
    }
    display->SetCursorImage(nullptr);
    platform->RequestSystemCursor(number);
}

} // namespace Framework
