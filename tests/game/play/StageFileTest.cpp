#include "src/play/StageFile.h"

#include "src/play/BubbleGrid.h"
#include "src/sprites/MushroomSprite.h"
#include "src/sprites/TornadoSprite.h"
#include "src/sprites/WallSprite.h"
#include "src/sprites/WindCloudSprite.h"
#include "support/TestTemp.h"
#include "tests/game/play/FieldTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <set>
#include <vector>

using namespace FieldTests;

namespace
{

std::vector<uint8_t> Bytes(int8_t world, std::initializer_list<std::array<int8_t, 4>> records, size_t tail = 0)
{
    std::vector<uint8_t> out{0x98, 0x1A, 0x32, 0x01, uint8_t(world)};
    for (const auto& r : records)
    {
        for (int8_t b : r)
        {
            out.push_back(uint8_t(b));
        }
    }
    for (size_t i = 0; i < tail; ++i)
    {
        out.push_back(uint8_t(KIND_LOCK));
    }
    return out;
}

class StageFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SeedEverything(7);
        host.state.world = 99;
    }

    bool Load(const std::vector<uint8_t>& bytes) { return StageFile::LoadStageBytes(grid, host, bytes); }

    FakePlayHost host;
    BubbleGrid grid{true};
};

} // namespace

TEST_F(StageFileTest, RejectedBytesLeaveWorldAndGridAlone)
{
    EXPECT_FALSE(Load({}));
    EXPECT_FALSE(Load({0x98, 0x1A, 0x32, 0x02, 4, 0, 0, 10, 0}));
    // The magic alone: no world byte was ever read.
    EXPECT_FALSE(Load({0x98, 0x1A, 0x32, 0x01}));
    EXPECT_EQ(host.state.world, 99);
    EXPECT_EQ(Kinds(grid), Kinds(BubbleGrid{}));
}

TEST_F(StageFileTest, TheWorldByteAloneGivesAFullRowThree)
{
    ASSERT_TRUE(Load(Bytes(3, {})));
    EXPECT_EQ(host.state.world, 3);
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            const int32_t kind = KindAt(grid, row, column);
            if (row == 3)
            {
                EXPECT_GE(kind, KIND_RED);
                EXPECT_LE(kind, KIND_GREEN);
            }
            else
            {
                EXPECT_EQ(kind, -1) << row << "," << column;
            }
        }
    }
    ExpectEveryCellReportsItsPlace(grid);
}

TEST_F(StageFileTest, ATailOfOneToThreeBytesIsIgnored)
{
    for (size_t tail = 1; tail <= 3; ++tail)
    {
        const auto stage = StageFile::Parse(Bytes(1, {{0, 0, KIND_BOMB, 0}}, tail));
        ASSERT_TRUE(stage);
        EXPECT_EQ(stage->records.size(), 1u);
    }
    ASSERT_TRUE(Load(Bytes(1, {{0, 0, KIND_BOMB, 0}}, 3)));
    EXPECT_EQ(KindAt(grid, 0, 0), KIND_BOMB);
    EXPECT_EQ(KindAt(grid, 0, 1), -1);
}

TEST_F(StageFileTest, EveryObstacleCodeMakesItsSpriteAndOtherCodesNothing)
{
    const std::vector<int8_t> obstacles{KIND_LOCK,  KIND_WALL,    KIND_BOMB,      KIND_SNOWMAN,
                                        KIND_WATER_HOLE, KIND_BURNING_FLAME, KIND_LAVA, KIND_TORNADO,
                                        KIND_WIND_CLOUD, KIND_GREEN_EATING_PLANT, KIND_MUSHROOM};
    std::vector<uint8_t> bytes = Bytes(4, {});
    for (size_t i = 0; i < obstacles.size(); ++i)
    {
        for (int8_t b : {int8_t(i / 8), int8_t(i % 8 * 2), obstacles[i], int8_t(2)})
        {
            bytes.push_back(uint8_t(b));
        }
    }
    // Colour codes and unknown codes in rows 0 to 2 leave their cells empty.
    for (int8_t code : {0, 1, 2, 3, 4, 5, 6, 7, 13, 22, 99, -11})
    {
        for (int8_t b : {int8_t(2), int8_t(code & 15), code, int8_t(1)})
        {
            bytes.push_back(uint8_t(b));
        }
    }
    ASSERT_TRUE(Load(bytes));
    for (size_t i = 0; i < obstacles.size(); ++i)
    {
        EXPECT_EQ(KindAt(grid, int32_t(i / 8), int32_t(i % 8 * 2)), obstacles[i]);
    }
    for (int32_t column = 0; column < GRID_COLUMNS; ++column)
    {
        EXPECT_EQ(KindAt(grid, 2, column), -1);
    }
    const auto tornado = std::dynamic_pointer_cast<TornadoSprite>(grid.GetCell(0, 14));
    ASSERT_TRUE(tornado);
    EXPECT_EQ(tornado->GetDirection(), 2);
    ExpectEveryCellReportsItsPlace(grid);
}

TEST_F(StageFileTest, DirectedObstaclesNeedADirectionOneToThree)
{
    ASSERT_TRUE(Load(Bytes(4, {{0, 0, KIND_TORNADO, 0},
                               {0, 2, KIND_WIND_CLOUD, 4},
                               {0, 4, KIND_MUSHROOM, -1},
                               {0, 6, KIND_TORNADO, 3},
                               {0, 8, KIND_WIND_CLOUD, 1},
                               {0, 10, KIND_MUSHROOM, 3}})));
    EXPECT_EQ(KindAt(grid, 0, 0), -1);
    EXPECT_EQ(KindAt(grid, 0, 2), -1);
    EXPECT_EQ(KindAt(grid, 0, 4), -1);
    EXPECT_EQ(KindAt(grid, 0, 6), KIND_TORNADO);
    EXPECT_EQ(KindAt(grid, 0, 8), KIND_WIND_CLOUD);
    EXPECT_EQ(KindAt(grid, 0, 10), KIND_MUSHROOM);
}

TEST_F(StageFileTest, ALaterRecordReplacesTheEarlierSprite)
{
    ASSERT_TRUE(Load(Bytes(2, {{1, 5, KIND_LOCK, 0}, {1, 5, KIND_BOMB, 0}, {1, 5, 3, 0}})));
    EXPECT_EQ(KindAt(grid, 1, 5), KIND_BOMB);
}

TEST_F(StageFileTest, RecordRowsDecideHowFarColoursFill)
{
    host.colours = 6;
    // A code-3 record in row 6 fills to row 6; the obstacle in row 5 keeps
    // its cell; a record outside the grid counts for nothing.
    ASSERT_TRUE(Load(Bytes(1, {{6, 0, 3, 0}, {5, 4, KIND_LAVA, 0}, {12, 16, KIND_LOCK, 0}, {14, -1, 3, 0},
                               {15, 0, 3, 0}, {-1, 3, KIND_BOMB, 0}})));
    std::set<int32_t> colours;
    for (int32_t row = 3; row <= 6; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            if (row == 5 && column == 4)
            {
                EXPECT_EQ(KindAt(grid, row, column), KIND_LAVA);
                continue;
            }
            colours.insert(KindAt(grid, row, column));
        }
    }
    EXPECT_EQ(colours, (std::set<int32_t>{KIND_RED, KIND_YELLOW, KIND_BLUE, KIND_GREEN}));
    for (int32_t row = 7; row < GRID_ROWS; ++row)
    {
        EXPECT_EQ(grid.CountOccupied(row), 0) << row;
    }
    EXPECT_EQ(grid.CountOccupied(0) + grid.CountOccupied(1) + grid.CountOccupied(2), 0);
}

TEST_F(StageFileTest, WallsTakeTheElementOfTheWorldAndNoneOutsideOneToFour)
{
    const std::map<int8_t, int32_t> elements{{4, WallSprite::ElementAir},
                                             {2, WallSprite::ElementFire},
                                             {1, WallSprite::ElementWater},
                                             {3, WallSprite::ElementEarth}};
    for (const auto& [world, element] : elements)
    {
        BubbleGrid field{true};
        ASSERT_TRUE(StageFile::LoadStageBytes(field, host, Bytes(world, {{2, 7, KIND_WALL, 0}})));
        const auto wall = std::dynamic_pointer_cast<WallSprite>(field.GetCell(2, 7));
        ASSERT_TRUE(wall) << int(world);
        EXPECT_EQ(wall->GetElement(), element);
    }
    for (int8_t world : {0, 5, 7, -4})
    {
        BubbleGrid field{true};
        ASSERT_TRUE(StageFile::LoadStageBytes(field, host, Bytes(world, {{2, 7, KIND_WALL, 0}})));
        EXPECT_FALSE(field.GetCell(2, 7));
        EXPECT_EQ(host.state.world, world);
    }
}


TEST(StageFileReadTest, ReadsWholeRegularFilesOnly)
{
    const auto dir = TestSupport::TestTempDir();
    std::vector<uint8_t> small = Bytes(4, {{2, 3, KIND_WALL, 0}}, 2);
    {
        std::ofstream out(dir / "small.dat", std::ios::binary);
        out.write(reinterpret_cast<const char*>(small.data()), std::streamsize(small.size()));
    }
    EXPECT_EQ(StageFile::ReadFile(dir / "small.dat"), small);
    // Over the limit, a folder, a FIFO (which would block a plain read):
    // nothing, at once.
    std::vector<uint8_t> huge(StageFile::MaxFileBytes + 4099, 7);
    {
        std::ofstream out(dir / "huge.dat", std::ios::binary);
        out.write(reinterpret_cast<const char*>(huge.data()), std::streamsize(huge.size()));
    }
    EXPECT_FALSE(StageFile::ReadFile(dir / "huge.dat"));
    std::filesystem::create_directories(dir / "folder.dat");
    EXPECT_FALSE(StageFile::ReadFile(dir / "folder.dat"));
    std::filesystem::remove(dir / "fifo.dat");
    ASSERT_EQ(mkfifo((dir / "fifo.dat").c_str(), 0600), 0);
    EXPECT_FALSE(StageFile::ReadFile(dir / "fifo.dat"));
    EXPECT_FALSE(StageFile::ReadFile(dir / "missing.dat"));
}
