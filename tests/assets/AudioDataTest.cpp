// The generated sound effects and music in the data tree: every file the
// game loads exists, decodes at 44100 Hz with the length its source gives,
// never clips, loops join without a jump, the bytes are reproducible, and
// every file's loudness lies in the band of the role its source states.
#include "tools/audio/EffectBank.h"
#include "tools/audio/Loudness.h"
#include "tools/audio/Mastering.h"
#include "tools/audio/Song.h"
#include "tools/audio/SongRenderer.h"
#include "tools/audio/SourceText.h"
#include "tools/audio/VorbisCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

using namespace AudioGen;

namespace
{

const std::string kData = FROTHWICK_DATA_DIR;
const std::string kSources = std::string(FROTHWICK_SOURCE_DIR) + "/assets/audio";

// The sound identifiers the game binds; each is loaded from
// "sounds/" + lower-case name without "SOUND_" + ".ogg".
const char* const kSoundIds[] = {"SOUND_ALLCLEAR",   "SOUND_BALL_EX",  "SOUND_BALL_HIT",   "SOUND_BOMB",
                                 "SOUND_BTON_CLK",   "SOUND_BTON_ON",  "SOUND_EATBALL",    "SOUND_FIRE",
                                 "SOUND_HITSNOW",    "SOUND_ICE_HOLE", "SOUND_LAVA",       "SOUND_MUSHROOM",
                                 "SOUND_PLANTDEATH", "SOUND_SELECT_W", "SOUND_STAGECLEAR", "SOUND_TORNADO",
                                 "SOUND_WALL_CLOUD", "SOUND_WALL_ICE", "SOUND_WALL_LAVA",  "SOUND_WALL_TREE"};

struct SongFile
{
    const char* name; // file name in music/ and source name, without extension
    bool loops;
};

const SongFile kSongs[] = {{"mainscreen", true}, {"dream", true},           {"fire", true},
                           {"ice", true},        {"phantom", true},         {"purple moon", true},
                           {"wind", true},       {"level complete", false}, {"level failed", false}};

std::string SoundFile(const std::string& id)
{
    std::string name = id.substr(6);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return "sounds/" + name + ".ogg";
}

DecodedAudio Decode(const std::string& relative)
{
    DecodedAudio audio;
    EXPECT_TRUE(DecodeVorbisFile(kData + "/" + relative, audio)) << relative;
    EXPECT_EQ(audio.rate, kSampleRate) << relative;
    EXPECT_EQ(audio.channels, 2) << relative;
    EXPECT_EQ(static_cast<long long>(audio.samples.Frames()), audio.announcedFrames)
        << relative << ": the decoder delivers what the stream announces";
    // 16-bit conversion clips at full scale; keep clear of it.
    EXPECT_LT(Peak(audio.samples), 0.99f) << relative;
    return audio;
}

std::vector<unsigned char> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Checks that the jump from the last frame back to the first is no larger
// than the jumps between neighbouring frames around it: a click would stand
// out far above them.
void ExpectSeamless(const StereoBuffer& b, const std::string& what)
{
    const std::size_t n = b.Frames();
    const std::size_t around = 300;
    ASSERT_GT(n, 2 * around);
    for (const std::vector<float>* channel : {&b.left, &b.right})
    {
        const std::vector<float>& x = *channel;
        float neighbour = 0.0f;
        for (std::size_t i = 1; i < around; ++i)
        {
            neighbour = std::max({neighbour, std::fabs(x[i] - x[i - 1]), std::fabs(x[n - i] - x[n - i - 1])});
        }
        float seam = std::fabs(x[0] - x[n - 1]);
        EXPECT_LE(seam, 1.5f * neighbour + 0.002f) << what << ": a jump at the loop point";
    }
}

} // namespace

TEST(AudioData, EverySoundEffectIsShortCleanAndAsLongAsItsSource)
{
    auto effects = ParseEffects(ReadTextFile(kSources + "/effects.txt"), "effects.txt");
    int underASecond = 0;
    for (const char* id : kSoundIds)
    {
        const std::string file = SoundFile(id);
        auto effect = std::find_if(effects.begin(), effects.end(),
                                   [&](const Effect& e) { return "sounds/" + e.name + ".ogg" == file; });
        ASSERT_NE(effect, effects.end()) << "no source for " << id;
        DecodedAudio audio = Decode(file);
        const std::size_t frames = audio.samples.Frames();
        EXPECT_EQ(frames, RenderEffect(*effect).Frames()) << file;
        EXPECT_GT(frames, SecondsToFrames(0.05)) << file;
        EXPECT_LT(frames, SecondsToFrames(3.0)) << file;
        underASecond += frames < SecondsToFrames(1.0) ? 1 : 0;
        // Clean edges: the codec may leave a trace, never a step.
        EXPECT_LT(std::fabs(audio.samples.left.front()), 0.01f) << file;
        EXPECT_LT(std::fabs(audio.samples.left.back()), 0.01f) << file;
    }
    EXPECT_GE(underASecond, 14);
}

TEST(AudioData, SongsHaveTheirLengthAndLoopSeamlessly)
{
    for (const SongFile& entry : kSongs)
    {
        const std::string file = std::string("music/") + entry.name + ".ogg";
        Song song = Song::Parse(ReadTextFile(kSources + "/songs/" + entry.name + ".song"), entry.name);
        ASSERT_EQ(song.loop, entry.loops) << file;
        DecodedAudio audio = Decode(file);
        const double seconds = static_cast<double>(audio.samples.Frames()) / kSampleRate;
        if (entry.loops)
        {
            EXPECT_EQ(audio.samples.Frames(), song.LengthFrames()) << file;
            EXPECT_GE(seconds, 60.0) << file;
            ExpectSeamless(audio.samples, file);
        }
        else
        {
            EXPECT_GT(seconds, 2.0) << file;
            EXPECT_LT(seconds, 8.0) << file;
            EXPECT_LT(std::fabs(audio.samples.left.back()), 0.01f) << file;
        }
    }
}

TEST(AudioData, WindCloudIsASeamlessLoop)
{
    DecodedAudio audio = Decode("sounds/wind_cloud.ogg");
    EXPECT_GE(audio.samples.Frames(), SecondsToFrames(4.0));
    ExpectSeamless(audio.samples, "wind_cloud");
}

TEST(AudioData, GeneratingAgainGivesTheSameBytes)
{
    // A second rendering in this process must match what the build wrote.
    for (const Effect& effect : ParseEffects(ReadTextFile(kSources + "/effects.txt"), "effects.txt"))
    {
        const std::string path = kData + "/sounds/" + effect.name + ".ogg";
        EXPECT_EQ(EncodeVorbis(RenderEffect(effect), kVorbisQuality, StreamSerial(path)), ReadBytes(path))
            << effect.name;
    }
    const std::string path = kData + "/music/level failed.ogg";
    Song song = Song::Parse(ReadTextFile(kSources + "/songs/level failed.song"), "level failed");
    EXPECT_EQ(EncodeVorbis(RenderSong(song), kVorbisQuality, StreamSerial(path)), ReadBytes(path));
}

namespace
{

// The bands, in LUFS (loudness), LU (differences), dBTP and parts of 1.
constexpr double kTruePeakMax = -1.0;
constexpr double kBrightMax = 1.0 / 3.0;                      // energy above 8 kHz
constexpr double kGameplayLow = -16.0, kGameplayHigh = -10.0; // loudest 100 ms, also through the speaker
constexpr double kButtonLow = -25.0;
constexpr double kFanfareBelowSongs = 3.0; // loudest 3 s at most this far above the songs' mean
constexpr double kFanfareLow = -22.0;
constexpr double kLoopUnderSongsMin = 8.0, kLoopUnderSongsMax = 12.0;
constexpr double kLoopEdgeUnder = 3.0; // its first and last 400 ms under its own integrated loudness
constexpr double kSongTarget = -18.0, kSongTolerance = 1.0;
constexpr double kSongRangeMin = 3.0;
constexpr double kSongBassMax = 0.20; // energy below 80 Hz
constexpr double kSongSpeakerSpread = 2.0;

struct Measured
{
    std::string file;
    SoundRole role = SoundRole::Gameplay;
    StereoBuffer samples;
    LoudnessFigures raw, speaker;
};

// Collects every band a file leaves, as "file: figure value outside band".
class BandCheck
{
public:
    void Within(const Measured& m, const std::string& figure, double value, double low, double high)
    {
        if (value < low - 1e-9 || value > high + 1e-9)
        {
            std::ostringstream line;
            line.precision(3);
            line << m.file << " (" << SoundRoleName(m.role) << "): " << figure << " " << value << " outside [" << low
                 << ", " << high << "]";
            failures.push_back(line.str());
        }
    }
    std::string Report() const
    {
        std::string all;
        for (const std::string& f : failures)
            all += f + "\n";
        return all;
    }
    bool Clean() const { return failures.empty(); }

private:
    std::vector<std::string> failures;
};

Measured MeasureFile(const std::string& file, SoundRole role)
{
    Measured m;
    m.file = file;
    m.role = role;
    m.samples = Decode(file).samples;
    m.raw = Measure(m.samples);
    m.speaker = Measure(m.samples, true);
    return m;
}

StereoBuffer Excerpt(const StereoBuffer& b, std::size_t first, std::size_t frames)
{
    StereoBuffer part(frames);
    std::copy(b.left.begin() + first, b.left.begin() + first + frames, part.left.begin());
    std::copy(b.right.begin() + first, b.right.begin() + first + frames, part.right.begin());
    return part;
}

std::vector<Measured> MeasureEverything()
{
    std::vector<Measured> all;
    for (const Effect& e : ParseEffects(ReadTextFile(kSources + "/effects.txt"), "effects.txt"))
        all.push_back(MeasureFile("sounds/" + e.name + ".ogg", e.role));
    for (const SongFile& entry : kSongs)
    {
        Song song = Song::Parse(ReadTextFile(kSources + "/songs/" + entry.name + ".song"), entry.name);
        all.push_back(MeasureFile(std::string("music/") + entry.name + ".ogg", song.role));
    }
    return all;
}

} // namespace

TEST(AudioBands, EveryFileLiesInTheBandOfItsRole)
{
    const std::vector<Measured> all = MeasureEverything();
    std::map<std::string, const Measured*> byFile;
    double songSum = 0.0, songCount = 0.0;
    double speakerLow = 0.0, speakerHigh = kSilence;
    double quietestGameplay = 0.0;
    for (const Measured& m : all)
    {
        byFile[m.file] = &m;
        if (m.role == SoundRole::Song)
        {
            songSum += m.raw.integrated;
            songCount += 1.0;
            speakerLow = std::min(speakerLow, m.speaker.integrated);
            speakerHigh = std::max(speakerHigh, m.speaker.integrated);
        }
        if (m.role == SoundRole::Gameplay)
            quietestGameplay = std::min({quietestGameplay, m.raw.loudest100ms, m.speaker.loudest100ms});
    }
    ASSERT_EQ(songCount, 7.0) << "seven background songs";
    const double songs = songSum / songCount;

    BandCheck check;
    int gameplay = 0, buttons = 0, fanfares = 0, loops = 0;
    for (const Measured& m : all)
    {
        check.Within(m, "true peak", m.raw.truePeak, -99.0, kTruePeakMax);
        check.Within(m, "energy above 8 kHz", m.raw.shareAbove8k, 0.0, kBrightMax);
        switch (m.role)
        {
            case SoundRole::Gameplay:
                ++gameplay;
                check.Within(m, "loudest 100 ms", m.raw.loudest100ms, kGameplayLow, kGameplayHigh);
                check.Within(m, "loudest 100 ms through the speaker", m.speaker.loudest100ms, kGameplayLow,
                             kGameplayHigh);
                break;
            case SoundRole::Button:
                ++buttons;
                check.Within(m, "loudest 100 ms", m.raw.loudest100ms, kButtonLow, quietestGameplay - 1.0);
                check.Within(m, "loudest 100 ms through the speaker", m.speaker.loudest100ms, kButtonLow,
                             quietestGameplay - 1.0);
                break;
            case SoundRole::Fanfare:
                ++fanfares;
                check.Within(m, "loudest 3 s", m.raw.shortTermMax, kFanfareLow, songs + kFanfareBelowSongs);
                check.Within(m, "loudest 3 s through the speaker", m.speaker.shortTermMax, kFanfareLow,
                             songs + kFanfareBelowSongs);
                break;
            case SoundRole::Loop:
            {
                ++loops;
                check.Within(m, "integrated", m.raw.integrated, songs - kLoopUnderSongsMax, songs - kLoopUnderSongsMin);
                const std::size_t edge = SecondsToFrames(0.4);
                const double start = Measure(Excerpt(m.samples, 0, edge)).integrated;
                const double end = Measure(Excerpt(m.samples, m.samples.Frames() - edge, edge)).integrated;
                check.Within(m, "first 400 ms", start, -99.0, m.raw.integrated - kLoopEdgeUnder);
                check.Within(m, "last 400 ms", end, -99.0, m.raw.integrated - kLoopEdgeUnder);
                break;
            }
            case SoundRole::Song:
                check.Within(m, "integrated", m.raw.integrated, kSongTarget - kSongTolerance,
                             kSongTarget + kSongTolerance);
                check.Within(m, "loudness range", m.raw.range, kSongRangeMin, 99.0);
                check.Within(m, "energy below 80 Hz", m.raw.shareBelow80, 0.0, kSongBassMax);
                // Within kSongSpeakerSpread of each other: around the middle of their spread.
                check.Within(m, "integrated through the speaker", m.speaker.integrated,
                             0.5 * (speakerLow + speakerHigh) - 0.5 * kSongSpeakerSpread,
                             0.5 * (speakerLow + speakerHigh) + 0.5 * kSongSpeakerSpread);
                break;
        }
    }
    EXPECT_EQ(gameplay, 15);
    EXPECT_EQ(buttons, 3);
    EXPECT_EQ(fanfares, 4);
    EXPECT_EQ(loops, 1);

    // The most frequent sound sits in the upper half of the gameplay band.
    const Measured& burst = *byFile.at("sounds/ball_ex.ogg");
    const double middle = 0.5 * (kGameplayLow + kGameplayHigh);
    check.Within(burst, "loudest 100 ms (the burst)", burst.raw.loudest100ms, middle, kGameplayHigh);
    // The stage-clear bells play over the winning jingle: never louder than it.
    const Measured& bells = *byFile.at("sounds/stageclear.ogg");
    const double jingle = byFile.at("music/level complete.ogg")->raw.shortTermMax;
    check.Within(bells, "loudest 3 s against the winning jingle", bells.raw.shortTermMax, kFanfareLow, jingle);

    EXPECT_TRUE(check.Clean()) << check.Report();
}
