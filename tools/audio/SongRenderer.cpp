#include "tools/audio/SongRenderer.h"

#include "tools/audio/Mastering.h"
#include "tools/audio/NoiseSource.h"
#include "tools/audio/Reverb.h"
#include "tools/audio/SoundRole.h"

#include <algorithm>
#include <cmath>

namespace AudioGen
{

namespace
{

struct NoteEvent
{
    double startBeat = 0.0;
    double beats = 0.0;
    int midi = 60;
    float velocity = 1.0f;
};

struct DrumHit
{
    double beat = 0.0;
    DrumKit::Piece piece = DrumKit::Kick;
    float velocity = 1.0f;
};

const Chord& ChordAt(const Section& section, double beat)
{
    const ChordSlot* found = &section.chords.front();
    for (const ChordSlot& slot : section.chords)
    {
        if (slot.startBeat <= beat + 1e-9)
        {
            found = &slot;
        }
    }
    return found->chord;
}

// Semitones above the chord's root for a step character of a tone pattern;
// false for characters that are no chord tone.
bool ToneOffset(char c, const Chord& chord, int& offset)
{
    const auto& iv = chord.intervals;
    switch (c)
    {
        case '1':
        case 'R':
            offset = 0;
            return true;
        case '3':
            offset = iv[1];
            return true;
        case '5':
            offset = iv[2];
            return true;
        case '7':
            offset = iv.size() > 3 && iv[3] < 12 ? iv[3] : 12;
            return true;
        case '8':
            offset = 12;
            return true;
        case '9':
            offset = 14;
            return true;
        case '2':
            offset = 2;
            return true;
        case '4':
            offset = 5;
            return true;
        case '6':
            offset = 9;
            return true;
        case 'L':
            offset = -12;
            return true;
        case 'l':
            offset = iv[2] - 12;
            return true;
        case 'T':
            offset = iv[1] + 12;
            return true;
        default:
            return false;
    }
}

// Close voicing of the chord with every tone in [base, base + 12).
std::vector<int> Voicing(const Chord& chord, int base)
{
    std::vector<int> notes;
    for (int interval : chord.intervals)
    {
        int pc = (chord.root + interval) % 12;
        int note = base + ((pc - base) % 12 + 12) % 12;
        if (std::find(notes.begin(), notes.end(), note) == notes.end())
        {
            notes.push_back(note);
        }
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

class Arranger
{
public:
    explicit Arranger(const Song& s) : song(s), random(s.seed * 7919u + 1u) {}

    void Run()
    {
        double sectionStart = 0.0;
        for (const std::string& name : song.form)
        {
            const Section& section = song.sections.at(name);
            sectionGain = static_cast<float>(std::pow(10.0, section.level / 20.0));
            for (const auto& [instrumentName, melody] : section.melodies)
            {
                AddMelody(instrumentName, melody, sectionStart);
            }
            for (const auto& [key, pattern] : section.patterns)
            {
                AddPattern(section, key, pattern, sectionStart);
            }
            sectionStart += section.bars * song.meter;
        }
    }

    std::map<std::string, std::vector<NoteEvent>> notes;
    std::vector<DrumHit> hits;

private:
    float Human(float velocity) { return sectionGain * velocity * static_cast<float>(0.95 + 0.08 * random.Uniform()); }

    double StepBeat(double sectionStart, std::size_t step) const
    {
        double beat = sectionStart + static_cast<double>(step) / Song::kStepsPerBeat;
        if (step % 2 == 1)
        {
            beat += song.swing / Song::kStepsPerBeat;
        }
        return beat;
    }

    void AddMelody(const std::string& name, const std::vector<NoteToken>& tokens, double sectionStart)
    {
        const Instrument& instrument = *song.FindInstrument(name);
        double beat = sectionStart;
        for (const NoteToken& token : tokens)
        {
            if (token.midi >= 0)
            {
                double inBar = std::fmod(beat - sectionStart, song.meter);
                float accent = inBar < 1e-6 ? 1.0f : (std::fmod(inBar, 1.0) < 1e-6 ? 0.92f : 0.85f);
                notes[name].push_back({beat, token.beats, token.midi + 12 * (instrument.octave - 4), Human(accent)});
            }
            beat += token.beats;
        }
    }

    void AddPattern(const Section& section, const std::string& key, const std::string& pattern, double sectionStart)
    {
        const std::size_t steps = static_cast<std::size_t>(section.bars * song.meter * Song::kStepsPerBeat);
        const std::size_t stepsPerBar = static_cast<std::size_t>(song.meter * Song::kStepsPerBeat);
        DrumKit::Piece piece;
        if (DrumKit::PieceByName(key, piece))
        {
            for (std::size_t s = 0; s < steps; ++s)
            {
                char c = pattern[s % pattern.size()];
                float velocity = c == 'x' ? 1.0f : c == 'X' ? 1.2f : c == 'o' ? 0.5f : 0.0f;
                if (velocity > 0.0f)
                {
                    hits.push_back({StepBeat(sectionStart, s), piece, Human(velocity)});
                }
            }
            return;
        }
        const Instrument& instrument = *song.FindInstrument(key);
        for (std::size_t s = 0; s < steps; ++s)
        {
            char c = pattern[s % pattern.size()];
            if (c == '.' || c == '-')
            {
                continue;
            }
            std::size_t length = 1;
            while (s + length < steps && pattern[(s + length) % pattern.size()] == '-')
            {
                ++length;
            }
            const double localBeat = static_cast<double>(s) / Song::kStepsPerBeat;
            const Chord& chord = ChordAt(section, localBeat);
            const double beat = StepBeat(sectionStart, s);
            const double beats = static_cast<double>(length) / Song::kStepsPerBeat;
            float accent = s % stepsPerBar == 0 ? 1.0f : (s % Song::kStepsPerBeat == 0 ? 0.9f : 0.78f);
            if (c == 'X')
            {
                accent *= 1.2f;
            }
            if (instrument.play == Instrument::Play::Chords)
            {
                for (int midi : Voicing(chord, 12 * (instrument.octave + 1) + 5))
                {
                    notes[key].push_back({beat, beats, midi, Human(accent)});
                }
            }
            else
            {
                int offset = 0;
                if (!ToneOffset(c, chord, offset))
                {
                    continue;
                }
                int midi = 12 * (instrument.octave + 1) + chord.root + offset;
                notes[key].push_back({beat, beats, midi, Human(accent)});
            }
        }
    }

    const Song& song;
    NoiseSource random;
    float sectionGain = 1.0f;
};

void AddPanned(StereoBuffer& out, const std::vector<float>& mono, std::size_t at, float gain, double pan)
{
    double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * M_PI / 4.0;
    float left = gain * static_cast<float>(std::cos(angle) * M_SQRT2);
    float right = gain * static_cast<float>(std::sin(angle) * M_SQRT2);
    std::size_t n = std::min(mono.size(), out.Frames() - std::min(out.Frames(), at));
    for (std::size_t i = 0; i < n; ++i)
    {
        out.left[at + i] += left * mono[i];
        out.right[at + i] += right * mono[i];
    }
}

} // namespace

StereoBuffer RenderSong(const Song& song)
{
    Arranger arranger(song);
    arranger.Run();

    const double frameOfBeat = song.BeatSeconds() * kSampleRate;
    auto frameAt = [&](double beat) { return static_cast<std::size_t>(std::llround(beat * frameOfBeat)); };
    const std::size_t loopFrames = song.LengthFrames();
    const std::size_t total = loopFrames + SecondsToFrames(song.tail);

    StereoBuffer mix(total);
    std::vector<float> send(total, 0.0f);
    std::vector<float> bus;
    std::vector<float> note;

    std::uint32_t seed = song.seed;
    for (const Instrument& instrument : song.instruments)
    {
        auto found = arranger.notes.find(instrument.name);
        if (found == arranger.notes.end())
        {
            continue;
        }
        bus.assign(total, 0.0f);
        for (const NoteEvent& event : found->second)
        {
            std::size_t start = frameAt(event.startBeat);
            std::size_t gate = std::max<std::size_t>(1, frameAt(event.beats * instrument.legato));
            instrument.RenderNote(event.midi, gate, event.velocity, ++seed, note);
            std::size_t n = std::min(note.size(), total - std::min(total, start));
            for (std::size_t i = 0; i < n; ++i)
            {
                bus[start + i] += note[i];
            }
        }
        const float gain = static_cast<float>(instrument.gain);
        if (instrument.width > 0.0)
        {
            // The sound on one side and its slightly late copy on the other
            // widen it without moving its centre.
            const double spread = std::clamp(instrument.width, 0.0, 1.0);
            AddPanned(mix, bus, 0, gain * 0.75f, instrument.pan - spread);
            AddPanned(mix, bus, SecondsToFrames(0.013), gain * 0.75f, instrument.pan + spread);
        }
        else
        {
            AddPanned(mix, bus, 0, gain, instrument.pan);
        }
        for (std::size_t i = 0; i < total; ++i)
        {
            send[i] += bus[i] * gain * static_cast<float>(instrument.reverbSend);
        }
        if (instrument.echoBeats > 0.0)
        {
            // Each repeat comes back from the other side.
            const std::size_t delay = std::max<std::size_t>(1, frameAt(instrument.echoBeats));
            std::vector<float> echo(total, 0.0f);
            for (std::size_t i = delay; i < total; ++i)
            {
                echo[i] = bus[i - delay] + static_cast<float>(instrument.echoFeedback) * echo[i - delay];
            }
            AddPanned(mix, echo, 0, gain * static_cast<float>(instrument.echoLevel), -instrument.pan - 0.4);
        }
    }

    DrumKit kit(song.drums);
    const auto& kitSettings = kit.GetSettings();
    for (const DrumHit& hit : arranger.hits)
    {
        const std::vector<float>& sample = kit.Sample(hit.piece);
        std::size_t start = frameAt(hit.beat);
        float gain = hit.velocity * static_cast<float>(kitSettings.level[hit.piece]);
        AddPanned(mix, sample, start, gain, kitSettings.pan[hit.piece]);
        if (hit.piece != DrumKit::Kick)
        {
            std::size_t n = std::min(sample.size(), total - std::min(total, start));
            for (std::size_t i = 0; i < n; ++i)
            {
                send[start + i] += sample[i] * gain * static_cast<float>(kitSettings.reverbSend);
            }
        }
    }

    Reverb room(song.reverbSize, song.reverbDamping);
    room.Process(send, mix, static_cast<float>(song.reverbWet));

    if (song.loop)
    {
        WrapTail(mix, loopFrames);
    }
    else
    {
        // The room's last whisper is cut where it falls 60 dB below the peak.
        const float floor = Peak(mix) * 0.001f;
        std::size_t end = mix.Frames();
        while (end > 0 && std::fabs(mix.left[end - 1]) <= floor && std::fabs(mix.right[end - 1]) <= floor)
        {
            --end;
        }
        mix.Resize(std::max(end, loopFrames));
    }

    SetLoudness(mix, song.role, song.level, kCeiling, 0.004, 0.15, song.loop);
    if (!song.loop)
    {
        FadeEdges(mix, 0, SecondsToFrames(0.05));
    }
    return mix;
}

} // namespace AudioGen
