// JPEG decoding through libjpeg(-turbo), from memory, straight into
// 0xAARRGGBB words (opaque).
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "framework/graphics/ImageLoader.h"
#include "framework/graphics/MemoryImage.h"

namespace Framework::ImageLoader
{

namespace
{

struct JpegError
{
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void ErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<JpegError*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

void OutputMessage(j_common_ptr) {}

// Owns the decompressor; destroyed whatever path the decoding leaves by.
struct JpegReader
{
    jpeg_decompress_struct cinfo{};
    JpegError error{};
    bool created = false;
    ~JpegReader()
    {
        if (created)
        {
            jpeg_destroy_decompress(&cinfo);
        }
    }
};

// Kept free of objects with destructors: libjpeg leaves through longjmp.
bool ReadJpeg(JpegReader& reader, const uint8_t* data, size_t size, LoadedImage& img)
{
    jpeg_decompress_struct* cinfo = &reader.cinfo;
    if (setjmp(reader.error.jump))
    {
        return false;
    }
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK)
    {
        return false;
    }
    if (cinfo->image_width == 0 || cinfo->image_height == 0 ||
        !MemoryImage::SizeAllowed(cinfo->image_width, cinfo->image_height))
    {
        return false;
    }
    cinfo->out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(cinfo);
    if (cinfo->output_components != 4 || !MemoryImage::SizeAllowed(cinfo->output_width, cinfo->output_height))
    {
        return false;
    }
    const size_t w = cinfo->output_width;
    img.width = int32_t(cinfo->output_width);
    img.height = int32_t(cinfo->output_height);
    img.pixels.assign(w * size_t(cinfo->output_height), 0u);
    while (cinfo->output_scanline < cinfo->output_height)
    {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(img.pixels.data() + size_t(cinfo->output_scanline) * w);
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1)
        {
            return false;
        }
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

} // namespace

std::unique_ptr<LoadedImage> DecodeJpeg(const uint8_t* data, size_t size)
{
    if (data == nullptr || size < 4 || data[0] != 0xFF || data[1] != 0xD8)
    {
        return nullptr;
    }
    JpegReader reader;
    reader.cinfo.err = jpeg_std_error(&reader.error.mgr);
    reader.error.mgr.error_exit = &ErrorExit;
    reader.error.mgr.output_message = &OutputMessage;
    jpeg_create_decompress(&reader.cinfo);
    reader.created = true;
    auto img = std::make_unique<LoadedImage>();
    if (!ReadJpeg(reader, data, size, *img))
    {
        return nullptr;
    }
    return img;
}

} // namespace Framework::ImageLoader
