// The loudness meter against signals whose figures are known, and the
// generator's level setting by role.
#include "tools/audio/Loudness.h"
#include "tools/audio/Mastering.h"
#include "tools/audio/NoiseSource.h"
#include "tools/audio/SoundRole.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

using namespace AudioGen;

namespace
{

StereoBuffer Sine(double hz, double peak, double seconds, double phase = 0.0, bool right = true)
{
    StereoBuffer b(SecondsToFrames(seconds));
    for (std::size_t i = 0; i < b.Frames(); ++i)
    {
        b.left[i] = static_cast<float>(peak * std::sin(2.0 * M_PI * hz * static_cast<double>(i) / kSampleRate + phase));
        b.right[i] = right ? b.left[i] : 0.0f;
    }
    return b;
}

// Pink noise (3 dB less per octave) from white noise through Paul Kellet's
// economy filter, flat within 0.5 dB from 10 Hz up.
StereoBuffer PinkNoise(double seconds)
{
    StereoBuffer b(SecondsToFrames(seconds));
    for (std::vector<float>* channel : {&b.left, &b.right})
    {
        NoiseSource white(channel == &b.left ? 7u : 11u);
        double b0 = 0.0, b1 = 0.0, b2 = 0.0;
        for (float& v : *channel)
        {
            const double w = white.Next();
            b0 = 0.99765 * b0 + w * 0.0990460;
            b1 = 0.96300 * b1 + w * 0.2965164;
            b2 = 0.57000 * b2 + w * 1.0526913;
            v = static_cast<float>(0.1 * (b0 + b1 + b2 + w * 0.1848));
        }
    }
    return b;
}

double PowerResponse(const Biquad& s, double hz)
{
    const std::complex<double> z = std::polar(1.0, -2.0 * M_PI * hz / kSampleRate); // z^-1
    const std::complex<double> h = (s.b0 + s.b1 * z + s.b2 * z * z) / (1.0 + s.a1 * z + s.a2 * z * z);
    return std::norm(h);
}

} // namespace

TEST(Loudness, KWeightingAt48kHzHasTheStandardsCoefficients)
{
    const Biquad shelf = KShelf(48000.0);
    EXPECT_NEAR(shelf.b0, 1.53512485958697, 1e-9);
    EXPECT_NEAR(shelf.b1, -2.69169618940638, 1e-9);
    EXPECT_NEAR(shelf.b2, 1.19839281085285, 1e-9);
    EXPECT_NEAR(shelf.a1, -1.69065929318241, 1e-9);
    EXPECT_NEAR(shelf.a2, 0.73248077421585, 1e-9);
    const Biquad rlb = KHighPass(48000.0);
    EXPECT_NEAR(rlb.a1, -1.99004745483398, 1e-9);
    EXPECT_NEAR(rlb.a2, 0.99007225036621, 1e-9);
    // The speaker stand-in is a Butterworth: half the power at its corner.
    EXPECT_NEAR(PowerResponse(SpeakerHighPass(200.0, kSampleRate), 200.0), 0.5, 1e-6);
    EXPECT_NEAR(PowerResponse(SpeakerHighPass(200.0, kSampleRate), 5000.0), 1.0, 1e-3);
}

TEST(Loudness, SineAtMinus20dBFSReadsMinus20InStereoAndMinus23InOneChannel)
{
    const LoudnessFigures both = Measure(Sine(1000.0, 0.1, 5.0));
    EXPECT_NEAR(both.integrated, -20.0, 0.1);
    EXPECT_NEAR(both.loudest100ms, -20.0, 0.1);
    EXPECT_NEAR(both.shortTermMax, -20.0, 0.1);
    EXPECT_NEAR(both.range, 0.0, 0.1);
    EXPECT_NEAR(both.samplePeak, -20.0, 0.01);
    EXPECT_NEAR(both.truePeak, -20.0, 0.05);
    EXPECT_NEAR(both.shareAbove8k + both.shareBelow80, 0.0, 1e-3);

    const LoudnessFigures one = Measure(Sine(1000.0, 0.1, 5.0, 0.0, false));
    EXPECT_NEAR(one.integrated, -23.0, 0.1);
    EXPECT_NEAR(Measure(StereoBuffer(1000)).integrated, kSilence, 1e-9);
}

TEST(Loudness, GatesLeaveOutSilenceAndQuietPassagesButTheRangeSeesThem)
{
    // 4 s of sine, 4 s of silence: the absolute gate drops the silence (the
    // blocks across the edge still count).
    StereoBuffer half = Sine(1000.0, 0.1, 8.0);
    std::fill(half.left.begin() + SecondsToFrames(4.0), half.left.end(), 0.0f);
    std::fill(half.right.begin() + SecondsToFrames(4.0), half.right.end(), 0.0f);
    EXPECT_NEAR(Measure(half).integrated, -20.0, 0.25);
    EXPECT_LT(Measure(half).integrated, -20.05);

    // 10 s at -20 then 10 s 30 dB lower: the relative gate drops the quiet
    // part; 10 s 6 dB lower counts, and the range shows the step.
    for (double step : {30.0, 6.0})
    {
        StereoBuffer two = Sine(1000.0, 0.1, 20.0);
        const float quiet = static_cast<float>(std::pow(10.0, -step / 20.0));
        for (std::size_t i = SecondsToFrames(10.0); i < two.Frames(); ++i)
        {
            two.left[i] *= quiet;
            two.right[i] *= quiet;
        }
        const LoudnessFigures f = Measure(two);
        if (step > 20.0)
        {
            EXPECT_NEAR(f.integrated, -20.0, 0.15);
        }
        else
        {
            EXPECT_LT(f.integrated, -21.0);
            EXPECT_GT(f.integrated, -24.0);
            EXPECT_NEAR(f.range, 6.0, 0.3);
        }
    }
}

TEST(Loudness, TruePeakFindsThePeakBetweenSamples)
{
    // A quarter of the sample rate at 45 degrees: every sample lands at
    // 0.707 of the crest, the waveform itself reaches 1.
    const StereoBuffer b = Sine(kSampleRate / 4.0, 0.5, 1.0, M_PI / 4.0);
    const LoudnessFigures f = Measure(b);
    EXPECT_NEAR(f.samplePeak, -9.03, 0.05);
    EXPECT_NEAR(f.truePeak, -6.02, 0.2);
    EXPECT_GT(f.truePeak, f.samplePeak + 2.5);

    // The true-peak limiter holds that signal under its ceiling, the
    // sample-peak limiter does not.
    StereoBuffer bySamples = Sine(kSampleRate / 4.0, 0.9, 1.0, M_PI / 4.0);
    StereoBuffer byTruePeak = bySamples;
    Limit(bySamples, 0.5f, 0.002, 0.05, false);
    Limit(byTruePeak, 0.5f, 0.002, 0.05, false, true);
    EXPECT_GT(TruePeak(bySamples), 0.6);
    EXPECT_LT(TruePeak(byTruePeak), 0.5 * 1.02);
    EXPECT_GT(TruePeak(byTruePeak), 0.5 * 0.9);
}

TEST(Loudness, PinkNoiseLosesThroughTheSpeakerHighPassWhatTheFiltersPredict)
{
    const StereoBuffer pink = PinkNoise(20.0);
    const double loss = Measure(pink).integrated - Measure(pink, true).integrated;
    // Expected: the K-weighted power of a 1/f spectrum with and without the
    // high-pass, summed over log-spaced frequencies from 10 Hz to 20 kHz.
    const Biquad shelf = KShelf(kSampleRate), rlb = KHighPass(kSampleRate);
    const Biquad small = SpeakerHighPass(kSpeakerCorner, kSampleRate);
    double full = 0.0, speaker = 0.0;
    for (double hz = 10.0; hz < 20000.0; hz *= 1.01)
    {
        const double k = PowerResponse(shelf, hz) * PowerResponse(rlb, hz);
        full += k;
        speaker += k * PowerResponse(small, hz);
    }
    const double expected = 10.0 * std::log10(full / speaker);
    EXPECT_GT(expected, 0.4);
    EXPECT_NEAR(loss, expected, 0.1);

    // Pink noise holds as much energy in each octave: 8 kHz to the top is
    // 1.5 of about 12 octaves.
    const LoudnessFigures f = Measure(pink);
    EXPECT_GT(f.shareAbove8k, 0.09);
    EXPECT_LT(f.shareAbove8k, 0.16);
}

TEST(Loudness, EnergySharesSplitTonesAtTheirBandEdges)
{
    StereoBuffer mix = Sine(50.0, 0.3, 2.0);
    const StereoBuffer high = Sine(10000.0, 0.3, 2.0);
    const StereoBuffer middle = Sine(1000.0, 0.3, 2.0);
    for (std::size_t i = 0; i < mix.Frames(); ++i)
    {
        mix.left[i] += high.left[i] + middle.left[i];
        mix.right[i] += high.right[i] + middle.right[i];
    }
    const LoudnessFigures f = Measure(mix);
    EXPECT_NEAR(f.shareBelow80, 1.0 / 3.0, 0.01);
    EXPECT_NEAR(f.shareAbove8k, 1.0 / 3.0, 0.01);
    const LoudnessFigures speaker = Measure(mix, true);
    EXPECT_LT(speaker.shareBelow80, 0.05) << "50 Hz lies 12 dB under the speaker's corner";
}

TEST(SoundRole, SetLoudnessMeetsTheRolesFigureUnderTheCeiling)
{
    // A loud, bass-heavy knock: a gameplay sound is set by the mean of its
    // full-range and small-speaker 100 ms figures, and its true peak holds.
    StereoBuffer knock = Sine(90.0, 0.9, 0.3);
    const StereoBuffer click = Sine(2000.0, 0.9, 0.3);
    for (std::size_t i = 0; i < knock.Frames(); ++i)
    {
        const float fade = static_cast<float>(std::exp(-12.0 * static_cast<double>(i) / kSampleRate));
        knock.left[i] = fade * (knock.left[i] + 0.2f * click.left[i]);
        knock.right[i] = knock.left[i];
    }
    StereoBuffer set = knock;
    SetLoudness(set, SoundRole::Gameplay, -14.0, 0.75f, 0.002, 0.08, false);
    const double mean = 0.5 * (Measure(set).loudest100ms + Measure(set, true).loudest100ms);
    EXPECT_NEAR(mean, -14.0, 0.1);
    EXPECT_LE(TruePeak(set), 0.75 * 1.02);
    EXPECT_GT(Measure(set).loudest100ms, Measure(set, true).loudest100ms + 3.0);

    // A song is set by its integrated loudness, even where the limiter has to work.
    StereoBuffer song = PinkNoise(6.0);
    SetLoudness(song, SoundRole::Song, -12.0, 0.79f, 0.004, 0.15, true);
    EXPECT_NEAR(Measure(song).integrated, -12.0, 0.1);
    EXPECT_LE(TruePeak(song), 0.79 * 1.02);

    SoundRole role = SoundRole::Song;
    EXPECT_TRUE(ParseSoundRole("button", role));
    EXPECT_EQ(role, SoundRole::Button);
    EXPECT_FALSE(ParseSoundRole("music", role));
}
