#include "external/lumora/EffectManager.h"

#include <algorithm>

namespace Lumora
{

namespace
{

std::shared_ptr<EffectManager>& EffectManagerSlot()
{
    static std::shared_ptr<EffectManager> instance;
    return instance;
}

} // namespace

std::shared_ptr<EffectManager> EffectManager::Instance()
{
    auto& slot = EffectManagerSlot();
    if (!slot)
    {
        slot = std::make_shared<EffectManager>();
    }
    return slot;
}

void EffectManager::Release()
{
    EffectManagerSlot().reset();
}

EffectManager::EffectManager() : Effect("EffectManager") {}

EffectManager::~EffectManager() = default;

void EffectManager::AddEffect(const std::shared_ptr<Effect>& effect)
{
    if (effect && std::find(effects.begin(), effects.end(), effect) == effects.end())
    {
        effects.push_back(effect);
    }
}

void EffectManager::RemoveEffect(const std::shared_ptr<Effect>& effect)
{
    effects.erase(std::remove(effects.begin(), effects.end(), effect), effects.end());
}

std::shared_ptr<Effect> EffectManager::GetEffect(const std::string& effectName) const
{
    for (const auto& effect : effects)
    {
        if (effect->GetName() == effectName)
        {
            return effect;
        }
    }
    return nullptr;
}

void EffectManager::RemoveAllEffects()
{
    effects.clear();
}

void EffectManager::OnTick()
{
    // Ticked effects may add or remove effects (the shot's landing starts
    // others): work on a snapshot, which also keeps each one alive meanwhile.
    const auto snapshot = effects;
    for (const auto& effect : snapshot)
    {
        if (std::find(effects.begin(), effects.end(), effect) != effects.end())
        {
            effect->Tick();
        }
    }
}

} // namespace Lumora
