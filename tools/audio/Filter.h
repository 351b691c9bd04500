// Resonant state-variable filter (trapezoidal integration), 12 dB per octave.
//
// The cutoff is in Hz (clamped to 10 Hz .. 0.45 × sample rate), q is the
// resonance (0.707 is flat, higher rings). The cutoff may change between
// samples without clicks, which is what sweeps need; changing it costs a
// tangent, so callers update it every few samples.
#pragma once

#include <string_view>

namespace AudioGen
{

class Filter
{
public:
    enum class Mode
    {
        LowPass,
        HighPass,
        BandPass
    };

    Filter() = default;
    Filter(Mode m, double cutoffHz, double q) : mode(m) { Set(cutoffHz, q); }

    void Set(double cutoffHz, double q);
    void SetMode(Mode m) { mode = m; }
    void Reset() { ic1 = ic2 = 0.0; }

    float Process(float input)
    {
        double v3 = input - ic2;
        double v1 = a1 * ic1 + a2 * v3;
        double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0 * v1 - ic1;
        ic2 = 2.0 * v2 - ic2;
        switch (mode)
        {
            case Mode::LowPass:
                return static_cast<float>(v2);
            case Mode::HighPass:
                return static_cast<float>(input - k * v1 - v2);
            case Mode::BandPass:
                break;
        }
        return static_cast<float>(v1 * k); // unity gain at the centre
    }

private:
    Mode mode = Mode::LowPass;
    double k = 1.414;
    double a1 = 0.0, a2 = 0.0, a3 = 0.0;
    double ic1 = 0.0, ic2 = 0.0;
};

// "lowpass", "highpass" or "bandpass"; false for anything else.
bool ParseFilterMode(std::string_view name, Filter::Mode& mode);

} // namespace AudioGen
