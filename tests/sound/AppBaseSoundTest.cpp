// The application base's sound wiring: the players it makes, volumes and
// mute reaching them, PlaySound, the resource manager's sound loading and
// the music's tick. The application's output is opened without a device:
// the tests pull the mix themselves and hear exactly what a device would.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/AppBaseFakes.h"
#include "framework/app/AppBase.h"
#include "framework/sound/MixerMusicInterface.h"
#include "framework/sound/MixerSoundManager.h"
#include "sound/SoundTestFiles.h"
#include "support/TestTemp.h"

using namespace Framework;

namespace
{

class SoundApp : public AppBase
{
public:
    SoundApp()
    {
        clock = std::make_shared<FrothwickTest::FakeClock>();
        platform = std::make_unique<FrothwickTest::FakePlatform>();
        settingsRoot = TestSupport::TestTempDir("settings");
        instanceLockDir = TestSupport::TestTempDir();
        onlyOneInstance = false;
        commandLineParsed = true;
    }
    [[noreturn]] void ExitProcess(int code) override { throw AppExit{code}; }
    using AppBase::Tick;

    void SoundCreate() override
    {
        audioOutput = std::make_unique<AudioOutput>();
        audioOutput->OpenWithoutDevice();
        AppBase::SoundCreate();
    }
    // What the device would play next: frames of interleaved stereo.
    std::vector<int16_t> Listen(int32_t frames)
    {
        std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
        audioOutput->Render(out.data(), frames);
        return out;
    }

    MixerSoundManager& Sounds() { return static_cast<MixerSoundManager&>(*soundManager); }
    MixerMusicInterface& Music() { return static_cast<MixerMusicInterface&>(*musicInterface); }
};

bool Silent(const std::vector<int16_t>& samples)
{
    return std::all_of(samples.begin(), samples.end(), [](int16_t v) { return v == 0; });
}

class AppBaseSoundTest : public ::testing::Test
{
protected:
    std::filesystem::path dir = TestSupport::TestTempDir("data");
    SoundApp app;

    void SetUp() override
    {
        app.Initialise();
        ASSERT_NE(app.soundManager, nullptr);
        ASSERT_NE(app.musicInterface, nullptr);
        SoundTest::WriteFile(dir / "beep.wav", SoundTest::WaveBytes(SoundTest::Ramp(4410, 2), 2, 44100));
        SoundTest::WriteFile(dir / "song.wav", SoundTest::WaveBytes(SoundTest::Ramp(44100, 2), 2, 44100));
    }
};

TEST_F(AppBaseSoundTest, InitialiseOpensTheDeviceAndAppliesTheSavedVolumes)
{
    EXPECT_TRUE(app.soundManager->IsReady()) << "the output is open";
    EXPECT_TRUE(app.audioOutput->IsOpen()) << "the output made before SoundCreate is kept";
    EXPECT_DOUBLE_EQ(app.Sounds().MasterVolume(), app.sfxVolume);
    ASSERT_TRUE(app.musicInterface->LoadSong(5, (dir / "song.wav").string()));
    app.musicInterface->SetSongVolume(5, 1.0);
    EXPECT_FLOAT_EQ(app.Music().SongGain(5), 0.85f) << "the music volume became the master music volume";
}

TEST_F(AppBaseSoundTest, MuteSilencesBothPlayersAndUnmuteRestoresThem)
{
    ASSERT_TRUE(app.musicInterface->LoadSong(5, (dir / "song.wav").string()));
    app.musicInterface->SetSongVolume(5, 1.0);
    app.SetSfxVolume(0.5);
    app.SetMusicVolume(0.4);
    ASSERT_TRUE(app.LoadSoundAt(2, (dir / "beep").string()));
    app.Mute(false);
    app.Mute(true);
    EXPECT_DOUBLE_EQ(app.Sounds().MasterVolume(), 0.0);
    EXPECT_FLOAT_EQ(app.Music().SongGain(5), 0.0f);
    app.PlaySound(2);
    EXPECT_TRUE(Silent(app.Listen(441))) << "a sound played while muted is not heard";
    app.SetMusicVolume(0.6);
    EXPECT_FLOAT_EQ(app.Music().SongGain(5), 0.0f) << "still muted";
    app.Unmute(true);
    EXPECT_DOUBLE_EQ(app.Sounds().MasterVolume(), 0.0) << "one mute left";
    app.Unmute(false);
    EXPECT_DOUBLE_EQ(app.Sounds().MasterVolume(), 0.5);
    EXPECT_FLOAT_EQ(app.Music().SongGain(5), 0.6f);
    EXPECT_FALSE(Silent(app.Listen(441))) << "unmuted, the rest of the sound is heard";

    app.SetEffectsMasterVolume(0.3);
    EXPECT_DOUBLE_EQ(app.GetEffectsMasterVolume(), 0.3);
    EXPECT_DOUBLE_EQ(app.sfxVolume, 0.3);
}

TEST_F(AppBaseSoundTest, TheResourceManagersSoundsLoadAndPlayOnceThenFree)
{
    EXPECT_TRUE(app.LoadSoundAt(2, (dir / "beep").string()));
    EXPECT_FALSE(app.LoadSoundAt(3, (dir / "nothing").string()));
    app.SetSoundBaseVolume(2, 0.5);
    app.SetSoundBasePan(2, 300);
    app.PlaySound(2);
    app.PlaySound(2, -300.0);
    app.PlaySound(3);
    EXPECT_EQ(app.Sounds().BusyChannels(), 2) << "nothing to play in slot 3";
    for (int i = 0; i < 32; ++i)
    {
        app.PlaySound(2);
    }
    EXPECT_EQ(app.Sounds().BusyChannels(), 32);
    EXPECT_EQ(app.soundManager->CreateInstance(2), nullptr) << "a tenth of a second is not over yet";
    // Once the device has played the tenth of a second, the channels are
    // free again because PlaySound asked for auto-release.
    EXPECT_FALSE(Silent(app.Listen(4400)));
    EXPECT_EQ(app.soundManager->CreateInstance(2), nullptr) << "ten frames are left";
    app.Listen(10);
    EXPECT_TRUE(Silent(app.Listen(100))) << "every sound has ended";
    EXPECT_NE(app.soundManager->CreateInstance(2), nullptr);
}

TEST_F(AppBaseSoundTest, TicksFadeTheSongsAndStoppingTheApplicationStopsThem)
{
    ASSERT_TRUE(app.musicInterface->LoadSong(5, (dir / "song.wav").string()));
    app.musicInterface->FadeInSong(5, 0, 0.25, false);
    app.Tick();
    app.Tick();
    EXPECT_DOUBLE_EQ(app.Music().SongVolume(5), 0.5);
    EXPECT_TRUE(app.musicInterface->IsSongPlaying(5));
    app.StopApplication();
    EXPECT_FALSE(app.musicInterface->IsSongPlaying(5));
}

TEST(AppBaseSoundSettingsTest, SavedVolumesAndMuteReachThePlayersAtStart)
{
    {
        SoundApp writer;
        writer.registryKey = "Test\\Sound";
        ASSERT_TRUE(writer.WriteInteger("SfxVolume", 40));
        ASSERT_TRUE(writer.WriteInteger("MusicVolume", 30));
        ASSERT_TRUE(writer.WriteInteger("Muted", 1));
    }
    SoundApp app;
    app.registryKey = "Test\\Sound";
    app.Initialise();
    EXPECT_DOUBLE_EQ(app.sfxVolume, 0.4);
    EXPECT_DOUBLE_EQ(app.Sounds().MasterVolume(), 0.0) << "muted at start";
    app.Unmute(false);
    EXPECT_DOUBLE_EQ(app.Sounds().MasterVolume(), 0.4);
    const auto dir = TestSupport::TestTempDir("data");
    SoundTest::WriteFile(dir / "song.wav", SoundTest::WaveBytes(SoundTest::Ramp(100, 2), 2, 44100));
    ASSERT_TRUE(app.musicInterface->LoadSong(1, (dir / "song.wav").string()));
    app.musicInterface->SetSongVolume(1, 1.0);
    EXPECT_FLOAT_EQ(app.Music().SongGain(1), 0.3f);
}

TEST(AppBaseSoundBeforeInitialiseTest, NothingLoadsWithoutASoundManager)
{
    SoundApp app;
    EXPECT_FALSE(app.LoadSoundAt(0, "sounds/x"));
    app.SetSoundBaseVolume(0, 0.5);
    app.PlaySound(0);
    app.SetEffectsMasterVolume(0.4);
    EXPECT_DOUBLE_EQ(app.GetEffectsMasterVolume(), 0.4);
}

} // namespace
