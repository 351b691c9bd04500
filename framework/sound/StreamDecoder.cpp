#include "framework/sound/StreamDecoder.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "framework/sound/OggMemorySource.h"
#include "framework/sound/RegularFile.h"
#include "framework/sound/SoundData.h"
#include "framework/sound/WaveFile.h"

namespace Framework
{

namespace
{

class OggStreamDecoder final : public StreamDecoder
{
public:
    ~OggStreamDecoder() override
    {
        if (open)
        {
            ov_clear(&file);
        }
    }

    bool Open(const std::string& path)
    {
        if (!IsRegularSoundFile(path) || ov_fopen(path.c_str(), &file) != 0)
        {
            return false;
        }
        open = true;
        return ReadInfo();
    }

    bool Open(std::vector<uint8_t> bytes)
    {
        memory = std::move(bytes);
        source = OggMemorySource{memory.data(), memory.size(), 0};
        if (source.Open(&file) != 0)
        {
            return false;
        }
        open = true;
        return ReadInfo();
    }

    bool ReadInfo()
    {
        const vorbis_info* info = ov_info(&file, -1);
        total = ov_pcm_total(&file, -1);
        if (info == nullptr || info->channels < 1 || total <= 0)
        {
            return false;
        }
        channels = info->channels;
        rate = static_cast<int32_t>(info->rate);
        return rate >= 100 && rate <= 200000;
    }

    int32_t Read(int16_t* out, int32_t frameCount) override
    {
        // Decoded as the whole-file decoder does, so a streamed song and a
        // loaded sound hold the same samples.
        int32_t done = 0;
        while (done < frameCount)
        {
            const size_t frameBytes = sizeof(int16_t) * static_cast<size_t>(channels);
            raw.resize(static_cast<size_t>(frameCount - done) * static_cast<size_t>(channels));
            int stream = 0;
            const long got = ov_read(&file, reinterpret_cast<char*>(raw.data()),
                                     static_cast<int>(raw.size() * sizeof(int16_t)), 0, 2, 1, &stream);
            if (got == OV_HOLE)
            {
                continue;
            }
            if (got < 0)
            {
                return done > 0 ? done : -1;
            }
            if (got == 0)
            {
                break;
            }
            const vorbis_info* info = ov_info(&file, stream);
            if (info == nullptr || info->channels != channels)
            {
                return done > 0 ? done : -1; // a chained link in another layout
            }
            const int32_t frames = static_cast<int32_t>(static_cast<size_t>(got) / frameBytes);
            for (int32_t i = 0; i < frames; ++i)
            {
                const int16_t l = raw[static_cast<size_t>(i * channels)];
                out[2 * (done + i)] = l;
                out[2 * (done + i) + 1] = channels > 1 ? raw[static_cast<size_t>(i * channels + 1)] : l;
            }
            done += frames;
        }
        return done;
    }

    bool Seek(int64_t frame) override { return ov_pcm_seek(&file, frame) == 0; }
    int64_t TotalFrames() const override { return total; }
    int32_t Rate() const override { return rate; }
    int32_t Channels() const override { return channels; }

private:
    OggVorbis_File file{};
    std::vector<uint8_t> memory;
    OggMemorySource source;
    std::vector<int16_t> raw;
    bool open = false;
    int64_t total = 0;
    int32_t rate = 44100;
    int32_t channels = 2;
};

class WaveStreamDecoder final : public StreamDecoder
{
public:
    ~WaveStreamDecoder() override
    {
        if (file)
        {
            std::fclose(file);
        }
    }

    bool Open(const std::string& path)
    {
        file = IsRegularSoundFile(path) ? std::fopen(path.c_str(), "rb") : nullptr;
        if (!file)
        {
            return false;
        }
        // The header must lie within the file's first 64 KiB.
        std::vector<uint8_t> head(65536);
        head.resize(std::fread(head.data(), 1, head.size(), file));
        const auto found = ParseWaveLayout(head.data(), head.size(), FileWriteStamp, false);
        if (!found || std::fseek(file, 0, SEEK_END) != 0)
        {
            return false;
        }
        layout = *found;
        const long fileSize = std::ftell(file);
        if (fileSize < 0 || static_cast<uint64_t>(fileSize) < layout.dataOffset)
        {
            return false;
        }
        // A data length beyond the end of the file is cut to what is there.
        const uint64_t present = static_cast<uint64_t>(fileSize) - layout.dataOffset;
        total = static_cast<int64_t>(std::min(layout.dataLength, present) / layout.FrameBytes());
        return total > 0 && Seek(0);
    }

    int32_t Read(int16_t* out, int32_t frameCount) override
    {
        const int64_t wanted = std::min<int64_t>(frameCount, total - position);
        if (wanted <= 0)
        {
            return 0;
        }
        const size_t frameBytes = layout.FrameBytes();
        raw.resize(static_cast<size_t>(wanted) * frameBytes);
        const size_t got = std::fread(raw.data(), frameBytes, static_cast<size_t>(wanted), file);
        if (got == 0)
        {
            return -1;
        }
        samples.resize(got * static_cast<size_t>(layout.channels));
        DecodePcm(raw.data(), layout.bits, samples.data(), samples.size());
        for (size_t i = 0; i < got; ++i)
        {
            const int16_t l = samples[i * static_cast<size_t>(layout.channels)];
            out[2 * i] = l;
            out[2 * i + 1] = layout.channels > 1 ? samples[i * 2 + 1] : l;
        }
        position += static_cast<int64_t>(got);
        return static_cast<int32_t>(got);
    }

    bool Seek(int64_t frame) override
    {
        frame = std::clamp<int64_t>(frame, 0, total);
        if (std::fseek(file, static_cast<long>(layout.dataOffset + static_cast<uint64_t>(frame) * layout.FrameBytes()),
                       SEEK_SET) != 0)
        {
            return false;
        }
        position = frame;
        return true;
    }

    int64_t TotalFrames() const override { return total; }
    int32_t Rate() const override { return layout.rate; }
    int32_t Channels() const override { return layout.channels; }

private:
    std::FILE* file = nullptr;
    WaveLayout layout;
    int64_t total = 0;
    int64_t position = 0;
    std::vector<uint8_t> raw;
    std::vector<int16_t> samples;
};

} // namespace

std::unique_ptr<StreamDecoder> OpenStreamDecoder(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    std::string extension = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "ogg")
    {
        auto decoder = std::make_unique<OggStreamDecoder>();
        if (decoder->Open(path))
        {
            return decoder;
        }
    }
    else if (extension == "wav")
    {
        auto decoder = std::make_unique<WaveStreamDecoder>();
        if (decoder->Open(path))
        {
            return decoder;
        }
    }
    return nullptr;
}

std::unique_ptr<StreamDecoder> OpenOggStreamDecoder(std::vector<uint8_t> bytes)
{
    auto decoder = std::make_unique<OggStreamDecoder>();
    if (decoder->Open(std::move(bytes)))
    {
        return decoder;
    }
    return nullptr;
}

} // namespace Framework
