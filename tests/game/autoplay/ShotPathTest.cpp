// The shot's geometry apart from any sprite, as the autoplayer runs it on a
// copy of the grid: the walls turn the shot round and hold it inside, the
// landing walk slides along a row and drops below it, leaving the bottom
// loses the shot, and the top landing moves over a taken cell or gives up.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "src/play/ShotPath.h"

namespace
{

struct Cells
{
    std::set<std::pair<int32_t, int32_t>> taken;
    bool operator()(int32_t row, int32_t column) const { return taken.count({row, column}) != 0; }
};

TEST(ShotPathTest, TheWallsTurnTheShotRoundAndHoldItInside)
{
    Lumora::Vector2 position = ShotPath::Move({10.0f, 300.0f}, {-700.0f, -10.0f}, 10);
    Lumora::Vector2 velocity(-700.0f, -10.0f);
    ShotPath::Bounce(position, velocity);
    EXPECT_EQ(position, Lumora::Vector2(ShotPath::LeftWall, 299.9f));
    EXPECT_EQ(velocity, Lumora::Vector2(700.0f, -10.0f));

    position = {600.0f, 100.0f};
    ShotPath::Bounce(position, velocity);
    EXPECT_EQ(position.x, ShotPath::RightWall);
    EXPECT_EQ(velocity.x, -700.0f);

    // In between nothing changes.
    position = {200.0f, 100.0f};
    ShotPath::Bounce(position, velocity);
    EXPECT_EQ(position, Lumora::Vector2(200.0f, 100.0f));
    EXPECT_EQ(velocity.x, -700.0f);
}

TEST(ShotPathTest, TheLandingWalkSlidesAlongTheRowThenDropsAndLeavingTheBottomLosesTheShot)
{
    Cells cells;
    cells.taken = {{2, 5}, {2, 4}, {2, 3}};
    // Left from (2, 5): (2, 4) is taken, so the walk drops lower left.
    EXPECT_EQ(ShotPath::FindLandingCell(cells, 2, 5, DIR_LEFT), (GridCell{3, 4}));
    EXPECT_EQ(ShotPath::FindLandingCell(cells, 2, 5, DIR_RIGHT), (GridCell{2, 6}));
    // From an even row lower right keeps the column.
    EXPECT_EQ(ShotPath::FindLandingCell(cells, 2, 5, DIR_LOWER_RIGHT), (GridCell{3, 5}));
    // A full column of cells below: the walk leaves the grid.
    Cells column;
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        column.taken.insert({row, 0});
    }
    EXPECT_EQ(ShotPath::FindLandingCell(column, 0, 0, DIR_LOWER_LEFT), GridCell{});
}

TEST(ShotPathTest, AShotLeavingTheTopSticksInRowZeroBesideATakenCellOrIsLost)
{
    Cells cells;
    EXPECT_EQ(ShotPath::TopLandingCell(cells, {100.0f, -3.0f}), (GridCell{0, 3}));
    cells.taken = {{0, 3}};
    EXPECT_EQ(ShotPath::TopLandingCell(cells, {100.0f, -3.0f}), (GridCell{0, 4}));
    cells.taken = {{0, 3}, {0, 4}};
    EXPECT_EQ(ShotPath::TopLandingCell(cells, {100.0f, -3.0f}), GridCell{});
    // The last column: the cell beside it lies outside the grid.
    cells.taken = {{0, 15}};
    EXPECT_EQ(ShotPath::TopLandingCell(cells, {470.0f, -1.0f}), GridCell{});
}

TEST(ShotPathTest, TheCollisionSearchTakesTheNearestRowFirstAndOnlyWithinTheCone)
{
    Cells cells;
    cells.taken = {{5, 7}};
    const Lumora::Vector2 centre = BubbleGrid::CellToPixel(5, 7) + Lumora::Vector2(15.0f, 15.0f);
    // Straight below it, flying up: touched.
    const Lumora::Vector2 below = centre + Lumora::Vector2(0.0f, 30.0f) - ShotPath::CentreOffset;
    EXPECT_EQ(ShotPath::FindCollision(cells, below, {0.0f, -700.0f}), (GridCell{5, 7}));
    // Beside it flying up: outside the 36-degree cone.
    const Lumora::Vector2 beside = centre + Lumora::Vector2(30.0f, 0.0f) - ShotPath::CentreOffset;
    EXPECT_EQ(ShotPath::FindCollision(cells, beside, {0.0f, -700.0f}), GridCell{});
    // Out of reach.
    const Lumora::Vector2 far = centre + Lumora::Vector2(0.0f, 40.0f) - ShotPath::CentreOffset;
    EXPECT_EQ(ShotPath::FindCollision(cells, far, {0.0f, -700.0f}), GridCell{});
    // Two within reach, ahead and behind on the line: the lower row wins.
    cells.taken.insert({7, 7});
    const Lumora::Vector2 between = centre + Lumora::Vector2(0.0f, 31.0f) - ShotPath::CentreOffset;
    EXPECT_EQ(ShotPath::FindCollision(cells, between, {0.0f, -700.0f}), (GridCell{7, 7}));
}

} // namespace
