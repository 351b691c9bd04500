// Loads arbitrary bytes as a quest stage into an empty grid. After each
// input every sprite must report its own cell and sit on it, rows 0 to 2
// must hold only obstacles, colours only 1 to 4, and nothing may lie below
// the last record row (or row 3).
#include "src/core/PlayHost.h"
#include "src/play/BubbleGrid.h"
#include "src/play/StageFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace
{
class FuzzHost final : public PlayHost
{
public:
    PlayState state;
    PlayState& State() override { return state; }
    void PlaySound(int32_t) override {}
    void StartWindLoop() override {}
    void StopWindLoop() override {}
    void ResetStage() override {}
    void StageReached(int32_t) override {}
    void EndStage(bool) override {}
    void ConfigureObstacles() override {}
    int32_t ObstacleCount(int32_t) const override { return 0; }
    int32_t ColourCount() const override { return 6; }
    void StampStageStart() override {}
};

void Check(bool ok)
{
    if (!ok)
    {
        std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzHost host;
    host.state.mode = Game::ModeQuest;
    BubbleGrid grid(true);
    const std::span<const uint8_t> bytes(data, size);
    const bool loaded = StageFile::LoadStageBytes(grid, host, bytes);
    const auto stage = StageFile::Parse(bytes);
    Check(loaded == stage.has_value());
    int32_t lowest = 3;
    if (stage)
    {
        Check(host.state.world == stage->world);
        for (const auto& record : stage->records)
        {
            if (BubbleGrid::IsInGrid(record.row, record.column) && record.row > lowest)
            {
                lowest = record.row;
            }
        }
    }
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            const auto sprite = grid.GetCell(row, column);
            if (!sprite)
            {
                Check(!loaded || row < 3 || row > lowest);
                continue;
            }
            Check(loaded);
            Check(sprite->GetRow() == row && sprite->GetColumn() == column);
            Check(sprite->GetPosition() == BubbleGrid::CellToPixel(row, column));
            const int32_t kind = sprite->GetKind();
            if (row < 3 || row > lowest)
            {
                Check(kind > KIND_FUCHSIA);
            }
            else if (IsColourKind(kind))
            {
                Check(kind <= KIND_GREEN);
            }
            else
            {
                Check(kind > KIND_FUCHSIA);
            }
        }
    }
    return 0;
}
