// The song and effect sources: their readers catch mistakes with a line
// number, and rendering honours lengths, loops and levels.
#include "tools/audio/EffectBank.h"
#include "tools/audio/Instrument.h"
#include "tools/audio/Loudness.h"
#include "tools/audio/Mastering.h"
#include "tools/audio/Song.h"
#include "tools/audio/SongRenderer.h"
#include "tools/audio/SourceText.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace AudioGen;

namespace
{

const char* kTinySong = R"(
tempo 120
meter 4
instrument lead play=notes wave=triangle attack=0.01 release=0.05
instrument bass play=tones wave=sine octave=2
section A
chords C G    # two bars
lead  c5:1 e5:1 g5:2 | b4:2 r:2
bass  R---5---R---8---
kick  x...
form A A
)";

// Upward zero crossings per second over frames [first, first + count).
double Frequency(const std::vector<float>& x, std::size_t first, std::size_t count)
{
    int crossings = 0;
    for (std::size_t i = first + 1; i < first + count && i < x.size(); ++i)
    {
        if (x[i - 1] < 0.0f && x[i] >= 0.0f)
        {
            ++crossings;
        }
    }
    return crossings * static_cast<double>(kSampleRate) / static_cast<double>(count);
}

std::string ErrorOf(const std::string& text)
{
    try
    {
        Song::Parse(text, "t.song");
    }
    catch (const SourceError& error)
    {
        return error.what();
    }
    return "";
}

} // namespace

TEST(SongSource, NoteAndChordNames)
{
    int midi = 0;
    EXPECT_TRUE(ParseNoteName("c4", midi));
    EXPECT_EQ(midi, 60);
    EXPECT_TRUE(ParseNoteName("a4", midi));
    EXPECT_EQ(midi, 69);
    EXPECT_TRUE(ParseNoteName("c#5", midi));
    EXPECT_EQ(midi, 73);
    EXPECT_TRUE(ParseNoteName("bb3", midi));
    EXPECT_EQ(midi, 58);
    EXPECT_TRUE(ParseNoteName("cb4", midi)); // B3, not B4
    EXPECT_EQ(midi, 59);
    EXPECT_TRUE(ParseNoteName("b#3", midi)); // C4
    EXPECT_EQ(midi, 60);
    EXPECT_FALSE(ParseNoteName("h4", midi));
    EXPECT_FALSE(ParseNoteName("c", midi));
    EXPECT_FALSE(ParseNoteName("c4x", midi));

    Chord chord;
    EXPECT_TRUE(ParseChordName("Am", chord));
    EXPECT_EQ(chord.root, 9);
    EXPECT_EQ(chord.intervals, (std::vector<int>{0, 3, 7}));
    EXPECT_TRUE(ParseChordName("Bb7", chord));
    EXPECT_EQ(chord.root, 10);
    EXPECT_EQ(chord.intervals, (std::vector<int>{0, 4, 7, 10}));
    EXPECT_TRUE(ParseChordName("B7", chord));
    EXPECT_EQ(chord.root, 11);
    EXPECT_TRUE(ParseChordName("F#m7", chord));
    EXPECT_EQ(chord.root, 6);
    EXPECT_FALSE(ParseChordName("Cmajor", chord));
    EXPECT_FALSE(ParseChordName("X", chord));
}

TEST(SongSource, ReadsSectionsFormAndLength)
{
    Song song = Song::Parse(kTinySong, "t.song");
    EXPECT_EQ(song.form, (std::vector<std::string>{"A", "A"}));
    const Section& a = song.sections.at("A");
    EXPECT_EQ(a.bars, 2);
    ASSERT_EQ(a.chords.size(), 2u);
    EXPECT_EQ(a.chords[1].chord.root, 7);
    EXPECT_EQ(a.chords[1].startBeat, 4.0);
    EXPECT_EQ(a.melodies.at("lead").size(), 5u);
    EXPECT_EQ(a.patterns.at("bass"), "R---5---R---8---");
    EXPECT_EQ(song.TotalBeats(), 16.0);
    EXPECT_EQ(song.LengthFrames(), static_cast<std::size_t>(8 * kSampleRate)); // 16 beats at 120
}

TEST(SongSource, SplitBarsRepeatsAndInheritedSections)
{
    Song song = Song::Parse(R"(
instrument pad play=chords
section A
chords C,Am % F
pad x---
section B from A
chords G
pad x-x-
form A B
)",
                            "t.song");
    const Section& a = song.sections.at("A");
    EXPECT_EQ(a.bars, 3);
    ASSERT_EQ(a.chords.size(), 5u);
    EXPECT_EQ(a.chords[1].startBeat, 2.0); // Am in the second half of bar 1
    EXPECT_EQ(a.chords[3].startBeat, 6.0); // the repeat's Am
    EXPECT_EQ(a.chords[3].chord.root, 9);
    const Section& b = song.sections.at("B");
    EXPECT_EQ(b.bars, 1); // the chords line replaces the inherited one
    EXPECT_EQ(b.patterns.at("pad"), "x-x-");
}

TEST(SongSource, MistakesNameTheLine)
{
    EXPECT_NE(ErrorOf("section A\nchords C\nlead c5:4\nform A").find("t.song:3"), std::string::npos)
        << "an undeclared instrument";
    EXPECT_NE(ErrorOf("instrument lead play=notes\nsection A\nchords C\nlead c5:3\nform A").find("3.000000 beats"),
              std::string::npos)
        << "notes that do not fill the section";
    EXPECT_NE(ErrorOf("instrument lead play=notes wavee=saw\nsection A\nchords C\nform A").find("wavee"),
              std::string::npos)
        << "a misspelt parameter";
    EXPECT_NE(ErrorOf("section A\nchords Cx\nform A").find("t.song:2"), std::string::npos);
    EXPECT_NE(ErrorOf("section A\nchords C\nkick x..\nform A").find("t.song:3"), std::string::npos)
        << "a pattern of a partial beat";
    EXPECT_NE(ErrorOf("section A\nchords C\nform B").find("no section"), std::string::npos);
    EXPECT_NE(ErrorOf("instrument b play=tones\nsection A\nchords C\nb R-x.\nform A").find("t.song:4"),
              std::string::npos)
        << "a step that is no chord tone";
    EXPECT_NE(ErrorOf("section A\nchords C\nhat x.5.\nform A").find("t.song:3"), std::string::npos);
    EXPECT_EQ(ErrorOf("instrument x play=notes\nsection A\nchords C\nx c#5:4 # sharp, then a comment\nform A"), "");
}

TEST(SongRender, LoopHasExactLengthLevelAndFoldedTail)
{
    Song song = Song::Parse(kTinySong, "t.song");
    StereoBuffer out = RenderSong(song);
    ASSERT_EQ(out.Frames(), song.LengthFrames());
    EXPECT_LE(Peak(out), kCeiling + 1e-6f);
    EXPECT_NEAR(Measure(out).integrated, song.level, 0.1);
    EXPECT_LE(TruePeak(out), kCeiling * 1.02);
    EXPECT_EQ(RenderSong(song).left, out.left) << "rendering must be deterministic";

    // A note held over the end sounds on after the jump back to the start,
    // before anything is played there.
    Song held = Song::Parse(R"(
tempo 120
reverb wet=0
instrument pad play=notes wave=sine attack=0.01 sustain=1 release=1.0 legato=1
section A
chords C
pad r:3 c5:1
form A
)",
                            "held.song");
    StereoBuffer loop = RenderSong(held);
    ASSERT_EQ(loop.Frames(), held.LengthFrames());
    float startLevel = 0.0f;
    for (std::size_t i = 0; i < SecondsToFrames(0.05); ++i)
    {
        startLevel = std::max(startLevel, std::fabs(loop.left[i]));
    }
    EXPECT_GT(startLevel, 0.1f);
    EXPECT_NEAR(loop.left.back(), loop.left.front(), 0.02f);
}

TEST(SongRender, NotesAndChordTonesSoundAtTheirPitch)
{
    ParamList params({"play=notes", "wave=sine", "release=0.05"}, 0, "test");
    Instrument sine = Instrument::Parse("sine", params);
    std::vector<float> note;
    sine.RenderNote(69, SecondsToFrames(1.0), 0.5f, 1, note);
    EXPECT_EQ(note.size(), SecondsToFrames(1.05));
    EXPECT_NEAR(Frequency(note, SecondsToFrames(0.1), SecondsToFrames(0.8)), 440.0, 2.0);
    EXPECT_EQ(note.back(), 0.0f);
    float peak = 0.0f;
    for (float v : note)
    {
        peak = std::max(peak, std::fabs(v));
    }
    EXPECT_NEAR(peak, 0.5f, 0.01f); // velocity scales, sustain 0.6 only after the decay
    EXPECT_NEAR(MidiToHz(57), 220.0, 1e-9);

    // A bass in octave 2: over A minor the root A2, then the fifth E3; over
    // F major the root F2, then the fifth C3. A written melody is moved up an
    // octave by octave=5.
    Song song = Song::Parse(R"(
tempo 60
reverb wet=0
instrument bass play=tones wave=sine attack=0.01 sustain=1 release=0.01 legato=1 octave=2
section A
chords Am F
bass R-------5-------
form A
)",
                            "t.song");
    StereoBuffer out = RenderSong(song);
    EXPECT_NEAR(Frequency(out.left, SecondsToFrames(0.2), SecondsToFrames(1.5)), 110.0, 2.0);
    EXPECT_NEAR(Frequency(out.left, SecondsToFrames(2.2), SecondsToFrames(1.5)), 164.8, 2.0);
    EXPECT_NEAR(Frequency(out.left, SecondsToFrames(4.2), SecondsToFrames(1.5)), 87.3, 2.0);
    EXPECT_NEAR(Frequency(out.left, SecondsToFrames(6.2), SecondsToFrames(1.5)), 130.8, 2.0);

    Song up = Song::Parse(R"(
tempo 60
reverb wet=0
instrument lead play=notes wave=sine attack=0.01 sustain=1 release=0.01 legato=1 octave=5
section A
chords C
lead a4:4
form A
)",
                          "t.song");
    EXPECT_NEAR(Frequency(RenderSong(up).left, SecondsToFrames(0.5), SecondsToFrames(3.0)), 880.0, 2.0);
}

TEST(SongRender, SectionLevelTurnsTheWholeSectionDown)
{
    std::string text = kTinySong;
    text.replace(text.find("form A A"), 8, "section B from A level=-6\nform A B");
    text += "reverb wet=0\nloop off\n";
    Song song = Song::Parse(text, "t.song");
    EXPECT_DOUBLE_EQ(song.sections.at("B").level, -6.0);
    EXPECT_DOUBLE_EQ(song.sections.at("A").level, 0.0);
    StereoBuffer out = RenderSong(song);
    const std::size_t half = song.LengthFrames() / 2;
    StereoBuffer first(half), second(half);
    std::copy(out.left.begin(), out.left.begin() + half, first.left.begin());
    std::copy(out.right.begin(), out.right.begin() + half, first.right.begin());
    std::copy(out.left.begin() + half, out.left.begin() + 2 * half, second.left.begin());
    std::copy(out.right.begin() + half, out.right.begin() + 2 * half, second.right.begin());
    EXPECT_NEAR(Measure(first).integrated - Measure(second).integrated, 6.0, 0.7);
    EXPECT_THROW(Song::Parse("section A level=x\nchords C\nform A", "t.song"), SourceError);
    EXPECT_THROW(Song::Parse("role loop\nsection A\nchords C\nform A", "t.song"), SourceError);
}

TEST(SongRender, SongWithoutLoopEndsInSilence)
{
    Song song = Song::Parse(std::string(kTinySong) + "loop off\n", "t.song");
    StereoBuffer out = RenderSong(song);
    EXPECT_GT(out.Frames(), song.LengthFrames());
    EXPECT_EQ(out.left.back(), 0.0f);
    EXPECT_EQ(out.right.back(), 0.0f);
}

TEST(Effects, NotesBecomeARunOfVoicesAndTheResultIsClean)
{
    auto effects = ParseEffects(R"(
effect chime role=gameplay level=-3 reverb=0.2
voice wave=sine notes=c5,e5,g5 step=0.1 decay=0.3 spread=0.5 pan=-0.5
effect whoosh role=loop loop=1 crossfade=0.25
voice wave=noise filter=bandpass cutoff=800 attack=0.2 length=1.3 sustain=1
)",
                                "fx.txt");
    ASSERT_EQ(effects.size(), 2u);
    const Effect& chime = effects[0];
    ASSERT_EQ(chime.voices.size(), 3u);
    EXPECT_DOUBLE_EQ(chime.voices[2].start, 0.2);
    EXPECT_NEAR(chime.voices[1].frequency, 659.26, 0.01);
    EXPECT_DOUBLE_EQ(chime.voices[2].pan, 0.5);

    StereoBuffer out = RenderEffect(chime);
    EXPECT_EQ(out.left.front(), 0.0f);
    EXPECT_NEAR(out.left.back(), 0.0f, 1e-7f);
    EXPECT_LE(Peak(out), kCeiling);
    EXPECT_LE(out.Frames(), chime.Frames());
    EXPECT_GT(out.Frames(), SecondsToFrames(0.5));

    StereoBuffer loop = RenderEffect(effects[1]);
    ASSERT_EQ(loop.Frames(), static_cast<std::size_t>(kSampleRate));
    // Noise jumps between any two frames; the join must not jump further.
    float neighbour = 0.0f;
    for (std::size_t i = 1; i < 200; ++i)
    {
        neighbour = std::max(neighbour, std::fabs(loop.left[loop.Frames() - i] - loop.left[loop.Frames() - i - 1]));
    }
    EXPECT_LE(std::fabs(loop.left.back() - loop.left.front()), 1.5f * neighbour);

    EXPECT_THROW(ParseEffects("voice wave=sine\n", "fx.txt"), SourceError);
    EXPECT_THROW(ParseEffects("effect a\nvoice wave=sinus\n", "fx.txt"), SourceError);
    EXPECT_THROW(ParseEffects("effect a role=button\n", "fx.txt"), SourceError);
    EXPECT_THROW(ParseEffects("effect a\nvoice wave=sine\n", "fx.txt"), SourceError) << "no role";
    EXPECT_THROW(ParseEffects("effect a role=song\nvoice wave=sine\n", "fx.txt"), SourceError);

    // Roles set the level: a button sits 7 LU under a gameplay sound.
    auto pair = ParseEffects("effect g role=gameplay\nvoice freq=1000 decay=0.3\n"
                             "effect b role=button\nvoice freq=1000 decay=0.3\n",
                             "fx.txt");
    EXPECT_NEAR(Measure(RenderEffect(pair[0])).loudest100ms - Measure(RenderEffect(pair[1])).loudest100ms,
                RoleTarget(SoundRole::Gameplay) - RoleTarget(SoundRole::Button), 0.2);
}
