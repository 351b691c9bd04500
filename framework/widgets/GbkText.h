// GbkText: helpers for the GBK byte strings that text fields hold. A byte
// with its top bit set starts a two-byte character; the byte after it is its
// second half whatever its value. A lead byte at the very end of a string is
// a lone byte and counts as one character of its own.
//
// The conversions go through iconv ("GBK" is code page 936); characters
// without a code in the target are dropped. Pure functions; any thread.
#pragma once

#include <cstdint>
#include <string>

namespace Framework
{

namespace GbkText
{

inline bool IsLeadByte(char c)
{
    return (static_cast<unsigned char>(c) & 0x80) != 0;
}

// One byte per text byte: 1 marks the second byte of a double-byte character.
std::string SecondByteFlags(const std::string& text);

// Positions never split a double-byte character. `pos` is clamped to the text.
int32_t NextCharPos(const std::string& text, int32_t pos);
int32_t PrevCharPos(const std::string& text, int32_t pos);
// pos, or the start of the character pos falls inside of.
int32_t CharStart(const std::string& text, int32_t pos);

// The longest prefix of at most maxBytes bytes that ends on a character
// boundary; a negative maxBytes means no limit.
std::string CutToBytes(const std::string& text, int32_t maxBytes);
// Everything before the first carriage return or line feed (a second byte
// of a double-byte character is never taken for either).
std::string FirstLine(const std::string& text);

std::string FromUtf8(const std::string& utf8);
std::string ToUtf8(const std::string& gbk);

} // namespace GbkText

} // namespace Framework
