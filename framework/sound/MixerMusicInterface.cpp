#include "framework/sound/MixerMusicInterface.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace Framework
{

MixerMusicInterface::MixerMusicInterface(std::shared_ptr<Mixer> m, bool feederThread) : mixer(std::move(m))
{
    if (!mixer)
    {
        // Nobody renders this mixer: songs keep their state, silently.
        mixer = std::make_shared<Mixer>();
    }
    if (feederThread)
    {
        feeder = std::thread([this] { FeederLoop(); });
    }
}

MixerMusicInterface::~MixerMusicInterface()
{
    {
        std::lock_guard<std::mutex> hold(feedLock);
        feedQuit = true;
    }
    feedWake.notify_all();
    if (feeder.joinable())
    {
        feeder.join();
    }
    UnloadAllSongs();
}

MixerMusicInterface::Song* MixerMusicInterface::Find(int32_t id)
{
    auto it = songs.find(id);
    return it == songs.end() ? nullptr : &it->second;
}

const MixerMusicInterface::Song* MixerMusicInterface::Find(int32_t id) const
{
    auto it = songs.find(id);
    return it == songs.end() ? nullptr : &it->second;
}

bool MixerMusicInterface::LoadSong(int32_t id, const std::string& path)
{
    std::unique_ptr<StreamDecoder> decoder = OpenStreamDecoder(path);
    if (!decoder)
    {
        return false;
    }
    // Loading over a loaded id replaces that song instead of losing it.
    UnloadSong(id);
    Song song;
    song.stream = std::make_shared<SongStream>(*mixer, std::move(decoder));
    mixer->Add(song.stream);
    songs.emplace(id, song);
    ApplyVolume(songs[id]);
    PublishStreams();
    return true;
}

void MixerMusicInterface::UnloadSong(int32_t id)
{
    Song* song = Find(id);
    if (!song)
    {
        return;
    }
    song->stream->Stop();
    mixer->Remove(song->stream.get());
    songs.erase(id);
    PublishStreams();
}

void MixerMusicInterface::UnloadAllSongs()
{
    while (!songs.empty())
    {
        UnloadSong(songs.begin()->first);
    }
}

float MixerMusicInterface::GainOf(const Song& song) const
{
    // Whole hundredths, cut towards zero, as the channel volume is kept.
    const double channel = std::trunc(std::clamp(song.volume, 0.0, 1.0) * 100.0) / 100.0;
    const double master = std::trunc(std::clamp(masterVolume, 0.0, 1.0) * 100.0) / 100.0;
    return static_cast<float>(channel * master);
}

void MixerMusicInterface::ApplyVolume(Song& song)
{
    song.stream->SetGain(GainOf(song));
}

void MixerMusicInterface::StartStream(Song& song, int64_t offset, bool noLoop)
{
    song.stream->Start(offset, !noLoop);
    WakeFeeder();
}

void MixerMusicInterface::PlaySong(int32_t id, int64_t offset, bool noLoop)
{
    Song* song = Find(id);
    if (!song)
    {
        return;
    }
    song->volume = song->maxVolume;
    song->volumeStep = 0.0;
    song->stopWhenSilent = noLoop;
    ApplyVolume(*song);
    song->stream->Stop();
    StartStream(*song, offset, noLoop);
}

void MixerMusicInterface::FadeInSong(int32_t id, int64_t offset, double speed, bool noLoop)
{
    Song* song = Find(id);
    if (!song)
    {
        return;
    }
    song->volumeStep = speed;
    song->stopWhenSilent = noLoop;
    song->stream->Stop();
    ApplyVolume(*song);
    StartStream(*song, offset, noLoop);
}

void MixerMusicInterface::FadeOutSong(int32_t id, bool stopWhenSilent, double speed)
{
    Song* song = Find(id);
    if (song && song->volume != 0.0)
    {
        song->volumeStep = -speed;
        song->stopWhenSilent = stopWhenSilent;
    }
}

void MixerMusicInterface::FadeOutAllSongs(bool stopWhenSilent, double speed)
{
    for (auto& [id, song] : songs)
    {
        song.volumeStep = -speed;
        song.stopWhenSilent = stopWhenSilent;
    }
}

void MixerMusicInterface::UpdateSongs()
{
    for (auto& [id, song] : songs)
    {
        if (song.volumeStep == 0.0)
        {
            continue;
        }
        song.volume += song.volumeStep;
        if (song.volume > song.maxVolume)
        {
            song.volume = song.maxVolume;
            song.volumeStep = 0.0;
        }
        else if (song.volume < 0.0)
        {
            song.volume = 0.0;
            song.volumeStep = 0.0;
            if (song.stopWhenSilent)
            {
                song.stream->Stop();
            }
        }
        ApplyVolume(song);
    }
}

void MixerMusicInterface::StopSong(int32_t id)
{
    if (Song* song = Find(id))
    {
        song->volume = 0.0;
        song->stream->Stop();
    }
}

void MixerMusicInterface::StopAllSongs()
{
    for (auto& [id, song] : songs)
    {
        song.volume = 0.0;
        song.stream->Stop();
    }
}

void MixerMusicInterface::PauseSong(int32_t id)
{
    if (Song* song = Find(id))
    {
        song->stream->Pause();
    }
}

void MixerMusicInterface::ResumeSong(int32_t id)
{
    if (Song* song = Find(id))
    {
        song->stream->Resume();
    }
}

void MixerMusicInterface::PauseAllSongs()
{
    for (auto& [id, song] : songs)
    {
        song.stream->Pause();
    }
}

void MixerMusicInterface::ResumeAllSongs()
{
    for (auto& [id, song] : songs)
    {
        song.stream->Resume();
    }
}

void MixerMusicInterface::SetSongVolume(int32_t id, double volume)
{
    if (Song* song = Find(id))
    {
        song->volume = volume;
        ApplyVolume(*song);
    }
}

void MixerMusicInterface::SetSongMaxVolume(int32_t id, double volume)
{
    if (Song* song = Find(id))
    {
        song->maxVolume = volume;
        song->volume = std::min(song->volume, volume);
        ApplyVolume(*song);
    }
}

bool MixerMusicInterface::IsSongPlaying(int32_t id)
{
    Song* song = Find(id);
    return song && song->stream->IsPlaying();
}

void MixerMusicInterface::SetMasterMusicVolume(double volume)
{
    masterVolume = volume;
    for (auto& [id, song] : songs)
    {
        ApplyVolume(song);
    }
}

int64_t MixerMusicInterface::SongPosition(int32_t id)
{
    Song* song = Find(id);
    return song ? song->stream->Position() : -1;
}

double MixerMusicInterface::SongVolume(int32_t id) const
{
    const Song* song = Find(id);
    return song ? song->volume : -1.0;
}

float MixerMusicInterface::SongGain(int32_t id) const
{
    const Song* song = Find(id);
    return song ? GainOf(*song) : -1.0f;
}

void MixerMusicInterface::PublishStreams()
{
    std::lock_guard<std::mutex> hold(feedLock);
    feedStreams.clear();
    for (auto& [id, song] : songs)
    {
        feedStreams.push_back(song.stream);
    }
}

void MixerMusicInterface::WakeFeeder()
{
    {
        std::lock_guard<std::mutex> hold(feedLock);
        feedRequested = true;
    }
    feedWake.notify_all();
}

void MixerMusicInterface::Feed()
{
    std::vector<std::shared_ptr<SongStream>> streams;
    {
        std::lock_guard<std::mutex> hold(feedLock);
        streams = feedStreams;
    }
    bool worked = true;
    while (worked)
    {
        worked = false;
        for (auto& stream : streams)
        {
            worked |= stream->Feed();
        }
    }
}

void MixerMusicInterface::FeederLoop()
{
    std::unique_lock<std::mutex> hold(feedLock);
    while (!feedQuit)
    {
        // Buffers hold half a second and a top-up fills them: looking every
        // 100 ms keeps them at least a quarter of a second ahead of the
        // device, and a starting song wakes the feeder at once.
        feedWake.wait_for(hold, std::chrono::milliseconds(100), [this] { return feedQuit || feedRequested; });
        if (feedQuit)
        {
            break;
        }
        feedRequested = false;
        hold.unlock();
        Feed();
        hold.lock();
    }
}

} // namespace Framework
