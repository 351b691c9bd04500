#include "external/lumora/Effect.h"

#include "external/lumora/IEffectObserver.h"

#include <algorithm>
#include <utility>

namespace Lumora
{

Effect::Effect(std::string effectName) : name(std::move(effectName)) {}

Effect::~Effect() = default;

void Effect::Start()
{
    if (state == State::Running)
    {
        return;
    }
    state = State::Running;
    OnStart();
}

void Effect::Stop()
{
    if (state == State::Stopped)
    {
        return;
    }
    state = State::Stopped;
    OnStop();
}

void Effect::Pause()
{
    if (state != State::Running)
    {
        return;
    }
    state = State::Paused;
    OnPause();
}

void Effect::Resume()
{
    if (state != State::Paused)
    {
        return;
    }
    state = State::Running;
    OnResume();
}

void Effect::Tick()
{
    if (state != State::Running)
    {
        return;
    }
    OnTick();
    // The step may have stopped or paused the effect itself.
    if (state != State::Running)
    {
        return;
    }
    if (IsFinished())
    {
        Stop();
        if (loop)
        {
            Start();
        }
    }
}

bool Effect::IsRunning() const
{
    return state == State::Running;
}

void Effect::SetLoop(bool value)
{
    loop = value;
}

bool Effect::IsLoop() const
{
    return loop;
}

std::string Effect::GetName() const
{
    return name;
}

void Effect::SetName(const std::string& value)
{
    name = value;
}

void Effect::AddObserver(const std::shared_ptr<IEffectObserver>& observer)
{
    if (observer && std::find(observers.begin(), observers.end(), observer) == observers.end())
    {
        observers.push_back(observer);
    }
}

void Effect::RemoveObserver(const std::shared_ptr<IEffectObserver>& observer)
{
    observers.erase(std::remove(observers.begin(), observers.end(), observer), observers.end());
}

void Effect::SetClock(const std::shared_ptr<IClock>& value)
{
    clock = value;
}

std::shared_ptr<IClock> Effect::GetClock() const
{
    return clock;
}

template <typename Notify> void Effect::NotifyObservers(Notify notify)
{
    // A copy, so that observers may add or remove observers while notified.
    const auto current = observers;
    for (const auto& observer : current)
    {
        notify(*observer);
    }
}

void Effect::NotifyTicked()
{
    NotifyObservers([this](IEffectObserver& o) { o.OnEffectTicked(*this, name); });
}

void Effect::OnStart()
{
    NotifyObservers([this](IEffectObserver& o) { o.OnEffectStarted(*this); });
}

void Effect::OnStop()
{
    NotifyObservers([this](IEffectObserver& o) { o.OnEffectStopped(*this); });
}

void Effect::OnPause()
{
    NotifyObservers([this](IEffectObserver& o) { o.OnEffectPaused(*this); });
}

void Effect::OnResume()
{
    NotifyObservers([this](IEffectObserver& o) { o.OnEffectResumed(*this); });
}

} // namespace Lumora
