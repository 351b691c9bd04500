// The game's own sounds and songs from the generated data tree: every sound
// of the manifest's "Media" group through the resource manager into the
// sound manager (decoded, cached, and read back from the cache), and every
// song streamed by the music player.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "framework/app/ResourceManager.h"
#include "framework/app/ResourceServices.h"
#include "framework/graphics/SharedImageCache.h"
#include "framework/sound/MixerMusicInterface.h"
#include "framework/sound/MixerSoundManager.h"
#include "sound/SoundTestFiles.h"
#include "support/TestTemp.h"

using namespace Framework;

namespace
{

std::filesystem::path DataDir()
{
    const char* fromEnv = std::getenv("FROTHWICK_DATA_DIR");
    return fromEnv != nullptr && *fromEnv != 0 ? fromEnv : FROTHWICK_DATA_DIR;
}

// The data tree seen from a scratch folder, so the cache lands there.
std::filesystem::path MirrorDataTree()
{
    const auto work = TestSupport::TestTempDir("tree");
    std::filesystem::remove_all(work);
    std::filesystem::create_directories(work);
    for (const auto& entry : std::filesystem::directory_iterator(DataDir()))
    {
        if (entry.path().filename() != "cached")
        {
            std::filesystem::create_symlink(entry.path(), work / entry.path().filename());
        }
    }
    return work;
}

class SoundServices : public ResourceServices
{
public:
    explicit SoundServices(MixerSoundManager& m) : manager(m) {}
    SharedImageCache cache;
    SharedImageCache::Result GetSharedImage(const std::string& path, const std::string& variant) override
    {
        return cache.GetSharedImage(path, variant);
    }
    void ShowErrorBox(const std::string&) override {}
    bool LoadSoundAt(int32_t id, const std::string& path) override { return manager.LoadSoundAt(id, path); }
    void SetSoundBaseVolume(int32_t id, double v) override { manager.SetBaseVolume(id, v); }
    void SetSoundBasePan(int32_t id, int32_t pan) override { manager.SetBasePan(id, pan); }

private:
    MixerSoundManager& manager;
};

// Loads the group "Media" and returns each sound's samples by identifier.
std::map<std::string, std::vector<int16_t>> LoadMedia(MixerSoundManager& sounds)
{
    SoundServices services(sounds);
    ResourceManager resources(&services);
    EXPECT_TRUE(resources.ReadManifest("properties/resources.xml")) << resources.ErrorText();
    EXPECT_TRUE(resources.LoadGroup("Media")) << resources.ErrorText();
    std::map<std::string, std::vector<int16_t>> out;
    for (const auto& [id, record] : resources.Sounds())
    {
        const auto* sound = static_cast<const SoundRes*>(record.get());
        auto data = sounds.SoundAt(sound->soundId);
        EXPECT_NE(data, nullptr) << id;
        if (data)
        {
            EXPECT_EQ(data->rate, 44100) << id;
            EXPECT_GT(data->Frames(), 256u) << id;
            out[id] = data->samples;
        }
    }
    return out;
}

} // namespace

TEST(SoundData, EverySoundOfTheGameLoadsAndIsCached)
{
    if (!std::filesystem::exists(DataDir() / "sounds"))
    {
        GTEST_SKIP() << "no data tree in " << DataDir();
    }
    SoundTest::WorkingDirectory cwd(MirrorDataTree());
    auto mixer = std::make_shared<Mixer>();
    MixerSoundManager first(mixer, nullptr);
    const auto decoded = LoadMedia(first);
    EXPECT_EQ(decoded.size(), 20u);
    for (const auto& entry : std::filesystem::directory_iterator("sounds"))
    {
        if (entry.path().stem() != "wind_cloud")
        {
            EXPECT_TRUE(std::filesystem::exists("cached/sounds/" + entry.path().stem().string() + ".wav"))
                << entry.path();
        }
    }
    MixerSoundManager second(mixer, nullptr);
    EXPECT_EQ(LoadMedia(second), decoded) << "the cache gives back the same samples";
}

TEST(SoundData, EverySongOfTheGameStreams)
{
    if (!std::filesystem::exists(DataDir() / "music"))
    {
        GTEST_SKIP() << "no data tree in " << DataDir();
    }
    SoundTest::WorkingDirectory cwd(DataDir());
    const std::vector<std::pair<int32_t, std::string>> songs = {
        {1000, "sounds/wind_cloud.ogg"},  {10001, "music/mainscreen.ogg"}, {10002, "music/dream.ogg"},
        {10003, "music/fire.ogg"},        {10004, "music/ice.ogg"},        {10005, "music/phantom.ogg"},
        {10006, "music/purple moon.ogg"}, {10007, "music/wind.ogg"},       {10008, "music/level complete.ogg"},
        {10009, "music/level failed.ogg"}};
    auto mixer = std::make_shared<Mixer>();
    MixerMusicInterface music(mixer, false);
    for (const auto& [id, path] : songs)
    {
        ASSERT_TRUE(music.LoadSong(id, path)) << path;
    }
    std::vector<int16_t> out(2 * 4096);
    for (const auto& [id, path] : songs)
    {
        music.StopAllSongs();
        music.PlaySong(id, 0, true);
        int64_t energy = 0;
        for (int piece = 0; piece < 11; ++piece)
        {
            music.Feed();
            mixer->Render(out.data(), 4096);
            for (int16_t s : out)
            {
                energy += std::abs(s);
            }
        }
        EXPECT_GT(energy, 0) << path << " is silent in its first second";
        EXPECT_EQ(music.SongPosition(id), 11 * 4096) << path;
    }
}
