// The loop at rest: after about a second with nothing drawn and no event it
// waits on the display for six frames at a time instead of one, an event
// ends such a wait at once, and the update rate stays 100 a second.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/AppBaseTestApp.h"

using FrothwickTest::FakeClock;
using FrothwickTest::FakePlatform;
using FrothwickTest::TestApp;

namespace
{

// A display that can be waited on: a wait moves the fake clock, and an event
// due within it ends the wait at its time.
class WaitablePlatform final : public FakePlatform
{
public:
    explicit WaitablePlatform(FakeClock& c) : clock(c) {}

    bool WaitForEvents(uint32_t ms) override
    {
        waits.push_back(ms);
        if (eventAt != 0 && eventAt <= clock.now + ms)
        {
            clock.now = std::max(clock.now, eventAt);
            eventAt = 0;
            Framework::InputEvent move;
            move.x = 10;
            move.y = 10;
            pendingInput.push_back(move);
            return true;
        }
        clock.now += ms;
        return true;
    }

    FakeClock& clock;
    std::vector<uint32_t> waits;
    uint32_t eventAt = 0; // clock time of the next event; 0 for none
};

// A 60 Hz window whose widgets draw only when told to.
class RestingApp final : public TestApp
{
public:
    RestingApp()
    {
        auto p = std::make_unique<WaitablePlatform>(*fakeClock);
        waitable = p.get();
        fake = p.get();
        platform = std::move(p);
        refreshPacing = true;
        refreshRate = 60;
        loaded = true;
        StartTiming();
    }

    // Runs the loop until the fake clock reaches the time ms.
    void RunUntil(uint32_t ms)
    {
        for (int i = 0; i < 1000000 && fakeClock->now < ms; ++i)
        {
            bool updated = false;
            LoopStep(updated);
        }
    }
    void RunFor(uint32_t ms) { RunUntil(fakeClock->now + ms); }

    // The fake platform's answer: no display to wait on.
    void UseDisplayThatCannotWait()
    {
        auto p = std::make_unique<FakePlatform>();
        fake = p.get();
        platform = std::move(p);
        waitable = nullptr;
    }

    // Waits begun since the count was before.
    size_t WaitsSince(size_t before) const { return waitable->waits.size() - before; }

    WaitablePlatform* waitable = nullptr;
    int drawn = 0;
    bool somethingToDraw = false;

protected:
    bool WidgetsDrawPass() override
    {
        if (!somethingToDraw)
        {
            return false;
        }
        somethingToDraw = false;
        ++drawn;
        return true;
    }
};

TEST(AppBaseRestTest, AtRestTheLoopWaitsSixFramesAtATimeAndKeepsItsUpdateRate)
{
    RestingApp app;
    app.somethingToDraw = true;
    app.RunFor(2000);
    EXPECT_EQ(app.drawn, 1);
    // The first second after the draw sleeps frame by frame.
    ASSERT_FALSE(app.fakeClock->sleeps.empty());
    for (uint32_t ms : app.fakeClock->sleeps)
    {
        EXPECT_LE(ms, 17u);
    }
    EXPECT_GE(app.fakeClock->sleeps.size(), 55u);
    ASSERT_FALSE(app.waitable->waits.empty()) << "never rested";

    // Then ten seconds at rest: about ten waits a second, each up to six
    // frames long, no sleep, and still 100 updates a second.
    const size_t sleeps = app.fakeClock->sleeps.size();
    const size_t waits = app.waitable->waits.size();
    const int updates = app.updateCount;
    app.RunFor(10000);
    EXPECT_EQ(app.fakeClock->sleeps.size(), sleeps);
    EXPECT_NEAR(double(app.WaitsSince(waits)), 100.0, 3.0);
    for (size_t i = waits; i < app.waitable->waits.size(); ++i)
    {
        EXPECT_GT(app.waitable->waits[i], 83u);
        EXPECT_LE(app.waitable->waits[i], 101u);
    }
    EXPECT_NEAR(app.updateCount - updates, 1000, 2);
    EXPECT_EQ(app.drawn, 1);
}

TEST(AppBaseRestTest, AnEventEndsTheWaitAndADrawOrAnEventEndsTheRest)
{
    RestingApp app;
    app.RunFor(2000);
    ASSERT_FALSE(app.waitable->waits.empty());

    // An event 30 ms into a wait is handed over at that moment, and the loop
    // goes back to frame-long sleeps for a second.
    const uint32_t eventAt = app.fakeClock->now + 30;
    app.waitable->eventAt = eventAt;
    const int inputs = app.inputs;
    const size_t sleeps = app.fakeClock->sleeps.size();
    const size_t waits = app.waitable->waits.size();
    app.RunUntil(eventAt + 1);
    EXPECT_EQ(app.inputs, inputs + 1);
    EXPECT_LE(app.fakeClock->now, eventAt + 17) << "handed over within a frame";
    const uint32_t afterEvent = app.fakeClock->now;
    app.RunUntil(afterEvent + 900);
    EXPECT_EQ(app.WaitsSince(waits), 1u) << "no long wait in the second after the event";
    EXPECT_GE(app.fakeClock->sleeps.size() - sleeps, 50u);
    app.RunUntil(afterEvent + 1500);
    EXPECT_GT(app.WaitsSince(waits), 1u) << "at rest again";

    // Something drawn ends the rest too.
    app.somethingToDraw = true;
    const size_t waitsBeforeDraw = app.waitable->waits.size();
    const uint32_t drawnAt = app.fakeClock->now;
    app.RunUntil(drawnAt + 900);
    EXPECT_EQ(app.drawn, 1);
    EXPECT_LE(app.WaitsSince(waitsBeforeDraw), 1u);
}

TEST(AppBaseRestTest, NoLongWaitWhileLoadingOrWithAnotherSpeed)
{
    RestingApp loading;
    loading.loaded = false;
    loading.RunFor(3000);
    EXPECT_TRUE(loading.waitable->waits.empty());

    RestingApp slow;
    slow.speed = 0.5;
    slow.RunFor(3000);
    EXPECT_TRUE(slow.waitable->waits.empty());

    // Without a display to wait on the loop sleeps frame by frame, at rest
    // too.
    RestingApp plain;
    plain.UseDisplayThatCannotWait();
    plain.RunFor(3000);
    for (uint32_t ms : plain.fakeClock->sleeps)
    {
        EXPECT_LE(ms, 17u);
    }
    EXPECT_NEAR(plain.updateCount, 300, 2);
}

} // namespace
