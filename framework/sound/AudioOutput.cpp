#include "framework/sound/AudioOutput.h"

namespace Framework
{

bool AudioOutput::Open()
{
    Mixer* target = mixer.get();
    return device.Open([target](int16_t* frames, int32_t count) { target->Render(frames, count); });
}

} // namespace Framework
