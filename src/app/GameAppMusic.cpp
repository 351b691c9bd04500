// GameApp's music: the songs loaded once "Game" is in, the main screen's
// song, the stage-music rotation per world with its delayed fade-in, the
// jingles and the wind cloud's loop.
#include "src/app/GameApp.h"

#include "framework/sound/MusicInterface.h"

namespace
{

// Songs loaded into the music interface once "Game" has loaded, in order.
struct SongFile
{
    int32_t id;
    const char* path;
};
constexpr SongFile songFiles[] = {
    {Songs::WindCloud, "sounds/wind_cloud.ogg"},
    {Songs::MainScreen, "music/mainscreen.ogg"},
    {Songs::Dream, "music/dream.ogg"},
    {Songs::Fire, "music/fire.ogg"},
    {Songs::Ice, "music/ice.ogg"},
    {Songs::Phantom, "music/phantom.ogg"},
    {Songs::PurpleMoon, "music/purple moon.ogg"},
    {Songs::Wind, "music/wind.ogg"},
    {Songs::LevelComplete, "music/level complete.ogg"},
    {Songs::LevelFailed, "music/level failed.ogg"},
};

constexpr double StageFadeSpeed = 0.005;
constexpr double MainScreenFadeSpeed = 0.002;

} // namespace

void GameApp::LoadSongs()
{
    if (musicInterface)
    {
        for (const SongFile& song : songFiles)
        {
            musicInterface->LoadSong(song.id, song.path);
        }
    }
}

void GameApp::PlayMainScreenMusic()
{
    if (musicInterface)
    {
        musicInterface->StopAllSongs();
        musicInterface->FadeInSong(Songs::MainScreen, -1, MainScreenFadeSpeed, false);
    }
    stageCounter = 0;
    songDelay = 0;
    pendingSong = -1;
}

void GameApp::TickMusic()
{
    if (pendingSong != -1 && ++songDelay > SongDelayTicks)
    {
        if (musicInterface)
        {
            musicInterface->StopAllSongs();
            musicInterface->FadeInSong(pendingSong, 0, StageFadeSpeed, false);
        }
        pendingSong = -1;
        songDelay = 0;
    }
}

int32_t GameApp::RotationSong() const
{
    if (world < 1 || world > 4)
    {
        return -1;
    }
    const int32_t position = ((stageCounter % 6) + 6) % 6;
    return musicTable[world - 1][position];
}

void GameApp::PlayStageMusic(int32_t song)
{
    if (song == -1)
    {
        if (musicInterface)
        {
            musicInterface->FadeOutAllSongs(true, StageFadeSpeed);
        }
        pendingSong = RotationSong();
        songDelay = 0;
        return;
    }
    if (musicInterface)
    {
        musicInterface->StopAllSongs();
        musicInterface->PlaySong(song, 0, true);
    }
}

void GameApp::StartWindLoop()
{
    if (musicInterface)
    {
        musicInterface->PlaySong(Songs::WindCloud, 0, false);
    }
}

void GameApp::StopWindLoop()
{
    if (musicInterface)
    {
        musicInterface->StopSong(Songs::WindCloud);
    }
}
