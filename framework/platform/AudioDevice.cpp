#include "framework/platform/AudioDevice.h"

#include <SDL.h>

#include <cstring>

namespace Framework
{

AudioDevice::~AudioDevice()
{
    Close();
}

bool AudioDevice::Open(RenderFunction render, int32_t bufferFrames)
{
    Close();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    {
        error = SDL_GetError();
        return false;
    }
    subsystemStarted = true;
    renderFunction = std::move(render);

    SDL_AudioSpec want{};
    want.freq = sampleRate;
    want.format = AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(channels);
    want.samples = static_cast<Uint16>(bufferFrames);
    want.callback = &AudioDevice::Callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts whatever the hardware wants, so the
    // mixer always sees the format above.
    deviceId = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (deviceId == 0)
    {
        error = SDL_GetError();
        Close();
        return false;
    }
    const char* name = SDL_GetCurrentAudioDriver();
    driver = name ? name : "";
    SDL_PauseAudioDevice(deviceId, 0);
    return true;
}

void AudioDevice::Close()
{
    if (deviceId != 0)
    {
        // Closing waits for a running callback to return.
        SDL_CloseAudioDevice(deviceId);
        deviceId = 0;
    }
    if (subsystemStarted)
    {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystemStarted = false;
    }
    renderFunction = nullptr;
}

void AudioDevice::Callback(void* self, uint8_t* stream, int length)
{
    auto* device = static_cast<AudioDevice*>(self);
    const int32_t frames = length / static_cast<int32_t>(sizeof(int16_t) * channels);
    if (device->renderFunction && frames > 0)
    {
        device->renderFunction(reinterpret_cast<int16_t*>(stream), frames);
    }
    else
    {
        std::memset(stream, 0, static_cast<size_t>(length));
    }
}

} // namespace Framework
