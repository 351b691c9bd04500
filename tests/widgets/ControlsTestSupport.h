// Helpers for the controls' tests: a widget manager on an 800 x 600 memory
// image with a host that records cursor, text-input and loop requests, a
// clipboard held in memory, and listeners that record what they are told.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/CheckboxListener.h"
#include "framework/platform/Clipboard.h"
#include "framework/widgets/ControlHost.h"
#include "framework/widgets/DialogListener.h"
#include "framework/widgets/EditListener.h"
#include "framework/widgets/SliderListener.h"
#include "framework/widgets/WidgetManager.h"

namespace TestSupport
{

class FakeControlHost : public Framework::WidgetHost, public Framework::ControlHost
{
public:
    void SetCursor(int32_t number) override { cursors.push_back(number); }
    void SetTextInputEnabled(bool on) override { textInput = on; }
    bool RunDialogLoopStep() override
    {
        ++loopSteps;
        return onLoopStep ? onLoopStep() : false;
    }

    std::vector<int32_t> cursors;
    bool textInput = false;
    int32_t loopSteps = 0;
    std::function<bool()> onLoopStep;
};

class MemoryClipboard : public Framework::Clipboard
{
public:
    std::string GetText() override { return contents; }
    bool SetText(const std::string& utf8) override
    {
        contents = utf8;
        return true;
    }
    std::string contents;
};

// A manager sized to the screen with its screen image.
struct ControlScreen
{
    ControlScreen() : manager(&host)
    {
        screen.Allocate(800, 600);
        manager.width = 800;
        manager.height = 600;
        manager.screenImage = &screen;
    }

    void Click(int32_t x, int32_t y, int32_t clickCount = 1)
    {
        manager.MouseMove(x, y);
        manager.MouseDown(x, y, clickCount);
        manager.MouseUp(x, y, clickCount);
    }

    // Draws the widget alone into the screen image at its own position.
    void DrawWidget(Framework::Widget& widget)
    {
        Framework::Graphics g(&screen);
        g.Translate(widget.x, widget.y);
        widget.Draw(&g);
    }

    uint32_t Pixel(int32_t x, int32_t y) { return screen.GetPixel(x, y); }

    FakeControlHost host;
    Framework::MemoryImage screen;
    Framework::WidgetManager manager;
};

struct RecordingListener : Framework::ButtonListener,
                           Framework::CheckboxListener,
                           Framework::SliderListener,
                           Framework::EditListener,
                           Framework::DialogListener
{
    void ButtonPressed(int32_t id, int32_t clickCount) override
    {
        Log("pressed " + std::to_string(id) + " " + std::to_string(clickCount));
    }
    void ButtonClicked(int32_t id) override { Log("clicked " + std::to_string(id)); }
    void ButtonHeldTick(int32_t id) override { Log("held " + std::to_string(id)); }
    void ButtonPointerEnter(int32_t id) override { Log("enter " + std::to_string(id)); }
    void ButtonPointerLeave(int32_t id) override { Log("leave " + std::to_string(id)); }
    void CheckboxToggled(int32_t id, bool checked) override
    {
        Log("toggled " + std::to_string(id) + (checked ? " on" : " off"));
    }
    void SliderValueChanged(int32_t id, double value) override
    {
        Log("slider " + std::to_string(id));
        sliderValues.push_back(value);
    }
    void EditTextEntered(int32_t id, const std::string& text) override
    {
        Log("entered " + std::to_string(id) + " " + text);
    }
    bool AcceptKey(int32_t, int32_t key) override { return key != refusedKey; }
    bool AcceptText(int32_t, const std::string& text) override
    {
        return refusedByte == 0 || text.find(refusedByte) == std::string::npos;
    }
    void DialogButtonPressed(int32_t dialogId, int32_t buttonId) override
    {
        Log("dialog pressed " + std::to_string(dialogId) + " " + std::to_string(buttonId));
    }
    void DialogButtonClicked(int32_t dialogId, int32_t buttonId) override
    {
        Log("dialog clicked " + std::to_string(dialogId) + " " + std::to_string(buttonId));
    }

    void Log(const std::string& line) { log.push_back(line); }
    int32_t Count(const std::string& line) const
    {
        int32_t n = 0;
        for (const std::string& entry : log)
        {
            n += entry == line ? 1 : 0;
        }
        return n;
    }

    std::vector<std::string> log;
    std::vector<double> sliderValues;
    int32_t refusedKey = -1;
    char refusedByte = 0;
};

} // namespace TestSupport
