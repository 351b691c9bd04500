#include "src/play/StageFile.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "src/play/BubbleGrid.h"
#include "src/sprites/WallSprite.h"
#include "tests/game/play/FieldTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>

using namespace FieldTests;

namespace
{

class GenerateStageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SeedEverything(1234);
        // The expert arcade counts.
        host.colours = 6;
        host.counts[ObstacleLock] = 2;
        host.counts[ObstacleBomb] = 2;
        host.counts[ObstacleWall] = 3;
        for (int32_t k : {ObstacleWindCloud, ObstacleTornado, ObstacleFlame, ObstacleLava, ObstacleSnowman,
                          ObstacleWaterHole, ObstaclePlant, ObstacleMushroom})
        {
            host.counts[size_t(k)] = 2;
        }
    }

    std::string Generate(int32_t world)
    {
        BubbleGrid grid;
        StageFile::GenerateStage(grid, host, world);
        return Kinds(grid);
    }

    FakePlayHost host;
};

std::multiset<int32_t> Obstacles(const BubbleGrid& grid)
{
    std::multiset<int32_t> out;
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            const int32_t kind = KindAt(grid, row, column);
            if (kind > KIND_FUCHSIA)
            {
                out.insert(kind);
            }
        }
    }
    return out;
}

std::shared_ptr<BubbleSprite> Obstacle(int32_t kind)
{
    return std::make_shared<BubbleSprite>(kind);
}

} // namespace

TEST_F(GenerateStageTest, OneSeedGivesTheSameFieldPerWorld)
{
    const std::map<int32_t, std::string> golden{
#include "tests/game/play/GeneratedFields.inc"
    };
    for (const auto& [world, kinds] : golden)
    {
        SeedEverything(1234);
        EXPECT_EQ(Generate(world), kinds) << "world " << world;
    }
}

TEST_F(GenerateStageTest, EachWorldPlacesItsOwnKindsApartAndAboveRowNine)
{
    const std::map<int32_t, std::set<int32_t>> kinds{
        {Game::WorldAir, {KIND_WALL, KIND_WIND_CLOUD, KIND_TORNADO, KIND_LOCK, KIND_BOMB}},
        {Game::WorldEarth, {KIND_WALL, KIND_GREEN_EATING_PLANT, KIND_MUSHROOM, KIND_LOCK, KIND_BOMB}},
        {Game::WorldFire, {KIND_WALL, KIND_LAVA, KIND_BURNING_FLAME, KIND_LOCK, KIND_BOMB}},
        {Game::WorldWater, {KIND_WALL, KIND_SNOWMAN, KIND_WATER_HOLE, KIND_LOCK, KIND_BOMB}},
        {0, {KIND_LOCK, KIND_BOMB}},
        {9, {KIND_LOCK, KIND_BOMB}}};
    for (uint32_t seed = 1; seed <= 40; ++seed)
    {
        for (const auto& [world, allowed] : kinds)
        {
            SCOPED_TRACE("seed " + std::to_string(seed) + " world " + std::to_string(world));
            SeedEverything(seed);
            BubbleGrid grid;
            StageFile::GenerateStage(grid, host, world);
            std::set<int32_t> colours;
            for (int32_t row = 0; row < GRID_ROWS; ++row)
            {
                for (int32_t column = 0; column < GRID_COLUMNS; ++column)
                {
                    const int32_t kind = KindAt(grid, row, column);
                    if (row >= 9)
                    {
                        ASSERT_EQ(kind, -1);
                        continue;
                    }
                    if (IsColourKind(kind))
                    {
                        colours.insert(kind);
                        continue;
                    }
                    ASSERT_TRUE(allowed.count(kind)) << kind;
                    if (kind == KIND_WALL)
                    {
                        ASSERT_GE(row, 2);
                        const auto wall = std::dynamic_pointer_cast<WallSprite>(grid.GetCell(row, column));
                        ASSERT_TRUE(wall);
                        EXPECT_EQ(wall->GetElement(), StageFile::WallElement(world));
                    }
                    // No other obstacle in its 3 x 3 block.
                    for (int32_t r = row - 1; r <= row + 1; ++r)
                    {
                        for (int32_t c = column - 1; c <= column + 1; ++c)
                        {
                            if ((r != row || c != column) && BubbleGrid::IsInGrid(r, c))
                            {
                                ASSERT_LE(KindAt(grid, r, c), KIND_FUCHSIA) << r << "," << c;
                            }
                        }
                    }
                }
            }
            EXPECT_LE(*colours.rbegin(), KIND_FUCHSIA);
            EXPECT_EQ(Obstacles(grid).size(), world >= 1 && world <= 4 ? 11u : 4u);
        }
    }
    EXPECT_EQ(host.configureCalls, 40 * 6);
}


TEST(PlaceObstacleTest, ForwardThenBackwardDownToRowTwoForWalls)
{
    BubbleGrid grid;
    for (int32_t row = 4; row <= 8; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            grid.SetCell(row, column, Obstacle(KIND_LOCK), true);
        }
    }
    for (int32_t column = 2; column < GRID_COLUMNS; ++column)
    {
        grid.SetCell(1, column, Obstacle(KIND_LOCK), true);
    }
    // Wanted (8, 15): forward has only index 143; back from (8, 14) every
    // cell down to (2, 1) touches an obstacle, (2, 0) is free.
    auto wall = Obstacle(KIND_WALL);
    ASSERT_TRUE(StageFile::PlaceObstacle(grid, wall, 8, 15));
    EXPECT_EQ(wall->GetRow(), 2);
    EXPECT_EQ(wall->GetColumn(), 0);
    EXPECT_EQ(grid.GetCell(2, 0), wall);
}

TEST(PlaceObstacleTest, WallsNeverGoAboveRowTwoOtherObstaclesDo)
{
    BubbleGrid grid;
    for (int32_t row = 3; row <= 8; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            grid.SetCell(row, column, Obstacle(KIND_BOMB), true);
        }
    }
    const std::string before = Kinds(grid);
    auto wall = Obstacle(KIND_WALL);
    EXPECT_FALSE(StageFile::PlaceObstacle(grid, wall, 5, 3));
    EXPECT_EQ(Kinds(grid), before);
    EXPECT_EQ(wall->GetRow(), -1);

    auto lock = Obstacle(KIND_LOCK);
    ASSERT_TRUE(StageFile::PlaceObstacle(grid, lock, 5, 3));
    EXPECT_EQ(lock->GetRow(), 1);
    EXPECT_EQ(lock->GetColumn(), 15);
    // Wanted cells far outside the grid search only rows 0 to 8.
    StageFile::PlaceObstacle(grid, Obstacle(KIND_LOCK), 40, 3);
    StageFile::PlaceObstacle(grid, Obstacle(KIND_LOCK), -3, -40);
    for (int32_t row = 9; row < GRID_ROWS; ++row)
    {
        EXPECT_EQ(grid.CountOccupied(row), 0);
    }
}


TEST_F(GenerateStageTest, DrawingBetweenSetUpsChangesNothing)
{
    SeedEverything(99);
    BubbleGrid first;
    StageFile::GenerateStage(first, host, Game::WorldWater);
    const std::string second = Generate(Game::WorldAir);

    SeedEverything(99);
    BubbleGrid again;
    StageFile::GenerateStage(again, host, Game::WorldWater);
    Framework::MemoryImage screen;
    std::vector<uint32_t> pixels(800 * 600, 0);
    screen.SetPixels(pixels.data(), 800, 600, true);
    Framework::Graphics g(&screen);
    for (int frame = 0; frame < 500; ++frame)
    {
        for (int32_t i = 0; i < GRID_CELLS; ++i)
        {
            if (auto sprite = again.GetCell(i / GRID_COLUMNS, i % GRID_COLUMNS))
            {
                sprite->Draw(&g);
            }
        }
    }
    EXPECT_EQ(Generate(Game::WorldAir), second);
}
