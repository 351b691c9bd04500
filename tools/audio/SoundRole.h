// What a sound is for, and the loudness the generator gives it.
//
// Every effect and song source states its role. The role picks the figure
// of the loudness meter the sound is set by and the level it is set to:
// gameplay effects by their loudest 100 ms (the mean of full range and the
// small-speaker stand-in, so bass-heavy knocks do not vanish on a laptop),
// buttons by their loudest 100 ms, fanfares by their loudest 3 s, the loop
// and the songs by their gated integrated loudness. Levels are in LUFS.
#pragma once

#include "tools/audio/StereoBuffer.h"

#include <string_view>

namespace AudioGen
{

enum class SoundRole
{
    Gameplay,
    Button,
    Fanfare,
    Loop,
    Song
};

// "gameplay", "button", "fanfare", "loop", "song"; false for anything else.
bool ParseSoundRole(std::string_view name, SoundRole& role);
const char* SoundRoleName(SoundRole role);

// The level a sound of the role is set to before its own shift.
double RoleTarget(SoundRole role);

// The role's figure of `buffer`, in LUFS.
double RoleLoudness(SoundRole role, const StereoBuffer& buffer);

// Scales `buffer` so RoleLoudness reads `target`, then limits it so its true
// peak stays under `ceiling` (linear); when the limiter took loudness, the
// two steps are repeated (at most four rounds; the peaks are measured once).
void SetLoudness(StereoBuffer& buffer, SoundRole role, double target, float ceiling, double attack, double release,
                 bool circular);

} // namespace AudioGen
