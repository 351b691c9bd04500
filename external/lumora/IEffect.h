// Lumora::IEffect: the public face of a timed effect (see Effect.h).
#pragma once

#include <memory>
#include <string>

namespace Lumora
{

class IClock;
class IEffectObserver;

class IEffect
{
public:
    virtual ~IEffect() = default;

    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual void Tick() = 0;
    virtual bool IsRunning() const = 0;
    virtual void SetLoop(bool loop) = 0;
    virtual bool IsLoop() const = 0;
    virtual std::string GetName() const = 0;
    virtual void SetName(const std::string& name) = 0;
    virtual void AddObserver(const std::shared_ptr<IEffectObserver>& observer) = 0;
    virtual void RemoveObserver(const std::shared_ptr<IEffectObserver>& observer) = 0;
    virtual void SetClock(const std::shared_ptr<IClock>& clock) = 0;
    virtual std::shared_ptr<IClock> GetClock() const = 0;
};

} // namespace Lumora
