// The generated sound effects and music in the data tree: every file the
// game loads exists, decodes at 44100 Hz with the length its source gives,
// never clips, loops join without a jump, and the bytes are reproducible.
#include "tools/audio/EffectBank.h"
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
        // One loudness for all: the loudest 50 ms sit at the common level
        // shifted by the effect's own "level"; the limiter may take a little.
        const double loudness = 20.0 * std::log10(LoudestWindowRms(audio.samples, 0.05));
        const double intended = 20.0 * std::log10(kEffectLoudness) + effect->level;
        EXPECT_LT(loudness, intended + 1.0) << file;
        EXPECT_GT(loudness, intended - 3.0) << file;
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
