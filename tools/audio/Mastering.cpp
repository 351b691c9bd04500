#include "tools/audio/Mastering.h"

#include "tools/audio/Loudness.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace AudioGen
{

float Peak(const StereoBuffer& buffer)
{
    float peak = 0.0f;
    for (std::size_t i = 0; i < buffer.Frames(); ++i)
    {
        peak = std::max({peak, std::fabs(buffer.left[i]), std::fabs(buffer.right[i])});
    }
    return peak;
}

double Rms(const StereoBuffer& buffer)
{
    if (buffer.Frames() == 0)
    {
        return 0.0;
    }
    double sum = 0.0;
    for (std::size_t i = 0; i < buffer.Frames(); ++i)
    {
        sum += static_cast<double>(buffer.left[i]) * buffer.left[i] +
               static_cast<double>(buffer.right[i]) * buffer.right[i];
    }
    return std::sqrt(sum / (2.0 * static_cast<double>(buffer.Frames())));
}

double LoudestWindowRms(const StereoBuffer& buffer, double seconds)
{
    const std::size_t window = std::max<std::size_t>(2, SecondsToFrames(seconds));
    double best = 0.0;
    for (std::size_t start = 0; start < buffer.Frames(); start += window / 2)
    {
        double sum = 0.0;
        const std::size_t end = std::min(buffer.Frames(), start + window);
        for (std::size_t i = start; i < end; ++i)
        {
            sum += static_cast<double>(buffer.left[i]) * buffer.left[i] +
                   static_cast<double>(buffer.right[i]) * buffer.right[i];
        }
        best = std::max(best, std::sqrt(sum / (2.0 * static_cast<double>(window))));
    }
    return best;
}

void Scale(StereoBuffer& buffer, float gain)
{
    for (std::size_t i = 0; i < buffer.Frames(); ++i)
    {
        buffer.left[i] *= gain;
        buffer.right[i] *= gain;
    }
}

void Limit(StereoBuffer& buffer, float ceiling, double attack, double release, bool circular, bool truePeak)
{
    const std::size_t n = buffer.Frames();
    std::vector<float> levels;
    if (truePeak)
    {
        levels = TruePeakEnvelope(buffer, ceiling);
    }
    else
    {
        levels.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            levels[i] = std::max(std::fabs(buffer.left[i]), std::fabs(buffer.right[i]));
    }
    LimitLevels(buffer, std::move(levels), ceiling, attack, release, circular);
}

void LimitLevels(StereoBuffer& buffer, std::vector<float> gain, float ceiling, double attack, double release,
                 bool circular)
{
    const std::size_t n = buffer.Frames();
    if (n == 0 || gain.size() != n)
    {
        return;
    }
    // The gain each frame needs on its own.
    for (float& g : gain)
        g = g > ceiling ? ceiling / g : 1.0f;
    // The gain may rise by at most releaseStep per frame going forwards and
    // by at most attackStep per frame going backwards: it never exceeds the
    // need of any frame, and it moves smoothly around every peak.
    const float releaseStep = 1.0f / static_cast<float>(std::max<std::size_t>(SecondsToFrames(release), 1));
    const float attackStep = 1.0f / static_cast<float>(std::max<std::size_t>(SecondsToFrames(attack), 1));
    const int rounds = circular ? 2 : 1;
    for (int round = 0; round < rounds; ++round)
    {
        for (std::size_t i = 0; i < n; ++i)
        {
            std::size_t previous = i == 0 ? n - 1 : i - 1;
            if (i > 0 || circular)
            {
                gain[i] = std::min(gain[i], gain[previous] + releaseStep);
            }
        }
        for (std::size_t j = n; j-- > 0;)
        {
            std::size_t next = j + 1 == n ? 0 : j + 1;
            if (j + 1 < n || circular)
            {
                gain[j] = std::min(gain[j], gain[next] + attackStep);
            }
        }
    }
    for (std::size_t i = 0; i < n; ++i)
    {
        buffer.left[i] *= gain[i];
        buffer.right[i] *= gain[i];
    }
}

void WrapTail(StereoBuffer& buffer, std::size_t loopFrames)
{
    if (loopFrames == 0 || buffer.Frames() <= loopFrames)
    {
        buffer.Resize(loopFrames);
        return;
    }
    for (std::size_t i = loopFrames; i < buffer.Frames(); ++i)
    {
        std::size_t target = i % loopFrames;
        buffer.left[target] += buffer.left[i];
        buffer.right[target] += buffer.right[i];
    }
    buffer.Resize(loopFrames);
}

void CrossfadeLoop(StereoBuffer& buffer, std::size_t loopFrames, std::size_t fadeFrames)
{
    fadeFrames = std::min({fadeFrames, loopFrames, buffer.Frames() - std::min(buffer.Frames(), loopFrames)});
    for (std::size_t i = 0; i < fadeFrames; ++i)
    {
        double x = (static_cast<double>(i) + 0.5) / static_cast<double>(fadeFrames);
        float in = static_cast<float>(std::sin(0.5 * M_PI * x));
        float out = static_cast<float>(std::cos(0.5 * M_PI * x));
        buffer.left[i] = buffer.left[i] * in + buffer.left[loopFrames + i] * out;
        buffer.right[i] = buffer.right[i] * in + buffer.right[loopFrames + i] * out;
    }
    buffer.Resize(loopFrames);
}

void FadeEdges(StereoBuffer& buffer, std::size_t inFrames, std::size_t outFrames)
{
    const std::size_t n = buffer.Frames();
    inFrames = std::min(inFrames, n);
    outFrames = std::min(outFrames, n);
    for (std::size_t i = 0; i < inFrames; ++i)
    {
        float w =
            static_cast<float>(0.5 - 0.5 * std::cos(M_PI * static_cast<double>(i) / static_cast<double>(inFrames)));
        buffer.left[i] *= w;
        buffer.right[i] *= w;
    }
    for (std::size_t i = 0; i < outFrames; ++i)
    {
        double x = outFrames > 1 ? static_cast<double>(i) / static_cast<double>(outFrames - 1) : 1.0;
        float w = static_cast<float>(0.5 + 0.5 * std::cos(M_PI * x));
        buffer.left[n - outFrames + i] *= w;
        buffer.right[n - outFrames + i] *= w;
    }
}

} // namespace AudioGen
