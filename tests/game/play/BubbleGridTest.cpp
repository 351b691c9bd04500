// The grid without a play field: addressing, cell geometry, neighbours and
// the queries the play rules are built from.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

#include "src/play/BubbleGrid.h"

namespace
{
using Lumora::Vector2;

// Any kind, obstacles included, without an obstacle's class.
class KindSprite : public BubbleSprite
{
public:
    explicit KindSprite(int32_t k) { kind = k; }
};

std::shared_ptr<BubbleSprite> Make(int32_t kind)
{
    return std::make_shared<KindSprite>(kind);
}

void ExpectVector(const Vector2& v, float x, float y)
{
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
}
} // namespace

TEST(BubbleGrid, CellsMapToPixelsAndBack)
{
    ExpectVector(BubbleGrid::CellToPixel(0, 0), 5, 0);
    ExpectVector(BubbleGrid::CellToPixel(1, 0), 20, 31);
    ExpectVector(BubbleGrid::CellToPixel(14, 15), 470, 434);

    // Truncation toward zero keeps positions just left of and above the field
    // in column and row 0.
    ExpectVector(BubbleGrid::PixelToCell(4.9f, 30.9f), 0, 0);
    ExpectVector(BubbleGrid::PixelToCell(-0.5f, -20.0f), 0, 0);
    // Odd rows are shifted by half a cell.
    ExpectVector(BubbleGrid::PixelToCell(19.9f, 31.0f), 1, 0);
    ExpectVector(BubbleGrid::PixelToCell(51.0f, 31.0f), 1, 1);
    ExpectVector(BubbleGrid::PixelToCell(50.9f, 31.0f), 1, 0);
    ExpectVector(BubbleGrid::PixelToCell(36.0f, 30.0f), 0, 1);
    ExpectVector(BubbleGrid::PixelToCell(0.0f, -31.0f), -1, 0);

    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            const Vector2 p = BubbleGrid::CellToPixel(row, column);
            ExpectVector(BubbleGrid::PixelToCell(p.x + 15.0f, p.y + 15.0f), float(row), float(column));
        }
    }
    // Far outside, and NaN, stay defined.
    ExpectVector(BubbleGrid::PixelToCell(1e30f, -1e30f), float(std::numeric_limits<int32_t>::min() / 31),
                 float(std::numeric_limits<int32_t>::max() / 31));
    BubbleGrid::PixelToCell(std::numeric_limits<float>::quiet_NaN(), 0.0f);
}

TEST(BubbleGrid, CellCentreComesFromTheCellNotTheDrawnPosition)
{
    BubbleGrid grid;
    auto bubble = Make(KIND_RED);
    grid.SetCell(3, 2, bubble, true);
    bubble->Shake(Vector2(1.0f, 0.0f), 1.0f);
    bubble->SetPosition(Vector2(200.0f, 300.0f));
    ExpectVector(BubbleGrid::CellCentre(bubble.get()), 97, 108);
    ExpectVector(BubbleGrid::CellCentre(nullptr), -1000, -1000);
}

TEST(BubbleGrid, SetCellTellsTheSpriteItsCellAndLeavesTheOneItRemoves)
{
    BubbleGrid grid;
    auto first = Make(KIND_BLUE);
    first->SetPosition(Vector2(1.0f, 2.0f));
    grid.SetCell(4, 7, first, false);
    EXPECT_EQ(grid.GetCell(4, 7), first);
    EXPECT_EQ(first->GetRow(), 4);
    EXPECT_EQ(first->GetColumn(), 7);
    ExpectVector(first->GetPosition(), 1, 2);

    auto second = Make(KIND_GREEN);
    grid.SetCell(4, 7, second, true);
    EXPECT_EQ(grid.GetCell(4, 7), second);
    ExpectVector(second->GetPosition(), 5 + 7 * 31, 4 * 31);
    EXPECT_EQ(first->GetRow(), 4);
    EXPECT_EQ(first->GetColumn(), 7);
    EXPECT_EQ(first.use_count(), 1);

    grid.SetCell(4, 7, nullptr, true);
    EXPECT_EQ(grid.GetCell(4, 7), nullptr);
    EXPECT_EQ(second->GetRow(), 4);
}

TEST(BubbleGrid, AddressesOutsideTheGridHoldNothingAndChangeNothing)
{
    BubbleGrid grid;
    for (const GridCell& cell : {GridCell{-1, 0}, GridCell{15, 0}, GridCell{0, -1}, GridCell{0, 16}})
    {
        auto sprite = Make(KIND_RED);
        sprite->SetPosition(Vector2(9.0f, 9.0f));
        grid.SetCell(cell.row, cell.column, sprite, true);
        EXPECT_EQ(sprite->GetRow(), -1);
        EXPECT_EQ(sprite->GetColumn(), -1);
        ExpectVector(sprite->GetPosition(), 9, 9);
        EXPECT_EQ(sprite.use_count(), 1);
        EXPECT_EQ(grid.GetCell(cell.row, cell.column), nullptr);
    }
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        EXPECT_EQ(grid.CountOccupied(row), 0);
    }
    EXPECT_EQ(grid.CountOccupied(-1), 0);
    EXPECT_EQ(grid.CountOccupied(15), 0);

    BubbleSprite loose(KIND_RED);
    loose.SetPosition(Vector2(40.0f, 40.0f));
    BubbleGrid::SnapToCell(loose);
    ExpectVector(loose.GetPosition(), 0, 0);
}

TEST(BubbleGrid, NeighboursOfEvenAndOddRows)
{
    BubbleGrid grid;
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            grid.SetCell(row, column, Make(KIND_RED), true);
        }
    }
    auto at = [&](int32_t row, int32_t column, int32_t direction)
    {
        const auto s = grid.NeighbourAt(row, column, direction);
        return s ? GridCell{s->GetRow(), s->GetColumn()} : GridCell{};
    };
    // Even row: the row above and below sit half a cell to the right, so
    // their touching cells are columns c - 1 and c.
    EXPECT_EQ(at(4, 5, DIR_LEFT), (GridCell{4, 4}));
    EXPECT_EQ(at(4, 5, DIR_RIGHT), (GridCell{4, 6}));
    EXPECT_EQ(at(4, 5, DIR_UPPER_LEFT), (GridCell{3, 4}));
    EXPECT_EQ(at(4, 5, DIR_UPPER_RIGHT), (GridCell{3, 5}));
    EXPECT_EQ(at(4, 5, DIR_LOWER_LEFT), (GridCell{5, 4}));
    EXPECT_EQ(at(4, 5, DIR_LOWER_RIGHT), (GridCell{5, 5}));
    // Odd row: columns c and c + 1.
    EXPECT_EQ(at(5, 5, DIR_UPPER_LEFT), (GridCell{4, 5}));
    EXPECT_EQ(at(5, 5, DIR_UPPER_RIGHT), (GridCell{4, 6}));
    EXPECT_EQ(at(5, 5, DIR_LOWER_LEFT), (GridCell{6, 5}));
    EXPECT_EQ(at(5, 5, DIR_LOWER_RIGHT), (GridCell{6, 6}));
    for (int32_t code : {0, 3, 8, -1})
    {
        EXPECT_EQ(grid.NeighbourAt(4, 5, code), nullptr) << code;
    }
    // At the edges the neighbours outside are empty, never the other side.
    EXPECT_EQ(grid.NeighbourAt(0, 0, DIR_LEFT), nullptr);
    EXPECT_EQ(grid.NeighbourAt(0, 0, DIR_UPPER_RIGHT), nullptr);
    EXPECT_EQ(grid.NeighbourAt(1, 15, DIR_RIGHT), nullptr);
    EXPECT_EQ(grid.NeighbourAt(1, 15, DIR_LOWER_RIGHT), nullptr);
    EXPECT_EQ(grid.NeighbourAt(14, 3, DIR_LOWER_LEFT), nullptr);
}

TEST(BubbleGrid, ColourCountsAndColoursPresent)
{
    BubbleGrid arcade(false);
    BubbleGrid quest(true);
    for (BubbleGrid* grid : {&arcade, &quest})
    {
        grid->SetCell(0, 3, Make(KIND_FUCHSIA), true);
        grid->SetCell(2, 0, Make(KIND_LOCK), true);
        grid->SetCell(6, 1, Make(KIND_BLUE), true);
        grid->SetCell(6, 0, Make(KIND_FUCHSIA), true);
        grid->SetCell(9, 9, Make(KIND_RED), true);
        grid->SetCell(3, 4, Make(KIND_WALL), true);
    }
    EXPECT_EQ(arcade.CountColourBubbles(), 4);
    // The quest counts row 3 only: colour bubbles elsewhere do not keep the
    // stage open.
    EXPECT_EQ(quest.CountColourBubbles(), 0);
    quest.SetCell(3, 8, Make(KIND_YELLOW), true);
    EXPECT_EQ(quest.CountColourBubbles(), 1);

    EXPECT_EQ(arcade.ColoursPresent(), (std::vector<int32_t>{KIND_FUCHSIA, KIND_BLUE, KIND_RED}));
    EXPECT_EQ(quest.ColoursPresent(), (std::vector<int32_t>{KIND_FUCHSIA, KIND_YELLOW, KIND_BLUE, KIND_RED}));

    EXPECT_EQ(arcade.CountOccupied(6), 2);
    arcade.ClearGrid();
    EXPECT_EQ(arcade.CountColourBubbles(), 0);
    EXPECT_TRUE(arcade.ColoursPresent().empty());
}

TEST(BubbleGrid, WallsCountBelowTheQuestsObstacleRows)
{
    BubbleGrid arcade(false);
    BubbleGrid quest(true);
    for (BubbleGrid* grid : {&arcade, &quest})
    {
        grid->SetCell(2, 5, Make(KIND_WALL), true);
        grid->SetCell(14, 9, Make(KIND_WALL), true);
        grid->SetCell(7, 6, Make(KIND_LOCK), true);
    }
    EXPECT_TRUE(arcade.ColumnHasWall(5));
    EXPECT_FALSE(quest.ColumnHasWall(5));
    EXPECT_TRUE(arcade.ColumnHasWall(9));
    EXPECT_TRUE(quest.ColumnHasWall(9));
    EXPECT_FALSE(arcade.ColumnHasWall(6));
    EXPECT_FALSE(arcade.ColumnHasWall(-1));
    EXPECT_FALSE(arcade.ColumnHasWall(16));
}

TEST(BubbleGrid, ObstacleFreeAroundLooksAtTheBlockOfCellsNotAtIndices)
{
    BubbleGrid grid;
    // (0, 15) is the index just before (1, 0): it must not block it.
    grid.SetCell(0, 15, Make(KIND_SNOWMAN), true);
    EXPECT_TRUE(grid.ObstacleFreeAround(1, 0));
    EXPECT_FALSE(grid.ObstacleFreeAround(1, 15));
    EXPECT_FALSE(grid.ObstacleFreeAround(0, 14));
    EXPECT_TRUE(grid.ObstacleFreeAround(0, 13));

    // Corners ignore what lies outside the grid.
    EXPECT_TRUE(grid.ObstacleFreeAround(0, 0));
    EXPECT_TRUE(grid.ObstacleFreeAround(14, 15));
    grid.SetCell(13, 14, Make(KIND_MUSHROOM), true);
    EXPECT_FALSE(grid.ObstacleFreeAround(14, 15));
    EXPECT_FALSE(grid.ObstacleFreeAround(13, 14));

    // Colour bubbles never block; the cell itself counts.
    grid.SetCell(7, 7, Make(KIND_AQUA), true);
    EXPECT_TRUE(grid.ObstacleFreeAround(7, 7));
    grid.SetCell(7, 7, Make(KIND_BOMB), true);
    EXPECT_FALSE(grid.ObstacleFreeAround(7, 7));
    EXPECT_FALSE(grid.ObstacleFreeAround(6, 8));
    EXPECT_TRUE(grid.ObstacleFreeAround(5, 7));
    EXPECT_TRUE(grid.ObstacleFreeAround(7, 9));
    // Far outside the grid there is nothing.
    EXPECT_TRUE(grid.ObstacleFreeAround(std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()));
}
