#include "external/lumora/EffectManager.h"
#include "external/lumora/IClock.h"
#include "external/lumora/IEffectObserver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Lumora;

namespace
{

// Records every hook and step; finishes after `stepsToFinish` steps per run,
// like a motion effect whose end test looks at what its step did.
class ScriptedEffect : public Effect
{
public:
    std::vector<std::string> calls;
    int stepsToFinish = 3;
    int steps = 0;

protected:
    void OnStart() override
    {
        Effect::OnStart();
        calls.push_back("start");
        Reset();
    }
    void OnStop() override
    {
        Effect::OnStop();
        calls.push_back("stop");
    }
    void OnPause() override
    {
        Effect::OnPause();
        calls.push_back("pause");
    }
    void OnResume() override
    {
        Effect::OnResume();
        calls.push_back("resume");
    }
    void Reset() override { steps = 0; }
    void OnTick() override
    {
        ++steps;
        calls.push_back("tick" + std::to_string(steps));
    }
    bool IsFinished() override
    {
        calls.push_back("finished?");
        return steps >= stepsToFinish;
    }
};

class CountingObserver : public IEffectObserver
{
public:
    int started = 0;
    int stopped = 0;
    void OnEffectStarted(IEffect&) override { ++started; }
    void OnEffectStopped(IEffect&) override { ++stopped; }
};

class FixedClock : public IClock
{
public:
    std::int32_t GetTime() override { return 0; }
};

class EffectManagerTest : public ::testing::Test
{
protected:
    void TearDown() override { EffectManager::Release(); }
};

} // namespace

TEST_F(EffectManagerTest, AddedEffectIsTickedStepBeforeTestAndStoppedWhenFinished)
{
    auto manager = EffectManager::Instance();
    manager->SetClock(std::make_shared<FixedClock>());
    manager->Start();
    auto effect = std::make_shared<ScriptedEffect>();
    effect->stepsToFinish = 2;
    manager->AddEffect(effect);

    manager->Tick(); // not started yet: not ticked
    EXPECT_TRUE(effect->calls.empty());

    effect->Start();
    EXPECT_TRUE(effect->IsRunning());
    manager->Tick();
    manager->Tick();
    EXPECT_FALSE(effect->IsRunning());
    manager->Tick(); // stopped: left alone, still added
    EXPECT_EQ(effect->calls, (std::vector<std::string>{"start", "tick1", "finished?", "tick2", "finished?", "stop"}));
    EXPECT_EQ(manager->GetEffectCount(), 1u);

    effect->calls.clear();
    effect->Start();
    manager->Tick();
    manager->Tick();
    EXPECT_EQ(effect->calls, (std::vector<std::string>{"start", "tick1", "finished?", "tick2", "finished?", "stop"}));
}

TEST_F(EffectManagerTest, StoppedOrPausedManagerTicksNothing)
{
    auto manager = EffectManager::Instance();
    auto effect = std::make_shared<ScriptedEffect>();
    manager->AddEffect(effect);
    effect->Start();
    manager->Tick();
    EXPECT_EQ(effect->steps, 0);
    manager->Start();
    manager->Pause();
    manager->Tick();
    EXPECT_EQ(effect->steps, 0);
    manager->Resume();
    manager->Tick();
    EXPECT_EQ(effect->steps, 1);
}

TEST_F(EffectManagerTest, ReleaseGivesAFreshManager)
{
    auto first = EffectManager::Instance();
    first->AddEffect(std::make_shared<ScriptedEffect>());
    first->Start();
    EffectManager::Release();
    auto second = EffectManager::Instance();
    EXPECT_NE(first, second);
    EXPECT_EQ(second->GetEffectCount(), 0u);
    EXPECT_FALSE(second->IsRunning());
}

TEST_F(EffectManagerTest, EffectsMayAddAndRemoveEffectsWhileTicked)
{
    auto manager = EffectManager::Instance();
    manager->Start();

    struct Spawner : ScriptedEffect
    {
        std::shared_ptr<Effect> victim;
        std::shared_ptr<Effect> spawned;
        void OnTick() override
        {
            ScriptedEffect::OnTick();
            EffectManager::Instance()->RemoveEffect(victim);
            EffectManager::Instance()->AddEffect(spawned);
        }
    };
    auto spawner = std::make_shared<Spawner>();
    auto victim = std::make_shared<ScriptedEffect>();
    auto spawned = std::make_shared<ScriptedEffect>();
    spawner->victim = victim;
    spawner->spawned = spawned;
    spawner->stepsToFinish = 100;
    manager->AddEffect(spawner);
    manager->AddEffect(victim);
    spawner->Start();
    victim->Start();
    spawned->Start();

    manager->Tick();
    EXPECT_EQ(victim->steps, 0);  // removed before its turn
    EXPECT_EQ(spawned->steps, 0); // added during the tick: next one
    manager->Tick();
    EXPECT_EQ(spawned->steps, 1);
    EXPECT_EQ(manager->GetEffectCount(), 2u);
    EXPECT_EQ(manager->GetEffect(""), spawner);
}

TEST(EffectTest, StateChangesCallHooksOnlyWhenTheStateChanges)
{
    auto effect = std::make_shared<ScriptedEffect>();
    auto observer = std::make_shared<CountingObserver>();
    effect->AddObserver(observer);
    effect->AddObserver(observer);

    effect->Stop();   // already stopped
    effect->Pause();  // not running
    effect->Resume(); // not paused
    effect->Start();
    effect->Start(); // already running
    effect->Pause();
    effect->Tick(); // paused: no step
    effect->Resume();
    effect->Stop();
    EXPECT_EQ(effect->calls, (std::vector<std::string>{"start", "pause", "resume", "stop"}));
    EXPECT_EQ(observer->started, 1);
    EXPECT_EQ(observer->stopped, 1);

    effect->RemoveObserver(observer);
    effect->Start();
    EXPECT_EQ(observer->started, 1);
}

TEST(EffectTest, LoopingEffectStartsAgainWhenFinished)
{
    auto effect = std::make_shared<ScriptedEffect>();
    effect->stepsToFinish = 1;
    effect->SetLoop(true);
    effect->Start();
    effect->Tick();
    EXPECT_TRUE(effect->IsRunning());
    EXPECT_EQ(effect->calls, (std::vector<std::string>{"start", "tick1", "finished?", "stop", "start"}));
    EXPECT_EQ(effect->steps, 0);
}

TEST(EffectTest, StepThatStopsTheEffectSkipsTheEndTest)
{
    struct SelfStopping : ScriptedEffect
    {
        void OnTick() override
        {
            ScriptedEffect::OnTick();
            Stop();
        }
    };
    auto effect = std::make_shared<SelfStopping>();
    effect->Start();
    effect->Tick();
    EXPECT_EQ(effect->calls, (std::vector<std::string>{"start", "tick1", "stop"}));
}
