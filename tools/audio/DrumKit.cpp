#include "tools/audio/DrumKit.h"

#include "tools/audio/Filter.h"
#include "tools/audio/NoiseSource.h"
#include "tools/audio/Oscillator.h"
#include "tools/audio/SourceText.h"

#include <cmath>

namespace AudioGen
{

namespace
{

constexpr std::string_view kNames[DrumKit::PieceCount] = {"kick", "snare", "hat",    "open",
                                                          "clap", "tom",   "shaker", "rim"};

// exp(-t / tau) stepping factor per frame.
double Fall(double tau)
{
    return std::exp(-1.0 / (tau * kSampleRate));
}

// A sine whose frequency glides exponentially from `from` to `to` with time
// constant `glide`, under an exponential decay `tau`.
void SweptSine(std::vector<float>& out, double from, double to, double glide, double tau, float level)
{
    double phase = 0.0;
    double amp = 1.0;
    const double ampFall = Fall(tau);
    const double glideFall = Fall(glide);
    double excess = from - to;
    for (float& v : out)
    {
        double hz = to + excess;
        excess *= glideFall;
        phase += hz / kSampleRate;
        v += level * static_cast<float>(amp) * Oscillator::Sine(phase);
        amp *= ampFall;
    }
}

// Noise through a filter under an exponential decay, starting at `offset`.
void DecayingNoise(std::vector<float>& out, std::uint32_t seed, Filter filter, double tau, float level,
                   std::size_t offset = 0)
{
    NoiseSource noise(seed);
    double amp = 1.0;
    const double ampFall = Fall(tau);
    for (std::size_t i = offset; i < out.size(); ++i)
    {
        out[i] += level * static_cast<float>(amp) * filter.Process(noise.Next());
        amp *= ampFall;
    }
}

void FadeTail(std::vector<float>& out)
{
    const std::size_t fade = std::min<std::size_t>(out.size(), SecondsToFrames(0.01));
    for (std::size_t i = 0; i < fade; ++i)
    {
        out[out.size() - fade + i] *= static_cast<float>(fade - 1 - i) / static_cast<float>(fade);
    }
}

} // namespace

DrumKit::Settings DrumKit::Parse(ParamList& p)
{
    Settings s;
    s.pitch = p.Number("pitch", s.pitch);
    s.decay = p.Number("decay", s.decay);
    s.tone = p.Number("tone", s.tone);
    s.reverbSend = p.Number("reverb", s.reverbSend);
    for (int i = 0; i < PieceCount; ++i)
    {
        std::string name(kNames[i]);
        s.level[i] = p.Number(name, s.level[i]);
        s.pan[i] = p.Number(name + "pan", s.pan[i]);
    }
    p.Finish();
    return s;
}

bool DrumKit::PieceByName(std::string_view name, Piece& piece)
{
    for (int i = 0; i < PieceCount; ++i)
    {
        if (kNames[i] == name)
        {
            piece = static_cast<Piece>(i);
            return true;
        }
    }
    return false;
}

DrumKit::DrumKit(const Settings& kitSettings) : settings(kitSettings)
{
    const double p = settings.pitch;
    const double d = settings.decay;
    const double t = settings.tone;

    auto& kick = samples[Kick];
    kick.assign(SecondsToFrames(0.45 * d), 0.0f);
    SweptSine(kick, 170.0 * p, 48.0 * p, 0.03, 0.16 * d, 1.0f);
    DecayingNoise(kick, 11, Filter(Filter::Mode::HighPass, 3000.0, 0.7), 0.003, 0.5f);

    auto& snare = samples[Snare];
    snare.assign(SecondsToFrames(0.32 * d), 0.0f);
    SweptSine(snare, 260.0 * p, 185.0 * p, 0.02, 0.06 * d, 0.55f);
    DecayingNoise(snare, 23, Filter(Filter::Mode::BandPass, 3800.0 * t, 0.6), 0.075 * d, 1.1f);

    auto& hat = samples[Hat];
    hat.assign(SecondsToFrames(0.09), 0.0f);
    DecayingNoise(hat, 37, Filter(Filter::Mode::HighPass, 7500.0 * t, 0.9), 0.018 * d, 1.0f);

    auto& open = samples[OpenHat];
    open.assign(SecondsToFrames(0.45 * d), 0.0f);
    DecayingNoise(open, 41, Filter(Filter::Mode::HighPass, 7000.0 * t, 0.9), 0.12 * d, 0.9f);

    auto& clap = samples[Clap];
    clap.assign(SecondsToFrames(0.3 * d), 0.0f);
    for (int burst = 0; burst < 3; ++burst)
    {
        std::vector<float> part(SecondsToFrames(0.012), 0.0f);
        DecayingNoise(part, 53 + burst, Filter(Filter::Mode::BandPass, 1300.0 * t, 1.2), 0.004, 1.0f);
        std::size_t at = SecondsToFrames(0.011 * burst);
        for (std::size_t i = 0; i < part.size() && at + i < clap.size(); ++i)
        {
            clap[at + i] += part[i];
        }
    }
    DecayingNoise(clap, 59, Filter(Filter::Mode::BandPass, 1200.0 * t, 1.0), 0.06 * d, 0.9f, SecondsToFrames(0.033));

    auto& tom = samples[Tom];
    tom.assign(SecondsToFrames(0.4 * d), 0.0f);
    SweptSine(tom, 150.0 * p, 95.0 * p, 0.06, 0.12 * d, 1.0f);

    auto& shaker = samples[Shaker];
    shaker.assign(SecondsToFrames(0.08), 0.0f);
    {
        NoiseSource noise(71);
        Filter band(Filter::Mode::BandPass, 6500.0 * t, 1.0);
        const std::size_t rise = SecondsToFrames(0.015);
        for (std::size_t i = 0; i < shaker.size(); ++i)
        {
            double env = i < rise ? static_cast<double>(i) / rise
                                  : std::exp(-static_cast<double>(i - rise) / (0.02 * kSampleRate));
            shaker[i] = static_cast<float>(env) * band.Process(noise.Next());
        }
    }

    auto& rim = samples[Rim];
    rim.assign(SecondsToFrames(0.08), 0.0f);
    SweptSine(rim, 900.0 * p, 800.0 * p, 0.01, 0.012, 0.8f);
    DecayingNoise(rim, 83, Filter(Filter::Mode::BandPass, 2500.0 * t, 2.0), 0.008, 0.6f);

    for (auto& sample : samples)
    {
        FadeTail(sample);
        // Every hit starts from silence: a one-frame rise avoids a step.
        if (!sample.empty())
        {
            sample[0] = 0.0f;
        }
    }
}

} // namespace AudioGen
