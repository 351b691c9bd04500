#include "external/timer/TimeManager.h"
#include "external/timer/TimerTask.h"

#include <ace/Init_ACE.h>
#include <gtest/gtest.h>

#include <functional>

namespace
{

class CountingTask : public TimerTask
{
public:
    int runs = 0;
    std::function<void()> onRun;
    void HandleTimeout() override
    {
        ++runs;
        if (onRun)
        {
            onRun();
        }
    }
};

class TimeManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ACE::init();
        manager = TimeManager::Instance();
        manager->SetClock([this] { return now; });
        manager->Init();
    }
    void TearDown() override
    {
        manager->Fini();
        manager->SetClock(nullptr);
        ACE::fini();
    }
    void Advance(double seconds)
    {
        now += ACE_Time_Value(static_cast<time_t>(seconds),
                              static_cast<suseconds_t>((seconds - static_cast<time_t>(seconds)) * 1e6));
    }

    ACE_Time_Value now{1000, 0};
    std::shared_ptr<TimeManager> manager;
};

} // namespace

TEST_F(TimeManagerTest, HandlersRunOnlyInsideProcessOncePerPeriod)
{
    auto task = std::make_shared<CountingTask>();
    ASSERT_EQ(manager->ReSchedule(task, ACE_Time_Value(10), ACE_Time_Value(10)), 0);

    Advance(9.9);
    EXPECT_EQ(manager->Process(), 0);
    Advance(0.1);
    EXPECT_EQ(task->runs, 0) << "time passing alone runs nothing";
    EXPECT_EQ(manager->Process(), 1);
    EXPECT_EQ(manager->Process(), 0);
    Advance(10);
    manager->Process();
    EXPECT_EQ(task->runs, 2);
}

TEST_F(TimeManagerTest, LateProcessRunsOnceAndKeepsThePhase)
{
    auto task = std::make_shared<CountingTask>();
    manager->ReSchedule(task, ACE_Time_Value(10), ACE_Time_Value(10));
    Advance(65); // due at 10, 20, ..., 60: one run now, the next at 70
    manager->Process();
    EXPECT_EQ(task->runs, 1);
    Advance(4.9);
    manager->Process();
    EXPECT_EQ(task->runs, 1);
    Advance(0.1);
    manager->Process();
    EXPECT_EQ(task->runs, 2);
}

TEST_F(TimeManagerTest, RescheduleReplacesTheOldTimes)
{
    auto task = std::make_shared<CountingTask>();
    manager->ReSchedule(task, ACE_Time_Value(5), ACE_Time_Value(5));
    Advance(4);
    manager->ReSchedule(task, ACE_Time_Value(5), ACE_Time_Value(5));
    Advance(4);
    manager->Process();
    EXPECT_EQ(task->runs, 0);
    Advance(1);
    manager->Process();
    EXPECT_EQ(task->runs, 1);
}

TEST_F(TimeManagerTest, CancelledTaskNeverRunsAgainEvenWhenDueInTheSameProcess)
{
    auto first = std::make_shared<CountingTask>();
    auto second = std::make_shared<CountingTask>();
    first->onRun = [&] { manager->Cancel(second); };
    manager->ReSchedule(first, ACE_Time_Value(1), ACE_Time_Value(1));
    manager->ReSchedule(second, ACE_Time_Value(2), ACE_Time_Value(1));
    Advance(3);
    manager->Process();
    EXPECT_EQ(first->runs, 1);
    EXPECT_EQ(second->runs, 0);
    EXPECT_EQ(manager->Cancel(second), -1);
    EXPECT_EQ(manager->Cancel(first), 0);
    Advance(10);
    EXPECT_EQ(manager->Process(), 0);
}

TEST_F(TimeManagerTest, TaskMayCancelItselfAndDropTheLastReference)
{
    auto task = std::make_shared<CountingTask>();
    std::weak_ptr<CountingTask> watch = task;
    task->onRun = [this, watch] { manager->Cancel(watch.lock()); };
    manager->ReSchedule(task, ACE_Time_Value(1), ACE_Time_Value(1));
    task.reset();
    Advance(1);
    EXPECT_EQ(manager->Process(), 1);
    EXPECT_TRUE(watch.expired());
}

TEST_F(TimeManagerTest, ZeroIntervalRunsOnceAndZeroDelayIsDueAtOnce)
{
    auto task = std::make_shared<CountingTask>();
    manager->ReSchedule(task, ACE_Time_Value::zero, ACE_Time_Value::zero);
    EXPECT_EQ(manager->Process(), 1);
    EXPECT_EQ(manager->Process(), 0);
    Advance(100);
    EXPECT_EQ(manager->Process(), 0);
    EXPECT_FALSE(manager->IsScheduled(task));
}

TEST_F(TimeManagerTest, FiniDropsEverythingUntilInit)
{
    auto task = std::make_shared<CountingTask>();
    manager->ReSchedule(task, ACE_Time_Value(1), ACE_Time_Value(1));
    manager->Fini();
    Advance(5);
    EXPECT_EQ(manager->Process(), 0);
    EXPECT_EQ(manager->ReSchedule(task, ACE_Time_Value(1), ACE_Time_Value(1)), -1);
    manager->Init();
    EXPECT_EQ(manager->ReSchedule(task, ACE_Time_Value(1), ACE_Time_Value(1)), 0);
    EXPECT_EQ(manager->ReSchedule(nullptr, ACE_Time_Value(1), ACE_Time_Value(1)), -1);
}
