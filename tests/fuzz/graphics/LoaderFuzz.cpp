// Fuzz target: the image loader as a whole. The first byte picks the file
// name's extension (or none, so the loader searches); the rest is the file.
// A decoded image is then drawn, stretched and rotated, into a small canvas.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "tests/fuzz/FuzzScratch.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageLoader.h"
#include "framework/graphics/MemoryImage.h"

namespace
{

std::string Folder()
{
    return FuzzSupport::ScratchFolder("loader").string();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
    {
        return 0;
    }
    static const char* const extensions[] = {".tga", ".jpg", ".png", ".gif", ".PNG", ""};
    const char* ext = extensions[data[0] % 6];
    const std::string base = Folder() + "/image";
    for (const char* e : extensions)
    {
        std::remove((base + e).c_str());
    }
    const std::string file = base + (ext[0] != 0 ? ext : ".png");
    if (FILE* f = std::fopen(file.c_str(), "wb"))
    {
        std::fwrite(data + 1, 1, size - 1, f);
        std::fclose(f);
    }
    auto loaded = Framework::ImageLoader::LoadImageFile(base + ext, true);
    std::remove(file.c_str());
    if (!loaded)
    {
        return 0;
    }
    if (loaded->pixels.size() != size_t(loaded->width) * size_t(loaded->height))
    {
        __builtin_trap();
    }
    if (int64_t(loaded->width) * loaded->height > 256 * 256)
    {
        return 0;
    }
    Framework::MemoryImage image;
    image.SetPixels(loaded->pixels.data(), loaded->width, loaded->height, false);
    Framework::MemoryImage canvas;
    canvas.Allocate(48, 48);
    Framework::Graphics g(&canvas);
    g.DrawImage(&image, -3, 5);
    g.DrawStretched(&image, 2, 2, 40, 30);
    g.DrawRotated(&image, 10.0f, 10.0f, 0.7, 3.0f, 2.0f);
    image.ReduceToPalette();
    g.DrawImage(&image, 1, 1);
    return 0;
}
