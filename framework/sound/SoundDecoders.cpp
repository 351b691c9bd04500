#include "framework/sound/SoundDecoders.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "framework/sound/OggMemorySource.h"
#include "framework/sound/RegularFile.h"

namespace Framework
{

namespace
{

// Longest sound effect accepted: an hour. Guards the allocation against a
// file that announces an absurd length.
constexpr int64_t maxSeconds = 3600;

struct OggFile
{
    OggVorbis_File file{};
    bool open = false;
    ~OggFile()
    {
        if (open)
        {
            ov_clear(&file);
        }
    }
};

// Decodes the opened file. The buffer grows with the samples decoded, not
// with the total the file announces: a few bytes can claim an hour.
std::optional<SoundData> DecodeOpened(OggFile& ogg)
{
    const vorbis_info* info = ov_info(&ogg.file, -1);
    const int64_t total = ov_pcm_total(&ogg.file, -1);
    if (info == nullptr || total <= 0)
    {
        return std::nullopt;
    }
    SoundData sound;
    sound.channels = info->channels;
    sound.rate = static_cast<int32_t>(info->rate);
    sound.bits = 16;
    if (!IsPlayableFormat(sound.channels, sound.rate, sound.bits) || total > maxSeconds * sound.rate)
    {
        return std::nullopt;
    }
    const size_t wanted = static_cast<size_t>(total) * static_cast<size_t>(sound.channels) * sizeof(int16_t);
    std::vector<char> bytes(std::min<size_t>(wanted, 1u << 20));
    size_t filled = 0;
    while (filled < wanted)
    {
        if (bytes.size() - filled < 65536 && bytes.size() < wanted)
        {
            bytes.resize(std::min(wanted, bytes.size() * 2));
        }
        int stream = 0;
        const long got = ov_read(&ogg.file, bytes.data() + filled,
                                 static_cast<int>(std::min<size_t>(bytes.size() - filled, 65536)), 0, 2, 1, &stream);
        if (got == OV_HOLE)
        {
            continue;
        }
        if (got <= 0)
        {
            break;
        }
        const vorbis_info* link = ov_info(&ogg.file, stream);
        if (link == nullptr || link->channels != sound.channels)
        {
            return std::nullopt;
        }
        filled += static_cast<size_t>(got);
    }
    if (filled < wanted)
    {
        return std::nullopt;
    }
    sound.samples.resize(wanted / sizeof(int16_t));
    std::memcpy(sound.samples.data(), bytes.data(), wanted);
    return sound;
}

} // namespace

std::optional<SoundData> DecodeOggFile(const std::string& path)
{
    OggFile ogg;
    if (!IsRegularSoundFile(path) || ov_fopen(path.c_str(), &ogg.file) != 0)
    {
        return std::nullopt;
    }
    ogg.open = true;
    return DecodeOpened(ogg);
}

std::optional<SoundData> DecodeOgg(const uint8_t* bytes, size_t size)
{
    OggMemorySource source{bytes, size, 0};
    OggFile ogg;
    if (source.Open(&ogg.file) != 0)
    {
        return std::nullopt;
    }
    ogg.open = true;
    return DecodeOpened(ogg);
}

int16_t MuLawToLinear(uint8_t f)
{
    const int32_t g = f | 128;
    int32_t h;
    if (g > 239)
    {
        h = (255 - g) << 1;
    }
    else if (g > 223)
    {
        h = (247 - g) << 2;
    }
    else if (g > 207)
    {
        h = (235 - g) << 3;
    }
    else if (g > 191)
    {
        h = (221 - g) << 4;
    }
    else if (g > 175)
    {
        h = (206 - g) << 5;
    }
    else if (g > 159)
    {
        h = 12192 - 64 * g;
    }
    else if (g > 143)
    {
        h = 22368 - 128 * g;
    }
    else
    {
        h = 40672 - 256 * g;
    }
    const int32_t sample = (f & 128) ? 4 * h : -4 * h;
    return static_cast<int16_t>(sample);
}

std::optional<SoundData> DecodeAu(const uint8_t* bytes, size_t size)
{
    auto be32 = [bytes](size_t at)
    {
        return (static_cast<uint32_t>(bytes[at]) << 24) | (static_cast<uint32_t>(bytes[at + 1]) << 16) |
               (static_cast<uint32_t>(bytes[at + 2]) << 8) | bytes[at + 3];
    };
    if (size < 24 || bytes[0] != '.' || bytes[1] != 's' || bytes[2] != 'n' || bytes[3] != 'd')
    {
        return std::nullopt;
    }
    const uint32_t offset = be32(4);
    uint32_t length = be32(8);
    const uint32_t encoding = be32(12);
    SoundData sound;
    sound.rate = static_cast<int32_t>(std::min<uint32_t>(be32(16), 1u << 30));
    sound.channels = static_cast<int32_t>(std::min<uint32_t>(be32(20), 16));
    if ((encoding != 1 && encoding != 2) || offset < 24 || offset > size)
    {
        return std::nullopt;
    }
    // 0xFFFFFFFF means "unknown": everything after the header. A size that
    // claims more than the file holds is refused rather than read past.
    if (length == 0xFFFFFFFF)
    {
        length = static_cast<uint32_t>(size - offset);
    }
    if (length > size - offset)
    {
        return std::nullopt;
    }
    sound.bits = 16;
    if (!IsPlayableFormat(sound.channels, sound.rate, sound.bits))
    {
        return std::nullopt;
    }
    const size_t frames = length / static_cast<size_t>(sound.channels);
    if (frames == 0)
    {
        return std::nullopt;
    }
    sound.samples.resize(frames * static_cast<size_t>(sound.channels));
    const uint8_t* p = bytes + offset;
    for (size_t i = 0; i < sound.samples.size(); ++i)
    {
        sound.samples[i] = encoding == 1 ? MuLawToLinear(p[i]) : static_cast<int16_t>(static_cast<int8_t>(p[i]) * 256);
    }
    // Linear 8-bit sources keep their size in the cache.
    if (encoding == 2)
    {
        sound.bits = 8;
    }
    return sound;
}

std::optional<SoundData> LoadAuFile(const std::string& path)
{
    std::ifstream file;
    if (IsRegularSoundFile(path))
    {
        file.open(path, std::ios::binary);
    }
    if (!file.is_open())
    {
        return std::nullopt;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return DecodeAu(bytes.data(), bytes.size());
}

} // namespace Framework
