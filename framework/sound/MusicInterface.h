// MusicInterface: the music player's interface. By itself it does nothing
// (the player of a program without sound); MixerMusicInterface plays.
//
// Songs are known by integer ids; volumes run from 0 to 1. Offsets: -1
// continues where the song stood, 0 starts it over, n >= 1 starts at byte n
// of the decoded 16-bit samples. A fade at speed s moves the volume by s
// per UpdateSongs call. Main thread only.
#pragma once

#include <cstdint>
#include <string>

namespace Framework
{

class MusicInterface
{
public:
    virtual ~MusicInterface() = default;
    virtual bool LoadSong(int32_t, const std::string&) { return false; }
    virtual void PlaySong(int32_t, int64_t, bool) {}
    virtual void StopSong(int32_t) {}
    virtual void PauseSong(int32_t) {}
    virtual void ResumeSong(int32_t) {}
    virtual void StopAllSongs() {}
    virtual void UnloadSong(int32_t) {}
    virtual void UnloadAllSongs() {}
    virtual void PauseAllSongs() {}
    virtual void ResumeAllSongs() {}
    virtual void FadeInSong(int32_t, int64_t, double, bool) {}
    virtual void FadeOutSong(int32_t, bool, double) {}
    virtual void FadeOutAllSongs(bool, double) {}
    virtual void SetSongVolume(int32_t, double) {}
    virtual void SetSongMaxVolume(int32_t, double) {}
    virtual bool IsSongPlaying(int32_t) { return false; }
    virtual void SetMasterMusicVolume(double) {}
    virtual void SetSongAmplify(int32_t, double) {}
    virtual void UpdateSongs() {}
};

} // namespace Framework
