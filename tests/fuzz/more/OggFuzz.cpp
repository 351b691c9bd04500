// Fuzz target: the Ogg Vorbis readers on arbitrary bytes, the whole-file
// decoder of sound effects and the song stream. A decoded effect holds the
// samples its frame count and channels announce in a playable format; the
// stream reads no more frames than asked
// and after a seek to the start gives the same frames again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/sound/SoundData.h"
#include "framework/sound/SoundDecoders.h"
#include "framework/sound/StreamDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (auto sound = Framework::DecodeOgg(data, size))
    {
        if (!Framework::IsPlayableFormat(sound->channels, sound->rate, sound->bits) || sound->bits != 16 ||
            sound->samples.empty() || sound->samples.size() % size_t(sound->channels) != 0)
        {
            __builtin_trap();
        }
    }

    auto stream = Framework::OpenOggStreamDecoder(std::vector<uint8_t>(data, data + size));
    if (!stream)
    {
        return 0;
    }
    if (stream->TotalFrames() <= 0 || stream->Channels() < 1 || stream->Rate() < 100)
    {
        __builtin_trap();
    }
    constexpr int32_t piece = 1024;
    constexpr int64_t limit = 1 << 18; // frames read at most per input
    std::vector<int16_t> first(2 * piece);
    int64_t frames = 0;
    int32_t firstGot = 0;
    while (frames < limit)
    {
        std::vector<int16_t> buffer(2 * piece + 2, 0x5A5A);
        const int32_t got = stream->Read(buffer.data(), piece);
        if (got > piece || buffer[2 * piece] != 0x5A5A || buffer[2 * piece + 1] != 0x5A5A)
        {
            __builtin_trap();
        }
        if (got <= 0)
        {
            break;
        }
        if (frames == 0)
        {
            firstGot = got;
            first.assign(buffer.begin(), buffer.begin() + 2 * got);
        }
        frames += got;
    }
    if (firstGot > 0 && stream->Seek(0))
    {
        std::vector<int16_t> again(2 * piece);
        if (stream->Read(again.data(), firstGot) != firstGot || !std::equal(first.begin(), first.end(), again.begin()))
        {
            __builtin_trap();
        }
    }
    return 0;
}
