#include "src/play/BubbleGrid.h"

#include <algorithm>
#include <limits>

namespace
{
constexpr int32_t Index(int32_t row, int32_t column)
{
    return row * GRID_COLUMNS + column;
}
constexpr bool IsOdd(int32_t row)
{
    return row % 2 != 0;
}
} // namespace

BubbleGrid::SpritePtr BubbleGrid::GetCell(int32_t row, int32_t column) const
{
    if (!IsInGrid(row, column))
    {
        return {};
    }
    return grid[Index(row, column)];
}

void BubbleGrid::SetCell(int32_t row, int32_t column, SpritePtr sprite, bool reposition)
{
    if (!IsInGrid(row, column))
    {
        return;
    }
    if (sprite)
    {
        sprite->SetRow(row);
        sprite->SetColumn(column);
        if (reposition)
        {
            SnapToCell(*sprite);
        }
    }
    grid[Index(row, column)] = std::move(sprite);
}

void BubbleGrid::SnapToCell(BubbleSprite& sprite)
{
    if (!IsInGrid(sprite.GetRow(), sprite.GetColumn()))
    {
        sprite.SetPosition(Lumora::Vector2(0.0f, 0.0f));
        return;
    }
    sprite.SetPosition(CellToPixel(sprite.GetRow(), sprite.GetColumn()));
}

Lumora::Vector2 BubbleGrid::CellToPixel(int32_t row, int32_t column)
{
    const int64_t x = int64_t{CELL_SIZE} * column + GRID_LEFT + (IsOdd(row) ? ODD_ROW_SHIFT : 0);
    const int64_t y = int64_t{CELL_SIZE} * row;
    return Lumora::Vector2(static_cast<float>(x), static_cast<float>(y));
}

Lumora::Vector2 BubbleGrid::PixelToCell(float x, float y)
{
    const int32_t row = TruncateCoordinate(y) / CELL_SIZE;
    const float shift = static_cast<float>(GRID_LEFT + (IsOdd(row) ? ODD_ROW_SHIFT : 0));
    const int32_t column = TruncateCoordinate(x - shift) / CELL_SIZE;
    return Lumora::Vector2(static_cast<float>(row), static_cast<float>(column));
}

Lumora::Vector2 BubbleGrid::CellCentre(const BubbleSprite* sprite)
{
    if (!sprite)
    {
        return Lumora::Vector2(-1000.0f, -1000.0f);
    }
    constexpr float half = static_cast<float>(CELL_SIZE / 2);
    return CellToPixel(sprite->GetRow(), sprite->GetColumn()) + Lumora::Vector2(half, half);
}

bool BubbleGrid::NeighbourCell(int32_t row, int32_t column, int32_t direction, GridCell& out)
{
    constexpr int32_t limit = std::numeric_limits<int32_t>::max() - 1;
    if (row < -limit || row > limit || column < -limit || column > limit)
    {
        return false;
    }
    const int32_t e = IsOdd(row) ? 0 : 1;
    switch (direction)
    {
        case DIR_LEFT:
            out = {row, column - 1};
            return true;
        case DIR_RIGHT:
            out = {row, column + 1};
            return true;
        case DIR_UPPER_LEFT:
            out = {row - 1, column - e};
            return true;
        case DIR_UPPER_RIGHT:
            out = {row - 1, column - e + 1};
            return true;
        case DIR_LOWER_LEFT:
            out = {row + 1, column - e};
            return true;
        case DIR_LOWER_RIGHT:
            out = {row + 1, column - e + 1};
            return true;
        default:
            return false;
    }
}

BubbleGrid::SpritePtr BubbleGrid::NeighbourAt(int32_t row, int32_t column, int32_t direction) const
{
    GridCell cell;
    if (!NeighbourCell(row, column, direction, cell))
    {
        return {};
    }
    return GetCell(cell.row, cell.column);
}

void BubbleGrid::ClearGrid()
{
    for (int32_t r = 0; r < GRID_ROWS; ++r)
    {
        for (int32_t c = 0; c < GRID_COLUMNS; ++c)
        {
            SetCell(r, c, nullptr, true);
        }
    }
}

int32_t BubbleGrid::CountColourBubbles() const
{
    const int32_t firstRow = quest ? QuestCountedRow : 0;
    const int32_t endRow = quest ? QuestCountedRow + 1 : GRID_ROWS;
    int32_t count = 0;
    for (int32_t r = firstRow; r < endRow; ++r)
    {
        for (int32_t c = 0; c < GRID_COLUMNS; ++c)
        {
            if (IsColourBubble(grid[Index(r, c)]))
            {
                ++count;
            }
        }
    }
    return count;
}

std::vector<int32_t> BubbleGrid::ColoursPresent() const
{
    std::vector<int32_t> colours;
    for (const SpritePtr& sprite : grid)
    {
        if (!IsColourBubble(sprite))
        {
            continue;
        }
        const int32_t kind = sprite->GetKind();
        if (std::find(colours.begin(), colours.end(), kind) == colours.end())
        {
            colours.push_back(kind);
        }
    }
    return colours;
}

bool BubbleGrid::ColumnHasWall(int32_t column) const
{
    if (column < 0 || column >= GRID_COLUMNS)
    {
        return false;
    }
    for (int32_t r = quest ? QuestFirstWallRow : 0; r < GRID_ROWS; ++r)
    {
        const SpritePtr& sprite = grid[Index(r, column)];
        if (sprite && sprite->GetKind() == KIND_WALL)
        {
            return true;
        }
    }
    return false;
}

int32_t BubbleGrid::CountOccupied(int32_t row) const
{
    if (row < 0 || row >= GRID_ROWS)
    {
        return 0;
    }
    int32_t count = 0;
    for (int32_t c = 0; c < GRID_COLUMNS; ++c)
    {
        if (grid[Index(row, c)])
        {
            ++count;
        }
    }
    return count;
}

bool BubbleGrid::ObstacleFreeAround(int32_t row, int32_t column) const
{
    const int64_t firstRow = std::max<int64_t>(int64_t{row} - 1, 0);
    const int64_t lastRow = std::min<int64_t>(int64_t{row} + 1, GRID_ROWS - 1);
    const int64_t firstColumn = std::max<int64_t>(int64_t{column} - 1, 0);
    const int64_t lastColumn = std::min<int64_t>(int64_t{column} + 1, GRID_COLUMNS - 1);
    for (int64_t r = firstRow; r <= lastRow; ++r)
    {
        for (int64_t c = firstColumn; c <= lastColumn; ++c)
        {
            const SpritePtr& sprite = grid[Index(static_cast<int32_t>(r), static_cast<int32_t>(c))];
            if (sprite && sprite->GetKind() > KIND_FUCHSIA)
            {
                return false;
            }
        }
    }
    return true;
}
