#include "framework/sound/MixerSoundManager.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "framework/sound/SoundDecoders.h"
#include "framework/sound/WaveFile.h"

namespace Framework
{

namespace
{

bool ValidId(int32_t id)
{
    return id >= 0 && id < SoundManager::maxSounds;
}

std::string WithSlashes(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

} // namespace

MixerSoundManager::MixerSoundManager(std::shared_ptr<Mixer> m, std::shared_ptr<Clock> c)
    : mixer(std::move(m)), clock(std::move(c))
{
    if (!clock)
    {
        clock = std::make_shared<SystemClock>();
    }
    lastSweep = clock->NowMs();
}

MixerSoundManager::~MixerSoundManager()
{
    ReleaseAllChannels();
}

std::string MixerSoundManager::CachePathFor(const std::string& path)
{
    if (path.size() <= 2 || path[0] == '\\' || path[0] == '/' || path[1] == ':')
    {
        return {};
    }
    // A path that climbs out with ".." would put its cache file outside the
    // cache folder: such sounds are not cached.
    const std::string relative = WithSlashes(path);
    if (relative == ".." || relative.rfind("../", 0) == 0 || relative.find("/../") != std::string::npos ||
        relative.ends_with("/.."))
    {
        return {};
    }
    return "cached/" + relative + ".wav";
}

bool MixerSoundManager::LoadSoundAt(int32_t id, const std::string& path)
{
    if (!ValidId(id))
    {
        return false;
    }
    ReleaseSound(id);
    if (!IsReady())
    {
        return true;
    }
    {
        std::lock_guard<std::mutex> hold(slotLock);
        slots[static_cast<size_t>(id)].fileName = path;
    }

    const std::string base = WithSlashes(path);
    std::string cachePath = CachePathFor(path);
    if (!cachePath.empty() && !cacheFolder.empty())
    {
        cachePath = (cacheFolder / cachePath).string();
    }
    std::optional<SoundData> sound;
    if (!cachePath.empty())
    {
        sound = LoadWaveFile(cachePath);
        if (!sound)
        {
            std::error_code ignored;
            std::filesystem::create_directories(std::filesystem::path(cachePath).parent_path(), ignored);
        }
    }
    if (!sound)
    {
        sound = LoadWaveFile(base + ".wav");
    }
    if (!sound)
    {
        sound = DecodeOggFile(base + ".ogg");
        if (sound)
        {
            WriteCacheFile(cachePath, *sound, base + ".ogg");
        }
    }
    if (!sound)
    {
        sound = LoadAuFile(base + ".au");
        if (sound)
        {
            WriteCacheFile(cachePath, *sound, base + ".au");
        }
    }
    std::lock_guard<std::mutex> hold(slotLock);
    if (!sound)
    {
        // A failed load does not keep the name, or LoadSoundFile would
        // report the empty slot as that file's sound.
        slots[static_cast<size_t>(id)].fileName.clear();
        return false;
    }
    slots[static_cast<size_t>(id)].sound = std::make_shared<const SoundData>(std::move(*sound));
    return true;
}

int32_t MixerSoundManager::LoadSoundFile(const std::string& path)
{
    int32_t freeId = -1;
    {
        std::lock_guard<std::mutex> hold(slotLock);
        for (int32_t id = 0; id < maxSounds; ++id)
        {
            if (slots[static_cast<size_t>(id)].fileName == path)
            {
                return id;
            }
        }
        for (int32_t id = maxSounds - 1; id >= 0 && freeId < 0; --id)
        {
            const Slot& slot = slots[static_cast<size_t>(id)];
            if (!slot.sound && slot.fileName.empty())
            {
                freeId = id;
            }
        }
    }
    if (freeId < 0 || !LoadSoundAt(freeId, path))
    {
        return -1;
    }
    return freeId;
}

void MixerSoundManager::ReleaseSound(int32_t id)
{
    if (!ValidId(id))
    {
        return;
    }
    std::lock_guard<std::mutex> hold(slotLock);
    // Voices still playing the sound keep their own reference to it.
    slots[static_cast<size_t>(id)] = Slot{};
}

void MixerSoundManager::ReleaseAllSounds()
{
    for (int32_t id = 0; id < maxSounds; ++id)
    {
        ReleaseSound(id);
    }
}

std::shared_ptr<const SoundData> MixerSoundManager::SoundAt(int32_t id)
{
    if (!ValidId(id))
    {
        return nullptr;
    }
    std::lock_guard<std::mutex> hold(slotLock);
    return slots[static_cast<size_t>(id)].sound;
}

bool MixerSoundManager::SetBaseVolume(int32_t id, double volume)
{
    if (!ValidId(id))
    {
        return false;
    }
    std::lock_guard<std::mutex> hold(slotLock);
    slots[static_cast<size_t>(id)].baseVolume = volume;
    return true;
}

bool MixerSoundManager::SetBasePan(int32_t id, int32_t pan)
{
    if (!ValidId(id))
    {
        return false;
    }
    std::lock_guard<std::mutex> hold(slotLock);
    slots[static_cast<size_t>(id)].basePan = pan;
    return true;
}

void MixerSoundManager::SetVolume(double volume)
{
    masterVolume = volume;
    for (auto& channel : channels)
    {
        if (channel)
        {
            channel->RefreshGain();
        }
    }
}

void MixerSoundManager::SetSystemWaveVolume(double volume)
{
    systemWaveVolume = std::clamp(volume, 0.0, 1.0);
    if (mixer)
    {
        mixer->SetOutputGain(systemWaveVolume);
    }
}

void MixerSoundManager::SweepChannels()
{
    for (auto& channel : channels)
    {
        if (channel && channel->IsReleased())
        {
            channel.reset();
        }
    }
}

int32_t MixerSoundManager::BusyChannels() const
{
    return static_cast<int32_t>(
        std::count_if(channels.begin(), channels.end(), [](const auto& c) { return c != nullptr; }));
}

SoundInstance* MixerSoundManager::CreateInstance(int32_t id)
{
    if (!ValidId(id))
    {
        return nullptr;
    }
    const uint32_t now = clock->NowMs();
    if (now - lastSweep >= 1000)
    {
        SweepChannels();
        lastSweep = now;
    }
    std::unique_ptr<MixerSoundInstance>* channel = nullptr;
    for (auto& c : channels)
    {
        if (!c || c->IsReleased())
        {
            c.reset();
            channel = &c;
            break;
        }
    }
    if (channel == nullptr)
    {
        return nullptr;
    }
    Slot slot;
    {
        std::lock_guard<std::mutex> hold(slotLock);
        slot = slots[static_cast<size_t>(id)];
    }
    if (IsReady() && !slot.sound)
    {
        return nullptr;
    }
    *channel = std::make_unique<MixerSoundInstance>(*this, slot.sound);
    (*channel)->SetBasePan(slot.basePan);
    (*channel)->SetBaseVolume(slot.baseVolume);
    return channel->get();
}

void MixerSoundManager::ReleaseAllChannels()
{
    for (auto& channel : channels)
    {
        channel.reset();
    }
}

void MixerSoundManager::StopAllSounds()
{
    for (auto& channel : channels)
    {
        if (channel)
        {
            channel->Halt();
        }
    }
}

} // namespace Framework
