// DDInterface: the display. Owns the screen image every frame is drawn into,
// presents finished frames through the platform, keeps the set of display
// images, shows the application's cursor image, and holds the display lock.
//
// Drawing is always the software path (is3D stays false). Present() sends
// only what changed since the last presented frame (found by
// DisplayChangeFinder); after Init, a size change or Invalidate() the whole
// frame goes out. The platform scales the picture in full screen.
// Refresh-driven pacing cannot be had on this path, so Init always reports
// it as failed.
//
// Threads: Init, Present, Cleanup and cursor operations run on the main
// thread; RegisterImage / UnregisterImage may come from any thread (images are
// made on the loading thread). All of them take the display lock, which the
// application's draw takes too (recursive). The platform must outlive the
// display; registered images must leave (be destroyed) before it.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/DisplayChangeFinder.h"
#include "framework/graphics/ImageRegistry.h"

namespace Framework
{

class Platform;
class Image;

class DDInterface : public ImageRegistry
{
public:
    enum Result : int32_t
    {
        RESULT_OK = 0,
        RESULT_FAIL = 1,
        RESULT_DD_CREATE_FAIL = 2,
        RESULT_SURFACE_FAIL = 3,
        RESULT_EXCLUSIVE_FAIL = 4,
        RESULT_DISPCHANGE_FAIL = 5,
        RESULT_INVALID_COLORDEPTH = 6,
    };
    static const char* ResultName(int32_t result);

    explicit DDInterface(Platform* platform);
    ~DDInterface() override;
    DDInterface(const DDInterface&) = delete;
    DDInterface& operator=(const DDInterface&) = delete;

    // Starts the display for the platform's main window at width x height.
    // refreshPacingFailed is set (refresh pacing is not available here).
    int32_t Init(bool windowed, int32_t width, int32_t height, bool& refreshPacingFailed);
    // Presents the screen image: only its changed parts unless a whole
    // update is due. False (lastError set) when the platform failed; the next
    // Present sends the whole frame.
    bool Present();
    // Presents the given part of the screen image as it is now.
    bool Present(int32_t x, int32_t y, int32_t w, int32_t h);
    // The next Present sends the whole frame (after exposure or a mode change).
    void Invalidate();
    void Cleanup();

    DDImage* GetScreenImage() { return screenImage.get(); }

    // The application's cursor image (null: back to the system cursor) with
    // its hot spot, the click point in the image's pixels.
    void SetCursorImage(Image* image, int32_t hotX = 0, int32_t hotY = 0);
    Image* GetCursorImage() const { return cursorImage; }
    // Where the pointer is (picture coordinates); the platform draws the
    // cursor image there itself.
    void SetCursorPosition(int32_t x, int32_t y);

    std::recursive_mutex& Lock() { return displayLock; }

    void RegisterImage(DDImage* image) override;
    void UnregisterImage(DDImage* image) override;
    size_t RegisteredImageCount();
    // Calls fn(image) for every registered image, under the lock.
    template <class F> void ForEachImage(F&& fn)
    {
        std::lock_guard lock(displayLock);
        for (DDImage* image : images)
        {
            fn(*image);
        }
    }

    bool windowed = true;
    int32_t width = 0;
    int32_t height = 0;
    int32_t refreshRate = 60;
    int32_t msPerRefresh = 16;
    bool is3D = false;
    int32_t cursorX = 0;
    int32_t cursorY = 0;
    std::string lastError;
    int32_t presentCount = 0; // frames handed to the platform

private:
    Platform* platform;
    std::recursive_mutex displayLock;
    std::unique_ptr<DDImage> screenImage;
    std::unordered_set<DDImage*> images;
    DisplayChangeFinder changes;
    Image* cursorImage = nullptr;
    int32_t cursorChangeCount = -1;
    int32_t cursorHotX = 0;
    int32_t cursorHotY = 0;
    bool started = false;
};

} // namespace Framework
