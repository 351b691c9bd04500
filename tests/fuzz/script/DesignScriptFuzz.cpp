// The design script's answers from any bytes. The first byte chooses what
// the functions answer, the rest gives the value; the script is generated
// from it (never run as raw code), so every answer has a known reading: a
// number comes back truncated and saturated, NaN and failures as defaults
// with exactly one logged record each, a string byte for byte.
#include <ace/Log_Msg.h>
#include <ace/Log_Msg_Callback.h>
#include <ace/Log_Record.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "tests/fuzz/FuzzScratch.h"
#include "src/script/DesignScript.h"

namespace
{
void Check(bool ok, const char* what)
{
    if (!ok)
    {
        std::fprintf(stderr, "design script fuzz: %s\n", what);
        std::abort();
    }
}

std::string Path()
{
    static const std::string path = (FuzzSupport::ScratchFolder("design") / "design.lua").string();
    return path;
}

// Every byte as a decimal escape: the string is exactly the bytes.
std::string Quoted(const uint8_t* data, size_t size)
{
    std::string s = "\"";
    for (size_t i = 0; i < size; ++i)
    {
        s += "\\" + std::to_string(data[i]);
    }
    return s + "\"";
}

std::string NumberLiteral(double v)
{
    if (std::isnan(v))
    {
        return "(0/0)";
    }
    if (std::isinf(v))
    {
        return v > 0 ? "(1/0)" : "(-1/0)";
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "(%.17g)", v);
    return buffer;
}

int32_t Expected(double v)
{
    if (v >= 2147483647.0)
    {
        return INT32_MAX;
    }
    if (v <= -2147483648.0)
    {
        return INT32_MIN;
    }
    return static_cast<int32_t>(v);
}

// How Lua 5.1 reads a string as a number (up to its first NUL): strtod,
// hexadecimal through strtoul, trailing spaces allowed; 0 when it is none.
double LuaReadsNumber(const char* s)
{
    char* end = nullptr;
    double v = std::strtod(s, &end);
    if (end == s)
    {
        return 0;
    }
    if (*end == 'x' || *end == 'X')
    {
        v = static_cast<double>(std::strtoul(s, &end, 16));
    }
    while (*end != '\0' && std::isspace(static_cast<unsigned char>(*end)))
    {
        ++end;
    }
    return *end == '\0' ? v : 0;
}

// Counts ACE's records: one per failed call, each ending in the line's
// fixed tail, whatever newlines the script's message holds.
class Records : public ACE_Log_Msg_Callback
{
public:
    void log(ACE_Log_Record& record) override
    {
        ++count;
        const std::string text = record.msg_data();
        const std::string tail = " \xBA\xAF\xCA\xFD\xCA\xB1\xB3\xF6\xB4\xED\n";
        Check(text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0,
              "a record without the line's tail");
        Check(record.type() == LM_DEBUG, "a record not of the debug priority");
    }
    size_t count = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
    {
        return 0;
    }
    const uint8_t form = data[0] % 6;
    const uint8_t* rest = data + 1;
    const size_t restSize = size - 1;

    double number = 0;
    std::memcpy(&number, rest, std::min(restSize, sizeof number));
    const std::string text = Quoted(rest, restSize);

    // What every function answers, and whether the call fails.
    std::string answer;
    bool fails = false;
    bool numeric = true;
    switch (form)
    {
        case 0:
            answer = "return " + NumberLiteral(number);
            break;
        case 1:
            answer = "return " + text;
            numeric = false;
            break;
        case 2:
            answer = "return nil";
            break;
        case 3:
            answer = "return {}";
            break;
        case 4:
            answer = "error(" + text + ")";
            fails = true;
            break;
        default:
            answer = "error({" + text + "})";
            fails = true;
            break;
    }
    std::string script;
    for (const char* name : {"GetStageFile", "CalcScore", "CalcPushDownInterval", "GetTimeBonus"})
    {
        script += "function " + std::string(name) + "(n) " + answer + " end\n";
    }
    std::ofstream(Path(), std::ios::binary | std::ios::trunc) << script;

    Records records;
    ACE_Log_Msg* ace = ACE_Log_Msg::instance();
    ACE_Log_Msg_Callback* previousCallback = ace->msg_callback(&records);
    ace->set_flags(ACE_Log_Msg::MSG_CALLBACK);
    ace->clr_flags(ACE_Log_Msg::STDERR);

    const std::optional<std::string> file = DesignScript::GetStageFile(10000, Path());
    const int32_t score = DesignScript::CalcScore(3, Path());
    const int32_t interval = DesignScript::CalcPushDownInterval(1, Path());
    const int32_t bonus = DesignScript::GetTimeBonus(2, Path());

    ace->clr_flags(ACE_Log_Msg::MSG_CALLBACK);
    ace->set_flags(ACE_Log_Msg::STDERR);
    ace->msg_callback(previousCallback);

    int32_t expectedNumber = 0;
    size_t expectedLines = 0;
    if (fails)
    {
        expectedLines = 4;
        Check(!file, "a failed call names a file");
    }
    else if (form == 0)
    {
        expectedNumber = std::isnan(number) ? 0 : Expected(number);
        Check(file.has_value(), "a number is a file name");
    }
    else if (!numeric)
    {
        const std::string bytes(reinterpret_cast<const char*>(rest), restSize);
        Check(file == bytes, "the file name changed");
        const double read = LuaReadsNumber(bytes.c_str());
        expectedNumber = std::isnan(read) ? 0 : Expected(read);
    }
    else
    {
        // nil and a table read as 0 for numbers and fail as a file name.
        Check(!file, "nil or a table names a file");
        expectedLines = 1;
    }
    Check(score == expectedNumber, "CalcScore");
    Check(interval == score && bonus == score, "the numeric functions differ");
    Check(records.count == expectedLines, "not one record per failed call");
    return 0;
}
