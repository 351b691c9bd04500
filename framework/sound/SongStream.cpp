#include "framework/sound/SongStream.h"

#include <algorithm>

namespace Framework
{

SongStream::SongStream(Mixer& m, std::unique_ptr<StreamDecoder> d, int32_t ringFrames)
    : mixer(m), decoder(std::move(d)), total(decoder->TotalFrames()), sourceChannels(decoder->Channels()),
      step(static_cast<double>(decoder->Rate()) / Mixer::sampleRate), feedBuffer(static_cast<size_t>(feedFrames) * 2),
      ring(static_cast<size_t>(ringFrames) * 2), ringCapacity(ringFrames)
{
}

void SongStream::Start(int64_t offset, bool loop)
{
    auto hold = mixer.Lock();
    int64_t from = 0;
    if (offset == -1)
    {
        from = playFrame < total ? playFrame : 0;
    }
    else if (offset >= 1)
    {
        from = std::min(offset / (2 * sourceChannels), total);
    }
    ++generation;
    buffered = 0;
    readIndex = 0;
    phase = 0.0;
    endOfData = false;
    seekPending = true;
    seekFrame = from;
    playFrame = from;
    looping = loop;
    playing = true;
    paused = false;
}

void SongStream::Stop()
{
    auto hold = mixer.Lock();
    ++generation;
    playing = false;
    paused = false;
    buffered = 0;
    readIndex = 0;
}

void SongStream::Pause()
{
    auto hold = mixer.Lock();
    if (playing)
    {
        paused = true;
    }
}

void SongStream::Resume()
{
    auto hold = mixer.Lock();
    paused = false;
}

void SongStream::SetGain(float g)
{
    auto hold = mixer.Lock();
    gain = g;
}

bool SongStream::IsPlaying()
{
    auto hold = mixer.Lock();
    return playing && !paused;
}

int64_t SongStream::Position()
{
    auto hold = mixer.Lock();
    return playFrame;
}

bool SongStream::Feed()
{
    uint64_t forGeneration;
    bool seek;
    int64_t target;
    bool loop;
    int32_t space;
    {
        auto hold = mixer.Lock();
        if (!playing || (!seekPending && (endOfData || ringCapacity - buffered < feedFrames)))
        {
            return false;
        }
        forGeneration = generation;
        seek = seekPending;
        seekPending = false;
        target = seekFrame;
        loop = looping;
        space = ringCapacity - buffered;
    }
    if (seek)
    {
        decoder->Seek(target);
    }
    int32_t got = decoder->Read(feedBuffer.data(), std::min(feedFrames, space));
    if (got == 0 && loop && decoder->Seek(0))
    {
        got = decoder->Read(feedBuffer.data(), std::min(feedFrames, space));
    }
    auto hold = mixer.Lock();
    if (generation != forGeneration)
    {
        return true; // stopped or restarted meanwhile: the piece is stale
    }
    if (got <= 0)
    {
        endOfData = true;
        return true;
    }
    int32_t write = (readIndex + buffered) % ringCapacity;
    for (int32_t i = 0; i < got; ++i)
    {
        ring[2 * static_cast<size_t>(write)] = feedBuffer[2 * static_cast<size_t>(i)];
        ring[2 * static_cast<size_t>(write) + 1] = feedBuffer[2 * static_cast<size_t>(i) + 1];
        write = write + 1 == ringCapacity ? 0 : write + 1;
    }
    buffered += got;
    return true;
}

void SongStream::MixInto(float* sum, int32_t frameCount)
{
    if (!playing || paused)
    {
        return;
    }
    const float g = gain;
    for (int32_t i = 0; i < frameCount && buffered > 0; ++i)
    {
        sum[2 * i] += ring[2 * static_cast<size_t>(readIndex)] * g;
        sum[2 * i + 1] += ring[2 * static_cast<size_t>(readIndex) + 1] * g;
        phase += step;
        while (phase >= 1.0 && buffered > 0)
        {
            phase -= 1.0;
            readIndex = readIndex + 1 == ringCapacity ? 0 : readIndex + 1;
            --buffered;
            ++playFrame;
            if (playFrame >= total && looping)
            {
                playFrame = 0;
            }
        }
    }
    if (buffered == 0 && endOfData && !seekPending)
    {
        playing = false;
    }
}

} // namespace Framework
