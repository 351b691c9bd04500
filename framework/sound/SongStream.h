// SongStream: one song streamed from disk into the mixer.
//
// A feeder (a thread of the music interface, or a test calling Feed())
// decodes ahead into a ring buffer of stereo frames; the audio thread's
// MixInto only copies from the ring, so a slow disk never stalls it (the
// song goes quiet for a moment instead). All state below the decoder is
// guarded by the mixer's lock; the decoder belongs to whoever calls Feed(),
// one caller at a time.
//
// Positions are frames of the source. Start(-1) continues where the stream
// stood (a stopped stream keeps its position; one that ran to its end
// starts over), Start(0) restarts, Start(n >= 1) seeks to byte n of the
// decoded 16-bit samples. Stop() keeps the position; Pause()/Resume() keep
// the buffered frames as well.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/sound/Mixer.h"
#include "framework/sound/StreamDecoder.h"

namespace Framework
{

class SongStream final : public MixerVoice
{
public:
    static constexpr int32_t feedFrames = 4096;

    SongStream(Mixer& mixer, std::unique_ptr<StreamDecoder> decoder, int32_t ringFrames = Mixer::sampleRate / 2);

    void Start(int64_t offset, bool looping);
    void Stop();
    void Pause();
    void Resume();
    // Channel gain, 0 to 1.
    void SetGain(float gain);

    bool IsPlaying();
    // The frame that will be heard next.
    int64_t Position();
    int64_t TotalFrames() const { return total; }

    // Decodes one piece if the stream wants data; true when it did work.
    bool Feed();

    void MixInto(float* sum, int32_t frameCount) override;

private:
    Mixer& mixer;
    std::unique_ptr<StreamDecoder> decoder;
    const int64_t total;
    const int32_t sourceChannels;
    const double step; // source frames per output frame
    std::vector<int16_t> feedBuffer;

    // Guarded by the mixer's lock.
    std::vector<int16_t> ring;
    int32_t ringCapacity;
    int32_t readIndex = 0;
    int32_t buffered = 0;
    bool playing = false;
    bool paused = false;
    bool looping = false;
    bool endOfData = false;
    bool seekPending = false;
    int64_t seekFrame = 0;
    uint64_t generation = 0;
    int64_t playFrame = 0;
    double phase = 0.0;
    float gain = 0.0f;
};

} // namespace Framework
