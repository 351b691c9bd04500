#include "tools/audio/Filter.h"

#include "tools/audio/StereoBuffer.h"

#include <algorithm>
#include <cmath>

namespace AudioGen
{

void Filter::Set(double cutoffHz, double q)
{
    double fc = std::clamp(cutoffHz, 10.0, 0.45 * kSampleRate);
    double g = std::tan(M_PI * fc / kSampleRate);
    k = 1.0 / std::max(q, 0.1);
    a1 = 1.0 / (1.0 + g * (g + k));
    a2 = g * a1;
    a3 = g * a2;
}

bool ParseFilterMode(std::string_view name, Filter::Mode& mode)
{
    if (name == "lowpass")
        mode = Filter::Mode::LowPass;
    else if (name == "highpass")
        mode = Filter::Mode::HighPass;
    else if (name == "bandpass")
        mode = Filter::Mode::BandPass;
    else
        return false;
    return true;
}

} // namespace AudioGen
