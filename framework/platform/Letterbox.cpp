#include "framework/platform/Letterbox.h"

#include <algorithm>
#include <vector>

namespace Framework
{

LetterboxPlacement ComputeLetterbox(int32_t srcW, int32_t srcH, int32_t dstW, int32_t dstH)
{
    LetterboxPlacement p;
    if (srcW <= 0 || srcH <= 0 || dstW <= 0 || dstH <= 0)
    {
        return p;
    }
    // Width-limited when dstW / srcW <= dstH / srcH.
    if (int64_t(dstW) * srcH <= int64_t(dstH) * srcW)
    {
        p.width = dstW;
        p.height = static_cast<int32_t>(int64_t(dstW) * srcH / srcW);
    }
    else
    {
        p.height = dstH;
        p.width = static_cast<int32_t>(int64_t(dstH) * srcW / srcH);
    }
    p.width = std::max(p.width, 1);
    p.height = std::max(p.height, 1);
    p.left = (dstW - p.width) / 2;
    p.top = (dstH - p.height) / 2;
    return p;
}

// Target t (relative to the placement) shows floor(t * src / placed). The
// first t showing source s is ceil(s * placed / src).
static int32_t FirstTargetFor(int64_t s, int64_t src, int64_t placed)
{
    return static_cast<int32_t>((s * placed + src - 1) / src);
}

void ScaledSpan(int32_t srcBegin, int32_t srcEnd, int32_t src, int32_t placed, int32_t& first, int32_t& last)
{
    srcBegin = std::clamp(srcBegin, 0, src);
    srcEnd = std::clamp(srcEnd, srcBegin, src);
    first = FirstTargetFor(srcBegin, src, placed);
    last = FirstTargetFor(srcEnd, src, placed);
}

void ScaleRect(const uint32_t* src, int32_t srcW, int32_t srcH, int32_t srcPitch, int32_t sx, int32_t sy, int32_t sw,
               int32_t sh, uint32_t* dst, int32_t dstPitch, const LetterboxPlacement& placement, int32_t& outX,
               int32_t& outY, int32_t& outW, int32_t& outH)
{
    int32_t x0, x1, y0, y1;
    ScaledSpan(sx, sx + sw, srcW, placement.width, x0, x1);
    ScaledSpan(sy, sy + sh, srcH, placement.height, y0, y1);
    outX = placement.left + x0;
    outY = placement.top + y0;
    outW = x1 - x0;
    outH = y1 - y0;
    if (outW <= 0 || outH <= 0)
    {
        outW = outH = 0;
        return;
    }
    // Source column of each target column, computed once per rectangle.
    thread_local std::vector<int32_t> columns;
    columns.resize(static_cast<size_t>(outW));
    for (int32_t t = x0; t < x1; ++t)
    {
        columns[static_cast<size_t>(t - x0)] = static_cast<int32_t>(int64_t(t) * srcW / placement.width);
    }
    int32_t prevSy = -1;
    uint32_t* prevRow = nullptr;
    for (int32_t t = y0; t < y1; ++t)
    {
        int32_t srcY = static_cast<int32_t>(int64_t(t) * srcH / placement.height);
        uint32_t* out = dst + int64_t(placement.top + t) * dstPitch + placement.left + x0;
        if (srcY == prevSy && prevRow)
        {
            std::copy(prevRow, prevRow + outW, out);
        }
        else
        {
            const uint32_t* in = src + int64_t(srcY) * srcPitch;
            for (int32_t i = 0; i < outW; ++i)
            {
                out[i] = in[columns[static_cast<size_t>(i)]];
            }
        }
        prevSy = srcY;
        prevRow = out;
    }
}

void TargetToPicture(int32_t tx, int32_t ty, int32_t srcW, int32_t srcH, const LetterboxPlacement& placement,
                     int32_t& px, int32_t& py)
{
    if (placement.width <= 0 || placement.height <= 0)
    {
        px = std::clamp(tx, 0, std::max(srcW - 1, 0));
        py = std::clamp(ty, 0, std::max(srcH - 1, 0));
        return;
    }
    int64_t rx = int64_t(tx) - placement.left;
    int64_t ry = int64_t(ty) - placement.top;
    // Floor division so that positions left of / above the picture clamp to 0.
    int64_t x = rx >= 0 ? rx * srcW / placement.width : -1;
    int64_t y = ry >= 0 ? ry * srcH / placement.height : -1;
    px = static_cast<int32_t>(std::clamp<int64_t>(x, 0, srcW - 1));
    py = static_cast<int32_t>(std::clamp<int64_t>(y, 0, srcH - 1));
}

} // namespace Framework
