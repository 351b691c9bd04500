// A song as written in its source file, and the file's reader.
//
// A song file names the tempo and metre, its instruments and drum kit, then
// sections of bars: a chord for each bar (or several, split evenly), written
// melodies for "notes" instruments, and step patterns (sixteenth notes) for
// "tones"/"chords" instruments and drum pieces. "form" lists the sections in
// playing order. See docs/AUDIO.md for the syntax.
#pragma once

#include "tools/audio/DrumKit.h"
#include "tools/audio/Instrument.h"
#include "tools/audio/SoundRole.h"

#include <map>
#include <string>
#include <vector>

namespace AudioGen
{

struct Chord
{
    int root = 0;               // pitch class, 0 = C
    std::vector<int> intervals; // semitones above the root, first 0
};

struct ChordSlot
{
    double startBeat = 0.0; // from the start of the section
    double beats = 0.0;
    Chord chord;
};

struct NoteToken
{
    int midi = -1; // -1: rest
    double beats = 1.0;
};

struct Section
{
    std::string name;
    int bars = 0;
    double level = 0.0; // dB on every note and hit of the section (a breakdown, a lighter verse)
    std::vector<ChordSlot> chords;
    std::map<std::string, std::vector<NoteToken>> melodies; // by instrument
    std::map<std::string, std::string> patterns;            // by instrument or drum piece
};

struct Song
{
    double tempo = 100.0; // beats per minute
    int meter = 4;        // beats per bar
    double swing = 0.0;   // delay of every second sixteenth, in sixteenths (0 to 0.5)
    bool loop = true;
    SoundRole role = SoundRole::Song; // song or fanfare (a jingle)
    double level = -18.0;             // LUFS of the role's figure (integrated; a fanfare's loudest 3 s)
    double tail = 3.0;                // seconds rendered past the end for releases and the room
    unsigned seed = 1;
    double reverbSize = 0.6;
    double reverbDamping = 0.5;
    double reverbWet = 1.0;
    std::vector<Instrument> instruments;
    DrumKit::Settings drums;
    std::map<std::string, Section> sections;
    std::vector<std::string> form;

    static constexpr int kStepsPerBeat = 4;

    double BeatSeconds() const { return 60.0 / tempo; }
    double TotalBeats() const;
    // Frames of one pass through the form (the loop length).
    std::size_t LengthFrames() const;
    const Instrument* FindInstrument(const std::string& name) const;

    // Parses a song source; throws SourceError naming `where` and the line.
    static Song Parse(const std::string& text, const std::string& where);
};

// "c4" = 60, "a4" = 69, "f#3", "bb2"; false when `text` is no note name.
bool ParseNoteName(const std::string& text, int& midi);

// "C", "Am", "G7", "Fmaj7", "Dm7", "Esus4", "Bdim", "Caug", "Cadd9", "C6",
// "Am9"; false when `text` is no chord name.
bool ParseChordName(const std::string& text, Chord& chord);

} // namespace AudioGen
