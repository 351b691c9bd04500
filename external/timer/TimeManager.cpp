#include "external/timer/TimeManager.h"

#include "external/timer/TimerTask.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace
{

ACE_Time_Value SteadyNow()
{
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(since).count();
    return ACE_Time_Value(static_cast<time_t>(micros / 1000000), static_cast<suseconds_t>(micros % 1000000));
}

} // namespace

std::shared_ptr<TimeManager> TimeManager::Instance()
{
    static const auto instance = std::make_shared<TimeManager>();
    return instance;
}

TimeManager::TimeManager() = default;

TimeManager::~TimeManager() = default;

int TimeManager::Init()
{
    entries.clear();
    active = true;
    return 0;
}

int TimeManager::Fini()
{
    entries.clear();
    active = false;
    return 0;
}

std::vector<TimeManager::Entry>::iterator TimeManager::Find(const TimerTask* task)
{
    return std::find_if(entries.begin(), entries.end(), [task](const Entry& e) { return e.task.get() == task; });
}

int TimeManager::ReSchedule(const std::shared_ptr<TimerTask>& task, const ACE_Time_Value& delay,
                            const ACE_Time_Value& interval)
{
    if (!task || !active || delay < ACE_Time_Value::zero || interval < ACE_Time_Value::zero)
    {
        return -1;
    }
    Entry entry{task, Now() + delay, interval, nextGeneration++};
    auto existing = Find(task.get());
    if (existing != entries.end())
    {
        *existing = std::move(entry);
    }
    else
    {
        entries.push_back(std::move(entry));
    }
    return 0;
}

int TimeManager::Cancel(const std::shared_ptr<TimerTask>& task)
{
    auto existing = Find(task.get());
    if (!task || existing == entries.end())
    {
        return -1;
    }
    entries.erase(existing);
    return 0;
}

bool TimeManager::IsScheduled(const std::shared_ptr<TimerTask>& task) const
{
    return task && std::any_of(entries.begin(), entries.end(), [&](const Entry& e) { return e.task == task; });
}

int TimeManager::Process()
{
    if (!active)
    {
        return 0;
    }
    const ACE_Time_Value now = Now();
    std::vector<Entry> due;
    for (const Entry& entry : entries)
    {
        if (entry.due <= now)
        {
            due.push_back(entry);
        }
    }
    std::stable_sort(due.begin(), due.end(), [](const Entry& a, const Entry& b) { return a.due < b.due; });

    int ran = 0;
    for (const Entry& run : due)
    {
        // An earlier handler may have cancelled or rescheduled this task.
        auto current = Find(run.task.get());
        if (current == entries.end() || current->generation != run.generation)
        {
            continue;
        }
        if (current->interval == ACE_Time_Value::zero)
        {
            entries.erase(current);
        }
        else
        {
            // The first period boundary after now; a zero interval never gets
            // here, so this cannot loop without end.
            ACE_Time_Value next = current->due + current->interval;
            if (next <= now)
            {
                const auto periodUs =
                    static_cast<std::int64_t>(current->interval.sec()) * 1000000 + current->interval.usec();
                const ACE_Time_Value behind = now - current->due;
                const auto behindUs = static_cast<std::int64_t>(behind.sec()) * 1000000 + behind.usec();
                const std::int64_t periods = behindUs / periodUs + 1;
                const std::int64_t advanceUs = periods * periodUs;
                next = current->due + ACE_Time_Value(static_cast<time_t>(advanceUs / 1000000),
                                                     static_cast<suseconds_t>(advanceUs % 1000000));
            }
            current->due = next;
        }
        // Hold the task: its handler may cancel it and drop the last reference.
        const auto task = run.task;
        task->HandleTimeout();
        ++ran;
    }
    return ran;
}

void TimeManager::SetClock(ClockFunction function)
{
    clock = std::move(function);
}

ACE_Time_Value TimeManager::Now() const
{
    return clock ? clock() : SteadyNow();
}
