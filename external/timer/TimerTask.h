// TimerTask: a periodic task run by the TimeManager. Tasks are shared
// (std::shared_ptr); the manager holds its own reference while the task is
// scheduled. HandleTimeout runs inside TimeManager::Process on the thread that
// calls Process, and may reschedule or cancel any task, itself included.
#pragma once

#include <memory>

class TimerTask : public std::enable_shared_from_this<TimerTask>
{
public:
    virtual ~TimerTask() = default;

    virtual void HandleTimeout() = 0;
};
