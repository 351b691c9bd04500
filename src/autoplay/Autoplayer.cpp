#include "src/autoplay/Autoplayer.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>
#include <utility>

#include "src/core/PlayHost.h"
#include "src/effects/Clock.h"
#include "src/play/GameAreaWidget.h"
#include "src/play/ShotPath.h"

namespace Autoplay
{

namespace
{

// Flights longer than this (milliseconds of field time) are given up: a
// shot crosses the field in well under two seconds.
constexpr double LongestFlightMs = 10000.0;

int8_t KindAt(const Snapshot& snapshot, int32_t row, int32_t column)
{
    return BubbleGrid::IsInGrid(row, column) ? snapshot[size_t(row * GRID_COLUMNS + column)] : int8_t(-1);
}

// The group of `kind` the shot at `cell` joins, the shot included.
int32_t GroupSize(const Snapshot& snapshot, const GridCell& cell, int32_t kind)
{
    std::array<bool, GRID_CELLS> seen{};
    std::vector<GridCell> open{cell};
    seen[size_t(cell.row * GRID_COLUMNS + cell.column)] = true;
    int32_t size = 0;
    while (!open.empty())
    {
        const GridCell at = open.back();
        open.pop_back();
        ++size;
        for (int32_t direction : {DIR_LEFT, DIR_RIGHT, DIR_UPPER_LEFT, DIR_UPPER_RIGHT, DIR_LOWER_LEFT, DIR_LOWER_RIGHT})
        {
            GridCell next;
            if (!BubbleGrid::NeighbourCell(at.row, at.column, direction, next) ||
                !BubbleGrid::IsInGrid(next.row, next.column))
            {
                continue;
            }
            const size_t index = size_t(next.row * GRID_COLUMNS + next.column);
            if (!seen[index] && snapshot[index] == kind)
            {
                seen[index] = true;
                open.push_back(next);
            }
        }
    }
    return size;
}

int32_t Touching(const Snapshot& snapshot, const GridCell& cell, int32_t kind)
{
    int32_t count = 0;
    for (int32_t direction : {DIR_LEFT, DIR_RIGHT, DIR_UPPER_LEFT, DIR_UPPER_RIGHT, DIR_LOWER_LEFT, DIR_LOWER_RIGHT})
    {
        GridCell next;
        if (BubbleGrid::NeighbourCell(cell.row, cell.column, direction, next) &&
            KindAt(snapshot, next.row, next.column) == kind)
        {
            ++count;
        }
    }
    return count;
}

// Better first: a burst, a bigger one; touching its colour; a higher cell;
// a shot that stays on the field before one that is lost.
std::tuple<int32_t, int32_t, int32_t, int32_t> Rank(const Prediction& p)
{
    const bool placed = p.cell.row != -1 && !p.reachesLauncher;
    return {placed ? 1 : 0, p.burst, std::min(p.touching, 1), placed ? -p.cell.row : -GRID_ROWS};
}

} // namespace

Snapshot TakeSnapshot(const BubbleGrid& grid)
{
    Snapshot snapshot;
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            const BubbleGrid::SpritePtr sprite = grid.GetCell(row, column);
            snapshot[size_t(row * GRID_COLUMNS + column)] = sprite ? int8_t(sprite->GetKind()) : int8_t(-1);
        }
    }
    return snapshot;
}

uint32_t SnapshotCrc(const Snapshot& snapshot)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (int8_t value : snapshot)
    {
        crc ^= uint8_t(value);
        for (int bit = 0; bit < 8; ++bit)
        {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

Prediction PredictShot(const Snapshot& snapshot, int32_t kind, const Lumora::Vector2& position, int32_t pressX,
                       int32_t pressY, double clockMs, double stepMs)
{
    Prediction result;
    if (stepMs <= 0.0)
    {
        return result;
    }
    // What the collision search stops at, and what the landing walk does.
    const auto touches = [&](int32_t row, int32_t column)
    {
        const int8_t k = KindAt(snapshot, row, column);
        return k != -1 && k != KIND_NONE;
    };
    const auto taken = [&](int32_t row, int32_t column) { return KindAt(snapshot, row, column) != -1; };

    std::array<bool, GRID_ROWS> rowsTouched{};
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS && !rowsTouched[size_t(row)]; ++column)
        {
            rowsTouched[size_t(row)] = touches(row, column);
        }
    }
    const Lumora::Vector2 centre = position + ShotPath::CentreOffset;
    Lumora::Vector2 velocity =
        (Lumora::Vector2(float(pressX), float(pressY)) - centre).normalisedCopy() * GameAreaWidget::ShotSpeed;
    Lumora::Vector2 at = position;
    // The flight's effect counts whole milliseconds of the field's clock
    // from its start.
    const auto whole = [](double ms) { return ms <= 0.0 ? 0 : static_cast<int32_t>(ms); };
    double now = clockMs;
    const int32_t start = whole(now);
    int32_t last = 0;
    for (double flown = 0.0; flown < LongestFlightMs; flown += stepMs)
    {
        now += stepMs;
        const int32_t elapsed = whole(now) - start;
        if (elapsed != 0)
        {
            at = ShotPath::Move(at, velocity, elapsed - last);
        }
        last = elapsed;
        ShotPath::Bounce(at, velocity);
        if (at.y < 0.0f)
        {
            result.cell = ShotPath::TopLandingCell(taken, at);
            break;
        }
        // Only cells whose centre can lie within reach of the shot's centre
        // can be touched: with none in those rows the search finds nothing.
        const float centreY = at.y + ShotPath::CentreOffset.y;
        const int32_t firstRow = std::max(0, int32_t((centreY - ShotPath::TouchDistance) / float(CELL_SIZE)) - 1);
        const int32_t lastRow =
            std::min(GRID_ROWS - 1, int32_t((centreY + ShotPath::TouchDistance) / float(CELL_SIZE)) + 1);
        bool near = false;
        for (int32_t row = std::max(0, firstRow); row <= lastRow && !near; ++row)
        {
            near = rowsTouched[size_t(row)];
        }
        if (!near)
        {
            continue;
        }
        const GridCell hit = ShotPath::FindCollision(touches, at, velocity);
        if (hit.row == -1 || hit.column == -1)
        {
            continue;
        }
        if (hit.row == GRID_ROWS - 1 && at.y > ShotPath::LauncherLine)
        {
            result.reachesLauncher = true;
            return result;
        }
        result.cell = ShotPath::FindLandingCell(taken, hit.row, hit.column, ShotPath::LandingDirection(hit, at));
        break;
    }
    if (result.cell.row != -1 && IsColourKind(kind))
    {
        const int32_t group = GroupSize(snapshot, result.cell, kind);
        result.burst = group >= 3 ? group : 0;
        result.touching = Touching(snapshot, result.cell, kind);
    }
    return result;
}

std::vector<Aim> Candidates(const Lumora::Vector2& position)
{
    const Lumora::Vector2 centre = position + ShotPath::CentreOffset;
    const float highest = centre.y - GameAreaWidget::AimMargin;
    std::vector<Aim> aims;
    std::set<std::pair<int32_t, int32_t>> seen;
    // Every half degree from 8 to 172, as far out as the field allows.
    for (int32_t half = 16; half <= 344; ++half)
    {
        const double radians = double(half) * 0.5 * 3.14159265358979 / 180.0;
        const double dx = std::cos(radians);
        const double dy = -std::sin(radians);
        double reach = 420.0;
        if (dx > 0.0)
        {
            reach = std::min(reach, (ShotPath::RightWall - 2.0 - centre.x) / dx);
        }
        else if (dx < 0.0)
        {
            reach = std::min(reach, (ShotPath::LeftWall + 2.0 - centre.x) / dx);
        }
        reach = std::min(reach, (centre.y - 2.0) / -dy);
        const auto x = static_cast<int32_t>(std::lround(centre.x + dx * reach));
        const auto y = static_cast<int32_t>(std::lround(centre.y + dy * reach));
        if (float(y) > highest || !seen.insert({x, y}).second)
        {
            continue;
        }
        aims.push_back(Aim{x, y, {}});
    }
    return aims;
}

Aim ChooseAim(const Snapshot& snapshot, int32_t kind, const Lumora::Vector2& position, double clockMs, double stepMs,
              RandomUtil& random)
{
    std::vector<Aim> aims = Candidates(position);
    for (Aim& aim : aims)
    {
        aim.prediction = PredictShot(snapshot, kind, position, aim.x, aim.y, clockMs, stepMs);
    }
    if (aims.empty())
    {
        return {};
    }
    const auto best = Rank(std::max_element(aims.begin(), aims.end(), [](const Aim& a, const Aim& b)
                                            { return Rank(a.prediction) < Rank(b.prediction); })
                               ->prediction);
    std::vector<const Aim*> equal;
    for (const Aim& aim : aims)
    {
        if (Rank(aim.prediction) == best)
        {
            equal.push_back(&aim);
        }
    }
    return *equal[size_t(random.Next(0, int32_t(equal.size())))];
}

Autoplayer::Autoplayer(uint64_t seed, int32_t thinkFor, int32_t x, int32_t y)
    : random(seed), thinkUpdates(std::max(thinkFor, 1)), fieldX(x), fieldY(y)
{
}

void Autoplayer::CheckLanding(const GameAreaWidget& field)
{
    const GridCell landed{fired->GetRow(), fired->GetColumn()};
    ++counts.predicted;
    if (landed == expected)
    {
        ++counts.predictedTrue;
    }
    if (!BubbleGrid::IsInGrid(landed.row, landed.column))
    {
        return;
    }
    // What left the field: the shot's group when it burst, the rest fell.
    // A push-down meanwhile (more bubbles than before) spoils the count.
    const Snapshot after = TakeSnapshot(field);
    const auto occupied = [](const Snapshot& s)
    { return std::count_if(s.begin(), s.end(), [](int8_t k) { return k != -1; }); };
    if (occupied(after) > occupied(beforeShot) + 1)
    {
        return;
    }
    int64_t removed = 0;
    for (size_t i = 0; i < after.size(); ++i)
    {
        removed += beforeShot[i] != -1 && after[i] == -1 ? 1 : 0;
    }
    int64_t group = 1;
    if (field.GetCell(landed.row, landed.column).get() != fired.get() &&
        beforeShot[size_t(landed.row * GRID_COLUMNS + landed.column)] == -1)
    {
        ++counts.bursts;
        group = GroupSize(beforeShot, landed, fired->GetKind());
    }
    counts.drops += std::max<int64_t>(0, removed - (group - 1));
}

std::vector<Framework::InputEvent> Autoplayer::Update(const GameAreaWidget& field, const PlayState& state,
                                                      double stepMs)
{
    std::vector<Framework::InputEvent> out;
    const BubbleGrid::SpritePtr& shot = field.GetShot();
    if (fired)
    {
        if (field.IsShotInFlight())
        {
            pressSeen = true;
            return out;
        }
        if (pressSeen)
        {
            // Landed where expected? Only plain landings count: the stage's
            // end and the quest's goal run are not predicted.
            if (!state.stageOver && !state.wallBurst)
            {
                CheckLanding(field);
            }
        }
        else if (shot.get() == fired.get())
        {
            --counts.shots; // the press was not taken
        }
        fired.reset();
        pressSeen = false;
    }
    if (state.stageOver || state.paused || field.IsShotInFlight() || !shot ||
        shot->GetPosition() != Lumora::Vector2(GameAreaWidget::ShooterX, GameAreaWidget::ShooterY))
    {
        thinking = 0;
        return out;
    }
    if (++thinking < thinkUpdates)
    {
        return out;
    }
    thinking = 0;

    Aim aim;
    const Snapshot before = TakeSnapshot(field);
    if (state.wallBurst)
    {
        // The barrier is down: straight up into the goal.
        const Lumora::Vector2 centre = shot->GetPosition() + ShotPath::CentreOffset;
        aim.x = int32_t(centre.x);
        aim.y = 100;
    }
    else
    {
        // The field's clock when the press is handled: one smooth update on.
        const double clockMs = field.GetClock() ? field.GetClock()->GetExactTime() + stepMs : 0.0;
        aim = ChooseAim(before, shot->GetKind(), shot->GetPosition(), clockMs, stepMs, random);
    }
    ++counts.checkedThinks;
    if (SnapshotCrc(TakeSnapshot(field)) != SnapshotCrc(before))
    {
        ++counts.changedThinks;
    }

    Framework::InputEvent e;
    e.type = Framework::InputEvent::Type::MouseMove;
    e.x = aim.x + fieldX;
    e.y = aim.y + fieldY;
    out.push_back(e);
    e.type = Framework::InputEvent::Type::MouseDown;
    e.clickCount = 1;
    out.push_back(e);
    e.type = Framework::InputEvent::Type::MouseUp;
    out.push_back(e);
    fired = shot;
    beforeShot = before;
    expected = aim.prediction.cell;
    ++counts.shots;
    return out;
}

} // namespace Autoplay
