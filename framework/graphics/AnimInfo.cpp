#include "framework/graphics/AnimInfo.h"

#include <cstddef>
#include <numeric>

namespace Framework
{

void AnimInfo::Compute(int32_t numCels, int32_t beginDelay, int32_t endDelay)
{
    if (numCels < 1)
    {
        numCels = 1;
    }
    if (frameDelay < 1)
    {
        frameDelay = 1;
    }
    if (type == AnimType_PingPong && numCels > 1)
    {
        frameMap.clear();
        for (int32_t i = 0; i < numCels; ++i)
        {
            frameMap.push_back(i);
        }
        for (int32_t i = numCels - 2; i >= 1; --i)
        {
            frameMap.push_back(i);
        }
    }
    cels = frameMap.empty() ? numCels : int32_t(frameMap.size());
    if (beginDelay > 0)
    {
        if (perFrameDelay.empty())
        {
            perFrameDelay.resize(1);
        }
        perFrameDelay[0] = beginDelay;
    }
    if (endDelay > 0)
    {
        if (perFrameDelay.size() < size_t(cels))
        {
            perFrameDelay.resize(size_t(cels));
        }
        perFrameDelay[size_t(cels) - 1] = endDelay;
    }
    if (!perFrameDelay.empty())
    {
        perFrameDelay.resize(size_t(cels));
        for (int32_t& d : perFrameDelay)
        {
            if (d < 1)
            {
                d = frameDelay;
            }
        }
        totalTime = std::accumulate(perFrameDelay.begin(), perFrameDelay.end(), 0);
    }
    else
    {
        totalTime = cels * frameDelay;
    }
    if (!frameMap.empty())
    {
        frameMap.resize(size_t(cels));
    }
}

int32_t AnimInfo::GetCel(int32_t time) const
{
    if (cels <= 0 || totalTime <= 0)
    {
        return 0;
    }
    if (time < 0)
    {
        time = 0;
    }
    int32_t frame = 0;
    if (type == AnimType_Once && time >= totalTime)
    {
        frame = cels - 1;
    }
    else
    {
        const int32_t t = time % totalTime;
        if (perFrameDelay.empty())
        {
            frame = t / frameDelay;
        }
        else
        {
            int32_t acc = 0;
            for (frame = 0; frame < cels - 1; ++frame)
            {
                acc += perFrameDelay[size_t(frame)];
                if (t < acc)
                {
                    break;
                }
            }
        }
    }
    if (frame >= cels)
    {
        frame = cels - 1;
    }
    return frameMap.empty() ? frame : frameMap[size_t(frame)];
}

} // namespace Framework
