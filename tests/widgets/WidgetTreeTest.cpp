// The widget tree: update and draw passes, dirty marking, overlays, the
// modal flags record and the text and number helpers.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "support/FixedWidthFont.h"
#include "widgets/WidgetProbe.h"

using namespace Framework;
using TestSupport::EventLog;
using TestSupport::ProbeScreen;
using TestSupport::WidgetProbe;

TEST(WidgetUpdatePass, RemovalDuringUpdateSkipsNoSiblingAndUpdatesNoneTwice)
{
    ProbeScreen s;
    EventLog log;
    WidgetProbe a(log, "a"), b(log, "b"), c(log, "c"), d(log, "d");
    for (WidgetProbe* w : {&a, &b, &c, &d})
    {
        s.manager.AddWidget(w);
    }
    // b removes itself, c removes the already visited a and re-adds it on top.
    b.onUpdate = [&] { s.manager.RemoveWidget(&b); };
    c.onUpdate = [&]
    {
        s.manager.RemoveWidget(&a);
        s.manager.AddWidget(&a);
    };
    s.manager.RunUpdatePass();
    EXPECT_EQ(a.updateCount, 1);
    EXPECT_EQ(b.updateCount, 1);
    EXPECT_EQ(c.updateCount, 1);
    EXPECT_EQ(d.updateCount, 1);
    EXPECT_FALSE(s.manager.HasWidget(&b));

    // Removing the sibling that comes next, and moving the visited one on top.
    b.onUpdate = nullptr;
    c.onUpdate = [&] { s.manager.RemoveWidget(&d); };
    d.onUpdate = nullptr;
    s.manager.AddWidget(&b); // order now c d a b
    s.manager.PlaceAbove(&c, nullptr);
    s.manager.PlaceAbove(&d, &c); // order a b c d
    a.onUpdate = [&] { s.manager.PlaceAbove(&a, nullptr); };
    s.manager.RunUpdatePass();
    EXPECT_EQ(a.updateCount, 2);
    EXPECT_EQ(b.updateCount, 2);
    EXPECT_EQ(c.updateCount, 2);
    EXPECT_EQ(d.updateCount, 1);
    EXPECT_EQ(s.manager.children.back(), &a);
}

TEST(WidgetUpdatePass, APassRunFromInsideAnUpdateLeavesTheOuterWalkIntact)
{
    ProbeScreen s;
    EventLog log;
    WidgetProbe a(log, "a"), b(log, "b"), c(log, "c"), d(log, "d");
    for (WidgetProbe* w : {&a, &b, &c, &d})
    {
        s.manager.AddWidget(w);
        w->onUpdate = [w] { w->Log("update " + std::to_string(w->updateCount)); };
    }
    // b waits for a dialog: the loop runs another pass inside b's update,
    // in which c removes itself.
    bool waiting = false;
    b.onUpdate = [&]
    {
        b.Log("update " + std::to_string(b.updateCount));
        if (!waiting)
        {
            waiting = true;
            s.manager.RunUpdatePass();
        }
    };
    c.onUpdate = [&]
    {
        c.Log("update");
        s.manager.RemoveWidget(&c);
    };
    s.manager.RunUpdatePass();
    EXPECT_EQ(log, (EventLog{"a:update 1", "b:update 1", "a:update 2", "b:update 2", "c:update", "d:update 1"}));
    log.clear();
    s.manager.RunUpdatePass();
    EXPECT_EQ(log, (EventLog{"a:update 3", "b:update 3", "d:update 2"}));
}

TEST(WidgetUpdatePass, NestedRemovalAndSmoothPassFollowTheFlags)
{
    ProbeScreen s;
    EventLog log;
    WidgetProbe panel(log, "panel"), first(log, "first"), second(log, "second");
    s.manager.AddWidget(&panel);
    panel.AddWidget(&first);
    panel.AddWidget(&second);
    first.onUpdate = [&] { panel.RemoveWidget(&first); };
    s.manager.RunUpdatePass();
    EXPECT_EQ(second.updateCount, 1);
    EXPECT_EQ(first.manager, nullptr);

    // A subtree whose override removes FlagUpdate is neither updated nor
    // smoothly updated; the smooth pass does not count ticks.
    panel.flagOverride = FlagsMod(0, FlagUpdate);
    s.manager.RunUpdatePass();
    s.manager.RunSmoothUpdatePass(0.5);
    EXPECT_EQ(panel.updateCount, 1);
    EXPECT_EQ(second.updateCount, 1);
    EXPECT_EQ(second.smoothUpdates, 0);
    panel.flagOverride = FlagsMod();
    s.manager.RunSmoothUpdatePass(0.5);
    EXPECT_EQ(second.smoothUpdates, 1);
    EXPECT_EQ(second.updateCount, 1);

    // FlagMarkDirty marks the widget on every pass.
    s.manager.RunDrawPass();
    EXPECT_FALSE(s.manager.RunUpdatePass());
    second.flagOverride = FlagsMod(FlagMarkDirty, 0);
    EXPECT_TRUE(s.manager.RunUpdatePass());
    EXPECT_TRUE(panel.dirty);
}

TEST(WidgetUpdatePass, AThrowingHandlerRestoresTheModalFlagsAndTheCursor)
{
    ProbeScreen s;
    EventLog log;
    WidgetProbe panel(log, "panel"), thrower(log, "thrower"), after(log, "after");
    s.manager.AddWidget(&panel);
    panel.AddWidget(&thrower);
    panel.AddWidget(&after);
    panel.flagOverride = FlagsMod(FlagMarkDirty, FlagDraw);
    thrower.flagOverride = FlagsMod(0, FlagClip);
    thrower.onUpdate = [] { throw std::runtime_error("handler failed"); };

    ModalFlags flags;
    flags.aboveFlags = 61;
    flags.belowFlags = 13;
    flags.aboveModal = true;
    ++s.manager.updateCount;
    EXPECT_THROW(panel.UpdateTree(flags), std::runtime_error);
    EXPECT_EQ(flags.aboveFlags, 61);
    EXPECT_EQ(flags.belowFlags, 13);

    // The next pass reaches every child again, and removing a child after
    // the aborted walk touches no stale cursor.
    thrower.onUpdate = nullptr;
    s.manager.RunUpdatePass();
    EXPECT_EQ(after.updateCount, 1);
    panel.RemoveWidget(&thrower);
    s.manager.RunUpdatePass();
    EXPECT_EQ(after.updateCount, 2);

    // Also the draw walk.
    panel.flagOverride = FlagsMod(FlagMarkDirty, 0);
    after.flagOverride = FlagsMod(0, FlagClip);
    after.onDraw = [](Graphics*) { throw std::runtime_error("draw failed"); };
    ModalFlags drawFlags = flags;
    Graphics g(&s.screen);
    EXPECT_THROW(panel.DrawTree(drawFlags, &g), std::runtime_error);
    EXPECT_EQ(drawFlags.aboveFlags, 61);
    EXPECT_EQ(drawFlags.belowFlags, 13);
}

TEST(WidgetDrawPass, DrawsDirtyTopLevelWidgetsWholeAndClipped)
{
    ProbeScreen s;
    EventLog log;
    WidgetProbe left(log, "left", 0, 0, 100, 100), right(log, "right", 200, 0, 100, 100);
    WidgetProbe child(log, "child", 10, 20, 30, 30);
    s.manager.AddWidget(&left);
    s.manager.AddWidget(&right);
    right.AddWidget(&child);
    child.fill = Color(255, 0, 0);
    child.fillRect = Rect(-5, -5, 100, 100); // reaches past its own rectangle
    EXPECT_TRUE(s.manager.RunDrawPass());
    EXPECT_EQ(log, (EventLog{"left:draw", "right:draw", "child:draw"}));
    // Translated into place and clipped to the child's 30 x 30.
    EXPECT_EQ(s.screen.GetPixel(210, 20), 0xFFFF0000u);
    EXPECT_EQ(s.screen.GetPixel(239, 49), 0xFFFF0000u);
    EXPECT_EQ(s.screen.GetPixel(240, 20), 0u);
    EXPECT_EQ(s.screen.GetPixel(209, 20), 0u);

    // Nothing dirty: nothing drawn. A nested mark redraws its top-level
    // widget with all its children, and only that one.
    log.clear();
    EXPECT_FALSE(s.manager.RunDrawPass());
    child.MarkDirty();
    EXPECT_TRUE(s.manager.dirty);
    EXPECT_TRUE(s.manager.RunDrawPass());
    EXPECT_EQ(log, (EventLog{"right:draw", "child:draw"}));
    EXPECT_FALSE(s.manager.dirty);

    // Without FlagClip in effect the child draws past its rectangle.
    child.flagOverride = FlagsMod(0, FlagClip);
    child.MarkDirty();
    s.manager.RunDrawPass();
    EXPECT_EQ(s.screen.GetPixel(240, 20), 0xFFFF0000u);
}

TEST(WidgetDrawPass, AWidgetLeavingTheTreeWhileDrawingStopsNoSibling)
{
    ProbeScreen s;
    EventLog log;
    WidgetProbe a(log, "a", 0, 0, 10, 10), b(log, "b", 20, 0, 10, 10), c(log, "c", 40, 0, 10, 10);
    WidgetProbe panel(log, "panel", 0, 100, 100, 100), inner(log, "inner", 0, 0, 10, 10), last(log, "last");
    for (WidgetProbe* w : {&a, &b, &c, &panel})
    {
        s.manager.AddWidget(w);
    }
    panel.AddWidget(&inner);
    panel.AddWidget(&last);
    b.onDraw = [&](Graphics*) { s.manager.RemoveWidget(&b); };
    inner.onDraw = [&](Graphics*) { panel.RemoveWidget(&inner); };
    s.manager.RunDrawPass();
    EXPECT_EQ(log, (EventLog{"a:draw", "b:draw", "c:draw", "panel:draw", "inner:draw", "last:draw"}));
    EXPECT_EQ(s.manager.children.size(), 3u);
    EXPECT_EQ(panel.children.size(), 1u);
}

TEST(WidgetDrawPass, AHiddenWidgetShownAgainIsRedrawn)
{
    ProbeScreen s;
    EventLog log;
    WidgetProbe panel(log, "panel", 0, 0, 100, 100), child(log, "child", 10, 10, 10, 10);
    WidgetProbe top(log, "top", 300, 0, 10, 10);
    s.manager.AddWidget(&panel);
    s.manager.AddWidget(&top);
    panel.AddWidget(&child);
    s.manager.RunDrawPass();
    child.SetVisible(false);
    top.SetVisible(false);
    s.manager.RunDrawPass();
    log.clear();
    child.SetVisible(true);
    top.SetVisible(true);
    EXPECT_TRUE(s.manager.RunUpdatePass());
    s.manager.RunDrawPass();
    EXPECT_EQ(log, (EventLog{"panel:draw", "child:draw", "top:draw"}));
}

TEST(WidgetDrawPass, OverlaysComeOutBeforeHigherPriorityWidgetsInIncreasingPriority)
{
    ProbeScreen s;
    EventLog log;
    WidgetProbe a(log, "a", 0, 0, 10, 10), b(log, "b", 20, 0, 10, 10), c(log, "c", 40, 0, 10, 10);
    WidgetProbe d(log, "d", 60, 0, 10, 10);
    WidgetProbe nested(log, "nested", 3, 4, 2, 2);
    for (WidgetProbe* w : {&a, &b, &c, &d})
    {
        s.manager.AddWidget(w);
    }
    b.AddWidget(&nested);
    c.drawPriority = 2;
    d.drawPriority = 5;
    a.onDraw = [&](Graphics*)
    {
        a.RequestOverlay(3);
        a.RequestOverlay(1);
    };
    nested.onDraw = [&](Graphics*) { nested.RequestOverlay(1); };
    Point nestedAt;
    nested.onOverlay = [&](Graphics* g) { nestedAt = Point(int32_t(g->translateX), int32_t(g->translateY)); };
    s.manager.RunDrawPass();
    EXPECT_EQ(log, (EventLog{"a:draw", "b:draw", "nested:draw", "a:overlay", "nested:overlay", "c:draw", "a:overlay",
                             "d:draw"}));
    // A nested widget's overlay lands on the widget itself.
    EXPECT_EQ(nestedAt, Point(23, 4));
    EXPECT_TRUE(s.manager.pendingOverlays.empty());
    EXPECT_EQ(s.manager.lowestPendingPriority, INT32_MAX);

    // Overlays above every widget come out at the end; an overlay whose
    // widget left the tree meanwhile is dropped.
    log.clear();
    a.onDraw = [&](Graphics*) { a.RequestOverlay(9); };
    d.onDraw = [&](Graphics*) { s.manager.RemoveWidget(&a); };
    a.MarkDirty();
    d.MarkDirty();
    s.manager.RunDrawPass();
    EXPECT_EQ(log, (EventLog{"a:draw", "d:draw"}));
}

TEST(WidgetDirtyMarking, MarkDirtyAreaStopsAtTheFirstOpaqueCover)
{
    ProbeScreen s;
    EventLog log;
    WidgetProbe back(log, "back", 0, 0, 800, 600), aside(log, "aside", 700, 500, 50, 50);
    WidgetProbe cover(log, "cover", 100, 100, 200, 200), item(log, "item", 150, 150, 20, 20);
    WidgetProbe above(log, "above", 160, 160, 50, 50), far(log, "far", 600, 0, 10, 10);
    for (WidgetProbe* w : {&back, &aside, &cover, &item, &above, &far})
    {
        s.manager.AddWidget(w);
    }
    auto drawAll = [&]
    {
        s.manager.RunDrawPass();
        log.clear();
    };
    drawAll();

    item.SetVisible(false);
    EXPECT_TRUE(cover.dirty);
    EXPECT_TRUE(above.dirty);
    EXPECT_FALSE(back.dirty);
    EXPECT_FALSE(aside.dirty);
    EXPECT_FALSE(far.dirty);
    drawAll();

    // A see-through cover lets the walk continue to the background.
    cover.seeThrough = true;
    item.SetVisible(true);
    drawAll();
    item.MarkDirtyArea();
    EXPECT_TRUE(back.dirty);
    drawAll();

    // A plain mark goes only upward, to intersecting visible siblings.
    cover.MarkDirty();
    EXPECT_TRUE(item.dirty);
    EXPECT_TRUE(above.dirty);
    EXPECT_FALSE(back.dirty);
    EXPECT_FALSE(far.dirty);
    drawAll();

    // A translucent widget marks what lies under it as well.
    above.translucent = true;
    above.MarkDirty();
    EXPECT_TRUE(item.dirty);
    EXPECT_TRUE(back.dirty); // covers the whole area: the walk stops there
    drawAll();

    // Moving a widget marks what is above its new place.
    far.Resize(150, 150, 10, 10);
    drawAll();
    s.manager.PlaceAbove(&far, &cover);
    drawAll();
    far.Move(165, 165);
    EXPECT_TRUE(item.dirty);
    EXPECT_TRUE(above.dirty);
}

TEST(WidgetDirtyMarking, SubtreeMarkAndAttachMarkEveryWidget)
{
    ProbeScreen s;
    EventLog log;
    WidgetProbe panel(log, "panel", 0, 0, 100, 100), a(log, "a", 0, 0, 10, 10), b(log, "b", 20, 0, 10, 10);
    panel.AddWidget(&a);
    panel.AddWidget(&b);
    EXPECT_FALSE(a.dirty);
    s.manager.AddWidget(&panel);
    EXPECT_EQ(a.manager, &s.manager);
    EXPECT_EQ(a.parent, &panel);
    EXPECT_EQ(panel.parent, &s.manager);
    EXPECT_TRUE(a.dirty && b.dirty && panel.dirty && s.manager.dirty);
    s.manager.RunDrawPass();
    EXPECT_FALSE(a.dirty || b.dirty || panel.dirty);
    s.manager.MarkSubtreeDirty();
    EXPECT_TRUE(a.dirty && b.dirty && panel.dirty && s.manager.dirty);
}

TEST(WidgetTreeOwnership, DestroyingWidgetsInTheTreeLeavesNoDanglingReference)
{
    ProbeScreen s;
    EventLog log;
    WidgetProbe keep(log, "keep", 0, 0, 100, 100);
    s.manager.AddWidget(&keep);
    {
        auto panel = std::make_unique<WidgetProbe>(log, "panel", 200, 200, 100, 100);
        WidgetProbe inner(log, "inner", 10, 10, 10, 10);
        s.manager.AddWidget(panel.get());
        panel->AddWidget(&inner);
        inner.focusOnClick = true;
        s.manager.MouseMove(215, 215);
        s.manager.MouseDown(215, 215, 1);
        EXPECT_EQ(s.manager.focusWidget, &inner);
        EXPECT_EQ(s.manager.pressedWidget, &inner);
        s.manager.PushModal(panel.get());
        panel.reset(); // inner is unlinked silently, the manager forgets both
    }
    EXPECT_EQ(s.manager.children.size(), 1u);
    EXPECT_EQ(s.manager.focusWidget, nullptr);
    EXPECT_EQ(s.manager.pressedWidget, nullptr);
    EXPECT_EQ(s.manager.hoverWidget, nullptr);
    EXPECT_EQ(s.manager.modalWidget, nullptr);
    s.manager.MouseUp(215, 215, 1);
    s.manager.RunUpdatePass();
    s.manager.RunDrawPass();

    // RemoveAllChildren with destroy and recursion empties and destroys.
    auto* owned = new WidgetProbe(log, "owned");
    auto* ownedChild = new WidgetProbe(log, "ownedChild");
    owned->AddWidget(ownedChild);
    keep.AddWidget(owned);
    keep.RemoveAllChildren(true, true);
    EXPECT_TRUE(keep.children.empty());
}

TEST(WidgetHelpers, NumberStripDrawsEveryDigitFromItsCell)
{
    ProbeScreen s;
    EventLog log;
    WidgetProbe w(log, "w", 0, 0, 100, 20);
    MemoryImage strip;
    strip.Allocate(40, 3); // cells 4 pixels wide
    for (int32_t px = 0; px < 40; ++px)
    {
        for (int32_t py = 0; py < 3; ++py)
        {
            strip.GetPixels()[py * 40 + px] = 0xFF000000u | uint32_t(px / 4 + 1);
        }
    }
    strip.PixelsChanged();
    Graphics g(&s.screen);
    w.DrawNumberStrip(&g, 0, 10, 10, &strip, 1);
    EXPECT_EQ(s.screen.GetPixel(10, 10), 0xFF000001u);
    EXPECT_EQ(s.screen.GetPixel(13, 12), 0xFF000001u);
    EXPECT_EQ(s.screen.GetPixel(14, 10), 0u);
    EXPECT_EQ(s.screen.GetPixel(9, 10), 0u);

    w.DrawNumberStrip(&g, 1205, 100, 50, &strip, 2);
    const uint32_t expected[] = {2, 3, 1, 6};
    for (int32_t i = 0; i < 4; ++i)
    {
        EXPECT_EQ(s.screen.GetPixel(100 + i * 6, 50), 0xFF000000u | expected[i]) << i;
        EXPECT_EQ(s.screen.GetPixel(103 + i * 6, 52), 0xFF000000u | expected[i]) << i;
        EXPECT_EQ(s.screen.GetPixel(104 + i * 6, 50), 0u) << i; // the spacing stays empty
    }
    EXPECT_EQ(s.screen.GetPixel(124, 50), 0u);
    EXPECT_EQ(w.CountDigits(0), 1);
    EXPECT_EQ(w.CountDigits(9), 1);
    EXPECT_EQ(w.CountDigits(10), 2);
    EXPECT_EQ(w.CountDigits(1205), 4);
    EXPECT_EQ(w.CountDigits(INT64_MIN), 19);
}

TEST(WidgetHelpers, TextHelpersCentreAndRestoreTheContext)
{
    ProbeScreen s;
    EventLog log;
    WidgetProbe w(log, "w", 0, 0, 101, 40);
    TestSupport::FixedWidthFont font(6);
    Graphics g(&s.screen);
    g.SetFont(&font);
    g.SetColor(Color(1, 2, 3));
    EXPECT_EQ(w.DrawCenteredLine(&g, 20, "abcd"), Rect(38, 12, 24, 10));
    EXPECT_EQ(w.DrawCenteredLine(&g, 20, "ab", Color(9, 9, 9), Color(0, 0, 0), Point(2, 3)), Rect(44, 12, 14, 13));
    ASSERT_EQ(font.calls.size(), 3u);
    EXPECT_EQ(font.calls[1].x, 46);
    EXPECT_EQ(font.calls[1].y, 23);
    EXPECT_EQ(font.calls[2].color, Color(9, 9, 9));
    EXPECT_EQ(g.GetColor(), Color(1, 2, 3));

    // The widget-wide colour-code switch applies for the call only.
    font.calls.clear();
    Widget::textColorCodes = false;
    g.colorCodes = true;
    EXPECT_EQ(w.DrawText(&g, "^FF0000^ab", 0, 30), 60);
    EXPECT_TRUE(g.colorCodes);
    Widget::textColorCodes = true;
    EXPECT_EQ(w.DrawText(&g, "^FF0000^ab", 0, 30), 12);
    EXPECT_GT(w.MeasureWrappedText(&g, 30, "one two three four", -1), 10);
    EXPECT_EQ(w.DrawWrappedText(&g, Rect(0, 0, 30, 100), "one two three four"),
              w.MeasureWrappedText(&g, 30, "one two three four"));
}

TEST(WidgetHelpers, ColorTableGrowsWithBlackAndFallsBack)
{
    EventLog log;
    WidgetProbe w(log, "w");
    w.SetColor(2, Color(1, 2, 3));
    ASSERT_EQ(w.colors.size(), 3u);
    EXPECT_EQ(w.GetColor(0), Color::Black());
    EXPECT_EQ(w.GetColor(2), Color(1, 2, 3));
    EXPECT_EQ(w.GetColor(7, Color(5, 5, 5, 5)), Color(5, 5, 5, 5));
    EXPECT_EQ(w.GetColor(-1), Color::Black());
    const int32_t rgb[][3] = {{10, 20, 30}, {40, 50, 60}};
    w.SetColors(rgb, 2);
    ASSERT_EQ(w.colors.size(), 2u);
    EXPECT_EQ(w.GetColor(1), Color(40, 50, 60, 255));
    const int32_t rgba[][4] = {{1, 2, 3, 4}};
    w.SetColors(rgba, 1);
    EXPECT_EQ(w.colors, (std::vector<Color>{Color(1, 2, 3, 4)}));
}
