// Band-limited oscillator: sine (table), square and saw (polyBLEP corrected),
// triangle, and white noise. The frequency is in Hz and may change between
// samples (sweeps, vibrato); the phase runs in cycles from 0 to 1. Every
// periodic waveform starts at phase 0; sine and triangle start at 0 and rise.
#pragma once

#include "tools/audio/NoiseSource.h"
#include "tools/audio/StereoBuffer.h"

#include <cstdint>
#include <string_view>

namespace AudioGen
{

enum class Waveform
{
    Sine,
    Square,
    Saw,
    Triangle,
    Noise
};

// "sine", "square", "saw", "triangle" or "noise"; false for anything else.
bool ParseWaveform(std::string_view name, Waveform& wave);

class Oscillator
{
public:
    explicit Oscillator(Waveform wave = Waveform::Sine, std::uint32_t seed = 1);

    void SetFrequency(double hz) { increment = hz / kSampleRate; }
    double Frequency() const { return increment * kSampleRate; }
    void SetPhase(double cycles) { phase = cycles - static_cast<double>(static_cast<long long>(cycles)); }
    double Phase() const { return phase; }

    float Next()
    {
        float value = 0.0f;
        switch (wave)
        {
            case Waveform::Sine:
                value = Sine(phase);
                break;
            case Waveform::Square:
                value = phase < 0.5 ? 1.0f : -1.0f;
                value += Blep(phase, increment);
                value -= Blep(Wrap(phase + 0.5), increment);
                break;
            case Waveform::Saw:
                value = static_cast<float>(2.0 * phase - 1.0) - Blep(phase, increment);
                break;
            case Waveform::Triangle:
            {
                double p = Wrap(phase + 0.25);
                value = static_cast<float>(1.0 - 4.0 * (p < 0.5 ? 0.5 - p : p - 0.5));
                break;
            }
            case Waveform::Noise:
                value = noise.Next();
                break;
        }
        phase = Wrap(phase + increment);
        return value;
    }

    // Sine of a phase given in cycles (any real value), by table lookup with
    // linear interpolation; error below 1e-6.
    static float Sine(double cycles);

private:
    static double Wrap(double p) { return p - static_cast<double>(static_cast<long long>(p)) + (p < 0.0 ? 1.0 : 0.0); }

    // Polynomial correction of a unit step at phase 0 for a phase increment dt.
    static float Blep(double t, double dt)
    {
        if (dt <= 0.0)
        {
            return 0.0f;
        }
        if (t < dt)
        {
            t /= dt;
            return static_cast<float>(t + t - t * t - 1.0);
        }
        if (t > 1.0 - dt)
        {
            t = (t - 1.0) / dt;
            return static_cast<float>(t * t + t + t + 1.0);
        }
        return 0.0f;
    }

    Waveform wave;
    double phase = 0.0;
    double increment = 0.0;
    NoiseSource noise;
};

} // namespace AudioGen
