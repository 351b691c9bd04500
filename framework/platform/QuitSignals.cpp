#include "framework/platform/QuitSignals.h"

#include <signal.h>

#include <atomic>

namespace Framework::QuitSignals
{

namespace
{

std::atomic<int> pending{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnQuitSignal(int number)
{
    int none = 0;
    pending.compare_exchange_strong(none, number);
}

} // namespace

void Install()
{
    struct sigaction action = {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGINT, SIGHUP})
    {
        sigaction(number, &action, nullptr);
    }
}

int Pending()
{
    return pending.load();
}

void Clear()
{
    pending.store(0);
}

void Raise(int signal)
{
    OnQuitSignal(signal);
}

} // namespace Framework::QuitSignals
