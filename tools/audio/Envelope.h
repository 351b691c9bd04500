// Attack-decay-sustain-release amplitude envelope.
//
// Times are in seconds. The attack rises linearly from 0 to 1 (at least
// 1 ms, so no note starts with a click); the decay falls exponentially
// towards the sustain level and is within 1 % of the way there after `decay`
// seconds; the release starts when the gate closes, from whatever level was
// reached, and falls along an exponential that is bent to reach exactly 0
// after `release` seconds (at least 2 ms), so every note ends silent.
#pragma once

#include <cstddef>
#include <vector>

namespace AudioGen
{

class Envelope
{
public:
    double attack = 0.005;
    double decay = 0.2;
    double sustain = 0.7; // 0 to 1
    double release = 0.1;

    // Frames the envelope lasts for a gate of `gateFrames`: gate + release.
    std::size_t Length(std::size_t gateFrames) const;

    // Writes Length(gateFrames) levels into `out` (resized).
    void Render(std::size_t gateFrames, std::vector<float>& out) const;
};

} // namespace AudioGen
