// Lumora::IEffectObserver: told when an effect changes state. Called on the
// thread that drives the effect, after the state has changed; an observer may
// call the effect back (stop it, start another) from inside.
#pragma once

#include <string>

namespace Lumora
{

class IEffect;

class IEffectObserver
{
public:
    virtual ~IEffectObserver() = default;
    virtual void OnEffectStarted(IEffect&) {}
    virtual void OnEffectStopped(IEffect&) {}
    virtual void OnEffectPaused(IEffect&) {}
    virtual void OnEffectResumed(IEffect&) {}
    // After each step of a running effect that reports its steps (SimpleEffect
    // does), with the effect's name.
    virtual void OnEffectTicked(IEffect&, const std::string& /*name*/) {}
};

} // namespace Lumora
