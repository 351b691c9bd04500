#include "framework/platform/TextConverter.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace Framework
{

namespace
{

iconv_t Handle(void* handle)
{
    return static_cast<iconv_t>(handle);
}

const iconv_t Invalid = reinterpret_cast<iconv_t>(-1);

} // namespace

TextConverter::TextConverter(const char* to, const char* from) : handle(iconv_open(to, from)) {}

TextConverter::~TextConverter()
{
    if (Valid())
    {
        iconv_close(Handle(handle));
    }
}

bool TextConverter::Valid() const
{
    return Handle(handle) != Invalid;
}

bool TextConverter::Convert(const std::string& in, std::string& out)
{
    if (!Valid())
    {
        out.clear();
        return false;
    }
    iconv(Handle(handle), nullptr, nullptr, nullptr, nullptr);
    // Built apart, so that in and out may be the same string.
    std::string converted(in.size() * 4 + 8, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = converted.data();
    size_t dstLeft = converted.size();
    const size_t result = iconv(Handle(handle), &src, &srcLeft, &dst, &dstLeft);
    converted.resize(converted.size() - dstLeft);
    out = std::move(converted);
    return result != static_cast<size_t>(-1) && srcLeft == 0;
}

std::string TextConverter::ConvertSkipping(const std::string& in, size_t (*unitOf)(const std::string&, size_t))
{
    std::string out;
    if (in.empty() || !Valid())
    {
        return out;
    }
    iconv(Handle(handle), nullptr, nullptr, nullptr, nullptr);
    size_t pos = 0;
    char buffer[256];
    while (pos < in.size())
    {
        char* src = const_cast<char*>(in.data()) + pos;
        size_t srcLeft = in.size() - pos;
        char* dst = buffer;
        size_t dstLeft = sizeof(buffer);
        const size_t result = iconv(Handle(handle), &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        pos = in.size() - srcLeft;
        if (result != static_cast<size_t>(-1))
        {
            break;
        }
        if (errno == E2BIG)
        {
            continue;
        }
        // EILSEQ or EINVAL (a cut-off sequence at the end): skip it.
        iconv(Handle(handle), nullptr, nullptr, nullptr, nullptr);
        pos += std::max<size_t>(1, unitOf(in, pos));
    }
    return out;
}

} // namespace Framework
