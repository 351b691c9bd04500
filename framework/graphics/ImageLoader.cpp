#include "framework/graphics/ImageLoader.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>

#include "framework/graphics/MemoryImage.h"
#include "framework/platform/FileReplace.h"

namespace Framework::ImageLoader
{

namespace
{

std::atomic<uint32_t> alphaColor{0xFFFFFF};

bool AllowedSize(int64_t w, int64_t h)
{
    return w > 0 && h > 0 && MemoryImage::SizeAllowed(w, h);
}

std::unique_ptr<LoadedImage> MakeImage(int32_t w, int32_t h)
{
    auto img = std::make_unique<LoadedImage>();
    img->width = w;
    img->height = h;
    img->pixels.assign(size_t(w) * size_t(h), 0u);
    return img;
}

std::string LowerAscii(std::string s)
{
    for (char& c : s)
    {
        if (c >= 'A' && c <= 'Z')
        {
            c = char(c - 'A' + 'a');
        }
    }
    return s;
}

using Decoder = std::unique_ptr<LoadedImage> (*)(const uint8_t*, size_t);

std::unique_ptr<LoadedImage> DecodeFile(const std::string& path, Decoder decoder)
{
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes))
    {
        return nullptr;
    }
    return decoder(bytes.data(), bytes.size());
}

// Decoders tried, in this order, for a name without an extension.
struct DecoderEntry
{
    const char* extension;
    Decoder decoder;
};

const DecoderEntry decoders[] = {
    {".tga", &DecodeTga},
    {".jpg", &DecodeJpeg},
    {".png", &DecodePng},
    {".gif", &DecodeGif},
};

std::unique_ptr<LoadedImage> LoadColourFile(const std::string& fileName)
{
    const size_t slash = fileName.find_last_of("/\\");
    const size_t dot = fileName.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    if (hasExtension)
    {
        // Opened as spelled: file names are case-sensitive here, so
        // "Photo.JPG" must not turn into "Photo.jpg".
        const std::string ext = LowerAscii(fileName.substr(dot));
        for (const DecoderEntry& d : decoders)
        {
            if (ext == d.extension)
            {
                return DecodeFile(fileName, d.decoder);
            }
        }
        return nullptr;
    }
    for (const DecoderEntry& d : decoders)
    {
        if (auto img = DecodeFile(fileName + d.extension, d.decoder))
        {
            return img;
        }
    }
    return nullptr;
}

} // namespace

void SetAlphaColor(uint32_t rgb)
{
    alphaColor.store(rgb & 0xFFFFFFu);
}

uint32_t GetAlphaColor()
{
    return alphaColor.load();
}

std::string ToFileSystemPath(const std::string& path)
{
    std::string s = path;
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& out)
{
    // Image paths come from data (the manifest, a player's avatar path):
    // only a regular file within the limit is read, never a FIFO or device.
    return ReadRegularFile(ToFileSystemPath(path), MaxFileBytes, out);
}

std::unique_ptr<LoadedImage> LoadImageFile(const std::string& fileName, bool lookForAlpha)
{
    std::unique_ptr<LoadedImage> image = LoadColourFile(fileName);
    if (!lookForAlpha)
    {
        return image;
    }
    const size_t slash = fileName.find_last_of("/\\");
    const std::string dir = slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    std::unique_ptr<LoadedImage> alpha = LoadImageFile(dir + "_" + name, false);
    if (!alpha)
    {
        alpha = LoadImageFile(fileName + "_", false);
    }
    if (!alpha)
    {
        return image;
    }
    if (image)
    {
        if (image->width == alpha->width && image->height == alpha->height)
        {
            for (size_t i = 0; i < image->pixels.size(); ++i)
            {
                image->pixels[i] = (image->pixels[i] & 0x00FFFFFFu) | ((alpha->pixels[i] & 0xFFu) << 24);
            }
        }
        return image;
    }
    const uint32_t rgb = GetAlphaColor();
    for (uint32_t& p : alpha->pixels)
    {
        p = ((p & 0xFFu) << 24) | rgb;
    }
    return alpha;
}

// ---------------------------------------------------------------- TGA

std::unique_ptr<LoadedImage> DecodeTga(const uint8_t* data, size_t size)
{
    if (data == nullptr || size < 18)
    {
        return nullptr;
    }
    auto u16 = [&](size_t at) { return uint32_t(data[at]) | (uint32_t(data[at + 1]) << 8); };
    const uint32_t idLength = data[0];
    const uint32_t colorMapType = data[1];
    const uint32_t imageType = data[2];
    const uint32_t colorMapLength = u16(5);
    const uint32_t colorMapDepth = data[7];
    const uint32_t width = u16(12);
    const uint32_t height = u16(14);
    const uint32_t depth = data[16];
    const uint32_t descriptor = data[17];
    // Uncompressed true-colour, 32 bits with 8 alpha bits, top-left origin.
    if (imageType != 2 || depth != 32 || descriptor != 0x28 || !AllowedSize(width, height))
    {
        return nullptr;
    }
    // The image id and any colour map precede the pixels.
    uint64_t offset = 18 + uint64_t(idLength);
    if (colorMapType != 0)
    {
        offset += uint64_t(colorMapLength) * ((colorMapDepth + 7) / 8);
    }
    const uint64_t need = uint64_t(width) * height * 4;
    if (offset > size || size - offset < need)
    {
        return nullptr;
    }
    auto img = MakeImage(int32_t(width), int32_t(height));
    const uint8_t* p = data + offset;
    for (size_t i = 0; i < img->pixels.size(); ++i, p += 4)
    {
        img->pixels[i] = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
    }
    return img;
}

// ---------------------------------------------------------------- GIF

namespace
{

class ByteReader
{
public:
    ByteReader(const uint8_t* d, size_t n) : data(d), size(n) {}
    bool Has(size_t n) const { return size - pos >= n; }
    bool Skip(size_t n)
    {
        if (!Has(n))
        {
            return false;
        }
        pos += n;
        return true;
    }
    bool U8(uint32_t& v)
    {
        if (!Has(1))
        {
            return false;
        }
        v = data[pos++];
        return true;
    }
    bool U16(uint32_t& v)
    {
        if (!Has(2))
        {
            return false;
        }
        v = uint32_t(data[pos]) | (uint32_t(data[pos + 1]) << 8);
        pos += 2;
        return true;
    }
    const uint8_t* Here() const { return data + pos; }
    // Skips a chain of data sub-blocks up to and including the terminator.
    bool SkipSubBlocks()
    {
        uint32_t len = 0;
        do
        {
            if (!U8(len) || !Skip(len))
            {
                return false;
            }
        } while (len != 0);
        return true;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
};

bool ReadColorTable(ByteReader& r, uint32_t entries, uint32_t* table)
{
    if (!r.Has(size_t(entries) * 3))
    {
        return false;
    }
    const uint8_t* p = r.Here();
    for (uint32_t i = 0; i < entries; ++i)
    {
        table[i] = 0xFF000000u | (uint32_t(p[3 * i]) << 16) | (uint32_t(p[3 * i + 1]) << 8) | p[3 * i + 2];
    }
    return r.Skip(size_t(entries) * 3);
}

// LZW decoding of the image data sub-blocks into `out`, at most count
// indices (output grows as data arrives, so a small file cannot make it
// allocate the whole declared image). False on malformed codes.
bool DecodeLzw(ByteReader& r, uint32_t minCodeSize, std::vector<uint8_t>& out, size_t count)
{
    if (minCodeSize < 2 || minCodeSize > 11)
    {
        return false;
    }
    constexpr uint32_t MaxCodes = 4096;
    std::vector<uint16_t> prefix(MaxCodes);
    std::vector<uint8_t> suffix(MaxCodes);
    std::vector<uint8_t> stack(MaxCodes + 1);
    const uint32_t clearCode = 1u << minCodeSize;
    const uint32_t endCode = clearCode + 1;
    uint32_t codeSize = minCodeSize + 1;
    uint32_t nextCode = endCode + 1;
    int32_t oldCode = -1;
    uint8_t firstChar = 0;
    for (uint32_t i = 0; i < clearCode; ++i)
    {
        prefix[i] = 0;
        suffix[i] = uint8_t(i);
    }
    uint32_t bitBuffer = 0;
    uint32_t bitCount = 0;
    uint32_t blockLeft = 0;
    bool ended = false;
    while (!ended)
    {
        // Fill bits.
        while (bitCount < codeSize)
        {
            if (blockLeft == 0)
            {
                if (!r.U8(blockLeft))
                {
                    return true;
                }
                if (blockLeft == 0)
                {
                    // Terminator before the end code: accept what we have.
                    return true;
                }
            }
            uint32_t byte = 0;
            if (!r.U8(byte))
            {
                return true;
            }
            --blockLeft;
            bitBuffer |= byte << bitCount;
            bitCount += 8;
        }
        const uint32_t code = bitBuffer & ((1u << codeSize) - 1);
        bitBuffer >>= codeSize;
        bitCount -= codeSize;
        if (code == clearCode)
        {
            codeSize = minCodeSize + 1;
            nextCode = endCode + 1;
            oldCode = -1;
            continue;
        }
        if (code == endCode)
        {
            ended = true;
            break;
        }
        size_t sp = 0;
        uint32_t cur = code;
        if (oldCode < 0)
        {
            if (code >= clearCode)
            {
                return false;
            }
            firstChar = uint8_t(code);
            if (out.size() < count)
            {
                out.push_back(firstChar);
            }
            oldCode = int32_t(code);
            continue;
        }
        if (code > nextCode || code >= MaxCodes)
        {
            return false;
        }
        if (code == nextCode)
        {
            stack[sp++] = firstChar;
            cur = uint32_t(oldCode);
        }
        while (cur >= clearCode)
        {
            if (sp >= MaxCodes)
            {
                return false;
            }
            stack[sp++] = suffix[cur];
            cur = prefix[cur];
        }
        firstChar = uint8_t(cur);
        stack[sp++] = firstChar;
        if (nextCode < MaxCodes)
        {
            prefix[nextCode] = uint16_t(oldCode);
            suffix[nextCode] = firstChar;
            ++nextCode;
            if (nextCode == (1u << codeSize) && codeSize < 12)
            {
                ++codeSize;
            }
        }
        oldCode = int32_t(code);
        while (sp > 0)
        {
            const uint8_t v = stack[--sp];
            if (out.size() < count)
            {
                out.push_back(v);
            }
        }
    }
    // Skip any remaining sub-blocks of this image.
    if (blockLeft > 0)
    {
        r.Skip(blockLeft);
    }
    return true;
}

} // namespace

std::unique_ptr<LoadedImage> DecodeGif(const uint8_t* data, size_t size)
{
    if (data == nullptr || size < 13)
    {
        return nullptr;
    }
    if (std::memcmp(data, "GIF87a", 6) != 0 && std::memcmp(data, "GIF89a", 6) != 0)
    {
        return nullptr;
    }
    ByteReader r(data, size);
    r.Skip(6);
    uint32_t screenW = 0, screenH = 0, flags = 0, bg = 0, aspect = 0;
    r.U16(screenW);
    r.U16(screenH);
    r.U8(flags);
    r.U8(bg);
    r.U8(aspect);
    uint32_t globalTable[256] = {};
    bool hasGlobal = false;
    if (flags & 0x80)
    {
        if (!ReadColorTable(r, 2u << (flags & 7), globalTable))
        {
            return nullptr;
        }
        hasGlobal = true;
    }
    int32_t transparentIndex = -1;
    for (;;)
    {
        uint32_t block = 0;
        if (!r.U8(block))
        {
            return nullptr;
        }
        if (block == 0x3B) // trailer before any image
        {
            return nullptr;
        }
        if (block == 0x21)
        {
            uint32_t label = 0;
            if (!r.U8(label))
            {
                return nullptr;
            }
            if (label == 0xF9)
            {
                uint32_t len = 0;
                if (!r.U8(len) || !r.Has(len))
                {
                    return nullptr;
                }
                if (len >= 4)
                {
                    const uint8_t* p = r.Here();
                    transparentIndex = (p[0] & 1) ? int32_t(p[3]) : -1;
                }
                r.Skip(len);
            }
            if (!r.SkipSubBlocks())
            {
                return nullptr;
            }
            continue;
        }
        if (block != 0x2C)
        {
            return nullptr;
        }
        uint32_t left = 0, top = 0, w = 0, h = 0, imgFlags = 0;
        if (!r.U16(left) || !r.U16(top) || !r.U16(w) || !r.U16(h) || !r.U8(imgFlags))
        {
            return nullptr;
        }
        if (!AllowedSize(w, h))
        {
            return nullptr;
        }
        uint32_t localTable[256] = {};
        const uint32_t* table = hasGlobal ? globalTable : nullptr;
        uint32_t tableSize = hasGlobal ? (2u << (flags & 7)) : 0;
        if (imgFlags & 0x80)
        {
            tableSize = 2u << (imgFlags & 7);
            if (!ReadColorTable(r, tableSize, localTable))
            {
                return nullptr;
            }
            table = localTable;
        }
        if (table == nullptr)
        {
            return nullptr;
        }
        uint32_t minCode = 0;
        if (!r.U8(minCode))
        {
            return nullptr;
        }
        const size_t count = size_t(w) * size_t(h);
        std::vector<uint8_t> indices;
        indices.reserve(std::min<size_t>(count, size_t(1) << 16));
        // A stream that ends before every pixel has its index is truncated.
        if (!DecodeLzw(r, minCode, indices, count) || indices.size() != count)
        {
            return nullptr;
        }
        auto img = MakeImage(int32_t(w), int32_t(h));
        // Rows in file order map to image rows: straight, or the four
        // interlace passes.
        std::vector<uint32_t> rowOrder;
        rowOrder.reserve(h);
        if (imgFlags & 0x40)
        {
            static const uint32_t starts[4] = {0, 4, 2, 1};
            static const uint32_t steps[4] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
            {
                for (uint32_t y = starts[pass]; y < h; y += steps[pass])
                {
                    rowOrder.push_back(y);
                }
            }
        }
        else
        {
            for (uint32_t y = 0; y < h; ++y)
            {
                rowOrder.push_back(y);
            }
        }
        for (uint32_t fileRow = 0; fileRow < h; ++fileRow)
        {
            const uint8_t* src = indices.data() + size_t(fileRow) * w;
            uint32_t* dst = img->pixels.data() + size_t(rowOrder[fileRow]) * w;
            for (uint32_t x = 0; x < w; ++x)
            {
                const uint32_t idx = src[x];
                dst[x] = (int32_t(idx) == transparentIndex || idx >= tableSize) ? 0u : table[idx];
            }
        }
        return img;
    }
}

} // namespace Framework::ImageLoader
