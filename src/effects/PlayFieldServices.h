// PlayFieldServices: what the running effects ask of the play field -- cell
// positions and contents, bursting and setting cells, ending the current
// shot, the water holes' sunk drops, the barrier row's clean-up and the
// screens shown at a stage's end. The play field implements it and hands
// effects a std::weak_ptr to itself: an effect whose field has gone does
// nothing more and reports done.
//
// Positions are play-field pixels (the top-left corner of a cell). Rows 0
// to 14, columns 0 to 15; outside the grid GetCell gives nothing. Main
// thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "external/lumora/Vector2.h"

namespace Framework
{
class Image;
} // namespace Framework

class BubbleSprite;

class PlayFieldServices
{
public:
    virtual Lumora::Vector2 CellToPixel(int32_t row, int32_t column) const = 0;
    virtual std::shared_ptr<BubbleSprite> GetCell(int32_t row, int32_t column) const = 0;
    // Clears the cell with particles, sound and score.
    virtual void BurstCell(int32_t row, int32_t column) = 0;
    // Ends the current multi-step action and drops what hangs loose.
    virtual void EndShot() = 0;
    virtual void SetCell(int32_t row, int32_t column, const std::shared_ptr<BubbleSprite>& sprite, bool reposition) = 0;
    // Records the drop and empties the water hole at that position.
    virtual void RecordSunkBubble(const Lumora::Vector2& position, Framework::Image* image) = 0;
    virtual void ClearBelowBarrier() = 0;
    // rank: the place in the records, -1 for none.
    virtual void ShowHighScores(int32_t rank, bool atStageEnd) = 0;
    virtual void ShowCongratulation() = 0;

protected:
    ~PlayFieldServices() = default;
};
