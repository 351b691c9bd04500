// MixerSoundManager: the sound-effect engine on our own mixer.
//
// 256 sound slots and 32 channels. Loading (LoadSoundAt) tries, for a path
// without extension, the cache file "cached/" + path + ".wav" (relative
// paths that stay below the working directory; below the cache folder when
// one is set), then path + ".wav", path + ".ogg" and path + ".au"; a sound
// decoded from ".ogg" or ".au" is written to the cache with its source's
// stamp so the next start reads it directly while the source is unchanged.
// Paths are relative to the working directory; "\" separators are accepted.
//
// The system wave volume is kept here and applied as the mixer's output
// gain, so like the wave line it scales effects and songs alike.
//
// Without a mixer (no audio device) the manager is not ready: loading
// reports success without reading anything and instances are silent.
//
// Threads: the slots are locked, so the loading thread may load sounds
// while the main thread creates instances and the audio thread mixes.
// Channels, volumes and instances belong to the main thread.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

#include "framework/platform/Clock.h"
#include "framework/sound/Mixer.h"
#include "framework/sound/MixerSoundInstance.h"
#include "framework/sound/SoundData.h"
#include "framework/sound/SoundManager.h"

namespace Framework
{

class MixerSoundManager final : public SoundManager
{
public:
    // mixer null: no device. clock times the channel sweep.
    MixerSoundManager(std::shared_ptr<Mixer> mixer, std::shared_ptr<Clock> clock);
    ~MixerSoundManager() override;

    bool IsReady() override { return mixer != nullptr; }
    int32_t LoadSoundFile(const std::string& path) override;
    bool LoadSoundAt(int32_t id, const std::string& path) override;
    void ReleaseSound(int32_t id) override;
    void SetVolume(double volume) override;
    bool SetBaseVolume(int32_t id, double volume) override;
    bool SetBasePan(int32_t id, int32_t pan) override;
    SoundInstance* CreateInstance(int32_t id) override;
    void ReleaseAllSounds() override;
    void ReleaseAllChannels() override;
    double GetSystemWaveVolume() override { return systemWaveVolume; }
    void SetSystemWaveVolume(double volume) override;
    void AttachWindow(bool) override {}
    void StopAllSounds() override;

    double MasterVolume() const { return masterVolume; }
    Mixer* GetMixer() const { return mixer.get(); }
    // The loaded sound of a slot, or null.
    std::shared_ptr<const SoundData> SoundAt(int32_t id);
    int32_t BusyChannels() const;

    // The cache path of a sound path, empty when the path is not cached.
    static std::string CachePathFor(const std::string& path);
    // The folder the "cached/" paths are below (the user's cache folder);
    // empty: the working directory. Set before the first load.
    void SetCacheFolder(std::filesystem::path folder) { cacheFolder = std::move(folder); }

private:
    std::filesystem::path cacheFolder;
    struct Slot
    {
        std::shared_ptr<const SoundData> sound;
        std::string fileName;
        double baseVolume = 1.0;
        int32_t basePan = 0;
    };

    void SweepChannels();

    std::shared_ptr<Mixer> mixer;
    std::shared_ptr<Clock> clock;
    std::mutex slotLock;
    std::array<Slot, maxSounds> slots;
    std::array<std::unique_ptr<MixerSoundInstance>, maxChannels> channels;
    double masterVolume = 1.0;
    double systemWaveVolume = 1.0;
    uint32_t lastSweep = 0;
};

} // namespace Framework
