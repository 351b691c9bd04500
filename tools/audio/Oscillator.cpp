#include "tools/audio/Oscillator.h"

#include <array>
#include <cmath>

namespace AudioGen
{

namespace
{

constexpr int kTableSize = 4096;

const std::array<float, kTableSize + 1>& SineTable()
{
    static const std::array<float, kTableSize + 1> table = []
    {
        std::array<float, kTableSize + 1> t{};
        for (int i = 0; i <= kTableSize; ++i)
        {
            t[i] = static_cast<float>(std::sin(2.0 * M_PI * i / kTableSize));
        }
        return t;
    }();
    return table;
}

} // namespace

bool ParseWaveform(std::string_view name, Waveform& wave)
{
    if (name == "sine")
        wave = Waveform::Sine;
    else if (name == "square")
        wave = Waveform::Square;
    else if (name == "saw")
        wave = Waveform::Saw;
    else if (name == "triangle")
        wave = Waveform::Triangle;
    else if (name == "noise")
        wave = Waveform::Noise;
    else
        return false;
    return true;
}

Oscillator::Oscillator(Waveform waveform, std::uint32_t seed) : wave(waveform), noise(seed) {}

float Oscillator::Sine(double cycles)
{
    const auto& table = SineTable();
    double p = cycles - std::floor(cycles);
    double x = p * kTableSize;
    int i = static_cast<int>(x);
    if (i >= kTableSize)
    {
        i = kTableSize - 1;
    }
    float frac = static_cast<float>(x - i);
    return table[i] + (table[i + 1] - table[i]) * frac;
}

} // namespace AudioGen
