// The stage maps' compiler on maps with mistakes: each stops with the file
// and line of the mistake, and a good map gives its sixteen stage files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/TestTemp.h"
#include "tools/art/StageCompiler.h"

namespace
{
namespace fs = std::filesystem;

class StageMaps : public ::testing::Test
{
protected:
    // Compiles map as water.txt; error holds the compiler's message.
    bool Compile(const std::string& map)
    {
        std::ofstream(dir / "water.txt", std::ios::trunc) << map;
        error.clear();
        int count = 0;
        const bool ok = Art::CompileStages((dir / "water.txt").string(), dir.string(), count, error);
        EXPECT_EQ(count, ok ? 16 : 0);
        return ok;
    }

    static std::string SixteenStages(const std::string& extraRowOfStage1)
    {
        std::string map = "world water\n";
        for (int n = 1; n <= 16; ++n)
        {
            map += "stage " + std::to_string(n) + "\n 2  WL WL WL WL WL WL WL WL WL WL WL WL WL WL WL WL\n";
            if (n == 1)
                map += extraRowOfStage1;
        }
        return map;
    }

    fs::path dir = TestSupport::TestTempDir("maps");
    std::string error;
};

TEST_F(StageMaps, AGoodMapGivesSixteenStageFiles)
{
    fs::create_directories(dir / "data");
    ASSERT_TRUE(Compile(SixteenStages(" 4  .. .. SN .. .. .. .. .. .. .. .. .. .. .. .. ..\n"))) << error;
    for (int n = 1; n <= 16; ++n)
    {
        const fs::path file = dir / "data" / ((n < 10 ? "water0" : "water") + std::to_string(n) + ".dat");
        ASSERT_TRUE(fs::exists(file)) << file;
        // Header, then 16 walls (and stage 1's snowman) of four bytes.
        EXPECT_EQ(fs::file_size(file), 5u + 4u * (n == 1 ? 17u : 16u)) << file;
    }
}

TEST_F(StageMaps, MistakesStopWithTheirFileAndLine)
{
    const std::string where = (dir / "water.txt").string() + ":";
    EXPECT_FALSE(Compile(SixteenStages(" 4  .. .. XX .. .. .. .. .. .. .. .. .. .. .. .. ..\n")));
    EXPECT_EQ(error, where + "4: unknown cell XX");
    EXPECT_FALSE(Compile(SixteenStages(" 4  .. .. SN\n")));
    EXPECT_EQ(error, where + "4: a row needs 16 cells, got 3");
    EXPECT_FALSE(Compile(SixteenStages(" 15 .. .. SN .. .. .. .. .. .. .. .. .. .. .. .. ..\n")));
    EXPECT_EQ(error, where + "4: row outside 0 to 14");
    EXPECT_FALSE(Compile(SixteenStages(" 2  .. .. SN .. .. .. .. .. .. .. .. .. .. .. .. ..\n")));
    EXPECT_EQ(error, where + "4: row given twice");
    EXPECT_FALSE(Compile("world water\nstage 1\nstage 1\n"));
    EXPECT_EQ(error, where + "3: stage 1 given twice");
    EXPECT_FALSE(Compile("world lava\n"));
    EXPECT_EQ(error, where + "1: unknown world lava");
    EXPECT_FALSE(Compile("world water\nstage 1\n"));
    EXPECT_EQ(error, where + "0: expected 16 stages, found 1");
}

} // namespace
