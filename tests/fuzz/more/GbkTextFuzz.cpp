// Fuzz target: the GBK text helpers on arbitrary bytes. Character positions
// never fall on a second byte, cuts and first lines are prefixes ending on a
// character boundary, the conversion to UTF-8 gives valid UTF-8, and text
// converted from UTF-8 and back is unchanged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/widgets/GbkText.h"

namespace
{

namespace G = Framework::GbkText;

bool ValidUtf8(const std::string& s)
{
    size_t i = 0;
    while (i < s.size())
    {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t n = 0;
        uint32_t cp = 0;
        if (c < 0x80)
        {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF)
        {
            n = 1;
            cp = c & 0x1F;
        }
        else if (c >= 0xE0 && c <= 0xEF)
        {
            n = 2;
            cp = c & 0x0F;
        }
        else if (c >= 0xF0 && c <= 0xF4)
        {
            n = 3;
            cp = c & 0x07;
        }
        else
        {
            return false;
        }
        if (i + n >= s.size())
        {
            return false;
        }
        for (size_t k = 1; k <= n; ++k)
        {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80)
            {
                return false;
            }
            cp = (cp << 6) | (d & 0x3F);
        }
        if ((n == 2 && cp < 0x800) || (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
        {
            return false;
        }
        i += n + 1;
    }
    return true;
}

void Check(bool ok)
{
    if (!ok)
    {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
    {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int32_t length = int32_t(size);
    const std::string flags = G::SecondByteFlags(text);
    Check(flags.size() == size);
    auto boundary = [&](int32_t pos) { return pos == length || (pos >= 0 && pos < length && flags[size_t(pos)] == 0); };

    // Walking forward and back visits the same boundaries.
    int32_t pos = 0;
    int32_t steps = 0;
    while (pos < length)
    {
        const int32_t next = G::NextCharPos(text, pos);
        Check(next > pos && next <= pos + 2 && boundary(next));
        Check(G::PrevCharPos(text, next) == pos);
        pos = next;
        ++steps;
    }
    Check(G::NextCharPos(text, length) == length && G::PrevCharPos(text, 0) == 0);
    for (int32_t p = -1; p <= length + 1; ++p)
    {
        const int32_t start = G::CharStart(text, p);
        Check(boundary(start) && start <= std::max(0, std::min(p, length)) && start >= std::min(p, length) - 1);
    }
    for (int32_t limit : {-1, 0, 1, 2, 3, length / 2, length - 1, length})
    {
        const std::string cut = G::CutToBytes(text, limit);
        Check(text.compare(0, cut.size(), cut) == 0 && boundary(int32_t(cut.size())));
        Check(limit < 0 ? cut.size() == size : int32_t(cut.size()) <= std::max(limit, 0));
        Check(limit < 0 || int32_t(cut.size()) + 2 > limit || cut.size() == size);
    }
    const std::string line = G::FirstLine(text);
    Check(text.compare(0, line.size(), line) == 0 && boundary(int32_t(line.size())));
    for (size_t i = 0; i < line.size(); ++i)
    {
        Check(flags[i] == 1 || (line[i] != '\r' && line[i] != '\n'));
    }
    Check(line.size() == size || text[line.size()] == '\r' || text[line.size()] == '\n');

    const std::string utf8 = G::ToUtf8(text);
    Check(ValidUtf8(utf8));
    const std::string gbk = G::FromUtf8(utf8);
    Check(G::ToUtf8(gbk) == utf8);
    (void)steps;
    return 0;
}
