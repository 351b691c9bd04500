// AudioOutput: the mixer playing through the audio device.
//
// Open() tries the device; when that fails the output stays closed and
// GetMixer() is null, which the sound manager and music player take as
// "no device" (silent, and not an error). Destroying the output closes the
// device first, so no callback runs into a dying mixer.
//
// OpenWithoutDevice() opens the output on no device at all: the owner pulls
// the mix itself with Render(), on one thread at a time, the way the device
// callback would (tests hear the mix this way, frame for frame).
#pragma once

#include <memory>

#include "framework/platform/AudioDevice.h"
#include "framework/sound/Mixer.h"

namespace Framework
{

class AudioOutput
{
public:
    AudioOutput() = default;
    ~AudioOutput() { device.Close(); }

    bool Open();
    void OpenWithoutDevice() { withoutDevice = true; }
    bool IsOpen() const { return withoutDevice || device.IsOpen(); }
    // The mixer while the output is open, else null.
    std::shared_ptr<Mixer> GetMixer() const { return IsOpen() ? mixer : nullptr; }
    // Only when opened without a device: frameCount stereo frames of the mix.
    void Render(int16_t* frames, int32_t frameCount) { mixer->Render(frames, frameCount); }
    const AudioDevice& Device() const { return device; }

private:
    std::shared_ptr<Mixer> mixer = std::make_shared<Mixer>();
    AudioDevice device;
    bool withoutDevice = false;
};

} // namespace Framework
