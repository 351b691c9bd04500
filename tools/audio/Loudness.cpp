#include "tools/audio/Loudness.h"

#include "tools/audio/Mastering.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstdio>

namespace AudioGen
{

namespace
{

constexpr std::size_t kBlock100 = kSampleRate / 10; // frames of 100 ms
constexpr double kAbsoluteGate = -70.0;
constexpr double kIntegratedGate = -10.0;
constexpr double kRangeGate = -20.0;

// Oversampling filter: windowed sinc, kTaps input frames on each side.
constexpr int kOversample = 4; // Between() computes its three in-between phases
constexpr int kTaps = 12;
constexpr std::size_t kPeakBlock = 32; // frames per block of the pruning scan

double PowerToLufs(double meanSquare)
{
    return meanSquare > 0.0 ? -0.691 + 10.0 * std::log10(meanSquare) : kSilence;
}

// Per frame, the K-weighted (and maybe high-passed) squares of both
// channels summed; returned as a prefix sum of n + 1 values.
std::vector<double> WeightedPrefix(const StereoBuffer& buffer, bool speaker)
{
    const std::size_t n = buffer.Frames();
    std::vector<double> sum(n + 1, 0.0);
    const Biquad shelf = KShelf(kSampleRate);
    const Biquad rlb = KHighPass(kSampleRate);
    const Biquad small = SpeakerHighPass(kSpeakerCorner, kSampleRate);
    std::vector<double> x(n);
    for (const std::vector<float>* channel : {&buffer.left, &buffer.right})
    {
        std::copy(channel->begin(), channel->end(), x.begin());
        if (speaker)
            small.Run(x);
        shelf.Run(x);
        rlb.Run(x);
        for (std::size_t i = 0; i < n; ++i)
            sum[i + 1] += x[i] * x[i];
    }
    for (std::size_t i = 0; i < n; ++i)
        sum[i + 1] += sum[i];
    return sum;
}

// Mean square of the window of `window` frames from `start`, silence past the end.
double WindowPower(const std::vector<double>& prefix, std::size_t start, std::size_t window)
{
    const std::size_t n = prefix.size() - 1;
    const std::size_t end = std::min(n, start + window);
    return (prefix[end] - prefix[std::min(start, end)]) / static_cast<double>(window);
}

double LoudestWindow(const std::vector<double>& prefix, std::size_t window)
{
    const std::size_t n = prefix.size() - 1;
    double best = WindowPower(prefix, 0, window);
    for (std::size_t start = 1; start + window <= n; ++start)
        best = std::max(best, WindowPower(prefix, start, window));
    return PowerToLufs(best);
}

// Mean squares of the windows of `window` frames every 100 ms that lie
// inside the sound (one padded window when it is shorter).
std::vector<double> HoppedWindows(const std::vector<double>& prefix, std::size_t window)
{
    const std::size_t n = prefix.size() - 1;
    std::vector<double> powers;
    for (std::size_t start = 0; start + window <= n; start += kBlock100)
        powers.push_back(WindowPower(prefix, start, window));
    if (powers.empty() && n > 0)
        powers.push_back(WindowPower(prefix, 0, window));
    return powers;
}

double GatedIntegrated(const std::vector<double>& blocks)
{
    double sum = 0.0;
    std::size_t count = 0;
    for (double p : blocks)
        if (PowerToLufs(p) > kAbsoluteGate)
        {
            sum += p;
            ++count;
        }
    if (count == 0)
        return kSilence;
    const double relative = PowerToLufs(sum / static_cast<double>(count)) + kIntegratedGate;
    sum = 0.0;
    count = 0;
    for (double p : blocks)
    {
        const double l = PowerToLufs(p);
        if (l > kAbsoluteGate && l > relative)
        {
            sum += p;
            ++count;
        }
    }
    return count == 0 ? kSilence : PowerToLufs(sum / static_cast<double>(count));
}

double LoudnessRange(const std::vector<double>& windows)
{
    std::vector<double> loud;
    double sum = 0.0;
    for (double p : windows)
        if (PowerToLufs(p) > kAbsoluteGate)
        {
            loud.push_back(PowerToLufs(p));
            sum += p;
        }
    if (loud.size() < 2)
        return 0.0;
    const double relative = PowerToLufs(sum / static_cast<double>(loud.size())) + kRangeGate;
    loud.erase(std::remove_if(loud.begin(), loud.end(), [&](double l) { return l <= relative; }), loud.end());
    if (loud.size() < 2)
        return 0.0;
    std::sort(loud.begin(), loud.end());
    auto at = [&](double q)
    { return loud[static_cast<std::size_t>(std::lround(q * static_cast<double>(loud.size() - 1)))]; };
    return at(0.95) - at(0.10);
}

double BesselI0(double x)
{
    double sum = 1.0, term = 1.0;
    for (int k = 1; k < 40; ++k)
    {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
    }
    return sum;
}

// Taps of the oversampling filter for the fractional positions 1/4, 2/4
// and 3/4 after a frame: tap k multiplies frame i + k - kTaps + 1.
struct Interpolator
{
    std::array<std::array<double, 2 * kTaps>, kOversample - 1> taps{};
    double largestGain = 0.0; // largest sum of absolute taps of a phase

    Interpolator()
    {
        const double beta = 7.0;
        for (int phase = 1; phase < kOversample; ++phase)
        {
            const double frac = static_cast<double>(phase) / kOversample;
            double sum = 0.0;
            for (int k = 0; k < 2 * kTaps; ++k)
            {
                const double t = static_cast<double>(k - kTaps + 1) - frac;
                const double sinc = std::sin(M_PI * t) / (M_PI * t);
                const double r = t / kTaps;
                const double window = r * r < 1.0 ? BesselI0(beta * std::sqrt(1.0 - r * r)) / BesselI0(beta) : 0.0;
                taps[phase - 1][k] = sinc * window;
                sum += sinc * window;
            }
            double absolute = 0.0;
            for (double& tap : taps[phase - 1])
            {
                tap /= sum;
                absolute += std::fabs(tap);
            }
            largestGain = std::max(largestGain, absolute);
        }
    }

    // Largest absolute oversampled value strictly between frames i and i + 1.
    // The three phases run side by side: three independent sums per tap.
    double Between(const std::vector<float>& x, std::size_t i) const
    {
        const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(x.size());
        const std::ptrdiff_t first = static_cast<std::ptrdiff_t>(i) - kTaps + 1;
        double y0 = 0.0, y1 = 0.0, y2 = 0.0;
        const auto& t0 = taps[0];
        const auto& t1 = taps[1];
        const auto& t2 = taps[2];
        if (first >= 0 && first + 2 * kTaps <= n)
        {
            const float* p = x.data() + first;
            for (int k = 0; k < 2 * kTaps; ++k)
            {
                const double v = p[k];
                y0 += t0[k] * v;
                y1 += t1[k] * v;
                y2 += t2[k] * v;
            }
        }
        else
        {
            for (int k = 0; k < 2 * kTaps; ++k)
            {
                const std::ptrdiff_t j = first + k;
                if (j >= 0 && j < n)
                {
                    const double v = x[static_cast<std::size_t>(j)];
                    y0 += t0[k] * v;
                    y1 += t1[k] * v;
                    y2 += t2[k] * v;
                }
            }
        }
        return std::max({std::fabs(y0), std::fabs(y1), std::fabs(y2)});
    }
};

const Interpolator& SharedInterpolator()
{
    static const Interpolator interpolator;
    return interpolator;
}

// Largest |x| of each block of kPeakBlock frames.
std::vector<float> BlockMaxima(const std::vector<float>& x)
{
    std::vector<float> blocks((x.size() + kPeakBlock - 1) / kPeakBlock, 0.0f);
    for (std::size_t i = 0; i < x.size(); ++i)
        blocks[i / kPeakBlock] = std::max(blocks[i / kPeakBlock], std::fabs(x[i]));
    return blocks;
}

// The largest |x| that can reach a gap inside block b (its neighbours included).
float Reach(const std::vector<float>& blocks, std::size_t b)
{
    float m = blocks[b];
    if (b > 0)
        m = std::max(m, blocks[b - 1]);
    if (b + 1 < blocks.size())
        m = std::max(m, blocks[b + 1]);
    return m;
}

void Fft(std::vector<std::complex<double>>& a)
{
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i)
    {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (std::size_t len = 2; len <= n; len <<= 1)
    {
        const std::complex<double> step = std::polar(1.0, -2.0 * M_PI / static_cast<double>(len));
        for (std::size_t i = 0; i < n; i += len)
        {
            std::complex<double> w = 1.0;
            for (std::size_t k = 0; k < len / 2; ++k)
            {
                const std::complex<double> u = a[i + k];
                const std::complex<double> v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                w *= step;
            }
        }
    }
}

// Parts of the energy above 8 kHz and below 80 Hz: Welch's average of
// Hann-windowed 4096-frame spectra, both channels in one complex transform.
void EnergyShares(const StereoBuffer& buffer, bool speaker, LoudnessFigures& out)
{
    constexpr std::size_t kSize = 4096;
    const std::size_t n = buffer.Frames();
    if (n == 0)
        return;
    std::vector<double> left(buffer.left.begin(), buffer.left.end());
    std::vector<double> right(buffer.right.begin(), buffer.right.end());
    if (speaker)
    {
        const Biquad small = SpeakerHighPass(kSpeakerCorner, kSampleRate);
        small.Run(left);
        small.Run(right);
    }
    std::vector<double> window(kSize);
    for (std::size_t i = 0; i < kSize; ++i)
        window[i] = 0.5 - 0.5 * std::cos(2.0 * M_PI * static_cast<double>(i) / kSize);
    std::vector<double> power(kSize / 2 + 1, 0.0);
    std::vector<std::complex<double>> a(kSize);
    for (std::size_t start = 0; start == 0 || start + kSize / 2 < n; start += kSize / 2)
    {
        for (std::size_t i = 0; i < kSize; ++i)
        {
            const std::size_t j = start + i;
            a[i] = j < n ? std::complex<double>(left[j], right[j]) * window[i] : 0.0;
        }
        Fft(a);
        power[0] += std::norm(a[0]);
        power[kSize / 2] += std::norm(a[kSize / 2]);
        for (std::size_t k = 1; k < kSize / 2; ++k)
            power[k] += std::norm(a[k]) + std::norm(a[kSize - k]);
    }
    double total = 0.0, high = 0.0, low = 0.0;
    for (std::size_t k = 0; k <= kSize / 2; ++k)
    {
        const double hz = static_cast<double>(k) * kSampleRate / kSize;
        total += power[k];
        if (hz > 8000.0)
            high += power[k];
        if (hz < 80.0)
            low += power[k];
    }
    if (total > 0.0)
    {
        out.shareAbove8k = high / total;
        out.shareBelow80 = low / total;
    }
}

} // namespace

void Biquad::Run(std::vector<double>& x) const
{
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    for (double& v : x)
    {
        const double y = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = v;
        y2 = y1;
        y1 = y;
        v = y;
    }
}

Biquad KShelf(double rate)
{
    const double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
    const double k = std::tan(M_PI * f0 / rate);
    const double vh = std::pow(10.0, gainDb / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / q + k * k;
    Biquad s;
    s.b0 = (vh + vb * k / q + k * k) / a0;
    s.b1 = 2.0 * (k * k - vh) / a0;
    s.b2 = (vh - vb * k / q + k * k) / a0;
    s.a1 = 2.0 * (k * k - 1.0) / a0;
    s.a2 = (1.0 - k / q + k * k) / a0;
    return s;
}

Biquad KHighPass(double rate)
{
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    const double k = std::tan(M_PI * f0 / rate);
    const double a0 = 1.0 + k / q + k * k;
    Biquad s;
    s.b0 = 1.0;
    s.b1 = -2.0;
    s.b2 = 1.0;
    s.a1 = 2.0 * (k * k - 1.0) / a0;
    s.a2 = (1.0 - k / q + k * k) / a0;
    return s;
}

Biquad SpeakerHighPass(double hz, double rate)
{
    const double q = M_SQRT1_2;
    const double k = std::tan(M_PI * hz / rate);
    const double a0 = 1.0 + k / q + k * k;
    Biquad s;
    s.b0 = 1.0 / a0;
    s.b1 = -2.0 / a0;
    s.b2 = 1.0 / a0;
    s.a1 = 2.0 * (k * k - 1.0) / a0;
    s.a2 = (1.0 - k / q + k * k) / a0;
    return s;
}

double ToDecibels(double linear)
{
    return linear > 0.0 ? std::max(kSilence, 20.0 * std::log10(linear)) : kSilence;
}

LoudnessFigures MeasureLoudness(const StereoBuffer& buffer, bool speaker)
{
    LoudnessFigures f;
    if (buffer.Frames() == 0)
        return f;
    const std::vector<double> prefix = WeightedPrefix(buffer, speaker);
    f.loudest100ms = LoudestWindow(prefix, kBlock100);
    f.momentaryMax = LoudestWindow(prefix, 4 * kBlock100);
    f.shortTermMax = LoudestWindow(prefix, 30 * kBlock100);
    f.integrated = GatedIntegrated(HoppedWindows(prefix, 4 * kBlock100));
    const std::size_t shortTerm = 30 * kBlock100;
    f.range = buffer.Frames() >= shortTerm ? LoudnessRange(HoppedWindows(prefix, shortTerm)) : 0.0;
    return f;
}

LoudnessFigures Measure(const StereoBuffer& buffer, bool speaker)
{
    LoudnessFigures f = MeasureLoudness(buffer, speaker);
    if (buffer.Frames() == 0)
        return f;
    if (speaker)
    {
        StereoBuffer filtered = buffer;
        const Biquad small = SpeakerHighPass(kSpeakerCorner, kSampleRate);
        for (std::vector<float>* channel : {&filtered.left, &filtered.right})
        {
            std::vector<double> x(channel->begin(), channel->end());
            small.Run(x);
            std::transform(x.begin(), x.end(), channel->begin(), [](double v) { return static_cast<float>(v); });
        }
        f.samplePeak = ToDecibels(Peak(filtered));
        f.truePeak = ToDecibels(TruePeak(filtered));
    }
    else
    {
        f.samplePeak = ToDecibels(Peak(buffer));
        f.truePeak = ToDecibels(TruePeak(buffer));
    }
    EnergyShares(buffer, speaker, f);
    return f;
}

double TruePeak(const StereoBuffer& buffer)
{
    const Interpolator& filter = SharedInterpolator();
    double best = 0.0;
    for (const std::vector<float>* channel : {&buffer.left, &buffer.right})
        for (float v : *channel)
            best = std::max(best, static_cast<double>(std::fabs(v)));
    for (const std::vector<float>* channel : {&buffer.left, &buffer.right})
    {
        const std::vector<float> blocks = BlockMaxima(*channel);
        for (std::size_t b = 0; b < blocks.size(); ++b)
        {
            if (Reach(blocks, b) * filter.largestGain <= best)
                continue;
            const std::size_t end = std::min(channel->size(), (b + 1) * kPeakBlock);
            for (std::size_t i = b * kPeakBlock; i < end; ++i)
                best = std::max(best, filter.Between(*channel, i));
        }
    }
    return best;
}

std::vector<float> TruePeakEnvelope(const StereoBuffer& buffer, double floor)
{
    const Interpolator& filter = SharedInterpolator();
    const std::size_t n = buffer.Frames();
    std::vector<float> envelope(n, 0.0f);
    std::vector<float> gap(n, 0.0f); // between frame i and i + 1
    for (const std::vector<float>* channel : {&buffer.left, &buffer.right})
    {
        const std::vector<float>& x = *channel;
        const std::vector<float> blocks = BlockMaxima(x);
        for (std::size_t b = 0; b < blocks.size(); ++b)
        {
            if (Reach(blocks, b) * filter.largestGain <= floor)
                continue;
            const std::size_t end = std::min(n, (b + 1) * kPeakBlock);
            for (std::size_t i = b * kPeakBlock; i < end; ++i)
                gap[i] = std::max(gap[i], static_cast<float>(filter.Between(x, i)));
        }
        for (std::size_t i = 0; i < n; ++i)
            envelope[i] = std::max(envelope[i], std::fabs(x[i]));
    }
    for (std::size_t i = 0; i < n; ++i)
    {
        envelope[i] = std::max(envelope[i], gap[i]);
        if (i > 0)
            envelope[i] = std::max(envelope[i], gap[i - 1]);
    }
    return envelope;
}

std::string LoudnessTableHeader()
{
    return "| file                         |   LUFS |  100 ms |  3 s max |  LRA |   dBTP | >8 kHz | <80 Hz "
           "| 200 Hz HP: LUFS | HP 100 ms |\n"
           "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
}

std::string LoudnessTableRow(const std::string& name, const LoudnessFigures& raw, const LoudnessFigures& speaker)
{
    char text[256];
    std::snprintf(text, sizeof text,
                  "| %-28s | %6.1f | %7.1f | %8.1f | %4.1f | %6.2f | %5.1f %% | %5.1f %% | %15.1f | %9.1f |\n",
                  name.c_str(), raw.integrated, raw.loudest100ms, raw.shortTermMax, raw.range, raw.truePeak,
                  100.0 * raw.shareAbove8k, 100.0 * raw.shareBelow80, speaker.integrated, speaker.loudest100ms);
    return text;
}

} // namespace AudioGen
