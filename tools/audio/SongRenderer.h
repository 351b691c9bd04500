// Turns a parsed song into finished stereo samples.
//
// A looping song comes out exactly LengthFrames() long with its tail
// (releases and the room) folded back onto its start, so the end runs into
// the start without a click or a gap. A song that does not loop keeps its
// tail and ends in silence. Either way the loudness is set to the song's
// level by its role's figure (SoundRole.h) and the true peak stays under
// kCeiling. Rendering is deterministic.
#pragma once

#include "tools/audio/Song.h"
#include "tools/audio/StereoBuffer.h"

namespace AudioGen
{

inline constexpr float kCeiling = 0.79f; // -2 dBTP, room for the codec's overshoot

StereoBuffer RenderSong(const Song& song);

} // namespace AudioGen
