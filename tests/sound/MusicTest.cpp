// The music player on the mixer's test sink: offsets, fades, pause, volumes
// and several songs at once, fed synchronously; then the feeder thread on an
// output without a device, and the audio device end to end on SDL's disk
// driver.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "framework/sound/AudioOutput.h"
#include "framework/sound/MixerMusicInterface.h"
#include "framework/sound/MixerSoundManager.h"
#include "framework/sound/SoundDecoders.h"
#include "sound/SoundTestFiles.h"
#include "support/TestTemp.h"

using namespace Framework;

namespace
{

constexpr int32_t songId = 10001;

class MusicTest : public ::testing::Test
{
protected:
    std::filesystem::path dir = TestSupport::TestTempDir();
    std::shared_ptr<Mixer> mixer = std::make_shared<Mixer>();
    MixerMusicInterface music{mixer, false};
    std::vector<int16_t> samples = SoundTest::Ramp(30000, 2, 1);

    void SetUp() override
    {
        SoundTest::WriteFile(dir / "song.wav", SoundTest::WaveBytes(samples, 2, 44100));
        ASSERT_TRUE(music.LoadSong(songId, (dir / "song.wav").string()));
    }

    // Renders frames in pieces small enough for the ring, feeding first.
    std::vector<int16_t> Play(int32_t frames)
    {
        std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
        for (int32_t done = 0; done < frames;)
        {
            music.Feed();
            const int32_t n = std::min(frames - done, 2048);
            mixer->Render(out.data() + 2 * done, n);
            done += n;
        }
        return out;
    }

    int16_t Sample(int64_t frame, int channel = 0) const
    {
        return samples[static_cast<size_t>(frame % 30000) * 2 + static_cast<size_t>(channel)];
    }
};

TEST_F(MusicTest, APlayedSongComesOutSampleForSampleAndEndsWithoutLoop)
{
    EXPECT_FALSE(music.IsSongPlaying(songId));
    music.PlaySong(songId, 0, true);
    EXPECT_TRUE(music.IsSongPlaying(songId));
    EXPECT_DOUBLE_EQ(music.SongVolume(songId), 1.0);
    const auto out = Play(31000);
    for (size_t i = 0; i < samples.size(); ++i)
    {
        ASSERT_EQ(out[i], samples[i]) << "sample " << i;
    }
    EXPECT_EQ(out[samples.size()], 0);
    EXPECT_FALSE(music.IsSongPlaying(songId));
}

TEST_F(MusicTest, ALoopingSongRunsOnFromItsStart)
{
    music.PlaySong(songId, 0, false);
    const auto out = Play(65000);
    for (int64_t f = 29990; f < 65000; f += 997)
    {
        ASSERT_EQ(out[static_cast<size_t>(f) * 2], Sample(f)) << "frame " << f;
    }
    EXPECT_TRUE(music.IsSongPlaying(songId));
    EXPECT_EQ(music.SongPosition(songId), 65000 - 60000);
}

TEST_F(MusicTest, OffsetsContinueRestartOrSeek)
{
    music.PlaySong(songId, 0, false);
    Play(12345);
    music.StopSong(songId);
    EXPECT_FALSE(music.IsSongPlaying(songId));
    EXPECT_EQ(music.SongPosition(songId), 12345) << "stopping keeps the position";
    EXPECT_EQ(Play(10), std::vector<int16_t>(20, 0));

    music.PlaySong(songId, -1, false);
    EXPECT_EQ(Play(1)[0], Sample(12345)) << "-1 continues";
    music.PlaySong(songId, 0, false);
    EXPECT_EQ(Play(1)[0], Sample(0)) << "0 restarts";
    music.PlaySong(songId, 4000, false);
    EXPECT_EQ(Play(1)[0], Sample(1000)) << "byte 4000 of 16-bit stereo is frame 1000";
    music.PlaySong(songId, 1 << 30, true);
    EXPECT_EQ(Play(1)[0], 0) << "a seek past the end plays nothing";
    EXPECT_FALSE(music.IsSongPlaying(songId));
    music.PlaySong(songId, -1, true);
    EXPECT_EQ(Play(1)[0], Sample(0)) << "continuing a song that ran out starts it over";
}

TEST_F(MusicTest, TheMainScreenSongResumesWhereItStoppedAfterAFadeInFromMinusOne)
{
    music.StopAllSongs();
    music.FadeInSong(songId, -1, 0.002, false);
    EXPECT_DOUBLE_EQ(music.SongVolume(songId), 0.0);
    for (int tick = 0; tick < 500; ++tick)
    {
        music.UpdateSongs();
        Play(441);
    }
    EXPECT_DOUBLE_EQ(music.SongVolume(songId), 1.0) << "500 ticks at 0.002";
    const int64_t stoppedAt = music.SongPosition(songId);
    EXPECT_EQ(stoppedAt, (500 * 441) % 30000);

    // A stage: everything stops, another song plays, then the main screen again.
    music.StopAllSongs();
    music.FadeInSong(songId, -1, 0.002, false);
    EXPECT_EQ(music.SongPosition(songId), stoppedAt);
    for (int tick = 0; tick < 250; ++tick)
    {
        music.UpdateSongs();
    }
    const auto out = Play(2);
    EXPECT_EQ(out[0], std::lround(Sample(stoppedAt) * 0.5)) << "half way up the fade, on from where it stood";
    EXPECT_EQ(out[3], std::lround(Sample(stoppedAt + 1, 1) * 0.5));
}

TEST_F(MusicTest, FadingOutAllSongsAtFiveThousandthsStopsThemAfter200Ticks)
{
    music.PlaySong(songId, 0, false);
    music.FadeOutAllSongs(true, 0.005);
    for (int tick = 0; tick < 199; ++tick)
    {
        music.UpdateSongs();
    }
    EXPECT_TRUE(music.IsSongPlaying(songId));
    EXPECT_GT(music.SongVolume(songId), 0.0);
    music.UpdateSongs();
    EXPECT_FALSE(music.IsSongPlaying(songId)) << "silent after 200 ticks";
    EXPECT_DOUBLE_EQ(music.SongVolume(songId), 0.0);

    music.PlaySong(songId, 0, false);
    music.FadeOutAllSongs(false, 0.5);
    music.UpdateSongs();
    music.UpdateSongs();
    music.UpdateSongs();
    EXPECT_TRUE(music.IsSongPlaying(songId)) << "silent but not stopped";
    EXPECT_EQ(Play(1)[0], 0);
}

TEST_F(MusicTest, AFadeInAtFiveThousandthsReachesFullVolumeAfter200Ticks)
{
    music.StopAllSongs();
    music.FadeInSong(songId, 0, 0.005, false);
    for (int tick = 0; tick < 199; ++tick)
    {
        music.UpdateSongs();
    }
    EXPECT_LT(music.SongVolume(songId), 1.0);
    music.UpdateSongs();
    EXPECT_DOUBLE_EQ(music.SongVolume(songId), 1.0);
    music.FadeOutSong(songId, true, 0.25);
    music.StopSong(songId);
    music.FadeOutSong(songId, true, 0.25);
    music.UpdateSongs();
    EXPECT_DOUBLE_EQ(music.SongVolume(songId), 0.0) << "a silent song ignores a fade-out";
}

TEST_F(MusicTest, SongIdsNeverLoadedAreIgnored)
{
    music.PlaySong(7, 0, false);
    music.FadeInSong(7, 0, 0.1, false);
    music.FadeOutSong(7, true, 0.1);
    music.StopSong(7);
    music.SetSongVolume(7, 1.0);
    music.UpdateSongs();
    EXPECT_FALSE(music.IsSongPlaying(7));
    EXPECT_EQ(music.SongPosition(7), -1);
    EXPECT_FALSE(music.LoadSong(8, (dir / "missing.ogg").string()));
    EXPECT_FALSE(music.LoadSong(8, (dir / "song.mod").string())) << "module formats are not played";
    EXPECT_FALSE(music.IsSongPlaying(8));
}

TEST_F(MusicTest, VolumesAreCutToHundredthsAndMultipliedByTheMaster)
{
    music.PlaySong(songId, 0, false);
    music.SetSongVolume(songId, 0.509);
    EXPECT_FLOAT_EQ(music.SongGain(songId), 0.5f);
    music.SetMasterMusicVolume(0.5);
    EXPECT_FLOAT_EQ(music.SongGain(songId), 0.25f);
    EXPECT_EQ(Play(1)[0], std::lround(Sample(0) * 0.25));
    music.SetMasterMusicVolume(0.0);
    EXPECT_EQ(Play(1)[0], 0) << "muted";
    music.SetMasterMusicVolume(1.0);
    music.SetSongMaxVolume(songId, 0.3);
    EXPECT_DOUBLE_EQ(music.SongVolume(songId), 0.3) << "lowered to the new maximum";
    music.PlaySong(songId, 0, false);
    EXPECT_DOUBLE_EQ(music.SongVolume(songId), 0.3) << "a played song starts at its maximum";
}

TEST_F(MusicTest, PausedSongsKeepTheirPlaceAndTwoSongsMix)
{
    music.PlaySong(songId, 0, false);
    Play(100);
    music.PauseAllSongs();
    EXPECT_FALSE(music.IsSongPlaying(songId));
    EXPECT_EQ(Play(5), std::vector<int16_t>(10, 0));
    music.ResumeAllSongs();
    EXPECT_EQ(Play(1)[0], Sample(100));

    SoundTest::WriteFile(dir / "wind.WAV", SoundTest::WaveBytes(std::vector<int16_t>(2000, 1000), 1, 44100));
    ASSERT_TRUE(music.LoadSong(1000, (dir / "wind.WAV").string())) << "extensions in any case";
    music.PlaySong(1000, 0, false);
    const auto out = Play(1);
    EXPECT_EQ(out[0], Sample(101) + 1000);
    EXPECT_EQ(out[1], Sample(101, 1) + 1000) << "a mono song sounds on both sides";
    music.UnloadSong(1000);
    EXPECT_EQ(Play(1)[0], Sample(102));
}

TEST_F(MusicTest, AnOggSongStreamsTheSameSamplesAsItsWholeDecode)
{
    SoundTest::WriteOgg(dir / "tune.ogg", samples, 2, 44100);
    ASSERT_TRUE(music.LoadSong(10002, (dir / "tune.ogg").string()));
    const auto whole = *DecodeOggFile((dir / "tune.ogg").string());
    music.StopAllSongs();
    music.PlaySong(10002, 0, true);
    const auto out = Play(30000);
    EXPECT_EQ(out, whole.samples);
    music.PlaySong(10002, 4 * 20000, true);
    EXPECT_EQ(Play(1)[0], whole.samples[40000]) << "seeking inside the Ogg stream";
}

// The feeder thread against an output without a device, pulled as fast as
// it goes: whenever the feeder is behind the output hears silence, but no
// frame of the song is lost, repeated or out of order.
TEST(MusicThreadTest, TheFeederThreadKeepsTheSongFlowing)
{
    const auto dir = TestSupport::TestTempDir();
    const auto samples = SoundTest::Ramp(44100, 2, 1); // no frame is silent
    SoundTest::WriteFile(dir / "song.wav", SoundTest::WaveBytes(samples, 2, 44100));
    AudioOutput output;
    output.OpenWithoutDevice();
    MixerMusicInterface music(output.GetMixer(), true);
    ASSERT_TRUE(music.LoadSong(1, (dir / "song.wav").string()));
    music.PlaySong(1, 0, true);
    std::vector<int16_t> heard;
    std::vector<int16_t> piece(2 * 441);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (music.IsSongPlaying(1) && std::chrono::steady_clock::now() < deadline)
    {
        output.Render(piece.data(), 441);
        bool silent = true;
        for (size_t i = 0; i < piece.size(); i += 2)
        {
            if (piece[i] != 0 || piece[i + 1] != 0)
            {
                heard.push_back(piece[i]);
                heard.push_back(piece[i + 1]);
                silent = false;
            }
        }
        if (silent)
        {
            std::this_thread::yield();
        }
    }
    EXPECT_FALSE(music.IsSongPlaying(1)) << "the song never ended";
    EXPECT_EQ(heard.size(), samples.size());
    EXPECT_TRUE(heard == samples) << "the song came out whole and in order";
}

// The device itself: SDL's disk driver writes exactly what the mixer made.
TEST(AudioDeviceTest, TheDiskDriverRecordsTheMixedSound)
{
    const auto dir = TestSupport::TestTempDir();
    const auto file = dir / "out.raw";
    std::filesystem::remove(file);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    std::string out;
    {
        const auto samples = SoundTest::Ramp(3000, 2, 5);
        SoundTest::WriteFile(dir / "beep.wav", SoundTest::WaveBytes(samples, 2, 44100));
        auto output = std::make_unique<AudioOutput>();
        ASSERT_TRUE(output->Open()) << output->Device().LastError();
        EXPECT_EQ(output->Device().DriverName(), "disk");
        MixerSoundManager manager(output->GetMixer(), nullptr);
        ASSERT_TRUE(manager.LoadSoundAt(0, (dir / "beep").string()));
        SoundInstance* beep = manager.CreateInstance(0);
        beep->Play(false, false);
        // The disk driver runs without delay: the beep ends as soon as the
        // device thread is scheduled.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (beep->IsPlaying() && std::chrono::steady_clock::now() < deadline)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        EXPECT_FALSE(beep->IsPlaying());
        output.reset(); // closes the device and the file
        out = SoundTest::ReadFile(file);
        ASSERT_GE(out.size(), samples.size() * 2);
        const size_t start = out.find(std::string(reinterpret_cast<const char*>(samples.data()), 64));
        ASSERT_NE(start, std::string::npos) << "the sound's first frames are in the recording";
        EXPECT_EQ(out.compare(start, samples.size() * 2,
                              std::string(reinterpret_cast<const char*>(samples.data()), samples.size() * 2)),
                  0);
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST(AudioDeviceTest, NoDeviceMeansASilentClosedOutput)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    AudioOutput output;
    EXPECT_FALSE(output.Open());
    EXPECT_FALSE(output.IsOpen());
    EXPECT_EQ(output.GetMixer(), nullptr);
    MixerMusicInterface music(output.GetMixer(), true);
    const auto dir = TestSupport::TestTempDir();
    SoundTest::WriteFile(dir / "s.wav", SoundTest::WaveBytes({1, 2}, 1, 44100));
    EXPECT_TRUE(music.LoadSong(1, (dir / "s.wav").string()));
    music.PlaySong(1, 0, false);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

} // namespace
