// TimeManager: the process-wide scheduler of periodic TimerTasks.
//
// Nothing runs on its own: Process() runs the handlers of the tasks that are
// due, synchronously, on the calling thread, and only there. A task scheduled
// with ReSchedule(task, delay, interval) is first due `delay` after the call,
// then every `interval`; an interval of zero makes it a one-shot task. A task
// runs at most once per Process call: when Process comes late by several
// periods, the missed runs are dropped and the next run keeps the period's
// phase.
//
// Time is read from a clock function (by default the steady clock) that tests
// replace with SetClock to step time by hand. Results are 0 on success and -1
// on failure, in the manner of ACE. After Fini nothing is scheduled until the
// next Init. Instance() returns the same manager for the life of the process;
// Init and Fini clear it. Main thread only.
#pragma once

#include <ace/Time_Value.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TimerTask;

class TimeManager
{
public:
    using ClockFunction = std::function<ACE_Time_Value()>;

    static std::shared_ptr<TimeManager> Instance();

    TimeManager();
    ~TimeManager();

    TimeManager(const TimeManager&) = delete;
    TimeManager& operator=(const TimeManager&) = delete;

    int Init();
    int Fini();

    // (Re)schedules the task; a task already scheduled loses its old times.
    int ReSchedule(const std::shared_ptr<TimerTask>& task, const ACE_Time_Value& delay, const ACE_Time_Value& interval);
    // 0 when the task was scheduled; its handler never runs again.
    int Cancel(const std::shared_ptr<TimerTask>& task);
    bool IsScheduled(const std::shared_ptr<TimerTask>& task) const;
    // Runs the due handlers in the order they fell due; returns how many ran.
    int Process();

    // An empty function restores the steady clock.
    void SetClock(ClockFunction clock);
    ACE_Time_Value Now() const;

private:
    struct Entry
    {
        std::shared_ptr<TimerTask> task;
        ACE_Time_Value due;
        ACE_Time_Value interval;
        std::uint64_t generation = 0;
    };

    std::vector<Entry>::iterator Find(const TimerTask* task);

    std::vector<Entry> entries;
    ClockFunction clock;
    std::uint64_t nextGeneration = 1;
    bool active = true;
};
