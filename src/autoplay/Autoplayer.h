// Autoplayer: a player made of code. It looks at the play field as the
// screen shows it (the cells, the shot, whether one flies, the stage's end)
// and answers with what a player's hand would do: pointer moves and single
// left presses, in the game window's coordinates, for the caller to put in
// the input queue. It never changes the field, the shot or the game state.
//
// Aiming: for each candidate point (whole pixels at least AimMargin above
// the shot's centre, as a press must be) the shot's flight is run on a
// snapshot of the grid's kinds with the play field's own geometry
// (ShotPath), stepping as the field's clock steps, and the landing cell is
// predicted. Preferred: the largest burst of the shot's colour, then a cell
// touching its colour, then the highest cell; among equals the seeded
// generator picks. Wind, the quest's goal run and obstacles' own rules are
// not foreseen: the prediction is the plain landing.
//
// Timing: a shot is thought about for thinkUpdates updates after it sits
// still on the launcher with nothing flying and the game not paused.
// Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "external/lumora/Vector2.h"
#include "external/util/RandomUtil.h"
#include "framework/platform/Platform.h"
#include "src/play/BubbleGrid.h"

class GameAreaWidget;
struct PlayState;

namespace Autoplay
{

// The kinds of the 240 cells: -1 empty, else the sprite's kind.
using Snapshot = std::array<int8_t, GRID_CELLS>;

Snapshot TakeSnapshot(const BubbleGrid& grid);
// CRC-32 (zlib's) of a snapshot; tests and the checks of a think step.
uint32_t SnapshotCrc(const Snapshot& snapshot);

struct Prediction
{
    GridCell cell;      // where the shot comes to rest; (-1, -1): lost
    int32_t burst = 0;  // the group of its colour it completes (0 below 3)
    int32_t touching = 0; // neighbours of its colour
    bool reachesLauncher = false;
};

// The flight of a shot of `kind` from `position` (top-left corner) towards
// the press (pressX, pressY), field coordinates, with the field's clock at
// `clockMs` when the press is handled and advancing `stepMs` per smooth
// update.
Prediction PredictShot(const Snapshot& snapshot, int32_t kind, const Lumora::Vector2& position, int32_t pressX,
                       int32_t pressY, double clockMs, double stepMs);

struct Aim
{
    int32_t x = 0; // field coordinates of the press
    int32_t y = 0;
    Prediction prediction;
};

// The candidate presses for a shot whose top-left corner is at `position`.
std::vector<Aim> Candidates(const Lumora::Vector2& position);
// The best aim for the shot (see above); ties by `random`.
Aim ChooseAim(const Snapshot& snapshot, int32_t kind, const Lumora::Vector2& position, double clockMs, double stepMs,
              RandomUtil& random);

struct Counts
{
    int64_t shots = 0;
    int64_t predicted = 0;   // shots whose landing was checked
    int64_t predictedTrue = 0;
    int64_t bursts = 0;      // shots that burst their group
    int64_t drops = 0;       // bubbles that fell (landings without a push-down)
    int64_t checkedThinks = 0; // think steps whose grid CRC was compared
    int64_t changedThinks = 0; // ... and found the grid changed by thinking
};

class Autoplayer
{
public:
    Autoplayer(uint64_t seed, int32_t thinkUpdates, int32_t fieldX, int32_t fieldY);

    // One update of the game: what to do now, in window coordinates.
    // `stepMs`: the field clock's milliseconds per smooth update.
    std::vector<Framework::InputEvent> Update(const GameAreaWidget& field, const PlayState& state, double stepMs);

    const Counts& GetCounts() const { return counts; }
    // A shot is flying or about to be fired.
    bool Busy() const { return fired != nullptr || thinking > 0; }

private:
    void CheckLanding(const GameAreaWidget& field);

    RandomUtil random;
    int32_t thinkUpdates;
    int32_t fieldX;
    int32_t fieldY;
    int32_t thinking = 0;
    // The shot fired and where it was expected, until its flight is over.
    std::shared_ptr<const BubbleSprite> fired;
    GridCell expected;
    Snapshot beforeShot{};
    bool pressSeen = false;
    Counts counts;
};

} // namespace Autoplay
