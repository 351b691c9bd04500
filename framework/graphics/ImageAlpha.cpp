#include "framework/graphics/ImageAlpha.h"

namespace Framework
{

bool ApplyAlphaImage(MemoryImage& image, MemoryImage& alpha)
{
    if (image.width != alpha.width || image.height != alpha.height)
    {
        return false;
    }
    uint32_t* dst = image.GetPixels();
    const uint32_t* src = alpha.GetPixels();
    if (dst == nullptr || src == nullptr)
    {
        return false;
    }
    const size_t n = size_t(image.width) * size_t(image.height);
    for (size_t i = 0; i < n; ++i)
    {
        dst[i] = (dst[i] & 0x00FFFFFFu) | ((src[i] & 0xFFu) << 24);
    }
    image.PixelsChanged();
    return true;
}

bool ApplyAlphaGrid(MemoryImage& image, MemoryImage& alphaGrid)
{
    const int32_t cw = image.GetCelWidth();
    const int32_t ch = image.GetCelHeight();
    if (alphaGrid.width != cw || alphaGrid.height != ch)
    {
        return false;
    }
    uint32_t* dst = image.GetPixels();
    const uint32_t* src = alphaGrid.GetPixels();
    if (dst == nullptr || src == nullptr || cw <= 0 || ch <= 0)
    {
        return false;
    }
    for (int32_t row = 0; row < image.rows; ++row)
    {
        for (int32_t col = 0; col < image.columns; ++col)
        {
            for (int32_t y = 0; y < ch; ++y)
            {
                uint32_t* d = dst + size_t(row * ch + y) * size_t(image.width) + size_t(col * cw);
                const uint32_t* s = src + size_t(y) * size_t(cw);
                for (int32_t x = 0; x < cw; ++x)
                {
                    d[x] = (d[x] & 0x00FFFFFFu) | ((s[x] & 0xFFu) << 24);
                }
            }
        }
    }
    image.PixelsChanged();
    return true;
}

} // namespace Framework
