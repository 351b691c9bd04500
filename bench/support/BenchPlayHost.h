// A quiet play host for benchmarks: no sounds, no stage operations (a stage
// end changes nothing), six colours unless set; obstacle counts as set
// (expert arcade's largest by Expert()). The player is named by `name`.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "src/core/PlayHost.h"

namespace Bench
{

class PlayHostStub final : public PlayHost
{
public:
    PlayState state;
    std::array<int32_t, ObstacleKinds> counts{};
    int32_t colours = 6;
    std::string name;

    // Expert arcade's largest obstacle counts.
    PlayHostStub& Expert()
    {
        counts = {10, 2, 4, 6, 3, 4, 9, 6, 8, 8, 6};
        return *this;
    }

    PlayState& State() override { return state; }
    void PlaySound(int32_t) override {}
    void StartWindLoop() override {}
    void StopWindLoop() override {}
    void ResetStage() override {}
    void StageReached(int32_t) override {}
    void EndStage(bool) override {}
    void ConfigureObstacles() override {}
    int32_t ObstacleCount(int32_t index) const override
    {
        return index >= 0 && index < ObstacleKinds ? counts[size_t(index)] : 0;
    }
    int32_t ColourCount() const override { return colours; }
    void StampStageStart() override {}
    std::string PlayerName() const override { return name; }
    int32_t SystemFontBoldWidth(const std::string& text) const override { return int32_t(text.size()) * 7; }
};

} // namespace Bench
