// DesignScript: the four numbers of the game design asked of the Lua 5.1
// script "script\design.lua" -- the stage file of a quest stage, the points
// of a match, the time mode's push-down period and the time bonus.
//
// Every call builds a new interpreter state with the standard libraries,
// loads and runs the whole script, calls the global function with one number
// and closes the state again, so nothing the script keeps in globals carries
// over from one call to the next. Loading, running, the lookup and reading
// the answer all run protected: whatever the script does (syntax errors,
// errors raised, a globals table that refuses unknown names), the call fails
// instead of ending the program.
//
// A failed call writes one line through ACE's logging facility
// (ACE_Log_Msg::instance(), debug priority), stamped with the caller's file
// and line, and the caller gets the default: no file name, 0 points, 0
// seconds. Numbers are truncated toward zero to int32; beyond the int32 range
// they saturate, and NaN gives the default.
//
// Script paths are written with backslashes as the game stores them ("script
// \design.lua") or with slashes; they are opened relative to the working
// directory. Callable from any thread (each call has its own state), though
// the game calls from the main thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <version>
#if defined(__cpp_lib_source_location)
#include <source_location>
#endif

namespace DesignScript
{
#if defined(__cpp_lib_source_location)
using SourceLocation = std::source_location;
#else
// Compilers whose standard library lacks std::source_location (clang 14 with
// libstdc++ 12) still know the builtins it is made of.
class SourceLocation
{
public:
    static constexpr SourceLocation current(const char* file = __builtin_FILE(), unsigned line = __builtin_LINE())
    {
        SourceLocation here;
        here.file = file;
        here.lineNumber = line;
        return here;
    }
    constexpr const char* file_name() const { return file; }
    constexpr unsigned line() const { return lineNumber; }

private:
    const char* file = "";
    unsigned lineNumber = 0;
};
#endif

inline constexpr const char* DefaultPath = "script\\design.lua";

// What the caller reads from the function's answer.
enum class Answer
{
    Number,
    Text,
};

struct Result
{
    int32_t number = 0;
    std::string text;
};

// Calls global `name` of the script with `argument`. Empty on failure (the
// failure is logged). A Text answer must be a string or a number (a number
// is read as its text); a Number answer is read as lua_tonumber reads it
// (0 for what is not a number) and NaN fails, unlogged.
std::optional<Result> CallDesignFunction(const char* name, int32_t argument, Answer answer,
                                         const std::string& scriptPath = DefaultPath,
                                         SourceLocation caller = SourceLocation::current());

// A Lua number as the int32 the game uses: truncated toward zero, saturated
// beyond the int32 range; empty for NaN.
std::optional<int32_t> ToDesignInteger(double value);

// The stage file of quest stage `stageId`, relative to the data folder;
// empty when the call fails.
std::optional<std::string> GetStageFile(int32_t stageId, const std::string& scriptPath = DefaultPath,
                                        SourceLocation caller = SourceLocation::current());
// Points for one match of `count` bubbles; 0 on failure.
int32_t CalcScore(int32_t count, const std::string& scriptPath = DefaultPath,
                  SourceLocation caller = SourceLocation::current());
// Seconds between push-downs in the time mode at `difficulty`; 0 on failure.
int32_t CalcPushDownInterval(int32_t difficulty, const std::string& scriptPath = DefaultPath,
                             SourceLocation caller = SourceLocation::current());
// Bonus for a stage that took `minutes` whole minutes; 0 on failure.
int32_t GetTimeBonus(int32_t minutes, const std::string& scriptPath = DefaultPath,
                     SourceLocation caller = SourceLocation::current());
} // namespace DesignScript
