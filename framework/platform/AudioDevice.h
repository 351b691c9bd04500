// AudioDevice: the one SDL audio output of the program, 44100 Hz, stereo,
// signed 16-bit samples (4-byte frames).
//
// Open() starts the device and calls the render function on SDL's audio
// thread whenever the device wants frames; the function must fill all of
// them (interleaved left, right) and must not block on disk or on the main
// thread for long. Open() is called on the main thread; a device that cannot
// be opened (no sound card, no driver) leaves the object closed and the
// program runs silent. Close() (and the destructor) stop the callbacks
// before returning, so the render function's captures may die after it.
//
// SDL's "dummy" driver consumes frames in real time without a sound card;
// "disk" writes them to SDL_DISKAUDIOFILE, which lets tests hear the mix.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace Framework
{

class AudioDevice
{
public:
    static constexpr int32_t sampleRate = 44100;
    static constexpr int32_t channels = 2;

    using RenderFunction = std::function<void(int16_t* frames, int32_t frameCount)>;

    AudioDevice() = default;
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Opens the default device and starts playing; false (and silent) when
    // there is none. bufferFrames is the device's period in frames.
    bool Open(RenderFunction render, int32_t bufferFrames = 1024);
    void Close();
    bool IsOpen() const { return deviceId != 0; }
    // The name of the SDL driver in use, or the reason opening failed.
    const std::string& DriverName() const { return driver; }
    const std::string& LastError() const { return error; }

private:
    static void Callback(void* self, uint8_t* stream, int length);

    RenderFunction renderFunction;
    uint32_t deviceId = 0;
    bool subsystemStarted = false;
    std::string driver;
    std::string error;
};

} // namespace Framework
