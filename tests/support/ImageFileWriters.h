// Writers of small image files for loader tests and benchmarks: 32-bit TGA,
// GIF (with a transparent index and optional interlacing), PNG (RGBA or
// grey, optionally interlaced) and JPEG. Pixels are 0xAARRGGBB words.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace TestSupport
{

// A 32-bit TGA with descriptor `descriptor`; `idField` bytes go into the
// image id field, `depth` into the pixel depth byte.
std::vector<uint8_t> EncodeTga(int32_t w, int32_t h, const std::vector<uint32_t>& pixels,
                               const std::string& idField = "", uint8_t depth = 32, uint8_t descriptor = 0x28);

// A GIF89a of palette indices with a global table of `palette` (RGB words,
// padded to a power of two); transparentIndex < 0 for none. Rows are stored
// in interlaced order when `interlaced`.
std::vector<uint8_t> EncodeGif(int32_t w, int32_t h, const std::vector<uint8_t>& indices,
                               const std::vector<uint32_t>& palette, int transparentIndex, bool interlaced);

// PNG: RGBA 8-bit when !grey, else 8-bit greyscale of the blue bytes.
std::vector<uint8_t> EncodePng(int32_t w, int32_t h, const std::vector<uint32_t>& pixels, bool grey = false,
                               bool interlaced = false);

std::vector<uint8_t> EncodeJpeg(int32_t w, int32_t h, const std::vector<uint32_t>& pixels, int quality = 95);

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace TestSupport
