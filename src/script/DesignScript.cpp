#include "src/script/DesignScript.h"

#include <ace/Log_Msg.h>
#include <lua.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <new>

namespace DesignScript
{
namespace
{
// "(%P|%t) 执行 Lua::%s 函数时出错\n" in the GBK code page.
constexpr const char* FailureFormat = "(%P|%t) \xD6\xB4\xD0\xD0 Lua::%s \xBA\xAF\xCA\xFD\xCA\xB1\xB3\xF6\xB4\xED\n";

struct StateCloser
{
    void operator()(lua_State* L) const { lua_close(L); }
};
using State = std::unique_ptr<lua_State, StateCloser>;

struct Call
{
    const char* name;
    int32_t argument;
    Answer answer;
    const char* path;
    bool precompiled;
    lua_Number number = 0;
    std::string text;
};

// A precompiled chunk is refused: Lua 5.1 cannot check bytecode safely, and
// the script is always shipped as text. luaL_loadfile's own rule is
// followed: a first line starting with '#' is skipped.
bool IsPrecompiled(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    int c = in.get();
    if (c == '#')
    {
        while (c != EOF && c != '\n')
        {
            c = in.get();
        }
        c = in.get();
    }
    return c == LUA_SIGNATURE[0];
}

// Load and run the script, call the function, read its answer. Runs under
// lua_cpcall, so an error anywhere (including a globals table that raises on
// the lookup) unwinds to the caller. No object with a destructor is alive
// where Lua may raise.
int RunProtected(lua_State* L)
{
    Call* call = static_cast<Call*>(lua_touserdata(L, 1));
    lua_settop(L, 0);
    if (call->precompiled)
    {
        lua_pushliteral(L, "precompiled chunks are not loaded");
    }
    else if (luaL_loadfile(L, call->path) == 0)
    {
        // What the chunk returns, or the error it raises, is not examined:
        // the lookup below finds whatever it defined before.
        lua_pcall(L, 0, LUA_MULTRET, 0);
    }
    lua_settop(L, 0);
    lua_getfield(L, LUA_GLOBALSINDEX, call->name);
    lua_pushnumber(L, static_cast<lua_Number>(call->argument));
    if (lua_pcall(L, 1, 1, 0) != 0)
    {
        return lua_error(L);
    }
    if (call->answer == Answer::Number)
    {
        call->number = lua_tonumber(L, -1);
        return 0;
    }
    const int type = lua_type(L, -1);
    if (type != LUA_TSTRING && type != LUA_TNUMBER)
    {
        return luaL_error(L, "%s returned a %s value, not a file name", call->name, lua_typename(L, type));
    }
    size_t length = 0;
    const char* text = lua_tolstring(L, -1, &length);
    bool copied = true;
    try
    {
        call->text.assign(text, length);
    }
    catch (const std::bad_alloc&)
    {
        copied = false;
    }
    if (!copied)
    {
        return luaL_error(L, "not enough memory");
    }
    return 0;
}

void LogFailure(const std::string& message, const SourceLocation& caller)
{
    const int lastError = ACE_Log_Msg::last_error_adapter();
    ACE_Log_Msg* log = ACE_Log_Msg::instance();
    log->conditional_set(caller.file_name(), static_cast<int>(caller.line()), 0, lastError);
    log->log(LM_DEBUG, FailureFormat, message.c_str());
}

std::string ErrorText(lua_State* L)
{
    size_t length = 0;
    const char* text = lua_isstring(L, -1) ? lua_tolstring(L, -1, &length) : nullptr;
    if (text == nullptr)
    {
        return "(error object is not a string)";
    }
    return std::string(text, length);
}

int32_t NumberOrDefault(const char* name, int32_t argument, const std::string& path, const SourceLocation& caller)
{
    const std::optional<Result> result = CallDesignFunction(name, argument, Answer::Number, path, caller);
    return result ? result->number : 0;
}
} // namespace

std::optional<int32_t> ToDesignInteger(double value)
{
    if (std::isnan(value))
    {
        return std::nullopt;
    }
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max()))
    {
        return std::numeric_limits<int32_t>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min()))
    {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

std::optional<Result> CallDesignFunction(const char* name, int32_t argument, Answer answer,
                                         const std::string& scriptPath, SourceLocation caller)
{
    std::string path = scriptPath;
    std::replace(path.begin(), path.end(), '\\', '/');
    // Only a regular file is run: a FIFO in the script's place would block
    // the game at its next decision.
    std::error_code error;
    if (std::filesystem::exists(path, error) && !std::filesystem::is_regular_file(path, error))
    {
        LogFailure("cannot open " + path + ": not a regular file", caller);
        return std::nullopt;
    }
    Call call{name, argument, answer, path.c_str(), IsPrecompiled(path.c_str()), 0, {}};

    State state(luaL_newstate());
    if (!state)
    {
        LogFailure("not enough memory", caller);
        return std::nullopt;
    }
    lua_State* L = state.get();
    luaL_openlibs(L);
    if (lua_cpcall(L, RunProtected, &call) != 0)
    {
        const std::string message = ErrorText(L);
        state.reset();
        LogFailure(message, caller);
        return std::nullopt;
    }
    state.reset();

    Result result;
    if (answer == Answer::Number)
    {
        const std::optional<int32_t> number = ToDesignInteger(call.number);
        if (!number)
        {
            return std::nullopt;
        }
        result.number = *number;
    }
    else
    {
        result.text = std::move(call.text);
    }
    return result;
}

std::optional<std::string> GetStageFile(int32_t stageId, const std::string& scriptPath, SourceLocation caller)
{
    std::optional<Result> result = CallDesignFunction("GetStageFile", stageId, Answer::Text, scriptPath, caller);
    if (!result)
    {
        return std::nullopt;
    }
    return std::move(result->text);
}

int32_t CalcScore(int32_t count, const std::string& scriptPath, SourceLocation caller)
{
    return NumberOrDefault("CalcScore", count, scriptPath, caller);
}

int32_t CalcPushDownInterval(int32_t difficulty, const std::string& scriptPath, SourceLocation caller)
{
    return NumberOrDefault("CalcPushDownInterval", difficulty, scriptPath, caller);
}

int32_t GetTimeBonus(int32_t minutes, const std::string& scriptPath, SourceLocation caller)
{
    return NumberOrDefault("GetTimeBonus", minutes, scriptPath, caller);
}
} // namespace DesignScript
