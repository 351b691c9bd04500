#include "tools/audio/VorbisCodec.h"

#include "tools/audio/SourceText.h"

#include <vorbis/codec.h>
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

namespace AudioGen
{

namespace
{

void AppendPage(const ogg_page& page, std::vector<unsigned char>& out)
{
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

// Owns the libvorbis encoder state for one stream.
class Encoder
{
public:
    Encoder(float quality, std::uint32_t serial)
    {
        vorbis_info_init(&info);
        if (vorbis_encode_init_vbr(&info, 2, kSampleRate, quality) != 0)
        {
            vorbis_info_clear(&info);
            throw SourceError("vorbis encoder refused its settings");
        }
        vorbis_comment_init(&comment);
        vorbis_analysis_init(&dsp, &info);
        vorbis_block_init(&dsp, &block);
        ogg_stream_init(&stream, static_cast<int>(serial & 0x7fffffffu));
    }
    ~Encoder()
    {
        ogg_stream_clear(&stream);
        vorbis_block_clear(&block);
        vorbis_dsp_clear(&dsp);
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    void Headers(std::vector<unsigned char>& out)
    {
        ogg_packet header, headerComment, headerCode;
        vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
        ogg_stream_packetin(&stream, &header);
        ogg_stream_packetin(&stream, &headerComment);
        ogg_stream_packetin(&stream, &headerCode);
        ogg_page page;
        while (ogg_stream_flush(&stream, &page) != 0)
        {
            AppendPage(page, out);
        }
    }

    void Feed(const StereoBuffer& buffer, std::size_t first, std::size_t count, std::vector<unsigned char>& out)
    {
        if (count > 0)
        {
            float** channels = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (std::size_t i = 0; i < count; ++i)
            {
                channels[0][i] = std::clamp(buffer.left[first + i], -1.0f, 1.0f);
                channels[1][i] = std::clamp(buffer.right[first + i], -1.0f, 1.0f);
            }
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count)); // 0 marks the end of the stream
        Drain(out);
    }

private:
    void Drain(std::vector<unsigned char>& out)
    {
        while (vorbis_analysis_blockout(&dsp, &block) == 1)
        {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0)
            {
                ogg_stream_packetin(&stream, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream, &page) != 0)
                {
                    AppendPage(page, out);
                }
            }
        }
        ogg_page page;
        if (ogg_stream_eos(&stream) != 0)
        {
            while (ogg_stream_flush(&stream, &page) != 0)
            {
                AppendPage(page, out);
            }
        }
    }

    vorbis_info info{};
    vorbis_comment comment{};
    vorbis_dsp_state dsp{};
    vorbis_block block{};
    ogg_stream_state stream{};
};

} // namespace

std::uint32_t StreamSerial(const std::string& path)
{
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (unsigned char c : std::filesystem::path(path).filename().string())
    {
        hash = (hash ^ c) * 16777619u;
    }
    return hash;
}

std::vector<unsigned char> EncodeVorbis(const StereoBuffer& buffer, float quality, std::uint32_t serial)
{
    std::vector<unsigned char> out;
    Encoder encoder(quality, serial);
    encoder.Headers(out);
    constexpr std::size_t kChunk = 4096;
    for (std::size_t first = 0; first < buffer.Frames(); first += kChunk)
    {
        encoder.Feed(buffer, first, std::min(kChunk, buffer.Frames() - first), out);
    }
    encoder.Feed(buffer, 0, 0, out);
    return out;
}

bool DecodeVorbisFile(const std::string& path, DecodedAudio& out)
{
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0)
    {
        return false;
    }
    std::unique_ptr<OggVorbis_File, int (*)(OggVorbis_File*)> guard(&file, ov_clear);
    vorbis_info* info = ov_info(&file, -1);
    if (info == nullptr || info->channels < 1)
    {
        return false;
    }
    out.channels = info->channels;
    out.rate = info->rate;
    out.announcedFrames = ov_pcm_total(&file, -1);
    out.samples = StereoBuffer();
    out.samples.left.reserve(static_cast<std::size_t>(std::max(0LL, out.announcedFrames)));
    out.samples.right.reserve(static_cast<std::size_t>(std::max(0LL, out.announcedFrames)));
    int section = 0;
    for (;;)
    {
        float** pcm = nullptr;
        long frames = ov_read_float(&file, &pcm, 4096, &section);
        if (frames == OV_HOLE)
        {
            continue;
        }
        if (frames < 0)
        {
            return false;
        }
        if (frames == 0)
        {
            break;
        }
        for (long i = 0; i < frames; ++i)
        {
            out.samples.left.push_back(pcm[0][i]);
            out.samples.right.push_back(pcm[out.channels > 1 ? 1 : 0][i]);
        }
    }
    return true;
}

void WriteBinaryFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::filesystem::path target(path);
    if (target.has_parent_path())
    {
        std::filesystem::create_directories(target.parent_path());
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
    {
        throw SourceError("cannot write " + path);
    }
}

std::vector<unsigned char> EncodeWav(const StereoBuffer& buffer)
{
    std::vector<unsigned char> out;
    auto put32 = [&out](std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    auto put16 = [&out](std::uint16_t v)
    {
        out.push_back(static_cast<unsigned char>(v));
        out.push_back(static_cast<unsigned char>(v >> 8));
    };
    auto putText = [&out](const char* text)
    {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<unsigned char>(text[i]));
    };
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(buffer.Frames() * 4);
    out.reserve(44 + dataBytes);
    putText("RIFF");
    put32(36 + dataBytes);
    putText("WAVE");
    putText("fmt ");
    put32(16);
    put16(1);
    put16(2);
    put32(kSampleRate);
    put32(kSampleRate * 4);
    put16(4);
    put16(16);
    putText("data");
    put32(dataBytes);
    for (std::size_t i = 0; i < buffer.Frames(); ++i)
    {
        for (float v : {buffer.left[i], buffer.right[i]})
        {
            long s = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
            put16(static_cast<std::uint16_t>(static_cast<std::int16_t>(s)));
        }
    }
    return out;
}

} // namespace AudioGen
