#include "tools/audio/SoundRole.h"

#include "tools/audio/Loudness.h"
#include "tools/audio/Mastering.h"

#include <cmath>
#include <utility>
#include <vector>

namespace AudioGen
{

bool ParseSoundRole(std::string_view name, SoundRole& role)
{
    for (SoundRole r : {SoundRole::Gameplay, SoundRole::Button, SoundRole::Fanfare, SoundRole::Loop, SoundRole::Song})
    {
        if (name == SoundRoleName(r))
        {
            role = r;
            return true;
        }
    }
    return false;
}

const char* SoundRoleName(SoundRole role)
{
    switch (role)
    {
        case SoundRole::Gameplay:
            return "gameplay";
        case SoundRole::Button:
            return "button";
        case SoundRole::Fanfare:
            return "fanfare";
        case SoundRole::Loop:
            return "loop";
        case SoundRole::Song:
            break;
    }
    return "song";
}

double RoleTarget(SoundRole role)
{
    switch (role)
    {
        case SoundRole::Gameplay:
            return -13.0;
        case SoundRole::Button:
            return -20.0;
        case SoundRole::Fanfare:
            return -16.5;
        case SoundRole::Loop:
            return -28.0;
        case SoundRole::Song:
            break;
    }
    return -18.0;
}

double RoleLoudness(SoundRole role, const StereoBuffer& buffer)
{
    switch (role)
    {
        case SoundRole::Gameplay:
            return 0.5 * (MeasureLoudness(buffer).loudest100ms + MeasureLoudness(buffer, true).loudest100ms);
        case SoundRole::Button:
            return MeasureLoudness(buffer).loudest100ms;
        case SoundRole::Fanfare:
            return MeasureLoudness(buffer).shortTermMax;
        case SoundRole::Loop:
        case SoundRole::Song:
            break;
    }
    return MeasureLoudness(buffer).integrated;
}

void SetLoudness(StereoBuffer& buffer, SoundRole role, double target, float ceiling, double attack, double release,
                 bool circular)
{
    const double start = RoleLoudness(role, buffer);
    if (start <= kSilence)
        return;
    // The peaks are measured once, on the unscaled sound, for gains up to
    // twice the first guess (frames that cannot reach the ceiling even then
    // are skipped); each round only scales and limits again.
    const StereoBuffer source = buffer;
    double gain = std::pow(10.0, (target - start) / 20.0);
    double reach = 2.0 * gain;
    std::vector<float> peaks = TruePeakEnvelope(source, ceiling / reach);
    for (int round = 0; round < 4; ++round)
    {
        if (gain > reach)
        {
            reach = 2.0 * gain;
            peaks = TruePeakEnvelope(source, ceiling / reach);
        }
        buffer = source;
        Scale(buffer, static_cast<float>(gain));
        std::vector<float> levels(peaks);
        for (float& level : levels)
            level *= static_cast<float>(gain);
        LimitLevels(buffer, std::move(levels), ceiling, attack, release, circular);
        const double now = RoleLoudness(role, buffer);
        if (std::fabs(now - target) < 0.05)
            return;
        gain *= std::pow(10.0, (target - now) / 20.0);
    }
}

} // namespace AudioGen
