// Lumora::Effect: a timed action with three states, stopped (at construction),
// running and paused, driven by repeated calls of Tick.
//
// Transitions and the hooks they call, after the state has changed:
//   Start:  stopped or paused -> running, OnStart (a running effect ignores it)
//   Stop:   running or paused -> stopped, OnStop
//   Pause:  running -> paused, OnPause
//   Resume: paused -> running, OnResume
// The base hooks notify the observers; a derived hook must call its base.
//
// Tick on a running effect calls OnTick, then (if the effect still runs)
// IsFinished, and stops the effect when that returns true; a looping effect is
// then started again at once. Tick on a stopped or paused effect does nothing.
// A stopped effect can be started again any number of times.
//
// Effects are shared (std::shared_ptr) and driven from one thread.
#pragma once

#include "external/lumora/IEffect.h"

#include <memory>
#include <string>
#include <vector>

namespace Lumora
{

class Effect : public IEffect
{
public:
    Effect() = default;
    explicit Effect(std::string name);
    ~Effect() override;

    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    void Start() override;
    void Stop() override;
    void Pause() override;
    void Resume() override;
    void Tick() override;
    bool IsRunning() const override;
    void SetLoop(bool loop) override;
    bool IsLoop() const override;
    std::string GetName() const override;
    void SetName(const std::string& name) override;
    void AddObserver(const std::shared_ptr<IEffectObserver>& observer) override;
    void RemoveObserver(const std::shared_ptr<IEffectObserver>& observer) override;
    void SetClock(const std::shared_ptr<IClock>& clock) override;
    std::shared_ptr<IClock> GetClock() const override;

    bool IsPaused() const { return state == State::Paused; }

protected:
    virtual void OnStart();
    virtual void OnStop();
    virtual void OnPause();
    virtual void OnResume();

    // One step of a running effect.
    virtual void OnTick() {}
    // Prepares a new run; derived effects call it from their OnStart.
    virtual void Reset() {}
    // The end test, asked after each step.
    virtual bool IsFinished() { return false; }

    // Tells the observers that a step has run (OnEffectTicked).
    void NotifyTicked();

private:
    enum class State
    {
        Stopped,
        Running,
        Paused
    };

    template <typename Notify> void NotifyObservers(Notify notify);

    State state = State::Stopped;
    bool loop = false;
    std::string name;
    std::shared_ptr<IClock> clock;
    std::vector<std::shared_ptr<IEffectObserver>> observers;
};

} // namespace Lumora
