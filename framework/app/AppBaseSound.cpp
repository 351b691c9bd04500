// AppBase's sound seams: the sound manager and the music interface on the
// mixer of the audio device.
#include <cmath>

#include "framework/app/AppBase.h"
#include "framework/platform/UserFolders.h"
#include "framework/sound/MixerMusicInterface.h"
#include "framework/sound/MixerSoundManager.h"

namespace Framework
{

void AppBase::SoundCreate()
{
    if (soundManager)
    {
        return;
    }
    if (!audioOutput)
    {
        audioOutput = std::make_unique<AudioOutput>();
    }
    // A machine without sound runs silent: the players get no mixer. An
    // output already made and open (a test's, without a device) is kept.
    if (!audioOutput->IsOpen())
    {
        audioOutput->Open();
    }
    auto mixerSounds = std::make_unique<MixerSoundManager>(audioOutput->GetMixer(), clock);
    // Decoded sounds are disposable: they go to the user's cache folder.
    mixerSounds->SetCacheFolder(UserFolders::CacheDir(UserFolderName()));
    soundManager = std::move(mixerSounds);
    soundManager->SetSystemWaveVolume(systemWaveVolume);
    musicInterface = CreateMusicPlayer();
}

std::unique_ptr<MusicInterface> AppBase::CreateMusicPlayer()
{
    return std::make_unique<MixerMusicInterface>(audioOutput ? audioOutput->GetMixer() : nullptr);
}

bool AppBase::LoadSoundAt(int32_t id, const std::string& path)
{
    return soundManager && soundManager->LoadSoundAt(id, path);
}

void AppBase::SetSoundBaseVolume(int32_t id, double volume)
{
    if (soundManager)
    {
        soundManager->SetBaseVolume(id, volume);
    }
}

void AppBase::SetSoundBasePan(int32_t id, int32_t pan)
{
    if (soundManager)
    {
        soundManager->SetBasePan(id, pan);
    }
}

void AppBase::SoundSetVolume(double volume)
{
    if (soundManager)
    {
        soundManager->SetVolume(volume);
    }
}

void AppBase::SoundSetSystemWaveVolume(double volume)
{
    systemWaveVolume = volume;
    if (soundManager)
    {
        soundManager->SetSystemWaveVolume(volume);
    }
}

double AppBase::SoundGetSystemWaveVolume()
{
    return soundManager ? soundManager->GetSystemWaveVolume() : systemWaveVolume;
}

void AppBase::SoundPlay(int32_t id, bool withPan, double pan)
{
    if (!soundManager)
    {
        return;
    }
    SoundInstance* played = soundManager->CreateInstance(id);
    if (played == nullptr)
    {
        return;
    }
    if (withPan)
    {
        played->SetPan(static_cast<int32_t>(std::lround(pan)));
    }
    played->Play(false, true);
}

void AppBase::SoundWindowChanged(bool toWindowed)
{
    if (soundManager)
    {
        soundManager->AttachWindow(toWindowed);
    }
}

void AppBase::MusicSetVolume(double volume)
{
    if (musicInterface)
    {
        musicInterface->SetMasterMusicVolume(volume);
    }
}

void AppBase::MusicUpdate()
{
    if (musicInterface)
    {
        musicInterface->UpdateSongs();
    }
}

void AppBase::MusicStopAll()
{
    if (musicInterface)
    {
        musicInterface->StopAllSongs();
    }
}

} // namespace Framework
