// MixerMusicInterface: songs streamed from ".ogg" and ".wav" files into the
// mixer, several at once, each with its own fading volume.
//
// Song record per loaded id: volume (0 after loading), volumeStep,
// maxVolume (1) and stopWhenSilent. The channel's gain is the volume and
// the master volume, each cut to whole hundredths, multiplied. Module
// (tracker) formats are not played: LoadSong refuses them, and "mp3".
//
// A feeder thread decodes ahead for every playing song (Feed() does one
// round of it synchronously when the interface was made without the thread,
// as tests do). Without a mixer (no audio device) songs load and keep their
// state but are never heard. Operations: main thread only.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/sound/Mixer.h"
#include "framework/sound/MusicInterface.h"
#include "framework/sound/SongStream.h"

namespace Framework
{

class MixerMusicInterface final : public MusicInterface
{
public:
    MixerMusicInterface(std::shared_ptr<Mixer> mixer, bool feederThread = true);
    ~MixerMusicInterface() override;

    bool LoadSong(int32_t id, const std::string& path) override;
    void PlaySong(int32_t id, int64_t offset, bool noLoop) override;
    void StopSong(int32_t id) override;
    void PauseSong(int32_t id) override;
    void ResumeSong(int32_t id) override;
    void StopAllSongs() override;
    void UnloadSong(int32_t id) override;
    void UnloadAllSongs() override;
    void PauseAllSongs() override;
    void ResumeAllSongs() override;
    void FadeInSong(int32_t id, int64_t offset, double speed, bool noLoop) override;
    void FadeOutSong(int32_t id, bool stopWhenSilent, double speed) override;
    void FadeOutAllSongs(bool stopWhenSilent, double speed) override;
    void SetSongVolume(int32_t id, double volume) override;
    void SetSongMaxVolume(int32_t id, double volume) override;
    bool IsSongPlaying(int32_t id) override;
    void SetMasterMusicVolume(double volume) override;
    void SetSongAmplify(int32_t, double) override {}
    void UpdateSongs() override;

    // Decodes ahead until every playing song's buffer is full.
    void Feed();

    // For checks: -1 / -1.0 for ids not loaded.
    int64_t SongPosition(int32_t id);
    double SongVolume(int32_t id) const;
    float SongGain(int32_t id) const;

private:
    struct Song
    {
        std::shared_ptr<SongStream> stream;
        double volume = 0.0;
        double volumeStep = 0.0;
        double maxVolume = 1.0;
        bool stopWhenSilent = false;
    };

    Song* Find(int32_t id);
    const Song* Find(int32_t id) const;
    float GainOf(const Song& song) const;
    void ApplyVolume(Song& song);
    void StartStream(Song& song, int64_t offset, bool noLoop);
    void PublishStreams();
    void WakeFeeder();
    void FeederLoop();

    std::shared_ptr<Mixer> mixer;
    std::map<int32_t, Song> songs;
    double masterVolume = 1.0;

    std::mutex feedLock;
    std::condition_variable feedWake;
    std::vector<std::shared_ptr<SongStream>> feedStreams; // guarded by feedLock
    bool feedQuit = false;                                // guarded by feedLock
    bool feedRequested = false;                           // guarded by feedLock
    std::thread feeder;
};

} // namespace Framework
