// WidgetProbe: a widget that records every handler call into a shared log
// ("name:event args") and can run a hook from Update, Draw or DrawOverlay.
// ProbeScreen: a widget manager on an 800 x 600 memory image.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"

namespace TestSupport
{

using EventLog = std::vector<std::string>;

class WidgetProbe : public Framework::Widget
{
public:
    WidgetProbe(EventLog& eventLog, std::string probeName, int32_t px = 0, int32_t py = 0, int32_t w = 0, int32_t h = 0)
        : log(eventLog), name(std::move(probeName))
    {
        x = px;
        y = py;
        width = w;
        height = h;
    }

    using Framework::Widget::MouseDown;
    using Framework::Widget::MouseUp;

    void Update() override
    {
        Widget::Update();
        if (onUpdate)
        {
            onUpdate();
        }
    }
    void UpdateSmooth(double) override { ++smoothUpdates; }
    void Draw(Framework::Graphics* g) override
    {
        Log("draw");
        if (fill.alpha > 0)
        {
            g->SetColor(fill);
            g->FillRect(fillRect.IsEmpty() ? Framework::Rect(0, 0, width, height) : fillRect);
        }
        if (onDraw)
        {
            onDraw(g);
        }
    }
    void DrawOverlay(Framework::Graphics* g) override
    {
        Log("overlay");
        if (onOverlay)
        {
            onOverlay(g);
        }
    }
    void GotFocus() override
    {
        Widget::GotFocus();
        Log("gotfocus");
    }
    void LostFocus() override
    {
        Widget::LostFocus();
        Log("lostfocus");
    }
    void CharTyped(char c) override { Log("char " + std::to_string(int(c))); }
    void KeyDown(int32_t key) override
    {
        Log("keydown " + std::to_string(key));
        Widget::KeyDown(key);
    }
    void KeyUp(int32_t key) override { Log("keyup " + std::to_string(key)); }
    void MouseEnter() override { Log("enter"); }
    void MouseLeave() override { Log("leave"); }
    void MouseMove(int32_t mx, int32_t my) override { Log("move " + Pos(mx, my)); }
    void MouseDown(int32_t mx, int32_t my, int32_t button, int32_t count) override
    {
        Log("down " + Pos(mx, my) + " b" + std::to_string(button) + " c" + std::to_string(count));
    }
    void MouseUp(int32_t mx, int32_t my, int32_t button, int32_t count) override
    {
        Log("up " + Pos(mx, my) + " b" + std::to_string(button) + " c" + std::to_string(count));
    }
    void MouseDrag(int32_t mx, int32_t my) override { Log("drag " + Pos(mx, my)); }
    void MouseWheel(int32_t delta) override { Log("wheel " + std::to_string(delta)); }
    bool AcceptsPoint(int32_t px, int32_t py) override { return !rejectsPoint || !rejectsPoint(px, py); }

    void Log(const std::string& what) { log.push_back(name + ":" + what); }
    static std::string Pos(int32_t px, int32_t py) { return std::to_string(px) + "," + std::to_string(py); }

    EventLog& log;
    std::string name;
    int32_t smoothUpdates = 0;
    Framework::Color fill{0, 0, 0, 0};
    Framework::Rect fillRect;
    std::function<void()> onUpdate;
    std::function<void(Framework::Graphics*)> onDraw;
    std::function<void(Framework::Graphics*)> onOverlay;
    std::function<bool(int32_t, int32_t)> rejectsPoint;
};

struct ProbeScreen
{
    ProbeScreen()
    {
        screen.Allocate(800, 600);
        manager.width = 800;
        manager.height = 600;
        manager.screenImage = &screen;
    }

    Framework::MemoryImage screen;
    Framework::WidgetManager manager;
};

} // namespace TestSupport
