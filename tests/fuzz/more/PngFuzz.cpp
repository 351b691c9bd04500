// Fuzz target: the PNG reader on arbitrary bytes. A decoded image holds
// exactly width x height pixels within the size limits.
#include <cstddef>
#include <cstdint>

#include "framework/graphics/ImageLoader.h"
#include "framework/graphics/MemoryImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto img = Framework::ImageLoader::DecodePng(data, size);
    if (img && (img->width <= 0 || img->height <= 0 || img->width > Framework::MemoryImage::MaxDimension ||
                img->height > Framework::MemoryImage::MaxDimension ||
                img->pixels.size() != size_t(img->width) * size_t(img->height)))
    {
        __builtin_trap();
    }
    return 0;
}
