// Last steps before encoding: level measurement and normalisation, the
// peak limiter, loop joins and edge fades. All work in place on whole
// buffers; lengths are in frames.
#pragma once

#include "tools/audio/StereoBuffer.h"

#include <cstddef>
#include <vector>

namespace AudioGen
{

// Largest absolute sample of both channels.
float Peak(const StereoBuffer& buffer);

// Root mean square over both channels; 0 for an empty buffer.
double Rms(const StereoBuffer& buffer);

// The RMS (both channels) of the loudest window of `seconds`, windows
// overlapping by half: how loud a short sound feels.
double LoudestWindowRms(const StereoBuffer& buffer, double seconds);

// Multiplies both channels by `gain`.
void Scale(StereoBuffer& buffer, float gain);

// Look-ahead peak limiter: afterwards no sample exceeds `ceiling`. The gain
// falls linearly over `attack` seconds before a peak (so the peak itself is
// already turned down) and recovers over `release` seconds. With `circular`
// the buffer is treated as a loop, so the gain also looks across the join.
// With `truePeak` the limiter watches the 4x oversampled signal (the peaks
// between samples that a decoder or converter will produce) instead of the
// samples alone.
void Limit(StereoBuffer& buffer, float ceiling, double attack, double release, bool circular, bool truePeak = false);

// The limiter's gain stage alone: `levels` holds each frame's peak level
// (as Limit measures it), so a caller that tries several gains measures the
// peaks only once.
void LimitLevels(StereoBuffer& buffer, std::vector<float> levels, float ceiling, double attack, double release,
                 bool circular);

// A loop rendered with a tail past its end: folds every frame at or beyond
// `loopFrames` back onto the start (frame loopFrames + i adds to frame i)
// and cuts the buffer to `loopFrames`. Decays that cross the loop point thus
// continue seamlessly after the jump back.
void WrapTail(StereoBuffer& buffer, std::size_t loopFrames);

// A loop rendered `fadeFrames` longer than `loopFrames`: the first
// `fadeFrames` become an equal-power cross-fade from the frames after the
// end into the frames at the start, and the buffer is cut to `loopFrames`.
// For material without a natural start, such as noise.
void CrossfadeLoop(StereoBuffer& buffer, std::size_t loopFrames, std::size_t fadeFrames);

// Raised-cosine fade in over `inFrames` and out over `outFrames`; the first
// and the last frame become exactly 0.
void FadeEdges(StereoBuffer& buffer, std::size_t inFrames, std::size_t outFrames);

} // namespace AudioGen
