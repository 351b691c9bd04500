// The sound manager on the mixer's test sink: loading with the cache,
// channels, instances, volumes and the samples that come out.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "app/AppBaseFakes.h"
#include "framework/sound/MixerSoundManager.h"
#include "framework/sound/SoundDecoders.h"
#include "framework/sound/VolumeLaw.h"
#include "sound/SoundTestFiles.h"
#include "support/TestTemp.h"

using namespace Framework;

namespace
{

class SoundManagerTest : public ::testing::Test
{
protected:
    std::filesystem::path dir = TestSupport::TestTempDir("work");
    SoundTest::WorkingDirectory cwd{dir};
    std::shared_ptr<FrothwickTest::FakeClock> clock = std::make_shared<FrothwickTest::FakeClock>();
    std::shared_ptr<Mixer> mixer = std::make_shared<Mixer>();
    MixerSoundManager manager{mixer, clock};

    void SetUp() override
    {
        std::filesystem::remove_all("cached");
        std::filesystem::remove_all("sounds");
    }

    std::vector<int16_t> Render(int32_t frames)
    {
        std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
        mixer->Render(out.data(), frames);
        return out;
    }

    // A loaded stereo ramp of the given length in slot id.
    std::vector<int16_t> LoadRamp(int32_t id, size_t frames, int channels = 2, int rate = 44100)
    {
        const auto samples = SoundTest::Ramp(frames, channels, 100);
        const std::string name = "sounds/ramp" + std::to_string(id);
        SoundTest::WriteFile(name + ".wav", SoundTest::WaveBytes(samples, channels, rate));
        EXPECT_TRUE(manager.LoadSoundAt(id, name));
        return samples;
    }
};

TEST_F(SoundManagerTest, ASoundAtFullLevelComesOutSampleForSample)
{
    const auto samples = LoadRamp(3, 3000);
    SoundInstance* sound = manager.CreateInstance(3);
    ASSERT_NE(sound, nullptr);
    EXPECT_FALSE(sound->IsPlaying()) << "not before it has played";
    EXPECT_TRUE(sound->Play(false, false));
    EXPECT_TRUE(sound->IsPlaying());
    const auto out = Render(4000);
    for (size_t i = 0; i < samples.size(); ++i)
    {
        ASSERT_EQ(out[i], samples[i]) << "sample " << i;
    }
    for (size_t i = samples.size(); i < out.size(); ++i)
    {
        ASSERT_EQ(out[i], 0) << "silence after the end, sample " << i;
    }
    EXPECT_FALSE(sound->IsPlaying());
}

TEST_F(SoundManagerTest, MonoSoundsLoopVoicesSumAndTheSumIsClipped)
{
    SoundTest::WriteFile("sounds/mono.wav", SoundTest::WaveBytes({1000, 2000, 3000}, 1, 44100));
    ASSERT_TRUE(manager.LoadSoundAt(0, "sounds/mono"));
    SoundTest::WriteFile("sounds/loud.wav", SoundTest::WaveBytes({32000, -32000}, 2, 44100));
    ASSERT_TRUE(manager.LoadSoundAt(1, "sounds/loud"));

    SoundInstance* loop = manager.CreateInstance(0);
    loop->Play(true, false);
    auto out = Render(7);
    EXPECT_EQ(out, (std::vector<int16_t>{1000, 1000, 2000, 2000, 3000, 3000, 1000, 1000, 2000, 2000, 3000, 3000, 1000,
                                         1000}));
    SoundInstance* loud = manager.CreateInstance(1);
    loud->Play(false, false);
    out = Render(2);
    EXPECT_EQ(out, (std::vector<int16_t>{32767, -30000, 3000, 3000})) << "2000 + 32000 clips";
}

TEST_F(SoundManagerTest, VolumePanAndMasterFollowTheLaw)
{
    SoundTest::WriteFile("sounds/dc.wav", SoundTest::WaveBytes({10000, 10000}, 2, 44100));
    ASSERT_TRUE(manager.LoadSoundAt(0, "sounds/dc"));
    SoundInstance* sound = manager.CreateInstance(0);
    sound->SetVolume(0.5);
    sound->Play(true, false);
    const float half = static_cast<float>(LevelToGain(-605));
    EXPECT_EQ(Render(1)[0], static_cast<int16_t>(std::lround(10000 * half)));

    sound->SetPan(2000);
    auto out = Render(1);
    EXPECT_EQ(out[0], static_cast<int16_t>(std::lround(1000 * half))) << "left falls 20 dB";
    EXPECT_EQ(out[1], static_cast<int16_t>(std::lround(10000 * half)));

    manager.SetVolume(0.2); // 0.2 x 0.5 = 0.1: -1682
    out = Render(1);
    EXPECT_EQ(out[1], static_cast<int16_t>(std::lround(10000 * static_cast<float>(LevelToGain(-1682)))));
    manager.SetVolume(0.0);
    EXPECT_EQ(Render(1), (std::vector<int16_t>{0, 0})) << "muted";
    manager.SetVolume(1.0);
    sound->SetVolume(0.01);
    EXPECT_EQ(Render(1), (std::vector<int16_t>{0, 0})) << "-2245 is silence";

    sound->SetVolume(1.0);
    sound->SetPan(0);
    manager.SetSystemWaveVolume(0.25);
    EXPECT_EQ(Render(1)[0], 2500) << "the wave volume scales the whole output";
    EXPECT_DOUBLE_EQ(manager.GetSystemWaveVolume(), 0.25);
}

TEST_F(SoundManagerTest, BaseVolumeAndPanOfTheSlotReachNewInstances)
{
    SoundTest::WriteFile("sounds/dc.wav", SoundTest::WaveBytes({10000, 10000}, 2, 44100));
    ASSERT_TRUE(manager.LoadSoundAt(0, "sounds/dc"));
    EXPECT_TRUE(manager.SetBaseVolume(0, 0.5));
    EXPECT_TRUE(manager.SetBasePan(0, -2000));
    EXPECT_FALSE(manager.SetBaseVolume(256, 0.5));
    SoundInstance* sound = manager.CreateInstance(0);
    sound->Play(true, false);
    const float half = static_cast<float>(LevelToGain(-605));
    auto out = Render(1);
    EXPECT_EQ(out[0], static_cast<int16_t>(std::lround(10000 * half)));
    EXPECT_EQ(out[1], static_cast<int16_t>(std::lround(1000 * half)));
    sound->SetPan(2000);
    out = Render(1);
    EXPECT_EQ(out[0], out[1]) << "own pan adds to the base pan";
}

TEST_F(SoundManagerTest, PitchStopAndReplay)
{
    const auto samples = LoadRamp(0, 100, 1, 22050);
    SoundInstance* sound = manager.CreateInstance(0);
    sound->AdjustPitch(12); // 44100 Hz on a 44100 Hz mixer: one frame per frame
    EXPECT_DOUBLE_EQ(static_cast<MixerSoundInstance*>(sound)->Frequency(), 22050 * std::pow(1.0594630943592953, 12));
    sound->Play(false, false);
    auto out = Render(3);
    EXPECT_NEAR(out[2], samples[1], 1);
    EXPECT_NEAR(out[4], samples[2], 1);

    sound->AdjustPitch(0);
    sound->Stop();
    sound->Play(false, false);
    out = Render(3);
    EXPECT_EQ(out[0], samples[0]) << "Stop rewinds";
    EXPECT_EQ(out[2], std::lround(samples[0] + (samples[1] - samples[0]) * 0.5)) << "half speed interpolates";

    sound->AdjustPitch(-200);
    EXPECT_DOUBLE_EQ(static_cast<MixerSoundInstance*>(sound)->Frequency(), 100.0);
    sound->AdjustPitch(200);
    EXPECT_DOUBLE_EQ(static_cast<MixerSoundInstance*>(sound)->Frequency(), 100000.0);
}

TEST_F(SoundManagerTest, TheThirtyThirdSoundIsDroppedUntilAChannelIsFree)
{
    LoadRamp(0, 44100);
    std::vector<SoundInstance*> playing;
    for (int i = 0; i < 32; ++i)
    {
        SoundInstance* s = manager.CreateInstance(0);
        ASSERT_NE(s, nullptr) << i;
        s->Play(false, true);
        playing.push_back(s);
    }
    EXPECT_EQ(manager.CreateInstance(0), nullptr) << "all 32 busy and none finished";
    playing[5]->Stop(); // stopped: no longer auto-released, still holds its channel
    EXPECT_EQ(manager.CreateInstance(0), nullptr);
    playing[7]->Release();
    SoundInstance* next = manager.CreateInstance(0);
    EXPECT_NE(next, nullptr) << "a released instance gives up its channel";
    EXPECT_EQ(manager.BusyChannels(), 32);
}

TEST_F(SoundManagerTest, FinishedAutoReleaseInstancesAreSweptAtMostOncePerSecond)
{
    LoadRamp(0, 10);
    for (int i = 0; i < 3; ++i)
    {
        manager.CreateInstance(0)->Play(false, true);
    }
    SoundInstance* kept = manager.CreateInstance(0);
    kept->Play(false, false);
    Render(20);
    EXPECT_EQ(manager.BusyChannels(), 4);
    clock->now += 500;
    manager.CreateInstance(0);
    EXPECT_EQ(manager.BusyChannels(), 4) << "only the first finished channel was taken over";
    clock->now += 500;
    manager.CreateInstance(0);
    EXPECT_EQ(manager.BusyChannels(), 3) << "a second after the last sweep the other two finished ones went";
    EXPECT_FALSE(kept->IsReleased()) << "without auto-release an instance stays until released";
}

TEST_F(SoundManagerTest, StopAllKeepsAutoReleaseSoTheChannelsFreeUp)
{
    LoadRamp(0, 44100);
    SoundInstance* a = manager.CreateInstance(0);
    a->Play(false, true);
    manager.StopAllSounds();
    EXPECT_FALSE(a->IsPlaying());
    EXPECT_TRUE(a->IsReleased());
    EXPECT_EQ(Render(1), (std::vector<int16_t>{0, 0}));
}

TEST_F(SoundManagerTest, IdsOutsideTheSlotsAndEmptySlots)
{
    EXPECT_FALSE(manager.LoadSoundAt(256, "sounds/x"));
    EXPECT_FALSE(manager.LoadSoundAt(-1, "sounds/x"));
    EXPECT_EQ(manager.CreateInstance(256), nullptr);
    EXPECT_EQ(manager.CreateInstance(-1), nullptr);
    EXPECT_EQ(manager.CreateInstance(4), nullptr) << "nothing loaded there";
    EXPECT_FALSE(manager.LoadSoundAt(4, "sounds/missing"));
}

TEST_F(SoundManagerTest, LoadSoundFileReusesTheSlotOfAFileAndCountsDownFrom255)
{
    LoadRamp(255, 10);
    SoundTest::WriteFile("sounds/b.wav", SoundTest::WaveBytes({1, 2}, 1, 44100));
    EXPECT_EQ(manager.LoadSoundFile("sounds/b"), 254);
    EXPECT_EQ(manager.LoadSoundFile("sounds/b"), 254);
    EXPECT_EQ(manager.LoadSoundFile("sounds/ramp255"), 255);
    EXPECT_EQ(manager.LoadSoundFile("sounds/none"), -1);
    EXPECT_EQ(manager.LoadSoundFile("sounds/none"), -1) << "a failed load leaves no name behind";
    EXPECT_EQ(manager.LoadSoundFile("sounds/b2"), -1);
    SoundTest::WriteFile("sounds/b2.wav", SoundTest::WaveBytes({1, 2}, 1, 44100));
    EXPECT_EQ(manager.LoadSoundFile("sounds/b2"), 253) << "the slot tried before is free again";
}

TEST_F(SoundManagerTest, WithoutADeviceLoadingSucceedsAndInstancesAreSilent)
{
    MixerSoundManager silent(nullptr, clock);
    EXPECT_FALSE(silent.IsReady());
    EXPECT_TRUE(silent.LoadSoundAt(0, "sounds/not-there"));
    SoundInstance* sound = silent.CreateInstance(0);
    ASSERT_NE(sound, nullptr);
    EXPECT_TRUE(sound->Play(false, true));
    EXPECT_FALSE(sound->IsPlaying());
    EXPECT_TRUE(sound->IsReleased());
}

// --- the cache ---

class SoundCacheTest : public SoundManagerTest
{
protected:
    std::vector<int16_t> tone = SoundTest::Ramp(5000, 2);
    void SetUp() override
    {
        SoundManagerTest::SetUp();
        SoundTest::WriteOgg("sounds/tone.ogg", tone, 2, 44100);
    }
    std::vector<int16_t> Loaded(int32_t id) { return manager.SoundAt(id)->samples; }
};

TEST_F(SoundCacheTest, AnOggSoundIsCachedReusedAndRefusedOnceTheSourceChanges)
{
    ASSERT_TRUE(manager.LoadSoundAt(0, "sounds/tone"));
    ASSERT_TRUE(std::filesystem::exists("cached/sounds/tone.wav")) << "the folders are made as needed";
    const auto decoded = *DecodeOggFile("sounds/tone.ogg");
    EXPECT_EQ(Loaded(0), decoded.samples);

    // Mark the cache's first sample: the next load must read the cache.
    std::string cache = SoundTest::ReadFile("cached/sounds/tone.wav");
    const size_t data = cache.find("data") + 8;
    cache[data] = 0x55;
    cache[data + 1] = 0x15;
    SoundTest::WriteFile("cached/sounds/tone.wav", cache);
    ASSERT_TRUE(manager.LoadSoundAt(1, "sounds/tone"));
    EXPECT_EQ(Loaded(1)[0], 0x1555);

    std::filesystem::last_write_time("sounds/tone.ogg",
                                     std::filesystem::last_write_time("sounds/tone.ogg") + std::chrono::seconds(2));
    ASSERT_TRUE(manager.LoadSoundAt(2, "sounds/tone"));
    EXPECT_EQ(Loaded(2), decoded.samples) << "decoded again";
    ASSERT_TRUE(manager.LoadSoundAt(3, "sounds/tone"));
    EXPECT_EQ(Loaded(3), decoded.samples) << "and cached again";
    EXPECT_EQ(SoundTest::ReadFile("cached/sounds/tone.wav")[data], decoded.samples[0] & 0xff);
}

TEST_F(SoundCacheTest, ADamagedCacheFileIsIgnoredAndRebuilt)
{
    ASSERT_TRUE(manager.LoadSoundAt(0, "sounds/tone"));
    const std::string whole = SoundTest::ReadFile("cached/sounds/tone.wav");
    SoundTest::WriteFile("cached/sounds/tone.wav", whole.substr(0, whole.size() / 2));
    ASSERT_TRUE(manager.LoadSoundAt(1, "sounds/tone"));
    EXPECT_EQ(Loaded(1), Loaded(0));
    EXPECT_EQ(SoundTest::ReadFile("cached/sounds/tone.wav"), whole);
}

TEST_F(SoundCacheTest, WaveSourcesAreNotCachedAndAbsolutePathsSkipTheCache)
{
    SoundTest::WriteFile("sounds/plain.wav", SoundTest::WaveBytes({1, 2, 3, 4}, 2, 44100));
    ASSERT_TRUE(manager.LoadSoundAt(0, "sounds\\plain"));
    EXPECT_FALSE(std::filesystem::exists("cached/sounds/plain.wav"));
    EXPECT_EQ(MixerSoundManager::CachePathFor("sounds\\plain"), "cached/sounds/plain.wav");
    EXPECT_EQ(MixerSoundManager::CachePathFor("/abs/x"), "");
    EXPECT_EQ(MixerSoundManager::CachePathFor("C:x"), "");
    EXPECT_EQ(MixerSoundManager::CachePathFor("ab"), "");
    EXPECT_EQ(MixerSoundManager::CachePathFor("../up/x"), "") << "caches stay inside their folder";
    EXPECT_EQ(MixerSoundManager::CachePathFor("a\\..\\..\\x"), "");
    EXPECT_EQ(MixerSoundManager::CachePathFor("a..b/x"), "cached/a..b/x.wav");

    ASSERT_TRUE(manager.LoadSoundAt(1, (dir / "sounds/tone").string()));
    EXPECT_FALSE(std::filesystem::exists("cached/sounds/tone.wav"));
}

TEST_F(SoundCacheTest, AuSoundsAreExpandedAndCachedWithTheirSource)
{
    SoundTest::WriteFile("sounds/bell.au", SoundTest::AuBytes(1, 1, 8000, {0x80, 0xFF, 0x00}));
    ASSERT_TRUE(manager.LoadSoundAt(0, "sounds/bell"));
    EXPECT_EQ(Loaded(0), (std::vector<int16_t>{31616, 0, -31616}));
    const std::string cache = SoundTest::ReadFile("cached/sounds/bell.wav");
    EXPECT_NE(cache.find("sounds/bell.au"), std::string::npos);
    ASSERT_TRUE(manager.LoadSoundAt(1, "sounds/bell"));
    EXPECT_EQ(Loaded(1), Loaded(0));
}

TEST_F(SoundManagerTest, SoundsLoadOnAnotherThreadWhileTheMixerRuns)
{
    const auto samples = SoundTest::Ramp(2000, 2);
    for (int i = 0; i < 8; ++i)
    {
        SoundTest::WriteFile("sounds/t" + std::to_string(i) + ".wav", SoundTest::WaveBytes(samples, 2, 44100));
    }
    std::atomic<bool> done{false};
    std::thread audio(
        [&]
        {
            std::vector<int16_t> out(512);
            while (!done)
            {
                mixer->Render(out.data(), 256);
            }
        });
    std::thread loader(
        [&]
        {
            for (int round = 0; round < 10; ++round)
            {
                for (int i = 0; i < 8; ++i)
                {
                    manager.LoadSoundAt(i, "sounds/t" + std::to_string(i));
                }
            }
        });
    for (int n = 0; n < 2000; ++n)
    {
        if (SoundInstance* s = manager.CreateInstance(n % 8))
        {
            s->Play(n % 3 == 0, true);
        }
        if (n % 100 == 0)
        {
            manager.ReleaseAllSounds();
            clock->now += 1000;
        }
    }
    loader.join();
    done = true;
    audio.join();
    manager.ReleaseAllChannels();
    EXPECT_EQ(mixer->VoiceCount(), 0u);
}

} // namespace
