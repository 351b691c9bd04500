// The application base drives its widget manager: sizes, queued input one
// event per step, window focus and minimise, full redraws and drawing.
#include <gtest/gtest.h>

#include "app/AppBaseTestApp.h"
#include "framework/widgets/ControlHost.h"
#include "widgets/WidgetProbe.h"

using namespace Framework;
using TestSupport::EventLog;
using TestSupport::WidgetProbe;

namespace
{

// The test application with the real widget seams in place of its counters.
class WidgetApp : public FrothwickTest::TestApp
{
public:
    WidgetApp()
    {
        Initialise();
        widgetManager->AddWidget(&button);
        // Settle what Initialise and the add marked.
        widgetManager->RunDrawPass();
        log.clear();
    }

    // Runs one loop step per queued event.
    void Feed(const std::vector<InputEvent>& events)
    {
        fake->pendingInput = events;
        for (size_t i = 0; i < events.size(); ++i)
        {
            bool updated = false;
            LoopStep(updated);
        }
    }

    static InputEvent Mouse(InputEvent::Type type, int32_t px, int32_t py, int32_t clickCount = 0)
    {
        InputEvent e;
        e.type = type;
        e.x = px;
        e.y = py;
        e.clickCount = clickCount;
        return e;
    }
    static InputEvent Key(InputEvent::Type type, int32_t key)
    {
        InputEvent e;
        e.type = type;
        e.key = key;
        return e;
    }

    using AppBase::DrawDirty;

    EventLog log;
    WidgetProbe button{log, "button", 100, 100, 50, 50};

protected:
    bool WidgetsDrawPass() override { return AppBase::WidgetsDrawPass(); }
    void WidgetsInput(const InputEvent& e) override { AppBase::WidgetsInput(e); }
    void WidgetsGotFocus() override { AppBase::WidgetsGotFocus(); }
    void WidgetsLostFocus() override { AppBase::WidgetsLostFocus(); }
};

using T = InputEvent::Type;

TEST(AppBaseWidgetsTest, TheManagerIsSizedToTheGameAndDrawsIntoTheScreen)
{
    WidgetApp app;
    EXPECT_EQ(app.widgetManager->width, app.width);
    EXPECT_EQ(app.widgetManager->height, app.height);
    ASSERT_NE(app.display, nullptr);
    EXPECT_EQ(app.widgetManager->screenImage, app.display->GetScreenImage());

    const int presentsBefore = app.fake->presents;
    app.DrawDirty();
    EXPECT_TRUE(app.log.empty()) << "nothing dirty: nothing drawn";
    EXPECT_EQ(app.fake->presents, presentsBefore);
    app.button.fill = Color(0, 255, 0);
    app.button.MarkDirty();
    EXPECT_TRUE(app.RunTick());
    app.DrawDirty();
    EXPECT_EQ(app.log, (EventLog{"button:draw"}));
    EXPECT_EQ(app.fake->presents, presentsBefore + 1);
    EXPECT_EQ(app.drawCount, 1);
}

TEST(AppBaseWidgetsTest, QueuedInputReachesTheWidgetsOneEventPerStepInOrder)
{
    WidgetApp app;
    app.button.handCursor = true;
    app.fake->pendingInput = {WidgetApp::Mouse(T::MouseMove, 110, 120), WidgetApp::Mouse(T::MouseDown, 111, 120, 1),
                              WidgetApp::Mouse(T::MouseDown, 112, 120, -1), WidgetApp::Mouse(T::MouseUp, 113, 120, 1)};
    bool updated = false;
    app.LoopStep(updated);
    EXPECT_EQ(app.log, (EventLog{"button:enter", "button:move 10,20"}));
    EXPECT_EQ(app.cursorNumber, 1) << "hand cursor over the button";
    app.LoopStep(updated);
    EXPECT_EQ(app.log.back(), "button:down 11,20 b0 c1");
    EXPECT_TRUE(app.pointerCaptured);
    app.LoopStep(updated);
    app.LoopStep(updated);
    EXPECT_EQ(app.log.back(), "button:up 13,20 b0 c1");
    EXPECT_TRUE(app.pointerCaptured) << "the right button is still held";
    app.Feed({WidgetApp::Mouse(T::MouseUp, 300, 300, -1)});
    EXPECT_FALSE(app.pointerCaptured);
    EXPECT_EQ(app.log[app.log.size() - 2], "button:leave") << "the move to the release comes first";
    EXPECT_EQ(app.log.back(), "button:up 200,200 b1 c1");
    EXPECT_EQ(app.cursorNumber, 0);

    // Keys, characters, the wheel and the pointer leaving the window.
    app.widgetManager->SetFocus(&app.button);
    app.log.clear();
    InputEvent wheel;
    wheel.type = T::MouseWheel;
    wheel.delta = -1;
    app.Feed({WidgetApp::Key(T::KeyDown, 65), WidgetApp::Key(T::CharTyped, 'a'), WidgetApp::Key(T::KeyUp, 65), wheel,
              WidgetApp::Mouse(T::MouseMove, 120, 120), WidgetApp::Mouse(T::MouseLeave, 120, 120)});
    EXPECT_EQ(app.log, (EventLog{"button:keydown 65", "button:char 97", "button:keyup 65", "button:wheel -1",
                                 "button:enter", "button:move 20,20", "button:leave"}));
}

TEST(AppBaseWidgetsTest, LosingFocusReleasesTheCaptureButtonsAndKeys)
{
    WidgetApp app;
    app.button.focusOnClick = true;
    app.Feed({WidgetApp::Mouse(T::MouseDown, 110, 110, 1), WidgetApp::Key(T::KeyDown, 32)});
    ASSERT_TRUE(app.pointerCaptured);
    app.log.clear();
    app.HandleWindowEvent({WindowEvent::Type::FocusLost, 0, 0});
    EXPECT_EQ(app.log, (EventLog{"button:keyup 32", "button:lostfocus", "button:up 10,10 b0 c1"}));
    EXPECT_FALSE(app.pointerCaptured);
    EXPECT_EQ(app.widgetManager->pressedWidget, nullptr);
    EXPECT_FALSE(app.widgetManager->hasFocus);
    app.log.clear();
    app.HandleWindowEvent({WindowEvent::Type::FocusGained, 0, 0});
    EXPECT_EQ(app.log, (EventLog{"button:gotfocus"}));

    // Minimising takes the focus too; restoring gives it back and redraws all.
    app.widgetManager->RunDrawPass();
    app.log.clear();
    app.HandleWindowEvent({WindowEvent::Type::Minimised, 0, 0});
    EXPECT_EQ(app.log, (EventLog{"button:lostfocus"}));
    EXPECT_FALSE(app.button.dirty);
    app.HandleWindowEvent({WindowEvent::Type::Restored, 0, 0});
    EXPECT_TRUE(app.button.dirty);
    EXPECT_TRUE(app.widgetManager->hasFocus);
}

TEST(AppBaseWidgetsTest, BecomingActiveRedrawsEverythingOnlyInFullScreen)
{
    WidgetApp app;
    ASSERT_TRUE(app.windowed);
    app.HandleWindowEvent({WindowEvent::Type::FocusLost, 0, 0});
    app.HandleWindowEvent({WindowEvent::Type::FocusGained, 0, 0});
    EXPECT_FALSE(app.button.dirty);

    app.SetScreenMode(false);
    ASSERT_FALSE(app.windowed);
    EXPECT_EQ(app.widgetManager->screenImage, app.display->GetScreenImage());
    app.widgetManager->RunDrawPass();
    app.HandleWindowEvent({WindowEvent::Type::FocusLost, 0, 0});
    app.HandleWindowEvent({WindowEvent::Type::FocusGained, 0, 0});
    EXPECT_TRUE(app.button.dirty);
}

TEST(AppBaseWidgetsTest, ControlsReachTheApplicationThroughTheManager)
{
    WidgetApp app;
    ControlHost* host = FindControlHost(&app.button);
    ASSERT_NE(host, nullptr);
    host->SetCursor(CursorText);
    EXPECT_EQ(app.cursorNumber, CursorText);
    EXPECT_EQ(host->GetTextFontOwner(), &app);

    // A waiting dialog's loop step runs the loop up to the next tick.
    app.StartTiming();
    app.fakeClock->now += 25;
    const int32_t before = app.updateCount;
    EXPECT_TRUE(host->RunDialogLoopStep());
    EXPECT_EQ(app.updateCount, before + 1);
    app.shutdown = true;
    EXPECT_FALSE(host->RunDialogLoopStep());
}

} // namespace
