// SoundData: one decoded sound effect held in memory.
//
// Samples are 16-bit signed, interleaved by channel (1 or 2 channels) at the
// sound's own rate. `bits` remembers the source's sample size (8 or 16) so a
// cache file repeats the source's format; 8-bit sources are widened by
// (byte - 128) << 8, which narrows back losslessly. Immutable once loaded and
// shared between the manager's slot and every voice that plays it, so the
// audio thread never sees it freed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Framework
{

struct SoundData
{
    int32_t channels = 1;
    int32_t rate = 22050;
    int32_t bits = 16;
    std::vector<int16_t> samples;

    size_t Frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
    // Size of the sound in its source format, as a cache file stores it.
    size_t ByteSize() const { return samples.size() * static_cast<size_t>(bits / 8); }
};

// Formats the player accepts: PCM with 1 or 2 channels of 8 or 16 bits at
// 100 Hz to 200000 Hz. Anything else is refused at load.
bool IsPlayableFormat(int32_t channels, int32_t rate, int32_t bits);

} // namespace Framework
