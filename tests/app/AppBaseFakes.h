// Fakes for driving AppBase without a display: a clock that moves only when
// told (sleeping advances it), and a platform that records what it was asked
// and hands out scripted events.
#pragma once

#include <deque>
#include <string>
#include <thread>
#include <vector>

#include "framework/platform/Clock.h"
#include "framework/platform/Platform.h"

namespace FrothwickTest
{

class FakeClock final : public Framework::Clock
{
public:
    uint32_t now = 1000;
    std::vector<uint32_t> sleeps;
    uint32_t NowMs() override { return now; }
    void SleepMs(uint32_t ms) override
    {
        sleeps.push_back(ms);
        now += ms;
    }
};

class FakePlatform : public Framework::Platform
{
public:
    Framework::PlatformRect workArea{0, 0, 1920, 1050};
    Framework::PlatformRect desktop{0, 0, 1920, 1080};
    bool failWindowed = false;
    bool failFullScreen = false;
    std::vector<Framework::WindowSpec> created;
    bool hasWindow = false;
    bool fullScreen = false;
    std::vector<Framework::InputEvent> pendingInput;
    std::vector<Framework::WindowEvent> pendingWindow;
    std::vector<int32_t> cursors;
    std::vector<std::string> messages;
    int presents = 0;
    std::vector<std::vector<Framework::PlatformRect>> presented;
    bool presentFails = false;
    const uint32_t* cursorPixels = nullptr;
    int imageCursors = 0;
    int32_t cursorHotX = -1;
    int32_t cursorHotY = -1;
    bool screenSaverAllowed = true;
    std::vector<std::thread::id> cursorThreads; // who asked for each cursor change
    std::vector<int32_t> dragBands;             // band height of each SetDragBand

    bool InitVideo(std::string&) override { return true; }
    Framework::PlatformRect GetWorkArea() override { return workArea; }
    Framework::PlatformRect GetDesktopBounds() override { return desktop; }
    bool CreateMainWindow(const Framework::WindowSpec& spec, std::string& error) override
    {
        created.push_back(spec);
        if ((spec.fullScreen && failFullScreen) || (!spec.fullScreen && failWindowed))
        {
            error = "refused";
            hasWindow = false;
            return false;
        }
        hasWindow = true;
        fullScreen = spec.fullScreen;
        return true;
    }
    void DestroyMainWindow() override { hasWindow = false; }
    bool HasMainWindow() const override { return hasWindow; }
    bool IsFullScreen() const override { return hasWindow && fullScreen; }
    void ShowMainWindow() override {}
    void HideMainWindow() override {}
    void RaiseMainWindow() override {}
    void MinimiseMainWindow() override {}
    bool GetWindowPosition(int32_t&, int32_t&) override { return false; }
    void SetWindowPosition(int32_t, int32_t) override {}
    void SetDragBand(int32_t height, int32_t, int32_t) override { dragBands.push_back(height); }
    void PumpEvents(std::vector<Framework::InputEvent>& input, std::vector<Framework::WindowEvent>& window) override
    {
        input.insert(input.end(), pendingInput.begin(), pendingInput.end());
        window.insert(window.end(), pendingWindow.begin(), pendingWindow.end());
        pendingInput.clear();
        pendingWindow.clear();
    }
    void ProcessRequests() override {}
    void SetTextInput(bool) override {}
    void SetScreenSaverAllowed(bool allowed) override { screenSaverAllowed = allowed; }
    void RequestSystemCursor(int32_t number) override
    {
        cursors.push_back(number);
        cursorThreads.push_back(std::this_thread::get_id());
    }
    void SetImageCursor(const uint32_t* pixels, int32_t, int32_t, int32_t hotX, int32_t hotY) override
    {
        cursorThreads.push_back(std::this_thread::get_id());
        cursorPixels = pixels;
        cursorHotX = hotX;
        cursorHotY = hotY;
        ++imageCursors;
    }
    bool Present(const uint32_t*, int32_t, int32_t, int32_t, const std::vector<Framework::PlatformRect>& rects) override
    {
        ++presents;
        presented.push_back(rects);
        return !presentFails;
    }
    int32_t ShowMessageBox(const std::string& text, const std::string& caption, uint32_t) override
    {
        messages.push_back(caption + ": " + text);
        return Framework::IDOK;
    }
    int32_t refreshRate = 75;
    int32_t GetRefreshRate() override { return refreshRate; }
    std::string VideoDriver() const override { return "fake"; }
};

} // namespace FrothwickTest
