#include "support/ImageFileWriters.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <jpeglib.h>
#include <png.h>

namespace TestSupport
{

namespace
{

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t(v >> 8));
}

// Packs variable-width codes LSB first, as GIF wants.
class BitWriter
{
public:
    void Write(uint32_t code, uint32_t bits)
    {
        buffer |= code << count;
        count += bits;
        while (count >= 8)
        {
            bytes.push_back(uint8_t(buffer & 0xFF));
            buffer >>= 8;
            count -= 8;
        }
    }
    std::vector<uint8_t> Finish()
    {
        if (count > 0)
        {
            bytes.push_back(uint8_t(buffer & 0xFF));
        }
        return bytes;
    }

private:
    uint32_t buffer = 0;
    uint32_t count = 0;
    std::vector<uint8_t> bytes;
};

} // namespace

std::vector<uint8_t> EncodeTga(int32_t w, int32_t h, const std::vector<uint32_t>& pixels, const std::string& idField,
                               uint8_t depth, uint8_t descriptor)
{
    std::vector<uint8_t> out;
    out.push_back(uint8_t(idField.size()));
    out.push_back(0); // no colour map
    out.push_back(2); // uncompressed true colour
    Put16(out, 0);
    Put16(out, 0);
    out.push_back(0);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, uint32_t(w));
    Put16(out, uint32_t(h));
    out.push_back(depth);
    out.push_back(descriptor);
    out.insert(out.end(), idField.begin(), idField.end());
    for (uint32_t p : pixels)
    {
        out.push_back(uint8_t(p));
        out.push_back(uint8_t(p >> 8));
        out.push_back(uint8_t(p >> 16));
        out.push_back(uint8_t(p >> 24));
    }
    return out;
}

std::vector<uint8_t> EncodeGif(int32_t w, int32_t h, const std::vector<uint8_t>& indices,
                               const std::vector<uint32_t>& palette, int transparentIndex, bool interlaced)
{
    uint32_t bits = 1;
    while ((1u << bits) < palette.size())
    {
        ++bits;
    }
    std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(out, uint32_t(w));
    Put16(out, uint32_t(h));
    out.push_back(uint8_t(0x80 | (bits - 1)));
    out.push_back(0);
    out.push_back(0);
    for (uint32_t i = 0; i < (1u << bits); ++i)
    {
        const uint32_t c = i < palette.size() ? palette[i] : 0;
        out.push_back(uint8_t(c >> 16));
        out.push_back(uint8_t(c >> 8));
        out.push_back(uint8_t(c));
    }
    // A comment, then the graphic control extension.
    const char comment[] = "test";
    out.insert(out.end(), {0x21, 0xFE, 4});
    out.insert(out.end(), comment, comment + 4);
    out.push_back(0);
    out.insert(out.end(), {0x21, 0xF9, 4, uint8_t(transparentIndex >= 0 ? 1 : 0), 0, 0,
                           uint8_t(transparentIndex >= 0 ? transparentIndex : 0), 0});
    out.push_back(0x2C);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, uint32_t(w));
    Put16(out, uint32_t(h));
    out.push_back(interlaced ? 0x40 : 0);

    std::vector<int32_t> rows;
    if (interlaced)
    {
        const int32_t starts[4] = {0, 4, 2, 1};
        const int32_t steps[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
        {
            for (int32_t y = starts[pass]; y < h; y += steps[pass])
            {
                rows.push_back(y);
            }
        }
    }
    else
    {
        for (int32_t y = 0; y < h; ++y)
        {
            rows.push_back(y);
        }
    }
    // Literal codes only, with a clear code whenever the table would make
    // the code size grow: a valid, if uncompressed, LZW stream.
    const uint32_t minCode = std::max<uint32_t>(2, bits);
    const uint32_t clear = 1u << minCode;
    const uint32_t codeBits = minCode + 1;
    BitWriter writer;
    writer.Write(clear, codeBits);
    uint32_t nextCode = clear + 2;
    bool first = true;
    for (int32_t y : rows)
    {
        for (int32_t x = 0; x < w; ++x)
        {
            if (!first && nextCode + 1 >= (1u << codeBits))
            {
                writer.Write(clear, codeBits);
                nextCode = clear + 2;
                first = true;
            }
            writer.Write(indices[size_t(y) * size_t(w) + size_t(x)], codeBits);
            if (!first)
            {
                ++nextCode;
            }
            first = false;
        }
    }
    writer.Write(clear + 1, codeBits);
    const std::vector<uint8_t> data = writer.Finish();
    out.push_back(uint8_t(minCode));
    for (size_t i = 0; i < data.size(); i += 255)
    {
        const size_t n = std::min<size_t>(255, data.size() - i);
        out.push_back(uint8_t(n));
        out.insert(out.end(), data.begin() + long(i), data.begin() + long(i + n));
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

namespace
{

void PngWrite(png_structp png, png_bytep data, size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void PngFlush(png_structp) {}

} // namespace

std::vector<uint8_t> EncodePng(int32_t w, int32_t h, const std::vector<uint32_t>& pixels, bool grey, bool interlaced)
{
    std::vector<uint8_t> out;
    std::vector<std::vector<uint8_t>> rowData(static_cast<size_t>(h));
    std::vector<png_bytep> rows(static_cast<size_t>(h));
    for (int32_t y = 0; y < h; ++y)
    {
        auto& r = rowData[static_cast<size_t>(y)];
        for (int32_t x = 0; x < w; ++x)
        {
            const uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
            if (grey)
            {
                r.push_back(uint8_t(p));
            }
            else
            {
                r.insert(r.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
            }
        }
        rows[static_cast<size_t>(y)] = r.data();
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, &PngWrite, &PngFlush);
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, grey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGBA,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint8_t> EncodeJpeg(int32_t w, int32_t h, const std::vector<uint32_t>& pixels, int quality)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(w);
    cinfo.image_height = JDIMENSION(h);
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRA;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height)
    {
        JSAMPROW row =
            reinterpret_cast<JSAMPROW>(const_cast<uint32_t*>(pixels.data()) + size_t(cinfo.next_scanline) * size_t(w));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

} // namespace TestSupport
