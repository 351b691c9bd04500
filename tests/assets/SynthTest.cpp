// Numerical checks of the synthesiser's building blocks: oscillators,
// envelopes, filters, the limiter, loop joins and the codecs.
#include "tools/audio/DrumKit.h"
#include "tools/audio/Envelope.h"
#include "tools/audio/Filter.h"
#include "tools/audio/Mastering.h"
#include "tools/audio/NoiseSource.h"
#include "tools/audio/Oscillator.h"
#include "tools/audio/VorbisCodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace AudioGen;

namespace
{

// Upward zero crossings per second of a signal.
double MeasureFrequency(const std::vector<float>& x)
{
    int crossings = 0;
    for (std::size_t i = 1; i < x.size(); ++i)
    {
        if (x[i - 1] < 0.0f && x[i] >= 0.0f)
        {
            ++crossings;
        }
    }
    return crossings * static_cast<double>(kSampleRate) / static_cast<double>(x.size());
}

std::vector<float> RunOscillator(Oscillator& osc, std::size_t frames)
{
    std::vector<float> x(frames);
    for (float& v : x)
    {
        v = osc.Next();
    }
    return x;
}

// Steady-state amplitude of the filter's answer to a sine of `hz`.
double FilterGain(Filter::Mode mode, double cutoff, double q, double hz)
{
    Filter filter(mode, cutoff, q);
    Oscillator osc(Waveform::Sine);
    osc.SetFrequency(hz);
    const std::size_t settle = kSampleRate / 2;
    double peak = 0.0;
    for (std::size_t i = 0; i < settle + kSampleRate / 2; ++i)
    {
        float y = filter.Process(osc.Next());
        if (i >= settle)
        {
            peak = std::max(peak, static_cast<double>(std::fabs(y)));
        }
    }
    return peak;
}

} // namespace

TEST(Oscillator, EveryWaveformRunsAtItsFrequencyWithoutOffset)
{
    for (Waveform wave : {Waveform::Sine, Waveform::Square, Waveform::Saw, Waveform::Triangle})
    {
        for (double hz : {55.0, 441.0, 3000.0})
        {
            Oscillator osc(wave);
            osc.SetFrequency(hz);
            std::vector<float> x = RunOscillator(osc, kSampleRate);
            EXPECT_NEAR(MeasureFrequency(x), hz, 1.0) << static_cast<int>(wave) << " at " << hz;
            double mean = 0.0;
            float peak = 0.0f;
            for (float v : x)
            {
                mean += v;
                peak = std::max(peak, std::fabs(v));
            }
            EXPECT_NEAR(mean / x.size(), 0.0, 0.01);
            EXPECT_LT(peak, 1.3f);  // the band-limiting correction may ring a little past 1
            EXPECT_GT(peak, 0.85f); // a sampled triangle misses its tip by up to 2 × f / rate
        }
    }
}

TEST(Oscillator, SineTableMatchesTheLibraryAndStartsAtZero)
{
    double worst = 0.0;
    for (int i = -1000; i <= 1000; ++i)
    {
        double cycles = i * 0.0123;
        worst = std::max(worst, std::fabs(Oscillator::Sine(cycles) - std::sin(2.0 * M_PI * cycles)));
    }
    EXPECT_LT(worst, 2e-6);
    Oscillator sine(Waveform::Sine), triangle(Waveform::Triangle);
    sine.SetFrequency(100.0);
    triangle.SetFrequency(100.0);
    EXPECT_FLOAT_EQ(sine.Next(), 0.0f);
    EXPECT_NEAR(triangle.Next(), 0.0f, 1e-6);
    EXPECT_GT(triangle.Next(), 0.0f);
}

TEST(Oscillator, NoiseIsReproducibleFromItsSeedAndCentred)
{
    NoiseSource a(5), b(5), c(6);
    bool differs = false;
    double sum = 0.0;
    for (int i = 0; i < 100000; ++i)
    {
        float x = a.Next();
        ASSERT_EQ(x, b.Next());
        differs = differs || x != c.Next();
        ASSERT_GE(x, -1.0f);
        ASSERT_LT(x, 1.0f);
        sum += x;
    }
    EXPECT_TRUE(differs);
    EXPECT_NEAR(sum / 100000.0, 0.0, 0.01);
}

TEST(Envelope, AttackDecaySustainAndReleaseFollowTheirTimes)
{
    Envelope env;
    env.attack = 0.01;
    env.decay = 0.1;
    env.sustain = 0.5;
    env.release = 0.2;
    const std::size_t gate = SecondsToFrames(0.5);
    std::vector<float> x;
    env.Render(gate, x);
    ASSERT_EQ(x.size(), env.Length(gate));
    ASSERT_EQ(x.size(), gate + SecondsToFrames(0.2));

    const std::size_t attack = SecondsToFrames(0.01);
    EXPECT_NEAR(x[attack / 2], 0.5f, 0.01f); // linear rise
    EXPECT_NEAR(x[attack - 1], 1.0f, 1e-6f);
    // After the decay time the level is within 1 % of the way to the sustain.
    EXPECT_NEAR(x[attack + SecondsToFrames(0.1)], 0.505f, 0.002f);
    EXPECT_NEAR(x[gate - 1], 0.5f, 1e-4f);
    for (std::size_t i = gate; i < x.size(); ++i)
    {
        ASSERT_LE(x[i], x[i - 1]) << "release must fall monotonically at " << i;
    }
    EXPECT_EQ(x.back(), 0.0f);
    EXPECT_LT(x.front(), 0.01f);
}

TEST(Envelope, GateShorterThanAttackReleasesFromTheLevelReached)
{
    Envelope env;
    env.attack = 0.1;
    env.release = 0.05;
    const std::size_t gate = SecondsToFrames(0.025);
    std::vector<float> x;
    env.Render(gate, x);
    float reached = x[gate - 1];
    EXPECT_NEAR(reached, 0.25f, 0.01f);
    for (float v : x)
    {
        EXPECT_LE(v, reached);
    }
    EXPECT_EQ(x.back(), 0.0f);
}

TEST(Envelope, ZeroTimesStillStartAndEndWithoutASteps)
{
    Envelope env;
    env.attack = 0.0;
    env.release = 0.0;
    env.sustain = 1.0;
    std::vector<float> x;
    env.Render(SecondsToFrames(0.01), x);
    EXPECT_LT(x.front(), 0.05f);                 // at least 1 ms rise
    EXPECT_GE(x.size(), SecondsToFrames(0.012)); // at least 2 ms fall
    EXPECT_EQ(x.back(), 0.0f);
}

TEST(Filter, LowPassAndHighPassHaveTheirResponse)
{
    // Flat response (q = 0.707): unity far inside the pass band, -3 dB at the
    // cutoff, 12 dB per octave outside: -40 dB a decade away.
    EXPECT_NEAR(FilterGain(Filter::Mode::LowPass, 1000.0, 0.707, 100.0), 1.0, 0.02);
    EXPECT_NEAR(FilterGain(Filter::Mode::LowPass, 1000.0, 0.707, 1000.0), 0.707, 0.02);
    EXPECT_NEAR(FilterGain(Filter::Mode::LowPass, 1000.0, 0.707, 10000.0), 0.01, 0.004);
    EXPECT_NEAR(FilterGain(Filter::Mode::HighPass, 1000.0, 0.707, 10000.0), 1.0, 0.02);
    EXPECT_NEAR(FilterGain(Filter::Mode::HighPass, 1000.0, 0.707, 1000.0), 0.707, 0.02);
    EXPECT_NEAR(FilterGain(Filter::Mode::HighPass, 1000.0, 0.707, 100.0), 0.01, 0.004);
}

TEST(Filter, BandPassPeaksAtItsCentreAndResonanceRaisesTheCutoff)
{
    EXPECT_NEAR(FilterGain(Filter::Mode::BandPass, 2000.0, 4.0, 2000.0), 1.0, 0.03);
    EXPECT_LT(FilterGain(Filter::Mode::BandPass, 2000.0, 4.0, 500.0), 0.1);
    EXPECT_LT(FilterGain(Filter::Mode::BandPass, 2000.0, 4.0, 8000.0), 0.1);
    // A resonant low-pass rings at its cutoff: gain q there.
    EXPECT_NEAR(FilterGain(Filter::Mode::LowPass, 1000.0, 4.0, 1000.0), 4.0, 0.15);
}

TEST(DrumKit, PiecesStartAndEndSilentAndSitWhereTheyBelong)
{
    DrumKit kit{DrumKit::Settings{}};
    for (int p = 0; p < DrumKit::PieceCount; ++p)
    {
        const std::vector<float>& x = kit.Sample(static_cast<DrumKit::Piece>(p));
        ASSERT_GT(x.size(), SecondsToFrames(0.03)) << p;
        EXPECT_EQ(x.front(), 0.0f) << p;
        EXPECT_EQ(x.back(), 0.0f) << p;
        float peak = 0.0f;
        for (float v : x)
        {
            peak = std::max(peak, std::fabs(v));
        }
        EXPECT_GT(peak, 0.2f) << p;
        EXPECT_LT(peak, 2.0f) << p;
    }
    // Past its click, the kick is a low boom; the hat is all hiss.
    std::vector<float> body(kit.Sample(DrumKit::Kick).begin() + SecondsToFrames(0.02), kit.Sample(DrumKit::Kick).end());
    EXPECT_LT(MeasureFrequency(body), 120.0);
    EXPECT_GT(MeasureFrequency(kit.Sample(DrumKit::Hat)), 4000.0);

    DrumKit::Settings low;
    low.pitch = 0.5;
    std::vector<float> lowBody(DrumKit(low).Sample(DrumKit::Tom));
    EXPECT_NEAR(MeasureFrequency(lowBody), 0.5 * MeasureFrequency(kit.Sample(DrumKit::Tom)), 15.0);

    DrumKit::Piece piece;
    EXPECT_TRUE(DrumKit::PieceByName("open", piece));
    EXPECT_EQ(piece, DrumKit::OpenHat);
    EXPECT_FALSE(DrumKit::PieceByName("cowbell", piece));
}

TEST(Mastering, LimiterKeepsEverySampleUnderTheCeilingAndMovesSmoothly)
{
    StereoBuffer b(SecondsToFrames(1.0));
    Oscillator osc(Waveform::Sine);
    osc.SetFrequency(220.0);
    for (std::size_t i = 0; i < b.Frames(); ++i)
    {
        b.left[i] = osc.Next() * 0.5f;
        b.right[i] = 0.5f;
    }
    const std::size_t spike = b.Frames() / 2;
    b.left[spike] = 3.0f;
    StereoBuffer original = b;
    Limit(b, 0.8f, 0.005, 0.05, false);
    EXPECT_LE(Peak(b), 0.8f + 1e-6f);
    // Far from the spike the music is untouched; near it the gain falls
    // gradually instead of in one step.
    EXPECT_EQ(b.left[100], original.left[100]);
    EXPECT_EQ(b.right[b.Frames() - 1], original.right[b.Frames() - 1]);
    const double needed = 0.8 / 3.0;
    EXPECT_NEAR(b.right[spike] / 0.5, needed, 1e-6);
    EXPECT_NEAR(b.right[spike - 10] / 0.5, needed + 10.0 / SecondsToFrames(0.005), 1e-3);
    EXPECT_NEAR(b.right[spike + 10] / 0.5, needed + 10.0 / SecondsToFrames(0.05), 1e-3);
}

TEST(Mastering, CircularLimiterLooksAcrossTheLoopPoint)
{
    StereoBuffer b(SecondsToFrames(0.5));
    for (std::size_t i = 0; i < b.Frames(); ++i)
    {
        b.left[i] = b.right[i] = 0.5f;
    }
    b.left[0] = 2.0f;
    Limit(b, 0.8f, 0.01, 0.01, true);
    EXPECT_LE(Peak(b), 0.8f + 1e-6f);
    // The frames just before the end lead into the peak at frame 0.
    EXPECT_LT(b.left[b.Frames() - 2], 0.5f);
}

TEST(Mastering, WrapTailFoldsTheTailOntoTheStart)
{
    StereoBuffer b(10);
    for (std::size_t i = 0; i < 10; ++i)
    {
        b.left[i] = static_cast<float>(i);
        b.right[i] = 1.0f;
    }
    WrapTail(b, 4);
    ASSERT_EQ(b.Frames(), 4u);
    // frame 0 collects frames 0, 4 and 8; frame 2 collects 2 and 6.
    EXPECT_EQ(b.left[0], 12.0f);
    EXPECT_EQ(b.left[2], 8.0f);
    EXPECT_EQ(b.right[0], 3.0f);
    EXPECT_EQ(b.right[3], 2.0f);
}

TEST(Mastering, CrossfadedLoopJoinsWithoutAJump)
{
    // A ramp: any cut would show as a jump between the last and first frame.
    const std::size_t loop = 1000, fade = 200;
    StereoBuffer b(loop + fade);
    for (std::size_t i = 0; i < b.Frames(); ++i)
    {
        b.left[i] = b.right[i] = static_cast<float>(i) / static_cast<float>(b.Frames());
    }
    CrossfadeLoop(b, loop, fade);
    ASSERT_EQ(b.Frames(), loop);
    EXPECT_NEAR(b.left[0], b.left[loop - 1], 0.005f);
    EXPECT_EQ(b.left[fade + 5], static_cast<float>(fade + 5) / static_cast<float>(loop + fade));
}

TEST(Mastering, LoudestWindowFindsAShortBurstInSilence)
{
    StereoBuffer b(SecondsToFrames(1.0));
    const std::size_t burst = SecondsToFrames(0.05);
    for (std::size_t i = 0; i < burst; ++i)
    {
        b.left[SecondsToFrames(0.5) + i] = 0.5f;
        b.right[SecondsToFrames(0.5) + i] = -0.5f;
    }
    // Windows overlap by half, so one of them holds at least three quarters of the burst.
    EXPECT_GE(LoudestWindowRms(b, 0.05), 0.5 * std::sqrt(0.75) - 1e-6);
    EXPECT_LE(LoudestWindowRms(b, 0.05), 0.5 + 1e-6);
    EXPECT_NEAR(Rms(b), 0.5 * std::sqrt(0.05), 1e-3);
}

TEST(Mastering, FadeEdgesEndsExactlyAtZero)
{
    StereoBuffer b(100);
    for (std::size_t i = 0; i < 100; ++i)
    {
        b.left[i] = b.right[i] = 1.0f;
    }
    FadeEdges(b, 10, 20);
    EXPECT_EQ(b.left.front(), 0.0f);
    EXPECT_NEAR(b.right.back(), 0.0f, 1e-7f);
    EXPECT_EQ(b.left[50], 1.0f);
    EXPECT_NEAR(b.left[5], 0.5f, 0.01f);
}

TEST(Codec, VorbisRoundTripKeepsLengthPitchAndIsDeterministic)
{
    StereoBuffer b(SecondsToFrames(1.3));
    Oscillator osc(Waveform::Sine);
    osc.SetFrequency(441.0);
    for (std::size_t i = 0; i < b.Frames(); ++i)
    {
        b.left[i] = 0.5f * osc.Next();
        b.right[i] = 0.25f * b.left[i];
    }
    auto first = EncodeVorbis(b, kVorbisQuality, 1234);
    EXPECT_EQ(first, EncodeVorbis(b, kVorbisQuality, 1234));
    EXPECT_NE(first, EncodeVorbis(b, kVorbisQuality, 1235));

    std::filesystem::create_directories(FROTHWICK_TEST_TMP_DIR);
    const std::string path = std::string(FROTHWICK_TEST_TMP_DIR) + "/synth_roundtrip.ogg";
    WriteBinaryFile(path, first);
    DecodedAudio decoded;
    ASSERT_TRUE(DecodeVorbisFile(path, decoded));
    EXPECT_EQ(decoded.rate, kSampleRate);
    EXPECT_EQ(decoded.channels, 2);
    EXPECT_EQ(decoded.announcedFrames, static_cast<long long>(b.Frames()));
    ASSERT_EQ(decoded.samples.Frames(), b.Frames());
    EXPECT_NEAR(MeasureFrequency(decoded.samples.left), 441.0, 2.0);
    EXPECT_NEAR(Peak(decoded.samples), 0.5f, 0.03f);
    EXPECT_NEAR(Rms(decoded.samples), Rms(b), 0.01);
}

TEST(Codec, WavHeaderDescribesSixteenBitStereo)
{
    StereoBuffer b(3);
    b.left = {0.0f, 1.0f, -2.0f};
    b.right = {0.5f, -1.0f, 0.0f};
    auto wav = EncodeWav(b);
    ASSERT_EQ(wav.size(), 44u + 12u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    auto read16 = [&](std::size_t at) { return static_cast<std::int16_t>(wav[at] | (wav[at + 1] << 8)); };
    auto read32 = [&](std::size_t at)
    { return static_cast<std::uint32_t>(wav[at] | (wav[at + 1] << 8) | (wav[at + 2] << 16) | (wav[at + 3] << 24)); };
    EXPECT_EQ(read32(4), 36u + 12u);
    EXPECT_EQ(read16(22), 2);
    EXPECT_EQ(read32(24), 44100u);
    EXPECT_EQ(read16(34), 16);
    EXPECT_EQ(read32(40), 12u);
    EXPECT_EQ(read16(44 + 4), 32767);  // left of frame 1
    EXPECT_EQ(read16(44 + 8), -32767); // clamped -2
    EXPECT_EQ(read16(44 + 6), -32767);
}
