// Fuzz target: the loader's merge of a colour file with its alpha file. The
// input is split at its first byte (the colour file's share of the rest);
// bits of the second byte pick the files' formats and names. The merged
// image has the colour image's size and colours, and takes its alpha from
// the alpha image's blue bytes when the sizes agree; from an alpha file
// alone it is made in the alpha colour.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "tests/fuzz/FuzzScratch.h"
#include "framework/graphics/ImageLoader.h"

namespace
{

namespace IL = Framework::ImageLoader;

std::string Folder()
{
    return FuzzSupport::ScratchFolder("alpha").string();
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size)
{
    if (FILE* f = std::fopen(path.c_str(), "wb"))
    {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
}

std::unique_ptr<IL::LoadedImage> Decode(const std::string& ext, const uint8_t* data, size_t size)
{
    return ext == ".tga" ? IL::DecodeTga(data, size) : IL::DecodePng(data, size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
    {
        return 0;
    }
    const size_t rest = size - 2;
    const size_t colourSize = rest * data[0] / 255;
    const uint8_t* colour = data + 2;
    const uint8_t* alpha = colour + colourSize;
    const size_t alphaSize = rest - colourSize;
    const std::string colourExt = (data[1] & 1) ? ".tga" : ".png";
    const std::string alphaExt = (data[1] & 2) ? ".tga" : ".png";
    // Colour files of size 0 stand for a missing one.
    const bool haveColour = colourSize > 0;

    // Named with its extension, the alpha file must carry the same one;
    // without, each file is found by the decoders' extensions.
    const bool withExtension = (data[1] & 8) != 0;
    const std::string alphaFileExt = withExtension ? colourExt : alphaExt;
    const std::string colourPath = Folder() + "/pic" + colourExt;
    const std::string alphaPath = Folder() + ((data[1] & 4) && !withExtension ? "/pic_" : "/_pic") + alphaFileExt;
    std::remove(colourPath.c_str());
    std::remove(alphaPath.c_str());
    if (haveColour)
    {
        WriteFile(colourPath, colour, colourSize);
    }
    WriteFile(alphaPath, alpha, alphaSize);

    IL::SetAlphaColor(0x123456);
    auto merged = IL::LoadImageFile(withExtension ? colourPath : Folder() + "/pic", true);
    std::remove(colourPath.c_str());
    std::remove(alphaPath.c_str());

    auto expectColour = haveColour ? Decode(colourExt, colour, colourSize) : nullptr;
    auto expectAlpha = Decode(alphaFileExt, alpha, alphaSize);
    if (!expectColour && !expectAlpha)
    {
        if (merged)
        {
            __builtin_trap();
        }
        return 0;
    }
    if (!merged || merged->pixels.size() != size_t(merged->width) * size_t(merged->height))
    {
        __builtin_trap();
    }
    if (expectColour)
    {
        if (merged->width != expectColour->width || merged->height != expectColour->height)
        {
            __builtin_trap();
        }
        const bool sameSize =
            expectAlpha && expectAlpha->width == merged->width && expectAlpha->height == merged->height;
        for (size_t i = 0; i < merged->pixels.size(); ++i)
        {
            const uint32_t want =
                sameSize ? (expectColour->pixels[i] & 0x00FFFFFFu) | ((expectAlpha->pixels[i] & 0xFFu) << 24)
                         : expectColour->pixels[i];
            if (merged->pixels[i] != want)
            {
                __builtin_trap();
            }
        }
        return 0;
    }
    if (merged->width != expectAlpha->width || merged->height != expectAlpha->height)
    {
        __builtin_trap();
    }
    for (size_t i = 0; i < merged->pixels.size(); ++i)
    {
        if (merged->pixels[i] != (((expectAlpha->pixels[i] & 0xFFu) << 24) | 0x123456u))
        {
            __builtin_trap();
        }
    }
    return 0;
}
