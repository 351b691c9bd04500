// The design script answers each of its four functions for every argument
// the game passes, hosted the way the game hosts it: a fresh interpreter per
// call, the chunk run, then the global called with one number.
#include <gtest/gtest.h>

#include <lua.hpp>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace
{
const std::string kScript = std::string(FROTHWICK_DATA_DIR) + "/script/design.lua";

struct Answer
{
    bool ok = false;
    double number = 0;
    std::string text;
    bool isString = false;
};

Answer Call(const char* function, double argument)
{
    Answer a;
    lua_State* L = luaL_newstate();
    luaL_openlibs(L);
    if (luaL_loadfile(L, kScript.c_str()) == 0 && lua_pcall(L, 0, LUA_MULTRET, 0) == 0)
    {
        lua_settop(L, 0);
        lua_getfield(L, LUA_GLOBALSINDEX, function);
        lua_pushnumber(L, argument);
        if (lua_pcall(L, 1, 1, 0) == 0)
        {
            a.ok = true;
            a.isString = lua_type(L, -1) == LUA_TSTRING;
            if (lua_isnumber(L, -1))
                a.number = lua_tonumber(L, -1);
            else if (!a.isString)
                a.ok = false;
            if (a.isString)
                a.text = lua_tostring(L, -1);
        }
        else
            a.text = lua_tostring(L, -1);
    }
    lua_close(L);
    return a;
}

int Int(const Answer& a)
{
    return static_cast<int>(a.number);
}
} // namespace

TEST(DesignScript, NamesTheStageFileOfEveryQuestStage)
{
    const struct
    {
        int base;
        int worldByte;
    } worlds[] = {{10000, 4}, {20000, 2}, {30000, 1}, {40000, 3}};
    for (const auto& w : worlds)
        for (int index = 0; index < 16; ++index)
        {
            Answer a = Call("GetStageFile", w.base + index);
            ASSERT_TRUE(a.ok && a.isString) << w.base + index << ": " << a.text;
            std::string path = std::string(FROTHWICK_DATA_DIR) + "/data/" + a.text;
            std::ifstream in(path, std::ios::binary);
            ASSERT_TRUE(in) << "stage " << w.base + index << " names a missing file " << a.text;
            char header[5] = {};
            in.read(header, 5);
            EXPECT_EQ(header[4], w.worldByte) << a.text << " belongs to another world";
        }
    // distinct files for distinct stages
    EXPECT_NE(Call("GetStageFile", 30000).text, Call("GetStageFile", 30001).text);
    // ids the game never builds fail instead of naming a wrong file
    EXPECT_FALSE(Call("GetStageFile", 30016).ok);
    EXPECT_FALSE(Call("GetStageFile", 50000).ok);
}

TEST(DesignScript, ScoresGrowWithTheSizeOfTheMatch)
{
    int previous = 0;
    for (int count = 3; count <= 240; ++count)
    {
        Answer a = Call("CalcScore", count);
        ASSERT_TRUE(a.ok) << count << ": " << a.text;
        EXPECT_GT(Int(a), previous) << count;
        EXPECT_LT(a.number, 1e7) << count; // far from overflowing the score
        previous = Int(a);
    }
    EXPECT_EQ(Int(Call("CalcScore", 3)), 30);
}

TEST(DesignScript, PushDownIntervalShortensWithDifficulty)
{
    int previous = 1 << 30;
    for (int difficulty = 0; difficulty <= 3; ++difficulty)
    {
        Answer a = Call("CalcPushDownInterval", difficulty);
        ASSERT_TRUE(a.ok) << a.text;
        EXPECT_GE(Int(a), 5) << difficulty;
        EXPECT_LT(Int(a), previous) << difficulty;
        previous = Int(a);
    }
    // an unexpected difficulty still gets a usable period
    EXPECT_GE(Int(Call("CalcPushDownInterval", 7)), 5);
}

TEST(DesignScript, TimeBonusFallsWithTheMinutesAndNeverGoesNegative)
{
    int previous = 1 << 30;
    for (int minutes = 0; minutes <= 600; ++minutes)
    {
        Answer a = Call("GetTimeBonus", minutes);
        ASSERT_TRUE(a.ok) << a.text;
        EXPECT_GE(Int(a), 0) << minutes;
        EXPECT_LE(Int(a), previous) << minutes;
        previous = Int(a);
    }
    EXPECT_GT(Int(Call("GetTimeBonus", 0)), 0);
    EXPECT_EQ(Int(Call("GetTimeBonus", -3)), Int(Call("GetTimeBonus", 0)));
}
