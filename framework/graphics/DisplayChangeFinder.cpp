#include "framework/graphics/DisplayChangeFinder.h"

#include <algorithm>
#include <cstring>

namespace Framework
{

void DisplayChangeFinder::Reset()
{
    previous.clear();
    prevWidth = prevHeight = 0;
}

std::vector<ChangedRect> DisplayChangeFinder::Find(const uint32_t* pixels, int32_t width, int32_t height,
                                                   int32_t pitchWords, bool& whole)
{
    std::vector<ChangedRect> rects;
    whole = false;
    if (!pixels || width <= 0 || height <= 0)
    {
        return rects;
    }
    const size_t rowBytes = size_t(width) * 4;
    if (width != prevWidth || height != prevHeight || previous.size() != size_t(width) * size_t(height))
    {
        previous.resize(size_t(width) * size_t(height));
        for (int32_t y = 0; y < height; ++y)
        {
            std::memcpy(&previous[size_t(y) * size_t(width)], pixels + int64_t(y) * pitchWords, rowBytes);
        }
        prevWidth = width;
        prevHeight = height;
        whole = true;
        rects.push_back({0, 0, width, height});
        return rects;
    }

    rowChanged.assign(size_t(height), 0);
    for (int32_t y = 0; y < height; ++y)
    {
        rowChanged[size_t(y)] =
            std::memcmp(&previous[size_t(y) * size_t(width)], pixels + int64_t(y) * pitchWords, rowBytes) != 0;
    }

    const int32_t tilesAcross = (width + TileSize - 1) / TileSize;
    std::vector<uint8_t> tileChanged(static_cast<size_t>(tilesAcross), 0);
    for (int32_t bandTop = 0; bandTop < height; bandTop += TileSize)
    {
        const int32_t bandBottom = std::min(bandTop + TileSize, height);
        int32_t firstRow = -1, lastRow = -1;
        for (int32_t y = bandTop; y < bandBottom; ++y)
        {
            if (rowChanged[size_t(y)])
            {
                firstRow = firstRow < 0 ? y : firstRow;
                lastRow = y;
            }
        }
        if (firstRow < 0)
        {
            continue;
        }
        std::fill(tileChanged.begin(), tileChanged.end(), 0);
        for (int32_t y = firstRow; y <= lastRow; ++y)
        {
            if (!rowChanged[size_t(y)])
            {
                continue;
            }
            const uint32_t* now = pixels + int64_t(y) * pitchWords;
            const uint32_t* before = &previous[size_t(y) * size_t(width)];
            for (int32_t t = 0; t < tilesAcross; ++t)
            {
                if (tileChanged[size_t(t)])
                {
                    continue;
                }
                const int32_t x0 = t * TileSize;
                const int32_t n = std::min(TileSize, width - x0);
                tileChanged[size_t(t)] = std::memcmp(now + x0, before + x0, size_t(n) * 4) != 0;
            }
        }
        for (int32_t t = 0; t < tilesAcross;)
        {
            if (!tileChanged[size_t(t)])
            {
                ++t;
                continue;
            }
            int32_t end = t;
            while (end < tilesAcross && tileChanged[size_t(end)])
            {
                ++end;
            }
            const int32_t x0 = t * TileSize;
            const int32_t x1 = std::min(end * TileSize, width);
            rects.push_back({x0, firstRow, x1 - x0, lastRow - firstRow + 1});
            for (int32_t y = firstRow; y <= lastRow; ++y)
            {
                std::memcpy(&previous[size_t(y) * size_t(width) + size_t(x0)], pixels + int64_t(y) * pitchWords + x0,
                            size_t(x1 - x0) * 4);
            }
            t = end;
        }
    }
    return rects;
}

} // namespace Framework
