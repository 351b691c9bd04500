#include "framework/sound/Mixer.h"

#include <algorithm>

namespace Framework
{

Mixer::Mixer() : sum(static_cast<size_t>(blockFrames) * 2) {}

void Mixer::Add(std::shared_ptr<MixerVoice> voice)
{
    std::lock_guard<std::mutex> hold(mutex);
    voices.push_back(std::move(voice));
}

void Mixer::Remove(const MixerVoice* voice)
{
    std::lock_guard<std::mutex> hold(mutex);
    std::erase_if(voices, [voice](const std::shared_ptr<MixerVoice>& v) { return v.get() == voice; });
}

size_t Mixer::VoiceCount()
{
    std::lock_guard<std::mutex> hold(mutex);
    return voices.size();
}

void Mixer::SetOutputGain(double gain)
{
    std::lock_guard<std::mutex> hold(mutex);
    outputGain = static_cast<float>(std::clamp(gain, 0.0, 1.0));
}

void Mixer::Render(int16_t* out, int32_t frameCount)
{
    std::lock_guard<std::mutex> hold(mutex);
    while (frameCount > 0)
    {
        const int32_t n = std::min(frameCount, blockFrames);
        float* s = sum.data();
        std::fill(s, s + 2 * n, 0.0f);
        for (const auto& voice : voices)
        {
            voice->MixInto(s, n);
        }
        const float gain = outputGain;
        for (int32_t i = 0; i < 2 * n; ++i)
        {
            // Clipped, then rounded half away from zero.
            const float v = std::clamp(s[i] * gain, -32768.0f, 32767.0f);
            out[i] = static_cast<int16_t>(v + (v >= 0.0f ? 0.5f : -0.5f));
        }
        out += 2 * n;
        frameCount -= n;
    }
}

} // namespace Framework
