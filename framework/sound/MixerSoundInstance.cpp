#include "framework/sound/MixerSoundInstance.h"

#include <algorithm>
#include <cmath>

#include "framework/sound/MixerSoundManager.h"

namespace Framework
{

MixerSoundInstance::MixerSoundInstance(MixerSoundManager& owner, std::shared_ptr<const SoundData> sound)
    : manager(owner)
{
    if (sound && owner.GetMixer())
    {
        createFrequency = frequency = sound->rate;
        voice = std::make_shared<EffectVoice>(std::move(sound));
        voice->step = EffectVoice::StepFor(frequency);
        RefreshGain();
        owner.GetMixer()->Add(voice);
    }
}

MixerSoundInstance::~MixerSoundInstance()
{
    if (voice)
    {
        manager.GetMixer()->Remove(voice.get());
    }
}

int32_t MixerSoundInstance::Level() const
{
    return VolumeToLevel(manager.MasterVolume() * volume * baseVolume);
}

void MixerSoundInstance::RefreshGain()
{
    if (!voice)
    {
        return;
    }
    const StereoGain gain = LevelAndPanToGains(Level(), pan + basePan);
    auto hold = manager.GetMixer()->Lock();
    voice->gain = gain;
}

void MixerSoundInstance::Release()
{
    Halt();
    released = true;
}

void MixerSoundInstance::SetBaseVolume(double v)
{
    baseVolume = v;
    RefreshGain();
}

void MixerSoundInstance::SetBasePan(int32_t p)
{
    basePan = p;
    RefreshGain();
}

void MixerSoundInstance::SetVolume(double v)
{
    volume = v;
    RefreshGain();
}

void MixerSoundInstance::SetPan(int32_t p)
{
    pan = p;
    RefreshGain();
}

void MixerSoundInstance::AdjustPitch(double steps)
{
    if (!voice)
    {
        return;
    }
    frequency = std::clamp(createFrequency * std::pow(1.0594630943592953, steps), 100.0, 100000.0);
    auto hold = manager.GetMixer()->Lock();
    voice->step = EffectVoice::StepFor(frequency);
}

bool MixerSoundInstance::Play(bool looping, bool release)
{
    Halt();
    hasPlayed = true;
    autoRelease = release;
    if (!voice)
    {
        return true;
    }
    auto hold = manager.GetMixer()->Lock();
    voice->looping = looping;
    voice->playing = true;
    return true;
}

void MixerSoundInstance::Halt()
{
    if (voice)
    {
        auto hold = manager.GetMixer()->Lock();
        voice->playing = false;
    }
}

void MixerSoundInstance::Stop()
{
    if (voice)
    {
        auto hold = manager.GetMixer()->Lock();
        voice->playing = false;
        voice->position = 0;
    }
    autoRelease = false;
}

bool MixerSoundInstance::IsPlaying()
{
    if (!hasPlayed || !voice)
    {
        return false;
    }
    auto hold = manager.GetMixer()->Lock();
    return voice->playing;
}

bool MixerSoundInstance::IsReleased()
{
    if (!released && autoRelease && hasPlayed && !IsPlaying())
    {
        Release();
    }
    return released;
}

} // namespace Framework
