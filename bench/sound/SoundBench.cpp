// Costs of the sound path: mixing 32 channels for one second of audio
// beside copying the same input bytes, and decoding a whole song beside
// copying its decoded bytes.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "framework/sound/MixerSoundManager.h"
#include "framework/sound/SoundDecoders.h"

using namespace Framework;

namespace
{

constexpr int32_t second = Mixer::sampleRate;
constexpr int channels = 32;

std::shared_ptr<const SoundData> Tone()
{
    auto sound = std::make_shared<SoundData>();
    sound->channels = 2;
    sound->rate = 44100;
    sound->samples.resize(static_cast<size_t>(second) * 2);
    for (size_t i = 0; i < sound->samples.size(); ++i)
    {
        sound->samples[i] = static_cast<int16_t>((i * 37) % 2000 - 1000);
    }
    return sound;
}

// 32 looping voices at one volume and pan; pitch 1 takes the direct path,
// other pitches interpolate.
void Mix32(benchmark::State& state, double pitchSteps)
{
    auto mixer = std::make_shared<Mixer>();
    MixerSoundManager manager(mixer, nullptr);
    auto tone = Tone();
    std::vector<std::shared_ptr<EffectVoice>> voices;
    for (int i = 0; i < channels; ++i)
    {
        auto voice = std::make_shared<EffectVoice>(tone);
        voice->gain = LevelAndPanToGains(VolumeToLevel(0.5), (i % 5) * 500 - 1000);
        voice->step = EffectVoice::StepFor(44100.0 * std::pow(1.0594630943592953, pitchSteps));
        voice->looping = true;
        voice->playing = true;
        mixer->Add(voice);
        voices.push_back(voice);
    }
    std::vector<int16_t> out(static_cast<size_t>(second) * 2);
    for (auto _ : state)
    {
        mixer->Render(out.data(), second);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * channels * second * 4);
}

void BM_Mix32Channels(benchmark::State& state)
{
    Mix32(state, 0.0);
}
BENCHMARK(BM_Mix32Channels)->Unit(benchmark::kMillisecond);

void BM_Mix32ChannelsPitched(benchmark::State& state)
{
    Mix32(state, 1.0);
}
BENCHMARK(BM_Mix32ChannelsPitched)->Unit(benchmark::kMillisecond);

// Reference: copying the 32 channels' second of input once.
void BM_MemcpySameBytes(benchmark::State& state)
{
    const size_t bytes = static_cast<size_t>(channels) * second * 4;
    std::vector<char> from(bytes, 1);
    std::vector<char> to(bytes);
    for (auto _ : state)
    {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_MemcpySameBytes)->Unit(benchmark::kMillisecond);

std::string SongPath()
{
    const char* dir = std::getenv("FROTHWICK_DATA_DIR");
    return std::string(dir ? dir : FROTHWICK_DATA_DIR) + "/music/mainscreen.ogg";
}

void BM_DecodeSong(benchmark::State& state)
{
    const std::string path = SongPath();
    if (!std::filesystem::exists(path))
    {
        state.SkipWithError("no data tree");
        return;
    }
    size_t bytes = 0;
    for (auto _ : state)
    {
        auto song = DecodeOggFile(path);
        bytes = song ? song->samples.size() * 2 : 0;
        benchmark::DoNotOptimize(song);
    }
    state.counters["seconds"] = static_cast<double>(bytes) / (4.0 * 44100.0);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_DecodeSong)->Unit(benchmark::kMillisecond);

// Reference: copying the decoded song's bytes.
void BM_MemcpyDecodedSong(benchmark::State& state)
{
    auto song = DecodeOggFile(SongPath());
    if (!song)
    {
        state.SkipWithError("no data tree");
        return;
    }
    const size_t bytes = song->samples.size() * 2;
    std::vector<char> to(bytes);
    for (auto _ : state)
    {
        std::memcpy(to.data(), song->samples.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_MemcpyDecodedSong)->Unit(benchmark::kMillisecond);

} // namespace
