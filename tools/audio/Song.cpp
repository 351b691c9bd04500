#include "tools/audio/Song.h"

#include "tools/audio/SourceText.h"

#include <cmath>
#include <set>

namespace AudioGen
{

namespace
{

bool ParsePitchClass(const std::string& text, std::size_t& pos, int& pc)
{
    static const int kNatural[] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
    if (text.empty())
    {
        return false;
    }
    char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    if (letter < 'a' || letter > 'g')
    {
        return false;
    }
    pc = kNatural[letter - 'a'];
    pos = 1;
    if (pos < text.size() && (text[pos] == '#' || text[pos] == 'b'))
    {
        // "b" after the letter is a flat; a lone "b" is the note B.
        pc += text[pos] == '#' ? 1 : -1;
        ++pos;
    }
    pc = (pc + 12) % 12;
    return true;
}

double ParseBeats(const std::string& text, const std::string& where)
{
    std::size_t slash = text.find('/');
    if (slash == std::string::npos)
    {
        return ParseNumber(text, where);
    }
    double over = ParseNumber(text.substr(slash + 1), where);
    if (over <= 0.0)
    {
        throw SourceError(where + ": bad length \"" + text + "\"");
    }
    return ParseNumber(text.substr(0, slash), where) / over;
}

std::string At(const std::string& where, int line)
{
    return where + ":" + std::to_string(line);
}

} // namespace

bool ParseNoteName(const std::string& text, int& midi)
{
    std::size_t pos = 0;
    int pc = 0;
    if (!ParsePitchClass(text, pos, pc) || pos >= text.size())
    {
        return false;
    }
    // The accidental may have moved C below or B above the written octave.
    int shift = 0;
    if (text.size() > 1 && (text[1] == '#' || text[1] == 'b'))
    {
        int natural = 0;
        std::size_t p = 0;
        ParsePitchClass(text.substr(0, 1), p, natural);
        int delta = pc - natural;
        if (delta > 6)
            shift = -12;
        else if (delta < -6)
            shift = 12;
    }
    std::string octaveText = text.substr(pos);
    for (char c : octaveText)
    {
        if (c < '0' || c > '9')
        {
            return false;
        }
    }
    int octave = std::stoi(octaveText);
    midi = 12 * (octave + 1) + pc + shift;
    return midi >= 0 && midi < 128;
}

bool ParseChordName(const std::string& text, Chord& chord)
{
    std::size_t pos = 0;
    if (!ParsePitchClass(text, pos, chord.root))
    {
        return false;
    }
    // A capital B is always the root: "Bb" is B flat, never B then "b".
    std::string quality = text.substr(pos);
    static const std::map<std::string, std::vector<int>> kQualities = {
        {"", {0, 4, 7}},           {"m", {0, 3, 7}},         {"7", {0, 4, 7, 10}},     {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}},     {"sus2", {0, 2, 7}},      {"sus4", {0, 5, 7}},      {"dim", {0, 3, 6}},
        {"aug", {0, 4, 8}},        {"add9", {0, 4, 7, 14}},  {"6", {0, 4, 7, 9}},      {"m6", {0, 3, 7, 9}},
        {"m9", {0, 3, 7, 10, 14}}, {"9", {0, 4, 7, 10, 14}}, {"madd9", {0, 3, 7, 14}}, {"dim7", {0, 3, 6, 9}}};
    auto it = kQualities.find(quality);
    if (it == kQualities.end())
    {
        return false;
    }
    chord.intervals = it->second;
    return true;
}

double Song::TotalBeats() const
{
    double beats = 0.0;
    for (const std::string& name : form)
    {
        beats += sections.at(name).bars * meter;
    }
    return beats;
}

std::size_t Song::LengthFrames() const
{
    return SecondsToFrames(TotalBeats() * BeatSeconds());
}

const Instrument* Song::FindInstrument(const std::string& name) const
{
    for (const Instrument& in : instruments)
    {
        if (in.name == name)
        {
            return &in;
        }
    }
    return nullptr;
}

Song Song::Parse(const std::string& text, const std::string& where)
{
    Song song;
    Section* current = nullptr;
    std::set<std::string> setHere; // keys written in the current section (not inherited)
    for (const SourceLine& line : SplitLines(text))
    {
        const std::string at = At(where, line.number);
        const std::string& key = line.words[0];
        auto single = [&]() -> const std::string&
        {
            if (line.words.size() != 2)
            {
                throw SourceError(at + ": \"" + key + "\" takes one value");
            }
            return line.words[1];
        };
        if (key == "tempo")
            song.tempo = ParseNumber(single(), at);
        else if (key == "meter")
            song.meter = static_cast<int>(ParseNumber(single(), at));
        else if (key == "swing")
            song.swing = ParseNumber(single(), at);
        else if (key == "level")
            song.level = ParseNumber(single(), at);
        else if (key == "tail")
            song.tail = ParseNumber(single(), at);
        else if (key == "seed")
            song.seed = static_cast<unsigned>(ParseNumber(single(), at));
        else if (key == "role")
        {
            if (!ParseSoundRole(single(), song.role) ||
                (song.role != SoundRole::Song && song.role != SoundRole::Fanfare))
                throw SourceError(at + ": a song's role is song or fanfare");
        }
        else if (key == "loop")
        {
            const std::string& value = single();
            if (value != "on" && value != "off")
                throw SourceError(at + ": loop is on or off");
            song.loop = value == "on";
        }
        else if (key == "reverb")
        {
            ParamList p(line.words, 1, at);
            song.reverbSize = p.Number("size", song.reverbSize);
            song.reverbDamping = p.Number("damping", song.reverbDamping);
            song.reverbWet = p.Number("wet", song.reverbWet);
            p.Finish();
        }
        else if (key == "drums")
        {
            ParamList p(line.words, 1, at);
            song.drums = DrumKit::Parse(p);
        }
        else if (key == "instrument")
        {
            if (line.words.size() < 2)
                throw SourceError(at + ": instrument needs a name");
            DrumKit::Piece piece;
            const std::string& name = line.words[1];
            if (song.FindInstrument(name) != nullptr || DrumKit::PieceByName(name, piece) || name == "chords")
                throw SourceError(at + ": instrument name \"" + name + "\" already taken");
            ParamList p(line.words, 2, at);
            song.instruments.push_back(Instrument::Parse(name, p));
        }
        else if (key == "section")
        {
            std::vector<std::string> words = line.words;
            double sectionLevel = 0.0;
            if (words.size() > 2 && words.back().rfind("level=", 0) == 0)
            {
                sectionLevel = ParseNumber(words.back().substr(6), at);
                words.pop_back();
            }
            if (words.size() != 2 && !(words.size() == 4 && words[2] == "from"))
                throw SourceError(at + ": section NAME [from OTHER] [level=DB]");
            const std::string& name = line.words[1];
            if (song.sections.count(name) != 0)
                throw SourceError(at + ": section \"" + name + "\" defined twice");
            Section section;
            if (words.size() == 4)
            {
                auto base = song.sections.find(words[3]);
                if (base == song.sections.end())
                    throw SourceError(at + ": no section \"" + words[3] + "\" before this one");
                section = base->second;
            }
            section.name = name;
            section.level = sectionLevel;
            current = &song.sections[name];
            *current = section;
            setHere.clear();
        }
        else if (key == "form")
        {
            for (std::size_t i = 1; i < line.words.size(); ++i)
            {
                if (song.sections.count(line.words[i]) == 0)
                    throw SourceError(at + ": no section \"" + line.words[i] + "\"");
                song.form.push_back(line.words[i]);
            }
        }
        else if (current == nullptr)
        {
            throw SourceError(at + ": \"" + key + "\" outside a section");
        }
        else if (key == "chords")
        {
            if (setHere.insert(key).second)
            {
                current->chords.clear();
                current->bars = 0;
            }
            std::vector<ChordSlot> previousBar;
            if (!current->chords.empty())
            {
                double lastBarStart = (current->bars - 1) * song.meter;
                for (const ChordSlot& slot : current->chords)
                    if (slot.startBeat >= lastBarStart)
                        previousBar.push_back(slot);
            }
            for (std::size_t i = 1; i < line.words.size(); ++i)
            {
                const std::string& token = line.words[i];
                double barStart = current->bars * song.meter;
                if (token == "|")
                    continue;
                if (token == "%")
                {
                    if (previousBar.empty())
                        throw SourceError(at + ": \"%\" repeats the bar before, and there is none");
                    for (ChordSlot slot : previousBar)
                    {
                        slot.startBeat += barStart - (current->bars - 1) * song.meter;
                        current->chords.push_back(slot);
                    }
                    previousBar.clear();
                    for (const ChordSlot& slot : current->chords)
                        if (slot.startBeat >= barStart)
                            previousBar.push_back(slot);
                    ++current->bars;
                    continue;
                }
                std::vector<std::string> names;
                std::size_t start = 0;
                for (;;)
                {
                    std::size_t comma = token.find(',', start);
                    names.push_back(
                        token.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
                    if (comma == std::string::npos)
                        break;
                    start = comma + 1;
                }
                previousBar.clear();
                double each = static_cast<double>(song.meter) / static_cast<double>(names.size());
                for (std::size_t j = 0; j < names.size(); ++j)
                {
                    ChordSlot slot;
                    if (!ParseChordName(names[j], slot.chord))
                        throw SourceError(at + ": unknown chord \"" + names[j] + "\"");
                    slot.startBeat = barStart + each * static_cast<double>(j);
                    slot.beats = each;
                    current->chords.push_back(slot);
                    previousBar.push_back(slot);
                }
                ++current->bars;
            }
        }
        else
        {
            DrumKit::Piece piece;
            const Instrument* instrument = song.FindInstrument(key);
            if (instrument == nullptr && !DrumKit::PieceByName(key, piece))
                throw SourceError(at + ": \"" + key + "\" is no instrument, drum or keyword");
            bool fresh = setHere.insert(key).second;
            if (instrument != nullptr && instrument->play == Instrument::Play::Notes)
            {
                auto& notes = current->melodies[key];
                if (fresh)
                    notes.clear();
                double beats = 1.0;
                for (std::size_t i = 1; i < line.words.size(); ++i)
                {
                    std::string token = line.words[i];
                    if (token == "|")
                        continue;
                    std::size_t colon = token.find(':');
                    if (colon != std::string::npos)
                    {
                        beats = ParseBeats(token.substr(colon + 1), at);
                        token.erase(colon);
                    }
                    NoteToken note;
                    note.beats = beats;
                    if (token != "r" && !ParseNoteName(token, note.midi))
                        throw SourceError(at + ": unknown note \"" + token + "\"");
                    if (beats <= 0.0)
                        throw SourceError(at + ": a note needs a positive length");
                    notes.push_back(note);
                }
            }
            else
            {
                std::string& pattern = current->patterns[key];
                if (fresh)
                    pattern.clear();
                for (std::size_t i = 1; i < line.words.size(); ++i)
                    if (line.words[i] != "|")
                        pattern += line.words[i];
                if (pattern.empty() || pattern.size() % kStepsPerBeat != 0)
                    throw SourceError(at + ": a pattern is a whole number of beats of four steps");
                // Each kind of line has its own step characters; anything else is a typo.
                const std::string allowed = instrument == nullptr                         ? "xXo.-"
                                            : instrument->play == Instrument::Play::Tones ? "123456789RLlT.-"
                                                                                          : "xX.-";
                std::size_t bad = pattern.find_first_not_of(allowed);
                if (bad != std::string::npos)
                    throw SourceError(at + ": \"" + std::string(1, pattern[bad]) + "\" is no step of a " + key +
                                      " pattern");
            }
        }
    }

    if (song.tempo < 20.0 || song.tempo > 300.0 || song.meter < 2 || song.meter > 12)
        throw SourceError(where + ": tempo or meter out of range");
    if (song.form.empty())
        throw SourceError(where + ": no form");
    for (const auto& [name, section] : song.sections)
    {
        if (section.bars == 0)
            throw SourceError(where + ": section \"" + name + "\" has no chords");
        for (const auto& [instrument, notes] : section.melodies)
        {
            double beats = 0.0;
            for (const NoteToken& note : notes)
                beats += note.beats;
            double expected = section.bars * song.meter;
            if (std::fabs(beats - expected) > 1e-6)
                throw SourceError(where + ": section \"" + name + "\", " + instrument + ": notes last " +
                                  std::to_string(beats) + " beats, the section " + std::to_string(expected));
        }
    }
    return song;
}

} // namespace AudioGen
