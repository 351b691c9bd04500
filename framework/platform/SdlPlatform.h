// SdlPlatform: the Platform interface on SDL2 (video only; audio lives in the
// audio part).
//
// Owns the SDL video subsystem, the main window and the cursors it made.
// Presenting goes through the window surface with framebuffer acceleration
// off (plain shared-memory images under X): only the asked-for rectangles are
// copied; in full screen the surface has the desktop's size and the picture is
// scaled into it, letterboxed, by our own nearest-neighbour scaler.
//
// Construct and use on the main thread. ShowMessageBox and
// RequestSystemCursor from another thread are queued and carried out by the
// main thread (PumpEvents / ProcessRequests); a message box asked for that
// way blocks its caller until the main thread has shown it.
#pragma once

#include <memory>

#include "framework/platform/Platform.h"

namespace Framework
{

class SdlPlatform final : public Platform
{
public:
    SdlPlatform();
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    bool InitVideo(std::string& error) override;
    PlatformRect GetWorkArea() override;
    PlatformRect GetDesktopBounds() override;
    bool CreateMainWindow(const WindowSpec& spec, std::string& error) override;
    void DestroyMainWindow() override;
    bool HasMainWindow() const override;
    bool IsFullScreen() const override;
    void ShowMainWindow() override;
    void HideMainWindow() override;
    void RaiseMainWindow() override;
    void MinimiseMainWindow() override;
    bool GetWindowPosition(int32_t& x, int32_t& y) override;
    void SetWindowPosition(int32_t x, int32_t y) override;
    void SetDragBand(int32_t height, int32_t excludeLeft, int32_t excludeRight) override;
    void PumpEvents(std::vector<InputEvent>& input, std::vector<WindowEvent>& window) override;
    void ProcessRequests() override;
    bool WaitForEvents(uint32_t ms) override;
    void SetTextInput(bool on) override;
    void SetScreenSaverAllowed(bool allowed) override;
    void RequestSystemCursor(int32_t number) override;
    void SetImageCursor(const uint32_t* pixels, int32_t width, int32_t height, int32_t hotX, int32_t hotY) override;
    bool Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitchWords,
                 const std::vector<PlatformRect>& rects) override;
    int32_t ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags) override;
    int32_t GetRefreshRate() override;
    std::string VideoDriver() const override;

    // Whether a real display is in use (not a headless driver picked silently).
    static bool DisplayAvailableFromEnvironment();

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

} // namespace Framework
