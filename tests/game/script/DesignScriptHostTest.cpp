// The design script's host on scripts the tests write: answers, defaults,
// the logged line of a failure byte for byte, and scripts that misbehave.
#include <gtest/gtest.h>

#include <ace/Log_Msg.h>
#include <lua.hpp>

#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include <sys/syscall.h>
#include <unistd.h>

#include "src/script/DesignScript.h"
#include "support/TestTemp.h"

namespace
{
using namespace DesignScript;

// Captures what ACE logs; flags are process-wide, so they are put back.
class DesignScriptHost : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ACE_Log_Msg* log = ACE_Log_Msg::instance();
        previous = log->msg_ostream();
        log->msg_ostream(&captured);
        log->set_flags(ACE_Log_Msg::OSTREAM);
        log->clr_flags(ACE_Log_Msg::STDERR);
        folder = TestSupport::TestTempDir().string();
    }
    void TearDown() override
    {
        ACE_Log_Msg* log = ACE_Log_Msg::instance();
        log->clr_flags(ACE_Log_Msg::OSTREAM);
        log->set_flags(ACE_Log_Msg::STDERR);
        log->msg_ostream(previous);
    }

    // Writes the script and returns its name as the game spells paths.
    std::string Script(const std::string& text)
    {
        std::filesystem::create_directories(folder + "/script");
        std::ofstream(folder + "/script/design.lua", std::ios::binary) << text;
        return folder + "\\script\\design.lua";
    }

    std::string Log() const { return captured.str(); }

    static std::string Prefix()
    {
        return "(" + std::to_string(getpid()) + "|" + std::to_string(syscall(SYS_gettid)) + ") \xD6\xB4\xD0\xD0 Lua::";
    }
    static std::string Suffix() { return " \xBA\xAF\xCA\xFD\xCA\xB1\xB3\xF6\xB4\xED\n"; }
    static std::string Line(const std::string& message) { return Prefix() + message + Suffix(); }
    // One line whose message ends with `tail` (Lua shortens long file names
    // at their front).
    void ExpectOneLineEndingWith(const std::string& tail) const
    {
        const std::string log = Log();
        EXPECT_TRUE(log.starts_with(Prefix())) << log;
        EXPECT_TRUE(log.ends_with(tail + Suffix())) << log;
        EXPECT_EQ(log.find('\n'), log.size() - 1) << log;
    }

    std::ostringstream captured;
    std::ostream* previous = nullptr;
    std::string folder;
};

std::string Returning(const std::string& function, const std::string& expression)
{
    return "function " + function + "(n) return " + expression + " end\n";
}
} // namespace

TEST_F(DesignScriptHost, AMissingScriptGivesEveryDefaultAndOneLinePerCall)
{
    const std::string path = folder + "\\script\\design.lua";
    EXPECT_EQ(GetStageFile(30000, path), std::nullopt);
    EXPECT_EQ(CalcScore(5, path), 0);
    EXPECT_EQ(CalcPushDownInterval(2, path), 0);
    EXPECT_EQ(GetTimeBonus(3, path), 0);
    const std::string line = Line("attempt to call a nil value");
    EXPECT_EQ(Log(), line + line + line + line);
}

TEST_F(DesignScriptHost, TheFailureLineCarriesTheCallersFileAndLine)
{
    const int line = __LINE__ + 1;
    CalcScore(3, folder + "/absent.lua");
    ACE_Log_Msg* log = ACE_Log_Msg::instance();
    EXPECT_STREQ(log->file(), __FILE__);
    EXPECT_EQ(log->linenum(), line);
    EXPECT_EQ(log->op_status(), 0);
}

TEST_F(DesignScriptHost, NumbersAreTruncatedTowardZeroAndSaturate)
{
    struct Case
    {
        const char* expression;
        int32_t expected;
    };
    const Case cases[] = {
        {"12.9", 12},
        {"-12.9", -12},
        {"-5", -5},
        {"n * 10", 70},
        {"1e12", std::numeric_limits<int32_t>::max()},
        {"-1e12", std::numeric_limits<int32_t>::min()},
        {"1/0", std::numeric_limits<int32_t>::max()},
        {"-1/0", std::numeric_limits<int32_t>::min()},
        {"2147483646.9", 2147483646},
        {"2147483647.5", std::numeric_limits<int32_t>::max()},
        {"-2147483648.5", std::numeric_limits<int32_t>::min()},
        {"0/0", 0},
        {"'42'", 42},
        {"nil", 0},
        {"{}", 0},
    };
    for (const Case& c : cases)
    {
        const std::string path =
            Script(Returning("CalcScore", c.expression) + Returning("CalcPushDownInterval", c.expression) +
                   Returning("GetTimeBonus", c.expression));
        EXPECT_EQ(CalcScore(7, path), c.expected) << c.expression;
        EXPECT_EQ(CalcPushDownInterval(7, path), c.expected) << c.expression;
        EXPECT_EQ(GetTimeBonus(7, path), c.expected) << c.expression;
    }
    // None of these is a failed call.
    EXPECT_EQ(Log(), "");
}

TEST_F(DesignScriptHost, StageFilesMustBeTextOrNumbers)
{
    EXPECT_EQ(GetStageFile(30003, Script(Returning("GetStageFile", "'water' .. (n - 30000 + 1) .. '.dat'"))),
              "water4.dat");
    EXPECT_EQ(GetStageFile(1, Script(Returning("GetStageFile", "'a\\0b'"))), std::string("a\0b", 3));
    EXPECT_EQ(GetStageFile(1, Script(Returning("GetStageFile", "17"))), "17");
    EXPECT_EQ(Log(), "");

    EXPECT_EQ(GetStageFile(1, Script(Returning("GetStageFile", "nil"))), std::nullopt);
    EXPECT_EQ(Log(), Line("GetStageFile returned a nil value, not a file name"));
    captured.str("");
    EXPECT_EQ(GetStageFile(1, Script(Returning("GetStageFile", "{}"))), std::nullopt);
    EXPECT_EQ(Log(), Line("GetStageFile returned a table value, not a file name"));
}

TEST_F(DesignScriptHost, BrokenScriptsFailWithoutEndingTheProcess)
{
    // A syntax error: nothing runs, so there is no function to call.
    EXPECT_EQ(CalcScore(3, Script("function CalcScore(n) return n +\n")), 0);
    EXPECT_EQ(Log(), Line("attempt to call a nil value"));
    captured.str("");

    const std::string raising = Script("function CalcScore(n)\n  error('no score for ' .. n)\nend\n");
    EXPECT_EQ(CalcScore(3, raising), 0);
    ExpectOneLineEndingWith("design.lua:2: no score for 3");
    captured.str("");

    EXPECT_EQ(CalcScore(3, Script(Returning("CalcScore", "error({})"))), 0);
    EXPECT_EQ(Log(), Line("(error object is not a string)"));
    captured.str("");

    // The strict-globals idiom: the globals table raises on an unknown name,
    // so the lookup of a function the script lacks raises.
    const std::string strict = Script("setmetatable(_G, { __index = function(_, name)\n"
                                      "  error('undeclared global ' .. tostring(name), 2) end })\n" +
                                      Returning("CalcScore", "30"));
    EXPECT_EQ(CalcScore(3, strict), 30);
    EXPECT_EQ(GetTimeBonus(1, strict), 0);
    ExpectOneLineEndingWith("undeclared global GetTimeBonus");
    captured.str("");

    // What the chunk returns or raises after defining its functions does not
    // matter: the functions it defined answer.
    EXPECT_EQ(CalcScore(3, Script(Returning("CalcScore", "8") + "error('late')\n")), 8);
    EXPECT_EQ(CalcScore(3, Script(Returning("CalcScore", "9") + "return 1, 2, 3\n")), 9);
    EXPECT_EQ(Log(), "");
}

TEST_F(DesignScriptHost, EveryCallStartsAfresh)
{
    const std::string path = Script("counter = (counter or 0) + 1\n"
                                    "function CalcScore(n) counter = counter + n; return counter end\n");
    EXPECT_EQ(CalcScore(10, path), 11);
    EXPECT_EQ(CalcScore(10, path), 11);
    EXPECT_EQ(CalcScore(10, path), 11);
}

TEST_F(DesignScriptHost, PrecompiledChunksAreRefused)
{
    lua_State* L = luaL_newstate();
    ASSERT_EQ(luaL_loadstring(L, "function CalcScore(n) return 55 end"), 0);
    std::string bytecode;
    lua_dump(
        L,
        [](lua_State*, const void* p, size_t size, void* out)
        {
            static_cast<std::string*>(out)->append(static_cast<const char*>(p), size);
            return 0;
        },
        &bytecode);
    lua_close(L);
    ASSERT_EQ(bytecode[0], '\x1b');
    EXPECT_EQ(CalcScore(3, Script(bytecode)), 0);
    EXPECT_EQ(CalcScore(3, Script("#!/usr/bin/lua\n" + bytecode)), 0);
    EXPECT_EQ(CalcScore(3, Script("#!/usr/bin/lua\n" + Returning("CalcScore", "56"))), 56);
    const std::string line = Line("attempt to call a nil value");
    EXPECT_EQ(Log(), line + line);
}
