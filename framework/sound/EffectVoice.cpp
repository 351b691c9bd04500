#include "framework/sound/EffectVoice.h"

#include <cmath>

namespace Framework
{

uint64_t EffectVoice::StepFor(double frequency)
{
    return static_cast<uint64_t>(std::llround(frequency / Mixer::sampleRate * static_cast<double>(oneFrame)));
}

void EffectVoice::MixInto(float* sum, int32_t frameCount)
{
    if (!playing || !sound || sound->samples.empty())
    {
        return;
    }
    const int16_t* s = sound->samples.data();
    const uint64_t frames = sound->Frames();
    const bool stereo = sound->channels == 2;
    const float gl = gain.left;
    const float gr = gain.right;
    const uint64_t end = frames << 32;
    for (int32_t i = 0; i < frameCount; ++i)
    {
        if (position >= end)
        {
            if (!looping)
            {
                playing = false;
                position = 0;
                return;
            }
            position %= end;
        }
        const uint64_t index = position >> 32;
        const uint32_t fraction = static_cast<uint32_t>(position);
        float left;
        float right;
        if (stereo)
        {
            left = s[2 * index];
            right = s[2 * index + 1];
        }
        else
        {
            left = right = s[index];
        }
        if (fraction != 0)
        {
            // The next frame, wrapping to the start when looping.
            uint64_t next = index + 1;
            if (next >= frames)
            {
                next = looping ? 0 : index;
            }
            const float t = static_cast<float>(fraction) * (1.0f / 4294967296.0f);
            const float nl = stereo ? s[2 * next] : s[next];
            const float nr = stereo ? s[2 * next + 1] : s[next];
            left += (nl - left) * t;
            right += (nr - right) * t;
        }
        sum[2 * i] += left * gl;
        sum[2 * i + 1] += right * gr;
        position += step;
    }
}

} // namespace Framework
