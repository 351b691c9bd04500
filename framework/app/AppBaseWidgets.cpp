// The application base's side of the widget manager: the manager it owns,
// the passes of the loop and the window's input and focus turned into widget
// events.
#include <memory>

#include "framework/app/AppBase.h"
#include "framework/widgets/ControlHost.h"
#include "framework/widgets/WidgetManager.h"

namespace Framework
{

namespace
{

// What the widgets and the standard controls ask of the application: the
// drawing mode, cursors, text input, the loop for a waiting dialog and the
// owner of the controls' system font.
class AppWidgetHost final : public WidgetHost, public ControlHost
{
public:
    explicit AppWidgetHost(AppBase& owner) : app(owner) {}
    bool IsDrawing3D() override { return app.Is3D(); }
    void ShowHandCursor(bool hand) override { app.SetCursor(hand ? CursorHand : CursorArrow); }
    void SetCursor(int32_t number) override { app.SetCursor(number); }
    void SetTextInputEnabled(bool on) override { app.SetTextInputEnabled(on); }
    bool RunDialogLoopStep() override { return !app.shutdown && app.RunUntilTick(); }
    AppBase* GetTextFontOwner() override { return &app; }

private:
    AppBase& app;
};

class AppWidgetManager final : public WidgetManager
{
public:
    explicit AppWidgetManager(AppBase& owner) : host(owner) { app = &host; }

private:
    AppWidgetHost host;
};

} // namespace

std::unique_ptr<WidgetManager> AppBase::MakeWidgetManager(AppBase& app)
{
    return std::make_unique<AppWidgetManager>(app);
}

void AppBase::WidgetsResize(int32_t newWidth, int32_t newHeight)
{
    widgetManager->width = newWidth;
    widgetManager->height = newHeight;
    widgetManager->MarkSubtreeDirty();
}

bool AppBase::WidgetsUpdatePass()
{
    return widgetManager->RunUpdatePass();
}

void AppBase::WidgetsSmoothUpdatePass(double fraction)
{
    widgetManager->RunSmoothUpdatePass(fraction);
}

bool AppBase::WidgetsDrawPass()
{
    return widgetManager->RunDrawPass();
}

void AppBase::WidgetsInput(const InputEvent& event)
{
    WidgetManager& widgets = *widgetManager;
    switch (event.type)
    {
        case InputEvent::Type::MouseMove:
            widgets.MouseMove(event.x, event.y);
            break;
        case InputEvent::Type::MouseDown:
            // Every press and release first moves the pointer to its place.
            widgets.MouseMove(event.x, event.y);
            pointerCaptured = true;
            widgets.MouseDown(event.x, event.y, event.clickCount);
            break;
        case InputEvent::Type::MouseUp:
            widgets.MouseMove(event.x, event.y);
            if ((widgets.heldButtons & ~Widget::ButtonBit(event.clickCount)) == 0)
            {
                pointerCaptured = false;
            }
            widgets.MouseUp(event.x, event.y, event.clickCount);
            break;
        case InputEvent::Type::MouseWheel:
            widgets.MouseWheel(event.delta);
            break;
        case InputEvent::Type::KeyDown:
            widgets.KeyDown(event.key);
            break;
        case InputEvent::Type::KeyUp:
            widgets.KeyUp(event.key);
            break;
        case InputEvent::Type::CharTyped:
            widgets.CharTyped(char(event.key));
            break;
        case InputEvent::Type::MouseLeave:
            widgets.MouseLeftWindow(event.x, event.y);
            break;
        case InputEvent::Type::MouseEnter:
            break;
    }
}

void AppBase::WidgetsGotFocus()
{
    widgetManager->GotFocus();
}

void AppBase::WidgetsLostFocus()
{
    widgetManager->LostFocus();
    pointerCaptured = false;
    widgetManager->ReleaseButtons();
}

void AppBase::WidgetsMarkAllDirty()
{
    widgetManager->MarkSubtreeDirty();
}

void AppBase::WidgetsSetScreenImage(Image* image)
{
    widgetManager->screenImage = image;
    widgetManager->MarkSubtreeDirty();
}

} // namespace Framework
