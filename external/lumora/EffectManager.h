// Lumora::EffectManager: the process-wide effect that ticks other effects.
//
// Instance() creates the manager on first use (stopped, no clock, no effects)
// and returns it until Release(), which drops the process's reference (tests
// call it between cases; the next Instance() makes a fresh manager).
//
// While the manager runs, each of its ticks ticks every added effect once, in
// the order they were added; Effect::Tick skips those that are not running.
// An effect stays added when it stops and runs again on its next Start.
// Effects added during a tick are first ticked on the next one; an effect
// removed during a tick is not ticked after its removal. The manager holds
// its effects by shared pointer. Main thread only.
#pragma once

#include "external/lumora/Effect.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace Lumora
{

class EffectManager : public Effect
{
public:
    static std::shared_ptr<EffectManager> Instance();
    static void Release();

    EffectManager();
    ~EffectManager() override;

    // Adding an effect that is already added does nothing.
    virtual void AddEffect(const std::shared_ptr<Effect>& effect);
    virtual void RemoveEffect(const std::shared_ptr<Effect>& effect);
    // The first added effect with that name, or empty.
    virtual std::shared_ptr<Effect> GetEffect(const std::string& name) const;
    virtual void RemoveAllEffects();
    std::size_t GetEffectCount() const { return effects.size(); }

protected:
    void OnTick() override;

private:
    std::vector<std::shared_ptr<Effect>> effects;
};

} // namespace Lumora
