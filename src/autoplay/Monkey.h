// Monkey: random input over whatever the screen shows, for soak runs. It
// looks at the widget tree the way a player looks at the screen and, about
// once in `pace` updates, does one thing a restless player might: presses a
// button that is shown and enabled (most often; inside the modal dialog when
// one is up), clicks or double-clicks anywhere, drags (a slider's thumb, a
// dialog's band, the field), types a few letters, a Backspace, Enter or
// Escape into whatever has the focus, or turns the wheel.
//
// Buttons the caller forbids are never pressed (the exit dialog's YES: the
// soak's quitting is always cancelled). The monkey only hands back events
// for the input queue, in the window's coordinates; it changes nothing
// itself. Its own generator (seeded) decides, so it takes no numbers from
// the game's sources. Main thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "framework/platform/Platform.h"

namespace Framework
{
class ButtonWidget;
class Widget;
class WidgetManager;
} // namespace Framework

namespace Autoplay
{

class Monkey
{
public:
    struct Counts
    {
        int64_t acts = 0;
        int64_t buttons = 0; // presses of a shown, enabled button
        int64_t clicks = 0;  // clicks and double clicks anywhere
        int64_t drags = 0;
        int64_t keys = 0;    // typed letters and editing keys
        int64_t wheels = 0;
    };

    // pace: one act in about this many updates (at least 1).
    Monkey(uint64_t seed, int32_t pace, int32_t screenWidth, int32_t screenHeight);

    // One update: what to do now (often nothing).
    std::vector<Framework::InputEvent> Update(const Framework::WidgetManager& screen);

    // Buttons never to press.
    std::function<bool(const Framework::ButtonWidget& button)> forbidden;

    const Counts& GetCounts() const { return counts; }

private:
    int32_t Below(int32_t n);
    // A point inside the widget's rectangle on the screen, clamped to it.
    void PointIn(const Framework::Widget& widget, int32_t& px, int32_t& py);
    void Click(std::vector<Framework::InputEvent>& out, int32_t px, int32_t py, int32_t clickCount);
    void Drag(std::vector<Framework::InputEvent>& out, int32_t fromX, int32_t fromY, int32_t toX, int32_t toY);
    void Type(std::vector<Framework::InputEvent>& out);

    std::mt19937_64 generator;
    int32_t pace;
    int32_t width;
    int32_t height;
    Counts counts;
};

} // namespace Autoplay
