#include "framework/sound/WaveFile.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

#include "framework/platform/FileReplace.h"

namespace Framework
{

bool IsPlayableFormat(int32_t channels, int32_t rate, int32_t bits)
{
    return (channels == 1 || channels == 2) && (bits == 8 || bits == 16) && rate >= 100 && rate <= 200000;
}

int64_t FileWriteStamp(const std::string& path)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0)
    {
        return 0;
    }
    return static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

namespace
{

class ByteReader
{
public:
    ByteReader(const uint8_t* bytes, size_t size) : data(bytes), end(size) {}

    bool Has(size_t n) const { return n <= end - pos; }
    size_t Left() const { return end - pos; }
    const uint8_t* Here() const { return data + pos; }
    void Skip(size_t n) { pos += n; }
    bool Tag(const char* tag)
    {
        if (!Has(4) || std::memcmp(data + pos, tag, 4) != 0)
        {
            return false;
        }
        pos += 4;
        return true;
    }
    uint64_t Int(size_t n)
    {
        uint64_t v = 0;
        for (size_t i = 0; i < n; ++i)
        {
            v |= static_cast<uint64_t>(data[pos + i]) << (8 * i);
        }
        pos += n;
        return v;
    }

private:
    const uint8_t* data;
    size_t end;
    size_t pos = 0;
};

void PutInt(std::string& out, uint64_t value, size_t n)
{
    for (size_t i = 0; i < n; ++i)
    {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

} // namespace

std::optional<WaveLayout> ParseWaveLayout(const uint8_t* bytes, size_t size, const StampFunction& stampOf,
                                          bool wholeData)
{
    ByteReader in(bytes, size);
    if (!in.Tag("RIFF") || !in.Has(4))
    {
        return std::nullopt;
    }
    in.Skip(4);
    if (!in.Tag("WAVE"))
    {
        return std::nullopt;
    }
    WaveLayout layout;
    while (in.Has(8))
    {
        char id[4];
        std::memcpy(id, in.Here(), 4);
        in.Skip(4);
        const uint64_t length = in.Int(4);
        if (std::memcmp(id, "data", 4) == 0)
        {
            if (!IsPlayableFormat(layout.channels, layout.rate, layout.bits) || (wholeData && !in.Has(length)))
            {
                return std::nullopt;
            }
            layout.dataOffset = size - in.Left();
            layout.dataLength = length;
            return layout;
        }
        if (!in.Has(length))
        {
            return std::nullopt;
        }
        if (std::memcmp(id, "fmt ", 4) == 0)
        {
            if (length < 16)
            {
                return std::nullopt;
            }
            const uint64_t tag = in.Int(2);
            layout.channels = static_cast<int32_t>(in.Int(2));
            layout.rate = static_cast<int32_t>(in.Int(4));
            in.Skip(4 + 2);
            layout.bits = static_cast<int32_t>(in.Int(2));
            in.Skip(length - 16);
            if (tag != 1)
            {
                return std::nullopt;
            }
        }
        else if (std::memcmp(id, "dep ", 4) == 0)
        {
            if (length < 2)
            {
                return std::nullopt;
            }
            const uint64_t pathLength = in.Int(2);
            // A path longer than 255 characters cannot be one we wrote; the
            // stamp must follow the path exactly.
            if (pathLength > 255 || length != pathLength + 10)
            {
                return std::nullopt;
            }
            const std::string source(reinterpret_cast<const char*>(in.Here()), pathLength);
            in.Skip(pathLength);
            const int64_t stored = static_cast<int64_t>(in.Int(8));
            if (stored != stampOf(source))
            {
                return std::nullopt;
            }
        }
        else
        {
            in.Skip(length);
        }
    }
    return std::nullopt;
}

void DecodePcm(const uint8_t* p, int32_t bits, int16_t* out, size_t samples)
{
    if (bits == 16)
    {
        for (size_t i = 0; i < samples; ++i)
        {
            out[i] = static_cast<int16_t>(p[2 * i] | (p[2 * i + 1] << 8));
        }
    }
    else
    {
        for (size_t i = 0; i < samples; ++i)
        {
            out[i] = static_cast<int16_t>((p[i] - 128) * 256);
        }
    }
}

std::optional<SoundData> ReadWave(const uint8_t* bytes, size_t size, const StampFunction& stampOf)
{
    const std::optional<WaveLayout> layout = ParseWaveLayout(bytes, size, stampOf, true);
    if (!layout)
    {
        return std::nullopt;
    }
    SoundData sound;
    sound.channels = layout->channels;
    sound.rate = layout->rate;
    sound.bits = layout->bits;
    const size_t frames = layout->dataLength / layout->FrameBytes();
    if (frames == 0)
    {
        return std::nullopt;
    }
    sound.samples.resize(frames * static_cast<size_t>(sound.channels));
    DecodePcm(bytes + layout->dataOffset, sound.bits, sound.samples.data(), sound.samples.size());
    return sound;
}

namespace
{

// Largest wave or cache file read whole: far above any sound effect.
constexpr uint64_t MaxWaveFileBytes = uint64_t(256) << 20;

} // namespace

std::optional<SoundData> LoadWaveFile(const std::string& path)
{
    // Named by data (the manifest) or found in the cache folder: only a
    // regular file is read, so a FIFO or a device in its place cannot hang
    // the loading.
    std::vector<uint8_t> bytes;
    if (!ReadRegularFile(path, MaxWaveFileBytes, bytes))
    {
        return std::nullopt;
    }
    return ReadWave(bytes.data(), bytes.size());
}

std::string BuildCacheFile(const SoundData& sound, const std::string& sourcePath, int64_t sourceStamp)
{
    const size_t dataBytes = sound.ByteSize();
    const uint32_t blockSize = static_cast<uint32_t>(sound.channels * sound.bits / 8);
    std::string out;
    out.reserve(dataBytes + sourcePath.size() + 64);
    out += "RIFF";
    PutInt(out, dataBytes + 36, 4);
    out += "WAVE";
    out += "fmt ";
    PutInt(out, 16, 4);
    PutInt(out, 1, 2);
    PutInt(out, static_cast<uint64_t>(sound.channels), 2);
    PutInt(out, static_cast<uint64_t>(sound.rate), 4);
    PutInt(out, static_cast<uint64_t>(blockSize) * static_cast<uint64_t>(sound.rate), 4);
    PutInt(out, blockSize, 2);
    PutInt(out, static_cast<uint64_t>(sound.bits), 2);
    out += "dep ";
    PutInt(out, sourcePath.size() + 10, 4);
    PutInt(out, sourcePath.size(), 2);
    out += sourcePath;
    PutInt(out, static_cast<uint64_t>(sourceStamp), 8);
    out += "data";
    PutInt(out, dataBytes, 4);
    for (int16_t s : sound.samples)
    {
        if (sound.bits == 16)
        {
            PutInt(out, static_cast<uint16_t>(s), 2);
        }
        else
        {
            out.push_back(static_cast<char>((s >> 8) + 128));
        }
    }
    return out;
}

bool WriteCacheFile(const std::string& cachePath, const SoundData& sound, const std::string& sourcePath)
{
    if (cachePath.empty() || sourcePath.size() > 255 || sound.samples.empty())
    {
        return false;
    }
    const std::string bytes = BuildCacheFile(sound, sourcePath, FileWriteStamp(sourcePath));
    // Replaced whole (a temporary beside it, synced and renamed), so a reader,
    // a kill or a full disk never leaves half a cache file.
    std::string error;
    if (!ReplaceFile(cachePath, bytes, error))
    {
        return false;
    }
    // Earlier versions wrote through cachePath + ".part"; one a kill left
    // behind goes with the next save of the same file.
    std::remove((cachePath + ".part").c_str());
    return true;
}

} // namespace Framework
