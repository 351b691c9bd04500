// Fuzz target: a song stream over a ".wav" file holding the input. An opened
// stream delivers exactly the frames it announces, never more than asked and
// nothing beyond the buffer it is given; a seek to any frame then reads the
// same frames as reading through from the start.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "tests/fuzz/FuzzScratch.h"
#include "framework/sound/StreamDecoder.h"

namespace
{

void Check(bool ok)
{
    if (!ok)
    {
        __builtin_trap();
    }
}

std::filesystem::path File()
{
    return FuzzSupport::ScratchFolder("song") / "song.wav";
}

constexpr int32_t kPiece = 700;

// Reads count frames from the stream's position in pieces; checks each read.
std::vector<int16_t> ReadFrames(Framework::StreamDecoder& stream, int64_t count)
{
    std::vector<int16_t> frames;
    std::vector<int16_t> buffer(2 * kPiece + 2);
    while (int64_t(frames.size()) < 2 * count)
    {
        const int32_t asked = int32_t(std::min<int64_t>(kPiece, count - int64_t(frames.size()) / 2));
        std::fill(buffer.begin(), buffer.end(), int16_t(0x5A5A));
        const int32_t got = stream.Read(buffer.data(), asked);
        Check(got >= 0 && got <= asked);
        Check(std::all_of(buffer.begin() + 2 * asked, buffer.end(), [](int16_t s) { return s == 0x5A5A; }));
        if (got == 0)
        {
            break;
        }
        frames.insert(frames.end(), buffer.begin(), buffer.begin() + 2 * got);
    }
    return frames;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        std::FILE* out = std::fopen(File().c_str(), "wb");
        Check(out != nullptr && std::fwrite(data, 1, size, out) == size && std::fclose(out) == 0);
    }
    auto stream = Framework::OpenStreamDecoder(File().string());
    if (!stream)
    {
        return 0;
    }
    const int64_t total = stream->TotalFrames();
    Check(total > 0 && stream->Channels() >= 1 && stream->Rate() > 0);
    // Every frame takes at least one byte of the file.
    Check(uint64_t(total) <= size);
    const std::vector<int16_t> all = ReadFrames(*stream, total);
    Check(int64_t(all.size()) == 2 * total);
    int16_t extra[4] = {0x5A5A, 0x5A5A, 0x5A5A, 0x5A5A};
    Check(stream->Read(extra, 1) == 0 && extra[0] == 0x5A5A);

    for (int64_t at : {int64_t(0), total / 3, total - 1, total})
    {
        Check(stream->Seek(at));
        const std::vector<int16_t> again = ReadFrames(*stream, std::min<int64_t>(total - at, kPiece + 1));
        Check(int64_t(again.size()) == 2 * std::min<int64_t>(total - at, kPiece + 1));
        Check(std::equal(again.begin(), again.end(), all.begin() + 2 * at));
    }
    return 0;
}
