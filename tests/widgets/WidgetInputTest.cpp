// The widget manager's input: pointer, presses with capture, drags, hit
// testing, keyboard, focus and the modal stack.
#include <gtest/gtest.h>

#include "widgets/WidgetProbe.h"

using namespace Framework;
using TestSupport::EventLog;
using TestSupport::ProbeScreen;
using TestSupport::WidgetProbe;

namespace
{

class RecordingHost : public WidgetHost
{
public:
    void ShowHandCursor(bool hand) override { cursors.push_back(hand); }
    std::vector<bool> cursors;
};

// Two buttons side by side on a panel.
struct TwoButtons : ProbeScreen
{
    TwoButtons()
    {
        manager.AddWidget(&panel);
        panel.AddWidget(&a);
        panel.AddWidget(&b);
        log.clear();
    }
    EventLog log;
    WidgetProbe panel{log, "panel", 0, 0, 400, 300};
    WidgetProbe a{log, "a", 10, 10, 50, 50};
    WidgetProbe b{log, "b", 100, 10, 50, 50};
};

} // namespace

TEST(WidgetPointer, EnterMoveAndLeaveFollowThePointer)
{
    TwoButtons t;
    RecordingHost host;
    t.manager.app = &host;
    t.a.handCursor = true;
    t.manager.MouseMove(20, 30);
    t.manager.MouseMove(21, 30);
    t.manager.MouseMove(21, 30);
    t.manager.MouseMove(110, 15);
    EXPECT_EQ(t.log, (EventLog{"a:enter", "a:move 10,20", "a:move 11,20", "a:leave", "b:enter", "b:move 10,5"}));
    EXPECT_FALSE(t.a.isHovered);
    EXPECT_TRUE(t.b.isHovered);
    EXPECT_EQ(host.cursors, (std::vector<bool>{true, false}));
    t.log.clear();
    t.manager.MouseLeftWindow(110, 15);
    EXPECT_EQ(t.log, (EventLog{"b:leave"}));
    EXPECT_EQ(t.manager.hoverWidget, nullptr);
    EXPECT_FALSE(t.manager.pointerInside);

    // A widget added under the pointer is entered at once; hiding it leaves.
    t.manager.MouseMove(300, 200);
    t.log.clear();
    WidgetProbe popup(t.log, "popup", 250, 150, 100, 100);
    t.manager.AddWidget(&popup);
    EXPECT_EQ(t.manager.hoverWidget, &popup);
    popup.SetVisible(false);
    EXPECT_EQ(t.log, (EventLog{"panel:leave", "popup:enter", "popup:move 50,50", "popup:leave", "panel:enter",
                               "panel:move 300,200"}));
}

TEST(WidgetPointer, CaptureHoldsAcrossButtonsUntilTheLastRelease)
{
    TwoButtons t;
    t.manager.MouseMove(20, 20);
    t.manager.MouseDown(20, 20, 1);
    EXPECT_TRUE(t.a.isPressed);
    t.manager.MouseMove(120, 20);
    t.manager.MouseDown(120, 20, -1); // right press over b goes to a
    t.manager.MouseUp(120, 20, 1);
    EXPECT_EQ(t.manager.pressedWidget, &t.a);
    EXPECT_EQ(t.manager.capturedButtons, 2);
    t.manager.MouseDown(120, 20, 3);
    t.manager.MouseUp(120, 20, 3);
    t.manager.MouseUp(120, 20, -1);
    EXPECT_EQ(t.manager.pressedWidget, nullptr);
    EXPECT_EQ(t.manager.capturedButtons, 0);
    EXPECT_EQ(t.manager.heldButtons, 0);
    EXPECT_FALSE(t.a.isPressed);
    EXPECT_EQ(t.log, (EventLog{"a:enter", "a:move 10,10", "a:down 10,10 b0 c1", "a:drag 110,10", "a:leave",
                               "a:down 110,10 b1 c1", "a:up 110,10 b0 c1", "a:down 110,10 b2 c1", "a:up 110,10 b2 c1",
                               "a:up 110,10 b1 c1", "b:enter", "b:move 20,10"}));
}

TEST(WidgetPointer, DuringADragOnlyThePressedWidgetIsEnteredAndLeft)
{
    TwoButtons t;
    t.manager.MouseMove(20, 20);
    t.manager.MouseDown(20, 20, 2);
    t.log.clear();
    t.manager.MouseMove(110, 20);
    t.manager.MouseMove(115, 20);
    EXPECT_EQ(t.manager.hoverWidget, nullptr);
    t.manager.MouseMove(30, 20);
    EXPECT_EQ(t.manager.hoverWidget, &t.a);
    t.manager.MouseMove(31, 20);
    t.manager.MouseMove(120, 20);
    t.manager.MouseUp(120, 20, 1);
    EXPECT_EQ(t.log, (EventLog{"a:drag 100,10", "a:leave", "a:drag 105,10", "a:drag 20,10", "a:enter", "a:drag 21,10",
                               "a:drag 110,10", "a:leave", "a:up 110,10 b0 c1", "b:enter", "b:move 20,10"}));

    // A press on nothing captures nothing but still makes moves drags.
    t.log.clear();
    t.manager.MouseMove(300, 250);
    t.panel.mouseTarget = false;
    t.manager.MouseMove(301, 250);
    t.manager.MouseDown(301, 250, 1);
    t.manager.MouseMove(20, 20);
    t.manager.MouseUp(20, 20, 1);
    EXPECT_EQ(t.log,
              (EventLog{"b:leave", "panel:enter", "panel:move 300,250", "panel:leave", "a:enter", "a:move 10,10"}));
}

TEST(WidgetPointer, LosingTheWindowFocusEndsThePressAndReleasesKeys)
{
    TwoButtons t;
    t.b.focusOnClick = true;
    t.manager.MouseMove(110, 20);
    t.manager.MouseDown(110, 20, 1);
    t.manager.KeyDown(65);
    t.manager.KeyDown(300); // passed on, not recorded
    EXPECT_EQ(t.manager.focusWidget, &t.b);
    t.log.clear();
    t.manager.LostFocus();
    t.manager.ReleaseButtons();
    EXPECT_EQ(t.log, (EventLog{"b:keyup 65", "b:lostfocus", "b:up 10,10 b0 c1"}));
    EXPECT_EQ(t.manager.pressedWidget, nullptr);
    EXPECT_EQ(t.manager.heldButtons, 0);
    EXPECT_FALSE(t.manager.IsKeyDown(65));
    EXPECT_FALSE(t.b.hasFocus);
    t.log.clear();
    t.manager.LostFocus(); // twice: nothing more
    t.manager.GotFocus();
    EXPECT_EQ(t.log, (EventLog{"b:gotfocus"}));
    EXPECT_TRUE(t.b.hasFocus);

    // While unfocused the inactive override applies to every flag.
    t.manager.inactiveOverride = FlagsMod(0, FlagAllowMouse);
    t.manager.LostFocus();
    EXPECT_EQ(t.manager.FindWidgetAt(110, 20), nullptr);
    t.manager.GotFocus();
    EXPECT_EQ(t.manager.FindWidgetAt(110, 20), &t.b);
}

TEST(WidgetHitTest, MouseTargetAcceptsPointAndDisabledWidgets)
{
    TwoButtons t;
    int32_t lx = 0;
    int32_t ly = 0;
    EXPECT_EQ(t.manager.FindWidgetAt(20, 30, lx, ly), &t.a);
    EXPECT_EQ(lx, 10);
    EXPECT_EQ(ly, 20);

    // A container that is no mouse target still lets its children be hit.
    t.panel.mouseTarget = false;
    EXPECT_EQ(t.manager.FindWidgetAt(20, 30), &t.a);
    EXPECT_EQ(t.manager.FindWidgetAt(300, 200), nullptr);

    // Click-through parts and hit insets pass the point on to what is below.
    WidgetProbe over(t.log, "over", 0, 0, 200, 200);
    t.manager.AddWidget(&over);
    over.rejectsPoint = [](int32_t px, int32_t) { return px < 100; };
    EXPECT_EQ(t.manager.FindWidgetAt(20, 30), &t.a);
    EXPECT_EQ(t.manager.FindWidgetAt(120, 30), &over);
    over.hitInsets = Insets(0, 0, 150, 0);
    EXPECT_EQ(t.manager.FindWidgetAt(120, 30), &t.b);

    // A disabled widget hides what is below it and is never a target.
    t.manager.RemoveWidget(&over);
    t.manager.MouseMove(20, 30);
    t.a.SetDisabled(true);
    EXPECT_EQ(t.manager.hoverWidget, nullptr);
    EXPECT_EQ(t.manager.FindWidgetAt(20, 30), nullptr);
    t.manager.MouseDown(20, 30, 1);
    t.manager.MouseUp(20, 30, 1);
    t.log.clear();
    t.a.SetDisabled(false);
    EXPECT_EQ(t.manager.hoverWidget, &t.a);
    EXPECT_EQ(t.log, (EventLog{"a:enter", "a:move 10,20"}));

    // FlagAllowMouse removed by an override hides the whole subtree.
    t.panel.flagOverride = FlagsMod(0, FlagAllowMouse);
    EXPECT_EQ(t.manager.FindWidgetAt(20, 30), nullptr);
}

TEST(WidgetHitTest, APressOutsideThePopUpRemovesIt)
{
    TwoButtons t;
    WidgetProbe popup(t.log, "popup", 200, 100, 50, 50);
    t.manager.AddWidget(&popup);
    t.manager.popupWidget = &popup;
    t.manager.MouseDown(210, 110, 1);
    t.manager.MouseUp(210, 110, 1);
    EXPECT_TRUE(t.manager.HasWidget(&popup));
    t.manager.MouseDown(20, 20, 1);
    EXPECT_FALSE(t.manager.HasWidget(&popup));
    EXPECT_EQ(t.manager.popupWidget, nullptr);
    EXPECT_EQ(t.manager.pressedWidget, &t.a);
}

TEST(WidgetKeyboard, TabOrderCtrlTabAndKeyRouting)
{
    TwoButtons t;
    WidgetProbe c(t.log, "c", 200, 10, 50, 50), target(t.log, "target", 300, 10, 10, 10);
    t.panel.AddWidget(&c);
    t.panel.AddWidget(&target);
    t.a.nextInTabOrder = &t.b;
    t.b.nextInTabOrder = &c;
    t.b.prevInTabOrder = &t.a;
    t.manager.SetFocus(&t.a);
    t.manager.KeyDown(9);
    t.manager.KeyUp(9);
    EXPECT_EQ(t.manager.focusWidget, &t.b);
    t.manager.KeyDown(16);
    t.manager.KeyDown(9);
    EXPECT_EQ(t.manager.focusWidget, &t.a);
    t.manager.KeyUp(9);
    t.manager.KeyUp(16);
    t.log.clear();

    // Ctrl+Tab goes to the ctrlTabTarget as a character, never to the focus
    // widget, and its Tab release is swallowed.
    t.manager.KeyDown(17);
    t.manager.CharTyped('\t');
    t.manager.ctrlTabTarget = &target;
    t.manager.CharTyped('\t');
    t.manager.KeyUp(9);
    t.manager.KeyUp(17);
    t.manager.CharTyped('\t');
    t.manager.CharTyped('x');
    t.manager.MouseWheel(-2);
    EXPECT_EQ(t.log, (EventLog{"a:keydown 17", "target:char 9", "a:keyup 17", "a:char 9", "a:char 120", "a:wheel -2"}));

    // A widget outside the tree cannot take the focus.
    WidgetProbe loose(t.log, "loose");
    t.manager.SetFocus(&loose);
    EXPECT_EQ(t.manager.focusWidget, nullptr);
    EXPECT_FALSE(loose.hasFocus);
}

TEST(WidgetModal, ADialogBlocksTheMouseBelowAndReturnsTheFocus)
{
    TwoButtons t;
    WidgetProbe dialog(t.log, "dialog", 300, 200, 80, 80), ok(t.log, "ok", 10, 10, 20, 20);
    t.a.focusOnClick = true;
    t.manager.MouseMove(20, 20);
    t.manager.MouseDown(20, 20, 1);
    EXPECT_EQ(t.manager.focusWidget, &t.a);
    t.manager.AddWidget(&dialog);
    dialog.AddWidget(&ok);
    ok.focusOnClick = true;
    t.log.clear();
    t.manager.PushModal(&dialog);
    // The held press, the hover and the focus below the dialog are ended.
    EXPECT_EQ(t.log, (EventLog{"a:leave", "a:up 10,10 b0 c1", "a:lostfocus"}));
    EXPECT_EQ(t.manager.pressedWidget, nullptr);
    EXPECT_EQ(t.manager.focusWidget, nullptr);
    t.manager.MouseUp(20, 20, 1);

    // Clicks below reach nothing, yet everything is still updated and drawn.
    t.log.clear();
    t.manager.MouseDown(120, 20, 1);
    t.manager.MouseUp(120, 20, 1);
    EXPECT_TRUE(t.log.empty());
    t.manager.MarkSubtreeDirty();
    t.manager.RunUpdatePass();
    t.manager.RunDrawPass();
    EXPECT_EQ(t.b.updateCount, 1);
    EXPECT_EQ(t.log, (EventLog{"panel:draw", "a:draw", "b:draw", "dialog:draw", "ok:draw"}));
    t.manager.MouseDown(320, 220, 1);
    t.manager.MouseUp(320, 220, 1);
    EXPECT_EQ(t.manager.focusWidget, &ok);

    // Closing gives the focus back only when nothing holds it.
    t.manager.PopModal(&dialog);
    EXPECT_EQ(t.manager.focusWidget, &ok);
    t.manager.PushModal(&dialog);
    t.manager.SetFocus(nullptr);
    t.manager.PopModal(&t.a); // not the top record: nothing
    EXPECT_EQ(t.manager.modalWidget, &dialog);
    t.manager.PopModal(&dialog);
    EXPECT_EQ(t.manager.focusWidget, &ok);
    t.manager.RemoveWidget(&dialog);
    t.manager.PushModal(&dialog);
    t.manager.PopModal(&dialog);
    EXPECT_EQ(t.manager.modalWidget, nullptr);
    EXPECT_EQ(t.manager.focusWidget, nullptr); // ok left the tree: not given back
    EXPECT_EQ(t.manager.FindWidgetAt(120, 20), &t.b);
}

TEST(WidgetModal, ADialogInsideAScreenBlocksTheScreensBelowToo)
{
    TwoButtons t;
    WidgetProbe screen(t.log, "screen", 0, 0, 800, 600), dialog(t.log, "dialog", 300, 300, 100, 100);
    t.panel.mouseTarget = false;
    screen.mouseTarget = false;
    t.manager.AddWidget(&screen);
    screen.AddWidget(&dialog);
    EXPECT_EQ(t.manager.FindWidgetAt(20, 20), &t.a);
    t.manager.PushModal(&dialog);
    EXPECT_EQ(t.manager.FindWidgetAt(20, 20), nullptr);
    EXPECT_EQ(t.manager.FindWidgetAt(310, 310), &dialog);
    t.manager.PopModal(&dialog);
    EXPECT_EQ(t.manager.FindWidgetAt(20, 20), &t.a);
}

TEST(WidgetModal, NestedRecordsWithoutAPreviousModalUnwindTogether)
{
    TwoButtons t;
    WidgetProbe first(t.log, "first", 300, 0, 50, 50), second(t.log, "second", 300, 100, 50, 50);
    t.manager.AddWidget(&first);
    t.manager.AddWidget(&second);
    t.manager.SetFocus(&t.b);

    // A proper nesting closes one level at a time.
    t.manager.PushModal(&first);
    t.manager.PushModal(&second, FlagsMod(0, FlagAllowMouse));
    EXPECT_EQ(t.manager.FindWidgetAt(310, 10), nullptr);
    t.manager.PopModal(&second);
    EXPECT_EQ(t.manager.modalWidget, &first);
    EXPECT_EQ(t.manager.modalStack.size(), 1u);
    EXPECT_EQ(t.manager.FindWidgetAt(310, 10), &first);
    EXPECT_EQ(t.manager.FindWidgetAt(120, 20), nullptr);
    t.manager.PopModal(&first);
    EXPECT_TRUE(t.manager.modalStack.empty());
    EXPECT_EQ(t.manager.focusWidget, &t.b);

    // The first dialog is removed while open: the second's record has no
    // previous modal widget and closing it unwinds both.
    t.manager.PushModal(&first);
    t.manager.RemoveWidget(&first);
    t.manager.PushModal(&second);
    t.manager.PopModal(&second);
    EXPECT_TRUE(t.manager.modalStack.empty());
    EXPECT_EQ(t.manager.modalWidget, nullptr);
    EXPECT_EQ(t.manager.belowModalOverride, FlagsMod());
    EXPECT_EQ(t.manager.focusWidget, &t.b);

    // ComesBefore walks each child before its own children.
    EXPECT_TRUE(t.manager.ComesBefore(&t.panel, &t.a));
    EXPECT_TRUE(t.manager.ComesBefore(&t.b, &second));
    EXPECT_FALSE(t.manager.ComesBefore(&second, &t.a));
    EXPECT_FALSE(t.manager.ComesBefore(&first, &t.a)); // not in the tree
}

TEST(WidgetClickCounts, TranslateToButtonsAndBits)
{
    int32_t button = -9;
    int32_t count = -9;
    const int32_t cases[][4] = {{1, 0, 1, 1}, {2, 0, 2, 1}, {-1, 1, 1, 2}, {-2, 1, 2, 2}, {3, 2, 1, 4}};
    for (const auto& c : cases)
    {
        Widget::SplitClickCount(c[0], button, count);
        EXPECT_EQ(button, c[1]) << c[0];
        EXPECT_EQ(count, c[2]) << c[0];
        EXPECT_EQ(Widget::ButtonBit(c[0]), c[3]) << c[0];
    }
}

TEST(WidgetClickSeries, ALaterPressOverAnotherWidgetReachesNobody)
{
    TwoButtons t;
    // The first click opens a panel in place of a: the second press of the
    // double click lands on the panel's button and must not act on it.
    t.a.onUpdate = nullptr;
    t.manager.MouseDown(20, 20, 1);
    t.manager.MouseUp(20, 20, 1);
    t.panel.RemoveWidget(&t.a);
    WidgetProbe opened(t.log, "opened", 10, 10, 50, 50);
    t.panel.AddWidget(&opened);
    t.log.clear();
    t.manager.MouseDown(20, 20, 2);
    t.manager.MouseUp(20, 20, 1);
    for (const std::string& entry : t.log)
    {
        EXPECT_EQ(entry.find(":down"), std::string::npos) << entry;
        EXPECT_EQ(entry.find(":up"), std::string::npos) << entry;
    }
    EXPECT_EQ(t.manager.pressedWidget, nullptr);
    EXPECT_FALSE(opened.isPressed);

    // The next series starts afresh on the new widget.
    t.log.clear();
    t.manager.MouseDown(20, 20, 1);
    t.manager.MouseUp(20, 20, 1);
    EXPECT_EQ(t.log, (EventLog{"opened:down 10,10 b0 c1", "opened:up 10,10 b0 c1"}));

    // Moving to another widget between the presses of a series also swallows.
    t.log.clear();
    t.manager.MouseMove(120, 20);
    t.manager.MouseDown(120, 20, 2);
    t.manager.MouseUp(120, 20, 1);
    EXPECT_EQ(t.log, (EventLog{"opened:leave", "b:enter", "b:move 20,10"}));
    t.panel.RemoveWidget(&opened);
}

TEST(WidgetClickSeries, ADoubleClickInsideOneWidgetArrives)
{
    TwoButtons t;
    t.manager.MouseDown(110, 20, -1);
    t.manager.MouseUp(110, 20, -1);
    t.manager.MouseDown(110, 20, -2);
    t.manager.MouseUp(110, 20, -1);
    EXPECT_EQ(t.log, (EventLog{"b:enter", "b:move 10,10", "b:down 10,10 b1 c1", "b:up 10,10 b1 c1",
                               "b:down 10,10 b1 c2", "b:up 10,10 b1 c1"}));
    // A right series does not continue a left one.
    t.log.clear();
    t.manager.MouseDown(110, 20, 2);
    t.manager.MouseUp(110, 20, 1);
    EXPECT_TRUE(t.log.empty());
}
