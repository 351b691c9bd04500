// Mixer: sums the playing voices (sound instances and song streams) into
// 44100 Hz stereo 16-bit frames.
//
// Render() is called by the audio device's thread, or directly by a test
// that wants the exact output ("test sink"). It holds the mixer's lock while
// it mixes; owners of voices take the same lock (Lock()) to change anything
// a voice reads while mixing, and keep such sections short. Voices never
// block, allocate or touch files inside MixInto.
//
// The sum is kept in floats, scaled by the output gain (the program's wave
// volume) and rounded and clipped to 16 bits once at the end, so one voice
// at full level comes out sample for sample as it went in.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace Framework
{

class MixerVoice
{
public:
    virtual ~MixerVoice() = default;
    // Adds frameCount stereo frames (left, right interleaved) into sum.
    // Called with the mixer's lock held.
    virtual void MixInto(float* sum, int32_t frameCount) = 0;
};

class Mixer
{
public:
    static constexpr int32_t sampleRate = 44100;
    static constexpr int32_t blockFrames = 1024;

    Mixer();

    void Add(std::shared_ptr<MixerVoice> voice);
    void Remove(const MixerVoice* voice);
    size_t VoiceCount();

    // Fills frameCount stereo frames.
    void Render(int16_t* out, int32_t frameCount);

    void SetOutputGain(double gain);

    std::unique_lock<std::mutex> Lock() { return std::unique_lock<std::mutex>(mutex); }

private:
    std::mutex mutex;
    std::vector<std::shared_ptr<MixerVoice>> voices;
    std::vector<float> sum;
    float outputGain = 1.0f;
};

} // namespace Framework
