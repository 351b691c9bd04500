// WindCloudSprite: the wind cloud (kind 41) blowing left (1), right (2) or up
// (3). It rests 270 updates, then blows for 450 unless another cloud is
// blowing (the host's windCloudActive; it then retries 270 updates later) or
// the cell it blows into holds a sprite (it rests on; cells outside the grid
// are empty). Blowing starts the host's wind loop and sets the flag; the end
// of a blow stops both.
//
// Update advances these counters and is called once per update of the play
// field, so play replays the same at any draw rate; Draw only advances the
// picture. Keeps its kind: SetKind does nothing.
//
// The host must outlive the sprite. Main thread only.
#pragma once

#include <functional>

#include "src/sprites/BubbleSprite.h"

class PlayHost;

class WindCloudSprite : public BubbleSprite
{
public:
    static constexpr int32_t Left = 1;
    static constexpr int32_t Right = 2;
    static constexpr int32_t Up = 3;
    static constexpr int32_t RestUpdates = 270;
    static constexpr int32_t BlowUpdates = 450;

    // Whether the grid cell (row, column) holds a sprite; asked only about
    // cells inside the grid.
    using CellOccupied = std::function<bool(int32_t row, int32_t column)>;

    WindCloudSprite(PlayHost& host, int32_t direction);

    void Draw(Framework::Graphics* g) override;
    void SetKind(int32_t) override {}

    void Update(const CellOccupied& occupied);

    int32_t GetDirection() const { return direction; }
    bool IsResting() const { return resting; }

protected:
    PlayHost* host;
    float frame = 0.0f;
    int32_t direction;
    int32_t cloudCounter = 0;
    bool resting = true;

private:
    bool BlockedAhead(const CellOccupied& occupied) const;
};
