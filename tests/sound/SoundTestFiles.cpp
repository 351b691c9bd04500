#include "sound/SoundTestFiles.h"

#include <vorbis/vorbisenc.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace SoundTest
{

namespace
{

void Put(std::string& out, uint64_t value, int n)
{
    for (int i = 0; i < n; ++i)
    {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void PutBig(std::string& out, uint32_t value)
{
    for (int i = 3; i >= 0; --i)
    {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

} // namespace

std::string WaveBytes(const std::vector<int16_t>& samples, int channels, int rate, int bits)
{
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * static_cast<size_t>(bits / 8));
    std::string out = "RIFF";
    Put(out, dataBytes + 36, 4);
    out += "WAVEfmt ";
    Put(out, 16, 4);
    Put(out, 1, 2);
    Put(out, static_cast<uint64_t>(channels), 2);
    Put(out, static_cast<uint64_t>(rate), 4);
    Put(out, static_cast<uint64_t>(rate * channels * bits / 8), 4);
    Put(out, static_cast<uint64_t>(channels * bits / 8), 2);
    Put(out, static_cast<uint64_t>(bits), 2);
    out += "data";
    Put(out, dataBytes, 4);
    for (int16_t s : samples)
    {
        if (bits == 16)
        {
            Put(out, static_cast<uint16_t>(s), 2);
        }
        else
        {
            out.push_back(static_cast<char>((s >> 8) + 128));
        }
    }
    return out;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string AuBytes(uint32_t encoding, int channels, int rate, const std::vector<uint8_t>& payload)
{
    std::string out = ".snd";
    PutBig(out, 24);
    PutBig(out, static_cast<uint32_t>(payload.size()));
    PutBig(out, encoding);
    PutBig(out, static_cast<uint32_t>(rate));
    PutBig(out, static_cast<uint32_t>(channels));
    out.append(payload.begin(), payload.end());
    return out;
}

void WriteOgg(const std::filesystem::path& path, const std::vector<int16_t>& samples, int channels, int rate)
{
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.4f) != 0)
    {
        throw std::runtime_error("vorbis encoder refused the format");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1234);
    std::string out;
    ogg_page page;
    auto flush = [&]()
    {
        while (ogg_stream_flush(&stream, &page))
        {
            out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
            out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
        }
    };
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    flush();

    const size_t frames = samples.size() / static_cast<size_t>(channels);
    size_t done = 0;
    bool ended = false;
    while (!ended)
    {
        const size_t n = std::min<size_t>(1024, frames - done);
        if (n == 0)
        {
            vorbis_analysis_wrote(&dsp, 0);
        }
        else
        {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(n));
            for (size_t i = 0; i < n; ++i)
            {
                for (int c = 0; c < channels; ++c)
                {
                    buffer[c][i] =
                        samples[(done + i) * static_cast<size_t>(channels) + static_cast<size_t>(c)] / 32768.0f;
                }
            }
            vorbis_analysis_wrote(&dsp, static_cast<int>(n));
            done += n;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1)
        {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet))
            {
                ogg_stream_packetin(&stream, &packet);
                // A page per packet, so tests can cut pages out.
                flush();
                if (ogg_page_eos(&page))
                {
                    ended = true;
                }
            }
        }
        if (n == 0)
        {
            flush();
            ended = true;
        }
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    WriteFile(path, out);
}

std::vector<std::string> OggPages(const std::string& bytes)
{
    std::vector<std::string> pages;
    size_t at = bytes.find("OggS");
    while (at != std::string::npos)
    {
        const size_t next = bytes.find("OggS", at + 4);
        pages.push_back(bytes.substr(at, next == std::string::npos ? std::string::npos : next - at));
        at = next;
    }
    return pages;
}

std::vector<int16_t> Ramp(size_t frames, int channels, int16_t start)
{
    std::vector<int16_t> out(frames * static_cast<size_t>(channels));
    for (size_t i = 0; i < frames; ++i)
    {
        for (int c = 0; c < channels; ++c)
        {
            // Left climbs, right falls: each frame and channel is distinct.
            const int v = c == 0 ? start + static_cast<int>(i % 20000) : -(start + static_cast<int>(i % 20000)) - 1;
            out[i * static_cast<size_t>(channels) + static_cast<size_t>(c)] = static_cast<int16_t>(v);
        }
    }
    return out;
}

} // namespace SoundTest
