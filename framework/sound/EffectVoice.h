// EffectVoice: one sound effect as the mixer plays it.
//
// Position and step are 32.32 fixed-point frames of the sound; a step of
// exactly one frame copies samples unchanged, other steps interpolate
// linearly. Every field is read by the audio thread: change them only while
// holding the mixer's lock. A non-looping voice that reaches the end stops
// and rewinds to 0.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/sound/Mixer.h"
#include "framework/sound/SoundData.h"
#include "framework/sound/VolumeLaw.h"

namespace Framework
{

class EffectVoice final : public MixerVoice
{
public:
    static constexpr uint64_t oneFrame = uint64_t(1) << 32;

    explicit EffectVoice(std::shared_ptr<const SoundData> data) : sound(std::move(data)) {}

    void MixInto(float* sum, int32_t frameCount) override;

    // Step for playing at frequency Hz on the mixer's rate.
    static uint64_t StepFor(double frequency);

    std::shared_ptr<const SoundData> sound;
    uint64_t position = 0;
    uint64_t step = oneFrame;
    StereoGain gain;
    bool playing = false;
    bool looping = false;
};

} // namespace Framework
