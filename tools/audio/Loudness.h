// Loudness meter after ITU-R BS.1770 and EBU R 128 (Tech 3341/3342), for
// the generator's normalisation, the data tests and `make listen`.
//
// Input is a StereoBuffer at kSampleRate; both channels weigh 1 (a signal
// in one channel only reads 3 LU lower than the same signal in both).
// Loudness is in LUFS, ranges and differences in LU, peaks in dBFS / dBTP,
// energy shares as parts of 1. Silence reads kSilence. Every function is
// pure and deterministic; nothing is shared between threads.
#pragma once

#include "tools/audio/StereoBuffer.h"

#include <string>
#include <vector>

namespace AudioGen
{

inline constexpr double kSilence = -99.0;     // loudness or peak of digital silence
inline constexpr double kSpeakerCorner = 200; // Hz, the small-speaker stand-in's high-pass

// A biquad section in direct form I with double state.
struct Biquad
{
    double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;

    // Runs the section over `x` in place, from rest.
    void Run(std::vector<double>& x) const;
};

// The two K-weighting sections (the head's shelf, then the RLB high-pass)
// designed for `rate` frames per second.
Biquad KShelf(double rate);
Biquad KHighPass(double rate);

// Second-order Butterworth high-pass (12 dB per octave, -3 dB at `hz`):
// laptop and phone speakers, which give almost nothing below it.
Biquad SpeakerHighPass(double hz, double rate);

struct LoudnessFigures
{
    double integrated = kSilence;   // LUFS, gated (400 ms blocks, -70 LUFS absolute, -10 LU relative)
    double loudest100ms = kSilence; // LUFS, the loudest 100 ms window at any frame
    double momentaryMax = kSilence; // LUFS, the loudest 400 ms window
    double shortTermMax = kSilence; // LUFS, the loudest 3 s window
    double range = 0.0;             // LU, loudness range (3 s windows, 10th to 95th percentile)
    double samplePeak = kSilence;   // dBFS
    double truePeak = kSilence;     // dBTP, 4x oversampled
    double shareAbove8k = 0.0;      // part of the energy above 8 kHz
    double shareBelow80 = 0.0;      // part of the energy below 80 Hz
};

// Measures a whole buffer; with `speaker` it first goes through
// SpeakerHighPass(kSpeakerCorner). Windows longer than the sound see it
// padded with silence, so a 50 ms click has a 100 ms figure.
LoudnessFigures Measure(const StereoBuffer& buffer, bool speaker = false);

// Only the K-weighted figures of Measure (no peaks, no spectrum): what the
// generator needs when it sets levels.
LoudnessFigures MeasureLoudness(const StereoBuffer& buffer, bool speaker = false);

// Largest absolute value of the 4x oversampled signal (linear, not dB);
// never below the largest sample.
double TruePeak(const StereoBuffer& buffer);

// Per frame, the largest absolute value of the oversampled signal between
// the frame before and the frame after (linear), both channels.
// Frames whose neighbourhood cannot reach `floor` get their sample's own
// value, which saves the interpolation where nothing is near a ceiling.
std::vector<float> TruePeakEnvelope(const StereoBuffer& buffer, double floor);

// 20 log10(x), kSilence for 0.
double ToDecibels(double linear);

// The listen table, Markdown aligned for a terminal: its two heading lines
// and one row per file (figures as measured and through the speaker
// stand-in).
std::string LoudnessTableHeader();
std::string LoudnessTableRow(const std::string& name, const LoudnessFigures& raw, const LoudnessFigures& speaker);

} // namespace AudioGen
