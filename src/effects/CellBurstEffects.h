// The bursting effects: a line of cells reached one after another, ten
// draws apart in list order (entry i starts with delay -10 x i and its cell
// bursts on the draw that brings its delay to exactly 0).
//
// BurstWallEffect: the quest barrier (row 2) giving way, column 0 to 15;
// draws nothing; after the last cell it clears below the barrier and ends
// the shot. FlameBurstEffect and TornadoEffect play the burst cels (8 at
// 0.2 per draw) on each reached cell and end the shot once the last cell's
// cels are through; the tornado spares walls and locks and draws its own
// whirl moving along the line, which stops at the last cell and fades.
//
// Cell lists come as Vector2 (x the row, y the column, truncated) and are
// never empty. The field is held weakly: once it is gone the effect does
// nothing and reports done. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "external/lumora/Vector2.h"
#include "src/effects/SpriteAnimation.h"

class PlayFieldServices;

struct CellEntry
{
    // The cell's drawing position moved up by 35.
    Lumora::Vector2 position;
    int32_t row = 0;
    int32_t column = 0;
    float burstFrame = 0.0f;
    int32_t delay = 0;
};

class BurstWallEffect : public SpriteAnimation
{
public:
    explicit BurstWallEffect(std::weak_ptr<PlayFieldServices> field);
    void Draw(Framework::Graphics* g) override;

    const std::vector<CellEntry>& Cells() const { return cells; }

private:
    std::weak_ptr<PlayFieldServices> field;
    std::vector<CellEntry> cells;
};

class FlameBurstEffect : public SpriteAnimation
{
public:
    FlameBurstEffect(std::weak_ptr<PlayFieldServices> field, const std::vector<Lumora::Vector2>& cellList);
    void Draw(Framework::Graphics* g) override;

    const std::vector<CellEntry>& Cells() const { return cells; }

protected:
    FlameBurstEffect(std::weak_ptr<PlayFieldServices> field, Framework::Image* burstImage,
                     const std::vector<Lumora::Vector2>& cellList);
    // One step of every entry; false once the field is gone (then done).
    bool StepCells(Framework::Graphics* g, bool sparesWallsAndLocks);

    std::weak_ptr<PlayFieldServices> field;
    std::vector<CellEntry> cells;
};

class TornadoEffect : public FlameBurstEffect
{
public:
    // direction: 1 left, 2 right, 3 up. lastOccupiedPosition is not used.
    TornadoEffect(std::weak_ptr<PlayFieldServices> field, const std::vector<Lumora::Vector2>& cellList,
                  const Lumora::Vector2& startPosition, const Lumora::Vector2& lastOccupiedPosition, int32_t direction);
    void Draw(Framework::Graphics* g) override;

    const Lumora::Vector2& GetTornadoPosition() const { return tornadoPosition; }
    const Lumora::Vector2& GetEndPosition() const { return endPosition; }
    int32_t GetAlpha() const { return alpha; }

private:
    int32_t direction = 0;
    Lumora::Vector2 tornadoPosition;
    Lumora::Vector2 endPosition;
    Lumora::Vector2 tornadoVelocity;
    float tornadoFrame = 0.0f;
    Framework::Image* tornadoImage = nullptr;
    int32_t alpha = 255;
};
