// An AppBase on the fake clock and platform that counts what the loop does.
#pragma once

#include <functional>
#include <memory>

#include "app/AppBaseFakes.h"
#include "framework/app/AppBase.h"
#include "support/TestTemp.h"

namespace FrothwickTest
{

class TestApp : public Framework::AppBase
{
public:
    std::shared_ptr<FakeClock> fakeClock = std::make_shared<FakeClock>();
    FakePlatform* fake = nullptr;
    int draws = 0;
    int inputs = 0;
    int gotFocus = 0;
    int lostFocus = 0;
    double appliedMusic = -1;
    double appliedSfx = -1;
    std::function<void()> onTick;
    std::function<void()> onDraw;
    std::function<void()> onInput;

    TestApp()
    {
        clock = fakeClock;
        auto p = std::make_unique<FakePlatform>();
        fake = p.get();
        platform = std::move(p);
        settingsRoot = TestSupport::TestTempDir("appbase-settings");
        instanceLockDir = TestSupport::TestTempDir();
        onlyOneInstance = false;
        commandLineParsed = true;
    }

    [[noreturn]] void ExitProcess(int code) override { throw Framework::AppExit{code}; }

    // Starts the timing as Run does, without entering the loop.
    void StartTiming()
    {
        lastTimeCheck = clock->NowMs();
        AccumulateTime(lastTimeCheck);
    }

    // Runs loop steps until the clock has slept once (the loop went idle) or
    // the limit is reached; returns the number of updates that ran.
    int RunUntilIdle(int limit = 10000)
    {
        const size_t sleepsBefore = fakeClock->sleeps.size();
        const int before = updateCount;
        for (int i = 0; i < limit && fakeClock->sleeps.size() == sleepsBefore; ++i)
        {
            bool updated = false;
            LoopStep(updated);
        }
        return updateCount - before;
    }

    using AppBase::HandleWindowEvent;
    using AppBase::VSyncPacingActive;

protected:
    void Tick() override
    {
        AppBase::Tick();
        if (onTick)
        {
            onTick();
        }
    }
    bool WidgetsDrawPass() override
    {
        ++draws;
        if (onDraw)
        {
            onDraw();
        }
        return true;
    }
    void WidgetsInput(const Framework::InputEvent&) override
    {
        ++inputs;
        if (onInput)
        {
            onInput();
        }
    }
    void WidgetsGotFocus() override { ++gotFocus; }
    void WidgetsLostFocus() override { ++lostFocus; }
    void MusicSetVolume(double v) override { appliedMusic = v; }
    void SoundSetVolume(double v) override { appliedSfx = v; }
};

} // namespace FrothwickTest
