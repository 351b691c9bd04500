#include "framework/widgets/GbkText.h"

#include <algorithm>

#include "framework/platform/TextConverter.h"

namespace Framework
{

namespace GbkText
{

namespace
{

int32_t Length(const std::string& text)
{
    return static_cast<int32_t>(text.size());
}

size_t Utf8Unit(const std::string& text, size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    size_t len = 1;
    if (lead >= 0xF0 && lead < 0xF8)
    {
        len = 4;
    }
    else if (lead >= 0xE0)
    {
        len = 3;
    }
    else if (lead >= 0xC0)
    {
        len = 2;
    }
    size_t n = 1;
    while (n < len && pos + n < text.size() && (static_cast<unsigned char>(text[pos + n]) & 0xC0) == 0x80)
    {
        ++n;
    }
    return n;
}

size_t GbkUnit(const std::string& text, size_t pos)
{
    return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

} // namespace

std::string SecondByteFlags(const std::string& text)
{
    std::string flags(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (IsLeadByte(text[i]) && i + 1 < text.size())
        {
            flags[++i] = 1;
        }
    }
    return flags;
}

int32_t CharStart(const std::string& text, int32_t pos)
{
    pos = std::clamp(pos, 0, Length(text));
    int32_t i = 0;
    while (i < pos)
    {
        const int32_t next = i + (IsLeadByte(text[i]) && i + 1 < Length(text) ? 2 : 1);
        if (next > pos)
        {
            return i;
        }
        i = next;
    }
    return pos;
}

int32_t NextCharPos(const std::string& text, int32_t pos)
{
    pos = CharStart(text, pos);
    if (pos >= Length(text))
    {
        return Length(text);
    }
    return std::min(Length(text), pos + (IsLeadByte(text[pos]) ? 2 : 1));
}

int32_t PrevCharPos(const std::string& text, int32_t pos)
{
    pos = CharStart(text, pos);
    return pos <= 0 ? 0 : CharStart(text, pos - 1);
}

std::string CutToBytes(const std::string& text, int32_t maxBytes)
{
    if (maxBytes < 0 || maxBytes >= Length(text))
    {
        return text;
    }
    return text.substr(0, static_cast<size_t>(CharStart(text, maxBytes)));
}

std::string FirstLine(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '\r' || text[i] == '\n')
        {
            return text.substr(0, i);
        }
        if (IsLeadByte(text[i]))
        {
            ++i;
        }
    }
    return text;
}

// A character GBK lacks or a byte that starts no UTF-8 sequence is skipped,
// and the other way round.
std::string FromUtf8(const std::string& utf8)
{
    thread_local TextConverter toGbk("GBK", "UTF-8");
    return toGbk.ConvertSkipping(utf8, Utf8Unit);
}

std::string ToUtf8(const std::string& gbk)
{
    thread_local TextConverter toUtf8("UTF-8", "GBK");
    return toUtf8.ConvertSkipping(gbk, GbkUnit);
}

} // namespace GbkText

} // namespace Framework
