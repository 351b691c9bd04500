// ShotPath: the geometry of a shot's flight and landing, apart from any
// sprite: one step of the flight with its bounce off the side walls, the
// collision search, the side a shot lands on, the walk to a free cell and
// the landing at the top. The play field runs its flight through these, and
// anything that wants to know in advance where a shot will land (the
// autoplayer) runs the same code on a copy of the grid.
//
// The grid is seen through `occupied(row, column)`: true when the cell holds
// something a shot stops at (any sprite for the landing walk; for the
// collision search, anything but an empty kind). Callers pass the same
// predicate the play field would see. Pure functions; any thread.
#pragma once

#include <cmath>
#include <cstdint>

#include "external/lumora/Math.h"
#include "external/lumora/Vector2.h"
#include "src/core/GameTypes.h"
#include "src/play/BubbleGrid.h"

namespace ShotPath
{

// A shot touches a cell's content within this distance of its centre and
// within 36 degrees of its line of flight, ahead or behind.
inline constexpr float TouchDistance = 35.0f;
inline const float ConeCosine = Lumora::Math::Cos(0.2f * Lumora::Math::PI);
// From the shot's top-left corner to its centre.
inline const Lumora::Vector2 CentreOffset(15.0f, 15.0f);
inline constexpr float LeftWall = 5.0f;
inline constexpr float RightWall = 489.0f;
// Below this the shot that touches the bottom row has reached the launcher.
inline constexpr float LauncherLine = 450.0f;

// The flight's move over `milliseconds` (the effect's elapsed time minus
// the previous step's), as the straight-line motion computes it.
inline Lumora::Vector2 Move(const Lumora::Vector2& position, const Lumora::Vector2& velocity, int32_t milliseconds)
{
    return position + velocity * static_cast<float>(milliseconds) / 1000.0f;
}

// After a move: at or beyond a side wall the horizontal velocity turns
// round and the shot is put back on the wall.
inline void Bounce(Lumora::Vector2& position, Lumora::Vector2& velocity)
{
    if (position.x <= LeftWall || position.x >= RightWall)
    {
        velocity.x = -velocity.x;
    }
    if (position.x <= LeftWall)
    {
        position = {LeftWall, position.y};
    }
    else if (position.x >= RightWall)
    {
        position = {RightWall, position.y};
    }
}

// The first occupied cell, rows 14 up to 0 and columns left to right, whose
// centre lies within reach of the shot at `position` (top-left corner)
// flying with `velocity`; (-1, -1) for none.
template <typename Occupied>
GridCell FindCollision(const Occupied& occupied, const Lumora::Vector2& position, const Lumora::Vector2& velocity)
{
    const Lumora::Vector2 centre = position + CentreOffset;
    const Lumora::Vector2 heading = velocity.normalisedCopy();
    constexpr float half = static_cast<float>(CELL_SIZE / 2);
    for (int32_t row = GRID_ROWS - 1; row >= 0; --row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            if (!occupied(row, column))
            {
                continue;
            }
            const Lumora::Vector2 d = BubbleGrid::CellToPixel(row, column) + Lumora::Vector2(half, half) - centre;
            if (d.length() >= TouchDistance)
            {
                continue;
            }
            if (std::fabs(d.normalisedCopy().dotProduct(heading)) >= ConeCosine)
            {
                return {row, column};
            }
        }
    }
    return {};
}

// The direction (DIR_LEFT, DIR_RIGHT, DIR_LOWER_LEFT or DIR_LOWER_RIGHT) in
// which a shot at `position` that hit `hit` looks for its cell.
inline int32_t LandingDirection(const GridCell& hit, const Lumora::Vector2& position)
{
    constexpr float half = static_cast<float>(CELL_SIZE / 2);
    const Lumora::Vector2 d =
        BubbleGrid::CellToPixel(hit.row, hit.column) + Lumora::Vector2(half, half) - (position + CentreOffset);
    if (std::fabs(d.normalisedCopy().dotProduct(Lumora::Vector2(0.0f, -1.0f))) >= ConeCosine)
    {
        return d.x >= 0.0f ? DIR_LOWER_LEFT : DIR_LOWER_RIGHT;
    }
    return d.x >= 0.0f ? DIR_LEFT : DIR_RIGHT;
}

// Walks from the hit cell in `direction` to the first free cell; (-1, -1)
// when the walk leaves the bottom of the grid.
template <typename Occupied> GridCell FindLandingCell(const Occupied& occupied, int32_t row, int32_t column, int32_t direction)
{
    int32_t r = row;
    int32_t c = column;
    while (true)
    {
        const int32_t even = r % 2 == 0 ? 1 : 0;
        int32_t nextRow = r;
        int32_t nextColumn = c;
        int32_t step = direction;
        if (step == DIR_LEFT)
        {
            if (c > 0 && !occupied(r, c - 1))
            {
                nextColumn = c - 1;
            }
            else
            {
                step = DIR_LOWER_LEFT;
            }
        }
        else if (step == DIR_RIGHT)
        {
            if (c < GRID_COLUMNS - 1 && !occupied(r, c + 1))
            {
                nextColumn = c + 1;
            }
            else
            {
                step = DIR_LOWER_RIGHT;
            }
        }
        if (step == DIR_LOWER_LEFT)
        {
            nextRow = r + 1;
            nextColumn = c == 0 ? 0 : c - even;
        }
        else if (step == DIR_LOWER_RIGHT)
        {
            nextRow = r + 1;
            nextColumn = c == GRID_COLUMNS - 1 ? GRID_COLUMNS - 1 : c + 1 - even;
        }
        if (nextRow >= GRID_ROWS)
        {
            return {};
        }
        if (!occupied(nextRow, nextColumn))
        {
            return {nextRow, nextColumn};
        }
        r = nextRow;
        c = nextColumn;
    }
}

// A shot that left the top at `position` without touching anything sticks
// in its cell of row 0, or the next one to the right when that is taken;
// (-1, -1) when both are taken or outside the grid (the shot is lost).
template <typename Occupied> GridCell TopLandingCell(const Occupied& occupied, const Lumora::Vector2& position)
{
    const int32_t row = int32_t(position.y) / CELL_SIZE;
    int32_t column = int32_t(position.x - (row % 2 != 0 ? float(ODD_ROW_SHIFT) : 0.0f)) / CELL_SIZE;
    if (occupied(row, column))
    {
        column += 1;
    }
    if (BubbleGrid::IsInGrid(row, column) && !occupied(row, column))
    {
        return {row, column};
    }
    return {};
}

} // namespace ShotPath
