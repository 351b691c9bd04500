// Helpers of the play field's tests: a play host with settable obstacle
// counts and colours, seeding of every generator, and a field's kinds as
// one line of text.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "external/lumora/Math.h"
#include "external/util/RandomUtil.h"
#include "external/util/RuntimeRandom.h"
#include "src/core/PlayHost.h"
#include "src/play/BubbleGrid.h"

namespace FieldTests
{

class FakePlayHost final : public PlayHost
{
public:
    PlayState state;
    std::array<int32_t, ObstacleKinds> counts{};
    int32_t colours = 4;
    int32_t configureCalls = 0;
    int32_t stageStarts = 0;
    std::vector<int32_t> sounds;
    // Every EndStage asked, won or lost; the first one ends the stage as the
    // application does.
    std::vector<bool> stageEnds;
    int32_t windStarts = 0;
    int32_t windStops = 0;
    int32_t pushDownTraces = 0;

    PlayState& State() override { return state; }
    void PlaySound(int32_t soundId) override { sounds.push_back(soundId); }
    void StartWindLoop() override { ++windStarts; }
    void StopWindLoop() override { ++windStops; }
    void ResetStage() override {}
    void StageReached(int32_t) override {}
    void EndStage(bool won) override
    {
        stageEnds.push_back(won);
        if (!state.stageOver)
        {
            state.stageOver = true;
            state.lastStageWon = won;
        }
    }
    void TracePushDown() override { ++pushDownTraces; }
    void ConfigureObstacles() override { ++configureCalls; }
    int32_t ObstacleCount(int32_t index) const override
    {
        return index >= 0 && index < ObstacleKinds ? counts[size_t(index)] : 0;
    }
    int32_t ColourCount() const override { return colours; }
    void StampStageStart() override { ++stageStarts; }
};

inline void SeedEverything(uint32_t seed)
{
    RuntimeRandom::Global().Seed(seed);
    RuntimeRandom::Drawing().Seed(seed);
    RandomUtil::SeedAll(seed);
    Lumora::Math::SeedRandom(seed);
}

// "k,k,k,...": the 240 kinds row by row (0 for an empty cell).
inline std::string Kinds(const BubbleGrid& grid)
{
    std::string out;
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            const auto sprite = grid.GetCell(row, column);
            if (!out.empty())
            {
                out += ',';
            }
            out += std::to_string(sprite ? sprite->GetKind() : 0);
        }
    }
    return out;
}

inline int32_t KindAt(const BubbleGrid& grid, int32_t row, int32_t column)
{
    const auto sprite = grid.GetCell(row, column);
    return sprite ? sprite->GetKind() : -1;
}

inline void ExpectEveryCellReportsItsPlace(const BubbleGrid& grid)
{
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            if (const auto sprite = grid.GetCell(row, column))
            {
                EXPECT_EQ(sprite->GetRow(), row);
                EXPECT_EQ(sprite->GetColumn(), column);
                EXPECT_EQ(sprite->GetPosition(), BubbleGrid::CellToPixel(row, column));
            }
        }
    }
}

} // namespace FieldTests
