// Sound effects as written in their source file, and their rendering.
//
// An effect is a list of voices mixed together. Each voice is one
// oscillator with a pitch sweep, an envelope, an optional swept filter,
// vibrato, tremolo, random grain (for crackle and crunch), optional phase
// modulation, and a start delay; "notes=" turns a voice into a run of
// voices, one per note. The effect gets a little room, is set to a common
// loudness (its loudest 50 ms at the same level, shifted by "level" dB),
// limited, cut where its tail falls 60 dB below its peak, and faded at both
// ends so it starts and ends at exactly 0. An
// effect with "loop=" becomes a seamless loop of that many seconds.
#pragma once

#include "tools/audio/Envelope.h"
#include "tools/audio/Filter.h"
#include "tools/audio/Oscillator.h"
#include "tools/audio/StereoBuffer.h"

#include <string>
#include <vector>

namespace AudioGen
{

// RMS of every effect's loudest 50 ms before its own "level" shift.
inline constexpr double kEffectLoudness = 0.3;

struct EffectVoice
{
    Waveform wave = Waveform::Sine;
    double frequency = 440.0; // Hz at the start
    double frequencyTo = 0.0; // Hz at the end of the sweep; 0: no sweep
    double sweep = 0.0;       // seconds the sweep takes; 0: the voice's length
    double start = 0.0;       // seconds after the effect starts
    double length = 0.0;      // gate in seconds; 0: attack + decay
    Envelope envelope;
    bool filtered = false;
    Filter::Mode filterMode = Filter::Mode::LowPass;
    double cutoff = 2000.0;
    double cutoffTo = 0.0; // 0: fixed cutoff
    double resonance = 0.707;
    double wobbleRate = 0.0, wobbleDepth = 0.0;   // Hz, octaves: the cutoff swings (a howling wind)
    double vibratoRate = 0.0, vibratoDepth = 0.0; // Hz, semitones
    double tremoloRate = 0.0, tremoloDepth = 0.0; // Hz, 0 to 1
    double grainRate = 0.0, grainDepth = 0.0;     // Hz, 0 to 1: random level steps
    double fmRatio = 0.0, fmIndex = 0.0, fmDecay = 0.3;
    double gain = 1.0;
    double pan = 0.0;
    std::uint32_t seed = 1;

    double Seconds() const;
};

struct Effect
{
    std::string name; // file name without ".ogg"
    std::vector<EffectVoice> voices;
    double level = 0.0;       // dB relative to the common loudness
    double reverb = 0.1;      // wet level
    double room = 0.4;        // reverb size
    double loopSeconds = 0.0; // > 0: seamless loop of this length
    double crossfade = 1.0;   // seconds, for loops

    // Frames rendered, a short silent lead-in included, before the silent end
    // is cut off (a loop: its length).
    std::size_t Frames() const;
};

// Parses an effects source; throws SourceError naming `where` and the line.
std::vector<Effect> ParseEffects(const std::string& text, const std::string& where);

StereoBuffer RenderEffect(const Effect& effect);

} // namespace AudioGen
