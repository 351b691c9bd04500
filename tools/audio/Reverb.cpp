#include "tools/audio/Reverb.h"

#include <algorithm>

namespace AudioGen
{

namespace
{

constexpr int kCombLengths[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr int kAllPassLengths[] = {556, 441, 341, 225};
constexpr int kStereoSpread = 23;

} // namespace

Reverb::Reverb(double size, double damping)
    : feedback(static_cast<float>(0.7 + 0.28 * std::clamp(size, 0.0, 1.0))),
      damp(static_cast<float>(0.4 * std::clamp(damping, 0.0, 1.0)))
{
    for (int c = 0; c < 2; ++c)
    {
        for (int length : kCombLengths)
        {
            Comb comb;
            comb.line.assign(static_cast<std::size_t>(length + c * kStereoSpread), 0.0f);
            channels[c].combs.push_back(std::move(comb));
        }
        for (int length : kAllPassLengths)
        {
            AllPass pass;
            pass.line.assign(static_cast<std::size_t>(length + c * kStereoSpread), 0.0f);
            channels[c].allPasses.push_back(std::move(pass));
        }
    }
}

float Reverb::Run(Channel& channel, float input)
{
    float sum = 0.0f;
    for (Comb& comb : channel.combs)
    {
        float delayed = comb.line[comb.pos];
        comb.store = delayed * (1.0f - damp) + comb.store * damp;
        comb.line[comb.pos] = input + comb.store * feedback;
        if (++comb.pos == comb.line.size())
        {
            comb.pos = 0;
        }
        sum += delayed;
    }
    for (AllPass& pass : channel.allPasses)
    {
        float delayed = pass.line[pass.pos];
        pass.line[pass.pos] = sum + delayed * 0.5f;
        if (++pass.pos == pass.line.size())
        {
            pass.pos = 0;
        }
        sum = delayed - sum;
    }
    return sum;
}

void Reverb::Process(const std::vector<float>& send, StereoBuffer& out, float wet)
{
    // The combs add up eight copies of the input: scale the send down so the
    // wet level is comparable to the dry one.
    const float inputGain = 0.015f;
    std::size_t n = std::min(send.size(), out.Frames());
    for (std::size_t i = 0; i < n; ++i)
    {
        float input = send[i] * inputGain;
        out.left[i] += wet * Run(channels[0], input);
        out.right[i] += wet * Run(channels[1], input);
    }
}

} // namespace AudioGen
