// Letterbox: where a logical picture lands in a larger (or smaller) target
// and a nearest-neighbour scaler into it.
//
// The picture keeps its aspect ratio and is centred; the bars stay untouched.
// A target pixel (tx, ty) inside the placed picture shows source pixel
// ((tx - left) * srcW / placedW, (ty - top) * srcH / placedH), rounded down.
// Because every target pixel is computed from that one formula, scaling any
// set of source rectangles gives exactly the pixels a whole-frame scale gives.
// Pure functions, no state; any thread.
#pragma once

#include <cstdint>

namespace Framework
{

struct LetterboxPlacement
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0; // placed picture size in target pixels
    int32_t height = 0;
};

LetterboxPlacement ComputeLetterbox(int32_t srcW, int32_t srcH, int32_t dstW, int32_t dstH);

// Target span [first, last) of target columns (or rows) whose source pixel
// lies in [srcBegin, srcEnd); placed is the placed size, src the source size.
void ScaledSpan(int32_t srcBegin, int32_t srcEnd, int32_t src, int32_t placed, int32_t& first, int32_t& last);

// Scales the source rectangle (sx, sy, sw, sh) of a srcW x srcH picture into
// the target (32-bit words, pitch in words) at the placement. Returns the
// target rectangle written through the out parameters (empty when nothing).
void ScaleRect(const uint32_t* src, int32_t srcW, int32_t srcH, int32_t srcPitch, int32_t sx, int32_t sy, int32_t sw,
               int32_t sh, uint32_t* dst, int32_t dstPitch, const LetterboxPlacement& placement, int32_t& outX,
               int32_t& outY, int32_t& outW, int32_t& outH);

// Maps a target position back to picture pixels, clamped into the picture.
void TargetToPicture(int32_t tx, int32_t ty, int32_t srcW, int32_t srcH, const LetterboxPlacement& placement,
                     int32_t& px, int32_t& py);

} // namespace Framework
