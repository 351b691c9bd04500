// PNG decoding through libpng's classic read API, from memory.
#include <csetjmp>
#include <cstring>

#include <png.h>

#include "framework/graphics/ImageLoader.h"
#include "framework/graphics/MemoryImage.h"

namespace Framework::ImageLoader
{

namespace
{

struct PngSource
{
    const uint8_t* data;
    size_t size;
    size_t pos;
};

void ReadCallback(png_structp png, png_bytep out, size_t length)
{
    auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
    if (src->size - src->pos < length)
    {
        png_error(png, "truncated");
    }
    std::memcpy(out, src->data + src->pos, length);
    src->pos += length;
}

void ErrorCallback(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void WarningCallback(png_structp, png_const_charp) {}

// Owns the libpng read structures.
struct PngReader
{
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngReader() { png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr); }
};

// Decodes into `img`, which the caller owns; false on any failure. Kept
// free of objects with destructors, since libpng leaves through longjmp.
bool ReadPng(PngReader& reader, PngSource& source, LoadedImage& img, std::vector<png_bytep>& rows)
{
    png_structp png = reader.png;
    png_infop info = reader.info;
    if (setjmp(png_jmpbuf(png)))
    {
        return false;
    }
    png_set_read_fn(png, &source, &ReadCallback);
    png_set_user_limits(png, MemoryImage::MaxDimension, MemoryImage::MaxDimension);
    png_set_chunk_malloc_max(png, 8u << 20);
    png_read_info(png, info);
    png_uint_32 w = 0, h = 0;
    int bitDepth = 0, colorType = 0, interlace = 0;
    png_get_IHDR(png, info, &w, &h, &bitDepth, &colorType, &interlace, nullptr, nullptr);
    if (w == 0 || h == 0 || !MemoryImage::SizeAllowed(w, h))
    {
        return false;
    }
    if (colorType == PNG_COLOR_TYPE_PALETTE)
    {
        png_set_palette_to_rgb(png);
    }
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
    {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS))
    {
        png_set_tRNS_to_alpha(png);
    }
    if (bitDepth == 16)
    {
        png_set_strip_16(png);
    }
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
    {
        png_set_gray_to_rgb(png);
    }
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(w) * 4)
    {
        return false;
    }
    img.width = int32_t(w);
    img.height = int32_t(h);
    img.pixels.assign(size_t(w) * size_t(h), 0u);
    rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y)
    {
        rows[y] = reinterpret_cast<png_bytep>(img.pixels.data() + size_t(y) * w);
    }
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    return true;
}

} // namespace

std::unique_ptr<LoadedImage> DecodePng(const uint8_t* data, size_t size)
{
    if (data == nullptr || size < 8 || png_sig_cmp(data, 0, 8) != 0)
    {
        return nullptr;
    }
    PngReader reader;
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &ErrorCallback, &WarningCallback);
    if (reader.png == nullptr)
    {
        return nullptr;
    }
    reader.info = png_create_info_struct(reader.png);
    if (reader.info == nullptr)
    {
        return nullptr;
    }
    PngSource source{data, size, 0};
    auto img = std::make_unique<LoadedImage>();
    std::vector<png_bytep> rows;
    if (!ReadPng(reader, source, *img, rows))
    {
        return nullptr;
    }
    return img;
}

} // namespace Framework::ImageLoader
