// AudioOutput: the mixer playing through the audio device.
//
// Open() tries the device; when that fails the output stays closed and
// GetMixer() is null, which the sound manager and music player take as
// "no device" (silent, and not an error). Destroying the output closes the
// device first, so no callback runs into a dying mixer.
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
    bool IsOpen() const { return device.IsOpen(); }
    // The mixer while the device is open, else null.
    std::shared_ptr<Mixer> GetMixer() const { return device.IsOpen() ? mixer : nullptr; }
    const AudioDevice& Device() const { return device; }

private:
    std::shared_ptr<Mixer> mixer = std::make_shared<Mixer>();
    AudioDevice device;
};

} // namespace Framework
