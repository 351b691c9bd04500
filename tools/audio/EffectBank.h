// Sound effects as written in their source file, and their rendering.
//
// An effect is a list of voices mixed together. Each voice is one
// oscillator with a pitch sweep, an envelope, an optional swept filter,
// vibrato, tremolo, random grain (for crackle and crunch), optional phase
// modulation, and a start delay; "notes=" turns a voice into a run of
// voices, one per note. The effect gets a little room, is cut where its tail
// falls 60 dB below its peak, is set to its role's loudness (SoundRole.h)
// shifted by "level" LU, limited to kEffectCeiling true peak, and faded at
// the end so it starts and ends at exactly 0. An effect with "loop=" becomes
// a seamless loop of that many seconds.
#pragma once

#include "tools/audio/Envelope.h"
#include "tools/audio/Filter.h"
#include "tools/audio/Oscillator.h"
#include "tools/audio/SoundRole.h"
#include "tools/audio/StereoBuffer.h"

#include <string>
#include <vector>

namespace AudioGen
{

// True peak every effect is limited to before encoding (-2.5 dBTP): noisy
// transients overshoot in the codec, and the decoded file must stay under
// -1 dBTP.
inline constexpr float kEffectCeiling = 0.75f;

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
    double tremoloPhase = 0.0;                    // cycles; 0 starts loud, 0.5 starts at the quiet point
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
    SoundRole role = SoundRole::Gameplay;
    double level = 0.0;       // LU relative to the role's loudness
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
