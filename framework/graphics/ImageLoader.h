// ImageLoader: reads image files into a plain pixel record.
//
// LoadImageFile finds a file by trying the decoders' extensions (".tga",
// ".jpg", ".png", ".gif") after a name without one, or opens a name with an
// extension exactly as spelled using the decoder its extension names (case
// ignored), and can merge a separate alpha file ("_name" beside it, or
// "name_") whose blue bytes become the alpha channel. Paths may use "\" as
// a separator; it is turned into "/" when the file is opened.
//
// The decoders take untrusted bytes: a truncated, malformed or oversized
// file (more than MemoryImage::MaxDimension per side or MaxPixels in all)
// gives null, never an out-of-bounds access.
//
// Thread-safe: decoders keep no state; the alpha colour is atomic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Framework::ImageLoader
{

// Pixels are 0xAARRGGBB words, row-major from the top-left.
struct LoadedImage
{
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
};

std::unique_ptr<LoadedImage> LoadImageFile(const std::string& fileName, bool lookForAlpha);

// The colour (0xRRGGBB) given to an image made from an alpha file alone.
void SetAlphaColor(uint32_t rgb);
uint32_t GetAlphaColor();

// Decoders over a whole file's bytes.
std::unique_ptr<LoadedImage> DecodeTga(const uint8_t* data, size_t size);
std::unique_ptr<LoadedImage> DecodeGif(const uint8_t* data, size_t size);
std::unique_ptr<LoadedImage> DecodePng(const uint8_t* data, size_t size);
std::unique_ptr<LoadedImage> DecodeJpeg(const uint8_t* data, size_t size);

// Largest image file read: far above any picture of the program.
constexpr uint64_t MaxFileBytes = uint64_t(256) << 20;

// Reads a whole file (path separators converted); false when it cannot be
// read, is not a regular file (a FIFO, a device or a folder is refused
// without waiting) or exceeds MaxFileBytes.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& out);

// "\" turned into "/".
std::string ToFileSystemPath(const std::string& path);

} // namespace Framework::ImageLoader
