// MixerSoundInstance: one playing sound effect of the MixerSoundManager.
//
// Holds its EffectVoice in the mixer for its whole life (or none: a silent
// instance when no device is open). The level follows the effect volume law
// of master x volume x base volume; pan + base pan sets the channel balance;
// AdjustPitch scales the rate the sound had at creation by 2^(steps/12),
// limited to 100 Hz to 100000 Hz. Main thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/sound/EffectVoice.h"
#include "framework/sound/SoundManager.h"

namespace Framework
{

class MixerSoundManager;

class MixerSoundInstance final : public SoundInstance
{
public:
    MixerSoundInstance(MixerSoundManager& manager, std::shared_ptr<const SoundData> sound);
    ~MixerSoundInstance() override;

    void Release() override;
    void SetBaseVolume(double volume) override;
    void SetBasePan(int32_t pan) override;
    void AdjustPitch(double steps) override;
    void SetVolume(double volume) override;
    void SetPan(int32_t pan) override;
    bool Play(bool looping, bool autoRelease) override;
    void Stop() override;
    bool IsPlaying() override;
    bool IsReleased() override;
    double GetVolume() override { return volume; }

    // Stops the voice without rewinding or touching autoRelease.
    void Halt();
    // Re-applies the level after the manager's master volume changed.
    void RefreshGain();

    // What the mixer is told, for checks.
    int32_t Level() const;
    double Frequency() const { return frequency; }

private:
    MixerSoundManager& manager;
    std::shared_ptr<EffectVoice> voice; // null: silent instance
    int32_t basePan = 0;
    double baseVolume = 1.0;
    int32_t pan = 0;
    double volume = 1.0;
    bool autoRelease = false;
    bool hasPlayed = false;
    bool released = false;
    double createFrequency = 0.0;
    double frequency = 0.0;
};

} // namespace Framework
