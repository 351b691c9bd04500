// Sample buffers of the audio generator.
//
// All audio is 32-bit float at kSampleRate frames per second, nominally in
// [-1, 1]. A StereoBuffer owns two equally long channels; mono signals are
// plain std::vector<float>. Nothing here is shared between threads.
#pragma once

#include <cstddef>
#include <vector>

namespace AudioGen
{

inline constexpr int kSampleRate = 44100;

// ln(100): an exponential that has covered 99 % of its way after its time.
inline constexpr double kSettle = 4.605170185988091;

// Frames between updates of a voice's filter and pitch.
inline constexpr std::size_t kControlFrames = 16;

struct StereoBuffer
{
    std::vector<float> left;
    std::vector<float> right;

    StereoBuffer() = default;
    explicit StereoBuffer(std::size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}

    std::size_t Frames() const { return left.size(); }
    void Resize(std::size_t frames)
    {
        left.resize(frames, 0.0f);
        right.resize(frames, 0.0f);
    }
};

// Seconds to whole frames, rounded to the nearest frame.
inline std::size_t SecondsToFrames(double seconds)
{
    return seconds <= 0.0 ? 0 : static_cast<std::size_t>(seconds * kSampleRate + 0.5);
}

} // namespace AudioGen
