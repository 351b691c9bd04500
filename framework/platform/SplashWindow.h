// SplashWindow: the small picture window shown while the program starts,
// before the main window exists. It is a borderless window of its own,
// centred in the desktop's work area, that shows one picture and nothing
// else; it does not answer events (the main window's event pump skips it)
// and goes away when the object is closed or destroyed.
//
// Main thread only; the video system is started for it and released again
// (the main window keeps its own reference).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace Framework
{

class SplashWindow
{
public:
    SplashWindow();
    ~SplashWindow();
    SplashWindow(const SplashWindow&) = delete;
    SplashWindow& operator=(const SplashWindow&) = delete;

    // Opens the window (width x height) with the caption and shows the
    // 0xAARRGGBB pixels (null: white). False when no window can be made.
    bool Show(const std::string& caption, const uint32_t* pixels, int32_t width, int32_t height);
    void Close();
    bool IsOpen() const;
    // Where the window was placed (for tests and diagnostics).
    int32_t X() const { return x; }
    int32_t Y() const { return y; }

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
    int32_t x = 0;
    int32_t y = 0;
};

} // namespace Framework
