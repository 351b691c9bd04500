// Any bytes as a wave file, a sound cache file (whose "dep " source is
// "unchanged" when its stamp is 0) and an ".au" file: a sound in a playable
// format or a failed load, never a crash or a read past the input.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/sound/SoundDecoders.h"
#include "framework/sound/WaveFile.h"

namespace
{

void Check(const std::optional<Framework::SoundData>& sound)
{
    if (sound && (!Framework::IsPlayableFormat(sound->channels, sound->rate, sound->bits) ||
                  sound->samples.empty() || sound->samples.size() % static_cast<size_t>(sound->channels) != 0))
    {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto stamp = [](const std::string&) { return int64_t(0); };
    Check(Framework::ReadWave(data, size, stamp));
    Check(Framework::DecodeAu(data, size));
    const auto head = Framework::ParseWaveLayout(data, size, stamp, false);
    if (head && head->dataOffset > size)
    {
        __builtin_trap();
    }
    // What the cache writer makes of a sound must read back the same.
    if (auto sound = Framework::ReadWave(data, size, stamp))
    {
        const std::string cache = Framework::BuildCacheFile(*sound, "fuzz.ogg", 0);
        auto back = Framework::ReadWave(reinterpret_cast<const uint8_t*>(cache.data()), cache.size(), stamp);
        if (!back || back->samples != sound->samples || back->bits != sound->bits)
        {
            __builtin_trap();
        }
    }
    return 0;
}
