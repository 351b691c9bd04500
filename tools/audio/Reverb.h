// A small stereo room: eight damped feedback combs in parallel and four
// all-pass diffusers in series per channel, the right channel's delays a few
// samples longer than the left's for width. Takes a mono send, adds the wet
// stereo signal to a buffer. `size` (0 to 1) sets the decay, `damping`
// (0 to 1) how quickly the highs die away.
#pragma once

#include "tools/audio/StereoBuffer.h"

#include <vector>

namespace AudioGen
{

class Reverb
{
public:
    Reverb(double size, double damping);

    // out[i] += wet × reverb(send)[i] for i < min(send.size(), out.Frames()).
    void Process(const std::vector<float>& send, StereoBuffer& out, float wet);

private:
    struct Comb
    {
        std::vector<float> line;
        std::size_t pos = 0;
        float store = 0.0f;
    };
    struct AllPass
    {
        std::vector<float> line;
        std::size_t pos = 0;
    };
    struct Channel
    {
        std::vector<Comb> combs;
        std::vector<AllPass> allPasses;
    };

    float Run(Channel& channel, float input);

    Channel channels[2];
    float feedback;
    float damp;
};

} // namespace AudioGen
