// TextConverter: one conversion between two character encodings, named as
// iconv names them ("GBK", "UTF-8", "UTF-32LE"). It owns its iconv handle;
// every conversion starts from the initial shift state. Not thread-safe: one
// object per thread (or per owner on one thread).
#pragma once

#include <cstddef>
#include <string>

namespace Framework
{

class TextConverter
{
public:
    TextConverter(const char* to, const char* from);
    ~TextConverter();
    TextConverter(const TextConverter&) = delete;
    TextConverter& operator=(const TextConverter&) = delete;

    // False when the system cannot convert between the two encodings.
    bool Valid() const;
    // All of `in` (which may be `out` itself); false when the converter is
    // not valid or any part of `in` does not convert (out then holds what
    // did).
    bool Convert(const std::string& in, std::string& out);
    // All of `in`, a sequence the source cannot decode or the target cannot
    // encode skipped: unitOf(in, pos) bytes at that position (at least one).
    // Empty when the converter is not valid.
    std::string ConvertSkipping(const std::string& in, size_t (*unitOf)(const std::string&, size_t));

private:
    void* handle;
};

} // namespace Framework
