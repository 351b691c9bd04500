// SoundManager and SoundInstance: the interfaces of the sound-effect engine.
//
// A manager keeps up to 256 loaded sounds (ids 0 to 255) and up to 32
// instances playing at once. Instances belong to the manager: CreateInstance
// hands out a pointer that stays valid until the instance is swept (it was
// released, or it was an auto-release instance that finished) or all
// channels are released. Volumes run from 0 to 1; pans from -10000 (left)
// to 10000 (right) in hundredths of a decibel.
//
// Threads: sounds may be loaded on the loading thread while the main thread
// creates and plays instances; everything else is the main thread's.
#pragma once

#include <cstdint>
#include <string>

namespace Framework
{

class SoundInstance
{
public:
    virtual ~SoundInstance() = default;
    virtual void Release() = 0;
    virtual void SetBaseVolume(double volume) = 0;
    virtual void SetBasePan(int32_t pan) = 0;
    // Shifts the pitch by steps semitones from the sound's own rate.
    virtual void AdjustPitch(double steps) = 0;
    virtual void SetVolume(double volume) = 0;
    virtual void SetPan(int32_t pan) = 0;
    virtual bool Play(bool looping, bool autoRelease) = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying() = 0;
    virtual bool IsReleased() = 0;
    virtual double GetVolume() = 0;
};

class SoundManager
{
public:
    static constexpr int32_t maxSounds = 256;
    static constexpr int32_t maxChannels = 32;

    virtual ~SoundManager() = default;
    // An audio device is open (without one, loading succeeds and all is silent).
    virtual bool IsReady() = 0;
    virtual int32_t LoadSoundFile(const std::string& path) = 0;
    // path has no extension: the cache, ".wav", ".ogg" and ".au" are tried.
    virtual bool LoadSoundAt(int32_t id, const std::string& path) = 0;
    virtual void ReleaseSound(int32_t id) = 0;
    // Master effect volume.
    virtual void SetVolume(double volume) = 0;
    virtual bool SetBaseVolume(int32_t id, double volume) = 0;
    virtual bool SetBasePan(int32_t id, int32_t pan) = 0;
    virtual SoundInstance* CreateInstance(int32_t id) = 0;
    virtual void ReleaseAllSounds() = 0;
    virtual void ReleaseAllChannels() = 0;
    virtual double GetSystemWaveVolume() = 0;
    virtual void SetSystemWaveVolume(double volume) = 0;
    virtual void AttachWindow(bool windowed) = 0;
    virtual void StopAllSounds() = 0;
};

} // namespace Framework
