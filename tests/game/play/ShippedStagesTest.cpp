#include "src/play/StageFile.h"

#include "src/play/BubbleGrid.h"
#include "src/sprites/WallSprite.h"
#include "tests/game/play/FieldTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace FieldTests;

TEST(ShippedStagesTest, EveryStageLoadsWithItsBarrierOfWalls)
{
    const std::filesystem::path data = std::filesystem::path(FROTHWICK_DATA_DIR) / "data";
    int32_t stages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(data))
    {
        if (entry.path().extension() != ".dat" || entry.path().filename() == "usr.dat" ||
            entry.path().filename() == "game.dat")
        {
            continue;
        }
        ++stages;
        SCOPED_TRACE(entry.path().filename().string());
        const auto bytes = StageFile::ReadFile(entry.path());
        ASSERT_TRUE(bytes);
        FakePlayHost host;
        BubbleGrid grid{true};
        ASSERT_TRUE(StageFile::LoadStageBytes(grid, host, *bytes));
        const int32_t element = StageFile::WallElement(host.state.world);
        ASSERT_GE(element, 0);
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            const auto wall = std::dynamic_pointer_cast<WallSprite>(grid.GetCell(2, column));
            ASSERT_TRUE(wall) << column;
            EXPECT_EQ(wall->GetElement(), element);
        }
        EXPECT_EQ(grid.CountOccupied(3), GRID_COLUMNS);
        ExpectEveryCellReportsItsPlace(grid);
    }
    EXPECT_EQ(stages, 64);
}
