#include "external/lumora/IClock.h"
#include "external/lumora/IEffectObserver.h"
#include "external/lumora/LerpAlgorithm.h"
#include "external/lumora/SimpleEffect.h"
#include "external/lumora/TargetObjectTraits.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Lumora;

namespace
{

struct Mover
{
    Vector2 position;
    Vector2 GetPosition() const { return position; }
    void SetPosition(const Vector2& p) { position = p; }
};

class ManualClock : public IClock
{
public:
    std::int32_t now = 0;
    std::int32_t GetTime() override { return now; }
};

using Lerp = LerpAlgorithm<Mover, TargetObjectTraits<Mover>>;

class MoveEffect : public SimpleEffect<Mover, Lerp>
{
public:
    MoveEffect() { rebindTarget = true; }
};

class TickRecorder : public IEffectObserver
{
public:
    std::vector<std::string> names;
    void OnEffectTicked(IEffect&, const std::string& name) override { names.push_back(name); }
};

struct Fixture
{
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<Mover> mover = std::make_shared<Mover>();
    std::shared_ptr<Lerp> lerp = std::make_shared<Lerp>(Vector2(100.0f, -50.0f));
    std::shared_ptr<MoveEffect> effect = std::make_shared<MoveEffect>();

    Fixture()
    {
        effect->SetClock(clock);
        effect->SetTarget(mover);
        effect->SetAlgorithm(lerp);
        effect->SetDuration(1000);
    }

    void Step(std::int32_t ms)
    {
        clock->now += ms;
        effect->Tick();
    }
};

} // namespace


TEST(SimpleEffectTest, PausedTimeIsNotElapsed)
{
    Fixture f;
    f.effect->Start();
    f.Step(100);
    f.effect->Pause();
    f.clock->now += 5000;
    f.effect->Tick();
    f.effect->Resume();
    f.Step(100);
    EXPECT_EQ(f.effect->GetElapsed(), 200);
    EXPECT_FLOAT_EQ(f.mover->position.x, 20.0f);
}

TEST(SimpleEffectTest, BoundsStopTheMotionAndARestartIsAFreshRun)
{
    Fixture f;
    f.lerp->SetMaximum({50.0f, 50.0f});
    f.lerp->SetVelocity({1000.0f, 1000.0f});
    f.effect->Start();
    f.Step(40);
    EXPECT_TRUE(f.effect->IsRunning());
    f.Step(40);
    EXPECT_EQ(f.mover->position, Vector2(50.0f, 50.0f));
    EXPECT_FALSE(f.effect->IsRunning());

    // A restart moves from where the target is, counting from the restart.
    f.lerp->SetVelocity({-1000.0f, 0.0f});
    f.effect->Start();
    EXPECT_EQ(f.effect->GetElapsed(), 0);
    f.Step(10);
    EXPECT_TRUE(f.effect->IsRunning());
    EXPECT_FLOAT_EQ(f.mover->position.x, 40.0f);
}

TEST(SimpleEffectTest, ObserversHearEveryStepWithTheName)
{
    Fixture f;
    auto recorder = std::make_shared<TickRecorder>();
    f.effect->SetName("BulletMoveEffect");
    f.effect->AddObserver(recorder);
    f.effect->Start();
    f.Step(10);
    f.Step(10);
    EXPECT_EQ(recorder->names, (std::vector<std::string>{"BulletMoveEffect", "BulletMoveEffect"}));
}

