// BubbleGrid: the play field's 15 x 16 cells, each empty or holding a shared
// BubbleSprite (a colour bubble or an obstacle), with the cells' pixel
// geometry, the six-neighbour rule and the small queries the play rules are
// built from.
//
// Cell (row, column) has index row * 16 + column; rows 0 to 14 from the top,
// columns 0 to 15; odd rows sit half a cell (15 pixels) to the right.
// Pixels are relative to the play field's top-left corner, y downwards, and
// a cell's pixel is the top-left corner of its 31-pixel square.
//
// The grid shares its sprites with whoever else holds them (effects, the
// shot) and keeps every sprite it holds reporting the row and column of its
// cell. A sprite taken out of its cell keeps the row and column it had:
// effects that still hold it read its old cell.
//
// In the quest only row 3 counts for a cleared field and walls hang from
// rows 3 to 14 (the rows above hold the stage's obstacles); the grid is told
// which game it belongs to when it is made. Main thread only; no widget
// tree needed.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "external/lumora/Vector2.h"
#include "src/core/GameTypes.h"
#include "src/sprites/BubbleSprite.h"

// A cell address; it may lie outside the grid.
struct GridCell
{
    int32_t row = -1;
    int32_t column = -1;

    friend bool operator==(const GridCell&, const GridCell&) = default;
};

class BubbleGrid
{
public:
    using SpritePtr = std::shared_ptr<BubbleSprite>;

    explicit BubbleGrid(bool questGame = false) : quest(questGame) {}
    BubbleGrid(const BubbleGrid&) = delete;
    BubbleGrid& operator=(const BubbleGrid&) = delete;
    virtual ~BubbleGrid() = default;

    bool IsQuest() const { return quest; }
    void SetQuest(bool on) { quest = on; }

    static bool IsInGrid(int32_t row, int32_t column)
    {
        return row >= 0 && row < GRID_ROWS && column >= 0 && column < GRID_COLUMNS;
    }

    // Empty for a cell outside the grid.
    SpritePtr GetCell(int32_t row, int32_t column) const;
    // Outside the grid nothing changes, the sprite included. Otherwise the
    // old content is released (its row and column left as they were) and a
    // new sprite is told its cell; with reposition it is moved onto it.
    void SetCell(int32_t row, int32_t column, SpritePtr sprite, bool reposition);
    // Moves the sprite to its cell's pixel; a sprite outside the grid goes to
    // (0, 0).
    static void SnapToCell(BubbleSprite& sprite);

    static Lumora::Vector2 CellToPixel(int32_t row, int32_t column);
    // The cell holding pixel (x, y), as whole-number floats (row in x,
    // column in y); it may lie outside the grid. Just above or left of the
    // field still maps to row or column 0 (division truncates toward zero).
    static Lumora::Vector2 PixelToCell(float x, float y);
    // The centre of the sprite's cell, from its row and column (never its
    // drawn position); (-1000, -1000) for no sprite.
    static Lumora::Vector2 CellCentre(const BubbleSprite* sprite);

    // The neighbour's address in direction code 1, 2, 4, 5, 6 or 7; false
    // for any other code. The address may lie outside the grid.
    static bool NeighbourCell(int32_t row, int32_t column, int32_t direction, GridCell& out);
    SpritePtr NeighbourAt(int32_t row, int32_t column, int32_t direction) const;

    // Empties every cell, row by row.
    void ClearGrid();

    // Colour bubbles in the grid; in the quest those of row 3 only.
    int32_t CountColourBubbles() const;
    // Each colour present once, in order of first appearance scanning rows
    // from the top and columns from the left.
    std::vector<int32_t> ColoursPresent() const;
    // A wall in the column (rows 3 to 14 in the quest, 0 to 14 otherwise).
    bool ColumnHasWall(int32_t column) const;
    // Occupied cells of the row; 0 for a row outside the grid.
    int32_t CountOccupied(int32_t row) const;
    static bool IsColourBubble(const BubbleSprite* sprite) { return sprite && IsColourKind(sprite->GetKind()); }
    static bool IsColourBubble(const SpritePtr& sprite) { return IsColourBubble(sprite.get()); }
    // No obstacle (kind above 6) in the 3 x 3 block of cells around
    // (row, column) -- rows and columns one either side, the cell itself
    // included; cells outside the grid are ignored.
    bool ObstacleFreeAround(int32_t row, int32_t column) const;

    static constexpr int32_t QuestCountedRow = 3;
    static constexpr int32_t QuestFirstWallRow = 3;

protected:
    std::array<SpritePtr, GRID_CELLS> grid;
    bool quest;
};
