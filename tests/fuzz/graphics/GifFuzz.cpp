// Fuzz target: the GIF reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "framework/graphics/ImageLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto img = Framework::ImageLoader::DecodeGif(data, size);
    if (img && img->pixels.size() != size_t(img->width) * size_t(img->height))
    {
        __builtin_trap();
    }
    return 0;
}
