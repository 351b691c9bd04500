// A pitched instrument of a song and how it renders one note.
//
// One or two oscillators of the same waveform (the second detuned for a
// chorus), an optional sine an octave below, optional phase modulation by a
// sine (bells, electric pianos), a resonant filter whose cutoff jumps up at
// the note start and settles back, vibrato that fades in, and an envelope.
// Notes are rendered mono; the song pans and sends the instrument's bus.
#pragma once

#include "tools/audio/Envelope.h"
#include "tools/audio/Filter.h"
#include "tools/audio/Oscillator.h"

#include <cstdint>
#include <string>
#include <vector>

namespace AudioGen
{

class ParamList;

struct Instrument
{
    // What the instrument's lines in a section contain.
    enum class Play
    {
        Notes,  // a written melody: note names with lengths in beats
        Tones,  // a step pattern of chord tones (bass lines, arpeggios)
        Chords, // a step pattern that strikes the whole chord (pads, stabs)
    };

    std::string name;
    Play play = Play::Notes;
    Waveform wave = Waveform::Triangle;
    double detuneCents = 0.0; // > 0 adds a second oscillator this far sharp
    double subLevel = 0.0;    // sine one octave below, relative level
    double fmRatio = 0.0;     // > 0: sine carrier modulated at ratio × pitch
    double fmIndex = 0.0;     // modulation depth in cycles at the note start
    double fmDecay = 0.5;     // seconds for the depth to fall by 99 %
    Envelope envelope;
    Filter::Mode filterMode = Filter::Mode::LowPass;
    double cutoff = 8000.0;   // Hz, settled value
    double envCutoff = 0.0;   // Hz added at the note start
    double cutoffDecay = 0.2; // seconds for that addition to fall by 99 %
    double resonance = 0.707;
    double vibratoRate = 0.0;  // Hz
    double vibratoDepth = 0.0; // semitones
    double vibratoDelay = 0.2; // seconds before the vibrato is at full depth
    double gain = 0.5;
    double pan = 0.0;   // -1 left .. 1 right
    double width = 0.0; // 0 to 1: a copy 13 ms late spreads the sound across both sides
    double reverbSend = 0.3;
    double legato = 0.9;    // fraction of the written length the gate stays open
    int octave = 4;         // octave of chord tones and chords; transposition of notes by (octave - 4)
    double echoBeats = 0.0; // > 0: echo this many beats later, on the other side
    double echoFeedback = 0.3;
    double echoLevel = 0.3;

    // Reads the parameters of an "instrument" line; throws SourceError.
    static Instrument Parse(const std::string& name, ParamList& params);

    // Renders one note of MIDI pitch `midi` (69 = 440 Hz) held for
    // `gateFrames`, scaled by `velocity`, into `out` (resized to the note's
    // full length including its release). `seed` varies the noise and the
    // detuned oscillator's start phase.
    void RenderNote(double midi, std::size_t gateFrames, float velocity, std::uint32_t seed,
                    std::vector<float>& out) const;
};

// 440 × 2^((midi − 69) / 12).
double MidiToHz(double midi);

} // namespace AudioGen
