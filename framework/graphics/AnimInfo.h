// AnimInfo: the animation record an image may carry (built by the resource
// manager from the manifest and copied with the image). Drawing never
// consults it; sprites read it to pick cels. Times are milliseconds.
#pragma once

#include <cstdint>
#include <vector>

namespace Framework
{

enum AnimType : int32_t
{
    AnimType_None = 0,
    AnimType_Once = 1,
    AnimType_PingPong = 2,
    AnimType_Loop = 3,
};

struct AnimInfo
{
    int32_t type = AnimType_None;
    int32_t frameDelay = 1;
    int32_t cels = 0;
    std::vector<int32_t> perFrameDelay;
    std::vector<int32_t> frameMap;
    int32_t totalTime = 0;

    // Completes the record for numCels cels with a begin delay and an end
    // delay (<= 0: none): fills the ping-pong frame map, the cel count, the
    // per-frame delays and the total time.
    void Compute(int32_t numCels, int32_t beginDelay = 0, int32_t endDelay = 0);

    // The frame index shown at `time` ms into the animation, following the
    // frame delays (wrapping for loop and ping-pong, holding the last frame
    // for once), mapped through frameMap when present.
    int32_t GetCel(int32_t time) const;
};

} // namespace Framework
