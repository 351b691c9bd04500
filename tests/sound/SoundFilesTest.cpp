// The volume law, the wave and cache file reader and writer, and the ".au"
// and Ogg Vorbis decoders.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "framework/sound/SoundDecoders.h"
#include "framework/sound/VolumeLaw.h"
#include "framework/sound/WaveFile.h"
#include "sound/SoundTestFiles.h"
#include "support/TestTemp.h"

using namespace Framework;

namespace
{

std::optional<SoundData> Read(const std::string& bytes, const StampFunction& stamp = FileWriteStamp)
{
    return ReadWave(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), stamp);
}

uint32_t Le(const std::string& bytes, size_t at, int n)
{
    uint32_t v = 0;
    for (int i = 0; i < n; ++i)
    {
        v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)])) << (8 * i);
    }
    return v;
}

} // namespace

TEST(VolumeLawTest, LevelsFollowTheLogLawAndFallSilentBelowMinus2000)
{
    EXPECT_EQ(VolumeToLevel(1.0), 0);
    EXPECT_EQ(VolumeToLevel(0.5), -605);
    EXPECT_EQ(VolumeToLevel(0.1), -1682);
    EXPECT_EQ(VolumeToLevel(0.01), silentLevel) << "-2245 is below -2000";
    EXPECT_EQ(VolumeToLevel(0.0), silentLevel);
    EXPECT_EQ(VolumeToLevel(-0.5), silentLevel) << "no logarithm of a negative number";
    EXPECT_EQ(VolumeToLevel(std::nan("")), silentLevel);
    EXPECT_EQ(VolumeToLevel(2.0), 0) << "louder than full level is full level";
}

TEST(VolumeLawTest, LevelsAndPansBecomeLinearChannelGains)
{
    EXPECT_DOUBLE_EQ(LevelToGain(0), 1.0);
    EXPECT_DOUBLE_EQ(LevelToGain(silentLevel), 0.0);
    EXPECT_NEAR(LevelToGain(-2000), 0.1, 1e-12) << "20 dB is a tenth of the amplitude";
    EXPECT_NEAR(LevelToGain(-605), std::pow(10.0, -0.3025), 1e-12);

    const StereoGain right = LevelAndPanToGains(0, 2000);
    EXPECT_NEAR(right.left, 0.1f, 1e-6);
    EXPECT_FLOAT_EQ(right.right, 1.0f);
    const StereoGain left = LevelAndPanToGains(-2000, -10000);
    EXPECT_NEAR(left.left, 0.1f, 1e-6);
    EXPECT_FLOAT_EQ(left.right, 0.0f);
    const StereoGain beyond = LevelAndPanToGains(0, 30000);
    EXPECT_FLOAT_EQ(beyond.left, 0.0f) << "pans beyond the range are clamped";
}

TEST(CacheFileTest, TheWriterLaysOutRiffFmtDepAndDataExactly)
{
    SoundData sound;
    sound.channels = 2;
    sound.rate = 44100;
    sound.bits = 16;
    sound.samples = {1, -2, 300, -400};
    const std::string bytes = BuildCacheFile(sound, "sounds/x.ogg", 0x0102030405060708);

    ASSERT_EQ(bytes.size(), 12u + 24u + 8u + 2u + 12u + 8u + 8u + 8u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(Le(bytes, 4, 4), 8u + 36u) << "the dep chunk is not counted";
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(Le(bytes, 16, 4), 16u);
    EXPECT_EQ(Le(bytes, 20, 2), 1u);
    EXPECT_EQ(Le(bytes, 22, 2), 2u);
    EXPECT_EQ(Le(bytes, 24, 4), 44100u);
    EXPECT_EQ(Le(bytes, 28, 4), 176400u);
    EXPECT_EQ(Le(bytes, 32, 2), 4u);
    EXPECT_EQ(Le(bytes, 34, 2), 16u);
    EXPECT_EQ(bytes.substr(36, 4), "dep ");
    EXPECT_EQ(Le(bytes, 40, 4), 12u + 10u);
    EXPECT_EQ(Le(bytes, 44, 2), 12u);
    EXPECT_EQ(bytes.substr(46, 12), "sounds/x.ogg");
    EXPECT_EQ(Le(bytes, 58, 4), 0x05060708u);
    EXPECT_EQ(Le(bytes, 62, 4), 0x01020304u);
    EXPECT_EQ(bytes.substr(66, 4), "data");
    EXPECT_EQ(Le(bytes, 70, 4), 8u);
    EXPECT_EQ(static_cast<int16_t>(Le(bytes, 76, 2)), -2);
    EXPECT_EQ(static_cast<int16_t>(Le(bytes, 78, 2)), 300);
}

TEST(CacheFileTest, TheDepChunkAcceptsOnlyAnUnchangedSource)
{
    SoundData sound;
    sound.samples = {5, 6, 7};
    const std::string bytes = BuildCacheFile(sound, "a.ogg", 42);
    std::string asked;
    auto same = Read(bytes,
                     [&](const std::string& p)
                     {
                         asked = p;
                         return int64_t(42);
                     });
    ASSERT_TRUE(same);
    EXPECT_EQ(asked, "a.ogg");
    EXPECT_EQ(same->samples, sound.samples);
    EXPECT_EQ(same->rate, 22050);
    EXPECT_FALSE(Read(bytes, [](const std::string&) { return int64_t(43); })) << "source changed";
    EXPECT_FALSE(Read(bytes, [](const std::string&) { return int64_t(0); })) << "source vanished";
}

TEST(CacheFileTest, EightBitSoundsKeepTheirSizeThroughTheCache)
{
    SoundData sound;
    sound.bits = 8;
    sound.samples = {-32768, 0, 256, 32512};
    const std::string bytes = BuildCacheFile(sound, "b.au", 1);
    EXPECT_EQ(Le(bytes, bytes.find("data") + 4, 4), 4u) << "four one-byte samples";
    auto back = Read(bytes, [](const std::string&) { return int64_t(1); });
    ASSERT_TRUE(back);
    EXPECT_EQ(back->bits, 8);
    EXPECT_EQ(back->samples, sound.samples);
}

TEST(CacheFileTest, WritingLeavesNothingBehindWhenTheFolderIsMissing)
{
    const auto dir = TestSupport::TestTempDir();
    SoundData sound;
    sound.samples = {1};
    EXPECT_FALSE(WriteCacheFile((dir / "missing" / "c.wav").string(), sound, "c.ogg"));
    EXPECT_FALSE(WriteCacheFile("", sound, "c.ogg"));
    EXPECT_TRUE(WriteCacheFile((dir / "c.wav").string(), sound, "c.ogg"));
    EXPECT_FALSE(std::filesystem::exists(dir / "c.wav.part"));
}

TEST(WaveReaderTest, FormatDefaultsSkippedChunksAndEightBitSamples)
{
    // No "fmt ": one channel, 16 bits, 22050 Hz.
    std::string bare = std::string("RIFF\0\0\0\0WAVE", 12) + std::string("LIST\3\0\0\0abcdata\4\0\0\0", 19) +
                       std::string("\x01\x00\xff\xff", 4);
    auto sound = Read(bare);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->channels, 1);
    EXPECT_EQ(sound->rate, 22050);
    EXPECT_EQ(sound->samples, (std::vector<int16_t>{1, -1}));

    auto eight = Read(SoundTest::WaveBytes({-32768, 0, 32512}, 1, 8000, 8));
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight->bits, 8);
    EXPECT_EQ(eight->samples, (std::vector<int16_t>{-32768, 0, 32512}));
}

TEST(WaveReaderTest, DamagedOrUnplayableFilesFail)
{
    const std::string good = SoundTest::WaveBytes({1, 2, 3, 4}, 2, 44100);
    ASSERT_TRUE(Read(good));
    EXPECT_FALSE(Read(good.substr(0, good.size() - 1))) << "short data";
    EXPECT_FALSE(Read(good.substr(0, 30))) << "cut inside fmt";
    EXPECT_FALSE(Read("RIFX" + good.substr(4)));

    std::string adpcm = good;
    adpcm[20] = 2;
    EXPECT_FALSE(Read(adpcm)) << "format tag other than PCM";
    std::string sixChannels = good;
    sixChannels[22] = 6;
    EXPECT_FALSE(Read(sixChannels));
    std::string noRate = good;
    std::memset(&noRate[24], 0, 4);
    EXPECT_FALSE(Read(noRate));
    std::string huge = good;
    std::memset(&huge[40], 0xff, 4);
    EXPECT_FALSE(Read(huge)) << "data length beyond the file";
    EXPECT_FALSE(Read(SoundTest::WaveBytes({}, 1, 44100))) << "no samples";

    // A "dep " chunk whose stamp does not end the chunk is not trusted.
    SoundData sound;
    sound.samples = {1};
    std::string dep = BuildCacheFile(sound, "abc", 0);
    dep[40] = static_cast<char>(dep[40] + 1);
    EXPECT_FALSE(Read(dep, [](const std::string&) { return int64_t(0); }));
}

TEST(WaveReaderTest, StampsFollowTheFileOnDisk)
{
    const auto path = TestSupport::TestTempDir() / "s.wav";
    std::filesystem::remove(path);
    EXPECT_EQ(FileWriteStamp(path.string()), 0);
    SoundTest::WriteFile(path, "x");
    const int64_t first = FileWriteStamp(path.string());
    EXPECT_NE(first, 0);
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(5));
    EXPECT_NE(FileWriteStamp(path.string()), first);
}

TEST(AuDecoderTest, MuLawExpandsSymmetricallyAndMonotonically)
{
    EXPECT_EQ(MuLawToLinear(0xFF), 0);
    EXPECT_EQ(MuLawToLinear(0x7F), 0);
    EXPECT_EQ(MuLawToLinear(0xF0), 4 * 30);
    EXPECT_EQ(MuLawToLinear(0x90), 4 * (22368 - 128 * 144));
    EXPECT_EQ(MuLawToLinear(0x81), 4 * (40672 - 256 * 129));
    EXPECT_EQ(MuLawToLinear(0x80), 4 * 7904) << "the loudest code is the loudest sample";
    for (int f = 0; f < 128; ++f)
    {
        EXPECT_EQ(MuLawToLinear(static_cast<uint8_t>(f)), -MuLawToLinear(static_cast<uint8_t>(f | 128))) << f;
    }
    for (int f = 128; f < 255; ++f)
    {
        EXPECT_GT(MuLawToLinear(static_cast<uint8_t>(f)), MuLawToLinear(static_cast<uint8_t>(f + 1))) << f;
    }
}

TEST(AuDecoderTest, HeadersEncodingsAndSizesAreChecked)
{
    const std::string mu = SoundTest::AuBytes(1, 1, 8000, {0xFF, 0x80, 0x00, 0xF0});
    auto sound = DecodeAu(reinterpret_cast<const uint8_t*>(mu.data()), mu.size());
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->rate, 8000);
    EXPECT_EQ(sound->bits, 16);
    EXPECT_EQ(sound->samples, (std::vector<int16_t>{0, 31616, -31616, 120}));

    const std::string linear = SoundTest::AuBytes(2, 2, 11025, {0x80, 0x7F, 0x00, 0x01});
    auto signedBytes = DecodeAu(reinterpret_cast<const uint8_t*>(linear.data()), linear.size());
    ASSERT_TRUE(signedBytes);
    EXPECT_EQ(signedBytes->channels, 2);
    EXPECT_EQ(signedBytes->bits, 8);
    EXPECT_EQ(signedBytes->samples, (std::vector<int16_t>{-32768, 32512, 0, 256})) << "8-bit linear is signed";

    const std::string pcm16 = SoundTest::AuBytes(3, 1, 8000, {0, 0});
    EXPECT_FALSE(DecodeAu(reinterpret_cast<const uint8_t*>(pcm16.data()), pcm16.size()));
    std::string longer = mu;
    longer[11] = 9;
    EXPECT_FALSE(DecodeAu(reinterpret_cast<const uint8_t*>(longer.data()), longer.size())) << "size beyond the file";
    std::string unknownSize = mu;
    std::memset(&unknownSize[8], 0xff, 4);
    EXPECT_TRUE(DecodeAu(reinterpret_cast<const uint8_t*>(unknownSize.data()), unknownSize.size()));
    EXPECT_FALSE(DecodeAu(reinterpret_cast<const uint8_t*>(mu.data()), 20));
}

TEST(OggDecoderTest, DecodesTheAnnouncedLengthAndRefusesAFileMissingAPage)
{
    const auto dir = TestSupport::TestTempDir();
    const auto samples = SoundTest::Ramp(30000, 2);
    SoundTest::WriteOgg(dir / "tone.ogg", samples, 2, 44100);
    auto sound = DecodeOggFile((dir / "tone.ogg").string());
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->channels, 2);
    EXPECT_EQ(sound->rate, 44100);
    EXPECT_EQ(sound->Frames(), 30000u);

    // Drop a page from the middle: the last page still announces 30000
    // frames, the decoder delivers fewer.
    const auto pages = SoundTest::OggPages(SoundTest::ReadFile(dir / "tone.ogg"));
    ASSERT_GE(pages.size(), 5u);
    std::string cut;
    for (size_t i = 0; i < pages.size(); ++i)
    {
        if (i != pages.size() / 2 + 1)
        {
            cut += pages[i];
        }
    }
    SoundTest::WriteFile(dir / "short.ogg", cut);
    EXPECT_FALSE(DecodeOggFile((dir / "short.ogg").string()));
    EXPECT_FALSE(DecodeOggFile((dir / "none.ogg").string()));
    SoundTest::WriteFile(dir / "junk.ogg", "OggS but not really");
    EXPECT_FALSE(DecodeOggFile((dir / "junk.ogg").string()));
}
