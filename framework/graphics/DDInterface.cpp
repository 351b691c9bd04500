#include "framework/graphics/DDInterface.h"

#include <algorithm>

#include <vector>

#include "framework/graphics/MemoryImage.h"
#include "framework/platform/Platform.h"

namespace Framework
{

const char* DDInterface::ResultName(int32_t result)
{
    switch (result)
    {
        case RESULT_OK:
            return "RESULT_OK";
        case RESULT_FAIL:
            return "RESULT_FAIL";
        case RESULT_DD_CREATE_FAIL:
            return "RESULT_DD_CREATE_FAIL";
        case RESULT_SURFACE_FAIL:
            return "RESULT_SURFACE_FAIL";
        case RESULT_EXCLUSIVE_FAIL:
            return "RESULT_EXCLUSIVE_FAIL";
        case RESULT_DISPCHANGE_FAIL:
            return "RESULT_DISPCHANGE_FAIL";
        case RESULT_INVALID_COLORDEPTH:
            return "RESULT_INVALID_COLORDEPTH";
        default:
            return "RESULT_UNKNOWN";
    }
}

DDInterface::DDInterface(Platform* platformIn) : platform(platformIn) {}

DDInterface::~DDInterface()
{
    Cleanup();
}

int32_t DDInterface::Init(bool windowedIn, int32_t w, int32_t h, bool& refreshPacingFailed)
{
    std::lock_guard lock(displayLock);
    Cleanup();
    windowed = windowedIn;
    width = w;
    height = h;
    if (!platform || !platform->HasMainWindow())
    {
        lastError = windowed ? "CreateSurface Windowed Primary: no main window"
                             : "CreateSurface FullScreen Primary: no main window";
        return RESULT_DD_CREATE_FAIL;
    }
    if (!MemoryImage::SizeAllowed(w, h) || w <= 0 || h <= 0)
    {
        lastError = windowed ? "CreateSurface Windowed DrawSurface: size not allowed"
                             : "CreateSurface FullScreen DrawSurface: size not allowed";
        return RESULT_SURFACE_FAIL;
    }
    // Frames go out as soon as they are drawn; nothing waits for the
    // refresh, so refresh-driven pacing is off for the run.
    int32_t rate = platform->GetRefreshRate();
    refreshRate = rate < 60 ? 60 : rate > 100 ? 100 : rate;
    msPerRefresh = 1000 / refreshRate;
    refreshPacingFailed = true;

    screenImage = std::make_unique<DDImage>();
    screenImage->Allocate(w, h);
    screenImage->ForceAlphaFlags(false, false);
    changes.Reset();
    cursorChangeCount = -1;
    started = true;
    if (cursorImage)
    {
        Image* image = cursorImage;
        cursorImage = nullptr;
        SetCursorImage(image, cursorHotX, cursorHotY); // the new window needs the cursor again
    }
    return RESULT_OK;
}

bool DDInterface::Present()
{
    std::lock_guard lock(displayLock);
    if (!started || !screenImage)
    {
        return false;
    }
    const uint32_t* pixels = screenImage->GetPixels();
    bool whole = false;
    std::vector<ChangedRect> found = changes.Find(pixels, width, height, width, whole);
    if (found.empty())
    {
        return true;
    }
    std::vector<PlatformRect> rects;
    if (!whole)
    {
        rects.reserve(found.size());
        for (const ChangedRect& r : found)
        {
            rects.push_back({r.x, r.y, r.width, r.height});
        }
    }
    ++presentCount;
    if (!platform->Present(pixels, width, height, width, rects))
    {
        lastError = windowed ? "Redraw Windowed: the window surface cannot be updated"
                             : "Redraw FullScreen Blt: the window surface cannot be updated";
        changes.Reset();
        return false;
    }
    return true;
}

bool DDInterface::Present(int32_t x, int32_t y, int32_t w, int32_t h)
{
    std::lock_guard lock(displayLock);
    if (!started || !screenImage)
    {
        return false;
    }
    // The finder's copy no longer matches what is shown outside this part.
    changes.Reset();
    ++presentCount;
    if (!platform->Present(screenImage->GetPixels(), width, height, width, {{x, y, w, h}}))
    {
        lastError = windowed ? "Redraw Windowed: the window surface cannot be updated"
                             : "Redraw FullScreen Blt: the window surface cannot be updated";
        return false;
    }
    return true;
}

void DDInterface::Invalidate()
{
    std::lock_guard lock(displayLock);
    changes.Reset();
}

void DDInterface::Cleanup()
{
    std::lock_guard lock(displayLock);
    screenImage.reset();
    changes.Reset();
    started = false;
}

void DDInterface::SetCursorImage(Image* image, int32_t hotX, int32_t hotY)
{
    std::lock_guard lock(displayLock);
    auto* memory = dynamic_cast<MemoryImage*>(image);
    const int32_t count = memory ? memory->changeCount : -1;
    if (image == cursorImage && count == cursorChangeCount && hotX == cursorHotX && hotY == cursorHotY)
    {
        return;
    }
    cursorImage = image;
    cursorChangeCount = count;
    cursorHotX = hotX;
    cursorHotY = hotY;
    if (!platform || !started)
    {
        return;
    }
    if (memory && memory->GetPixels())
    {
        platform->SetImageCursor(memory->GetPixels(), memory->width, memory->height,
                                 std::clamp(hotX, 0, std::max(memory->width - 1, 0)),
                                 std::clamp(hotY, 0, std::max(memory->height - 1, 0)));
    }
    else
    {
        platform->SetImageCursor(nullptr, 0, 0, 0, 0);
    }
}

void DDInterface::SetCursorPosition(int32_t x, int32_t y)
{
    std::lock_guard lock(displayLock);
    cursorX = x;
    cursorY = y;
}

void DDInterface::RegisterImage(DDImage* image)
{
    std::lock_guard lock(displayLock);
    images.insert(image);
}

void DDInterface::UnregisterImage(DDImage* image)
{
    std::lock_guard lock(displayLock);
    images.erase(image);
}

size_t DDInterface::RegisteredImageCount()
{
    std::lock_guard lock(displayLock);
    return images.size();
}

} // namespace Framework
