#include "tools/audio/Envelope.h"

#include "tools/audio/StereoBuffer.h"

#include <algorithm>
#include <cmath>

namespace AudioGen
{

namespace
{

std::size_t AttackFrames(double attack)
{
    return std::max<std::size_t>(SecondsToFrames(attack), SecondsToFrames(0.001));
}

std::size_t ReleaseFrames(double release)
{
    return std::max<std::size_t>(SecondsToFrames(release), SecondsToFrames(0.002));
}

} // namespace

std::size_t Envelope::Length(std::size_t gateFrames) const
{
    return gateFrames + ReleaseFrames(release);
}

void Envelope::Render(std::size_t gateFrames, std::vector<float>& out) const
{
    const std::size_t attackFrames = AttackFrames(attack);
    const std::size_t releaseFrames = ReleaseFrames(release);
    out.assign(gateFrames + releaseFrames, 0.0f);

    const double level = std::clamp(sustain, 0.0, 1.0);
    const double decayFactor = decay > 0.0 ? std::exp(-kSettle / (decay * kSampleRate)) : 0.0;
    double value = 0.0;
    double excess = 1.0 - level; // distance above the sustain level during the decay
    for (std::size_t i = 0; i < gateFrames; ++i)
    {
        if (i < attackFrames)
        {
            value = static_cast<double>(i + 1) / static_cast<double>(attackFrames);
        }
        else
        {
            value = level + excess;
            excess *= decayFactor;
        }
        out[i] = static_cast<float>(value);
    }

    const double releaseFactor = std::exp(-kSettle / static_cast<double>(releaseFrames));
    double fall = 1.0;
    for (std::size_t i = 0; i < releaseFrames; ++i)
    {
        fall *= releaseFactor;
        double bend = 1.0 - static_cast<double>(i + 1) / static_cast<double>(releaseFrames);
        out[gateFrames + i] = static_cast<float>(value * fall * bend);
    }
}

} // namespace AudioGen
