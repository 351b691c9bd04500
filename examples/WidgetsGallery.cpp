// The widget toolkit on its own in a real window, for measuring and
// end-to-end tests of the framework without the game data: the galleries
// "widgets" (plain widgets) and "controls" (the standard controls' panel --
// buttons, link, slider, check box, a text field for Chinese text -- above
// them).
//
// For automated runs the environment variable FROTHWICK_EXIT_AFTER_TICKS=N
// stops the program in order after N update ticks (the command line refuses
// unknown switches, so this is not one). FROTHWICK_STILL=1 keeps the marker
// in place, so that nothing changes unless the player acts (for measuring
// the idle program).
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "examples/ControlsDemo.h"
#include "examples/Gallery.h"
#include "framework/app/AppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/Widget.h"

namespace
{

using Framework::Color;
using Framework::Graphics;
using Framework::Widget;

// Until the game's screens join, the program shows a few plain widgets: a
// shaded backdrop, a strip with a marker that crosses it every tick, and a
// panel of three buttons that light up under the pointer, sink while
// pressed, show the keyboard focus (Tab / Shift+Tab move it) and switch on a
// release over them or on Space.
class Backdrop final : public Widget
{
public:
    void Draw(Graphics* g) override
    {
        for (int32_t row = 0; row < height; row += 4)
        {
            const int32_t shade = 40 + row * 80 / height;
            g->SetColor(Color(shade / 3, shade / 2, shade));
            g->FillRect(0, row, width, 4);
        }
    }
};

class Strip final : public Widget
{
public:
    void Draw(Graphics* g) override
    {
        g->SetColor(Color(24, 36, 64));
        g->FillRect(0, 0, width, height);
    }
};

class Marker final : public Widget
{
public:
    void Draw(Graphics* g) override
    {
        g->SetColor(Color(224, 192, 64));
        g->FillRect(0, 0, width, height);
    }
};

class DemoButton final : public Widget
{
public:
    DemoButton()
    {
        focusOnClick = true;
        handCursor = true;
    }

    using Widget::MouseDown;
    using Widget::MouseUp;

    void Draw(Graphics* g) override
    {
        const int32_t sink = isPressed && isHovered ? 2 : 0;
        g->SetColor(on ? Color(60, 150, 90) : Color(70, 80, 110));
        if (isHovered)
        {
            g->SetColor(on ? Color(90, 190, 120) : Color(100, 115, 160));
        }
        g->FillRect(sink, sink, width - 2, height - 2);
        g->SetColor(hasFocus ? Color(250, 230, 120) : Color(20, 24, 36));
        g->DrawRect(sink, sink, width - 3, height - 3);
    }
    void MouseEnter() override { MarkDirty(); }
    void MouseLeave() override { MarkDirty(); }
    void MouseDown(int32_t, int32_t, int32_t, int32_t) override { MarkDirty(); }
    void MouseUp(int32_t px, int32_t py, int32_t button, int32_t) override
    {
        if (button == 0 && px >= 0 && py >= 0 && px < width && py < height)
        {
            on = !on;
        }
        MarkDirty();
    }
    void GotFocus() override
    {
        Widget::GotFocus();
        MarkDirty();
    }
    void LostFocus() override
    {
        Widget::LostFocus();
        MarkDirty();
    }
    void KeyDown(int32_t key) override
    {
        if (key == 32)
        {
            on = !on;
            MarkDirty();
        }
        Widget::KeyDown(key);
    }

private:
    bool on = false;
};

class FrothwickApp final : public Framework::AppBase
{
public:
    explicit FrothwickApp(bool withControls)
    {
        title = "Frothwick";
        windowCaption = "Frothwick";
        registryKey = "Tamsery Games\\Frothwick";
        width = 800;
        height = 600;
        // The title bar drags the borderless window, except its buttons.
        SetWindowDragBand(26, 720, 798);
        if (const char* n = std::getenv("FROTHWICK_EXIT_AFTER_TICKS"))
        {
            exitAfterTicks = std::atoi(n);
        }
        const char* still = std::getenv("FROTHWICK_STILL");
        markerMoves = !(still && *still);

        backdrop.Resize(0, 0, width, height);
        strip.Resize(0, MarkerY, width, MarkerSize);
        marker.Resize(0, 0, MarkerSize, MarkerSize);
        panel.Resize(250, 380, 300, 120);
        widgetManager->AddWidget(&backdrop);
        widgetManager->AddWidget(&strip);
        strip.AddWidget(&marker);
        widgetManager->AddWidget(&panel);
        for (size_t i = 0; i < buttons.size(); ++i)
        {
            buttons[i].Resize(20 + int32_t(i) * 90, 30, 80, 60);
            panel.AddWidget(&buttons[i]);
            buttons[i].nextInTabOrder = &buttons[(i + 1) % buttons.size()];
            buttons[i].prevInTabOrder = &buttons[(i + buttons.size() - 1) % buttons.size()];
        }
        widgetManager->SetFocus(&buttons[0]);
        if (withControls)
        {
            controls = std::make_unique<ControlsDemo>(nullptr, nullptr);
            controls->AddTo(widgetManager.get());
            // With the input trace, what the field reports goes there too.
            controls->onTextEntered = [this](const std::string& text)
            {
                if (inputTrace)
                {
                    std::fprintf(stderr, "trace: entered \"%s\"\n", text.c_str());
                }
            };
        }
    }

    ~FrothwickApp() override
    {
        StopApplication();
        if (controls)
        {
            controls->RemoveFrom(widgetManager.get());
        }
        widgetManager->RemoveAllChildren();
    }

protected:
    void Tick() override
    {
        // The marker crosses its strip; only the strip is redrawn.
        if (markerMoves)
        {
            marker.Move((marker.x + 2) % (width - MarkerSize), 0);
        }
        AppBase::Tick();
        if (exitAfterTicks > 0 && updateCount >= exitAfterTicks)
        {
            StopApplication();
        }
    }

private:
    static constexpr int32_t MarkerSize = 24;
    static constexpr int32_t MarkerY = 288;

    int32_t exitAfterTicks = 0;
    bool markerMoves = true;
    Backdrop backdrop;
    Strip strip;
    Marker marker;
    Strip panel;
    std::array<DemoButton, 3> buttons;
    std::unique_ptr<ControlsDemo> controls;
};

int RunGallery(int argc, char** argv, bool withControls)
{
    FrothwickApp app(withControls);
    app.SetCommandLine(argc, argv);
    app.Initialise();
    app.Run();
    return 0;
}

} // namespace

int RunWidgetsGallery(int argc, char** argv)
{
    return RunGallery(argc, argv, false);
}

int RunControlsGallery(int argc, char** argv)
{
    return RunGallery(argc, argv, true);
}
