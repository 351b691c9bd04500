// The play field's obstacle rules: what a bomb, a water hole, a flame, lava,
// a plant, a tornado and a mushroom do when the shot touches them, the wind
// of the clouds, and the services the obstacles' animations call back.
#include "src/play/GameAreaWidget.h"

#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/effects/CellBurstEffects.h"
#include "src/effects/FieldEffects.h"
#include "src/effects/FlipBooks.h"
#include "src/effects/SpriteAnimation.h"
#include "src/play/BulletBubbleMoveEffect.h"
#include "src/sprites/MushroomSprite.h"
#include "src/sprites/TornadoSprite.h"
#include "src/sprites/WindCloudSprite.h"

#include <cstdlib>
#include <vector>

namespace
{
// Cell lists for the burst effects: x the row, y the column.
Lumora::Vector2 CellVector(int32_t row, int32_t column)
{
    return {float(row), float(column)};
}

int32_t StepTowards(int32_t from, int32_t to)
{
    return from < to ? 1 : (from > to ? -1 : 0);
}
} // namespace

bool GameAreaWidget::HitBomb(int32_t row, int32_t column)
{
    PlayState& state = host.State();
    host.PlaySound(SOUND_BOMB);
    state.score += 100;
    if (const SpritePtr bomb = GetCell(row, column))
    {
        SpriteAnimationManager::Instance().Add(MakeBombBurstAnimation(bomb->GetPosition()));
    }
    // A diamond of array positions, not of hexagonal neighbours.
    for (int32_t r = row - 2; r <= row + 2; ++r)
    {
        for (int32_t c = column - 2; c <= column + 2; ++c)
        {
            if (std::abs(r - row) + std::abs(c - column) > 2)
            {
                continue;
            }
            const SpritePtr content = GetCell(r, c);
            // The quest's barrier row withstands bombs.
            if (!content || (IsQuest() && r == 2))
            {
                continue;
            }
            state.score += 10;
            BurstParticles(CellCentre(content.get()), 5);
            EmptyCell(r, c);
        }
    }
    DropFloating();
    PrepareShots();
    CheckCleared();
    return true;
}

bool GameAreaWidget::HitWaterHole(int32_t row, int32_t column)
{
    host.PlaySound(SOUND_ICE_HOLE);
    if (const SpritePtr hole = GetCell(row, column); hole && shot)
    {
        SpriteAnimationManager::Instance().Add(
            std::make_shared<BubbleSinkEffect>(Services(), hole->GetPosition(), shot->GetKind()));
    }
    // The shot is not in the grid: a miss.
    MatchAndScore(true, true);
    PrepareShots();
    CheckCleared();
    return true;
}

bool GameAreaWidget::HitFlame(int32_t row, int32_t column)
{
    host.PlaySound(SOUND_FIRE);
    host.State().score += 100;

    GridCell other;
    for (int32_t r = 0; r < GRID_ROWS && other.row == -1; ++r)
    {
        for (int32_t c = 0; c < GRID_COLUMNS; ++c)
        {
            const SpritePtr& content = grid[size_t(r * GRID_COLUMNS + c)];
            if ((r != row || c != column) && content && content->GetKind() == KIND_BURNING_FLAME)
            {
                other = {r, c};
                break;
            }
        }
    }

    if (other.row != -1)
    {
        // The fire runs to the other flame: along the column first, then
        // along the row, both ends included.
        std::vector<Lumora::Vector2> path{CellVector(row, column)};
        int32_t r = row;
        int32_t c = column;
        while (r != other.row || c != other.column)
        {
            if (r != other.row)
            {
                r += StepTowards(r, other.row);
            }
            else
            {
                c += StepTowards(c, other.column);
            }
            path.push_back(CellVector(r, c));
        }
        shotInFlight = true;
        SpriteAnimationManager::Instance().Add(std::make_shared<FlameBurstEffect>(Services(), path));
        PrepareShots();
        return true;
    }

    if (const SpritePtr flame = GetCell(row, column))
    {
        BurstParticles(CellCentre(flame.get()), 5);
    }
    EmptyCell(row, column);
    if (shot)
    {
        BurstParticles(shot->GetPosition(), 5);
    }
    DropFloating();
    PrepareShots();
    CheckCleared();
    return true;
}

bool GameAreaWidget::HitLava(int32_t row, int32_t column)
{
    host.PlaySound(SOUND_LAVA);
    if (const SpritePtr lava = GetCell(row, column))
    {
        lava->OnHit(shot ? shot->GetKind() : KIND_RED);
        if (lava->GetHitPoints() <= 0)
        {
            host.State().score += 100;
            BurstParticles(CellCentre(lava.get()), 5);
            SpriteAnimationManager::Instance().Add(MakeLavaDryUpAnimation(lava->GetPosition()));
            EmptyCell(row, column);
        }
    }
    DropFloating();
    PrepareShots();
    CheckCleared();
    return true;
}

bool GameAreaWidget::HitPlant(int32_t row, int32_t column)
{
    if (const SpritePtr plant = GetCell(row, column))
    {
        plant->OnHit(shot ? shot->GetKind() : KIND_GREEN);
        if (plant->GetHitPoints() == 1)
        {
            host.PlaySound(SOUND_EATBALL);
        }
        else if (plant->GetHitPoints() <= 0)
        {
            host.PlaySound(SOUND_PLANTDEATH);
            host.State().score += 100;
            SpriteAnimationManager::Instance().Add(MakePlantGoneAnimation(plant->GetPosition()));
            EmptyCell(row, column);
        }
        BurstParticles(CellCentre(plant.get()), 5);
    }
    DropFloating();
    PrepareShots();
    CheckCleared();
    return true;
}

bool GameAreaWidget::HitTornado(int32_t row, int32_t column)
{
    host.PlaySound(SOUND_TORNADO);
    host.State().score += 100;
    const SpritePtr tornado = GetCell(row, column);
    const auto* whirl = dynamic_cast<const TornadoSprite*>(tornado.get());
    const int32_t direction = whirl != nullptr ? whirl->GetDirection() : 0;
    const Lumora::Vector2 start = tornado ? tornado->GetPosition() : CellToPixel(row, column);

    std::vector<Lumora::Vector2> path{CellVector(row, column)};
    Lumora::Vector2 lastOccupied = start;
    int32_t dr = 0;
    int32_t dc = 0;
    switch (direction)
    {
        case TornadoSprite::Left:
            dc = -1;
            break;
        case TornadoSprite::Right:
            dc = 1;
            break;
        case TornadoSprite::Up:
            dr = -1;
            break;
        default:
            break;
    }
    if (dr != 0 || dc != 0)
    {
        for (int32_t r = row + dr, c = column + dc; IsInGrid(r, c); r += dr, c += dc)
        {
            const SpritePtr content = GetCell(r, c);
            if (content && (content->GetKind() == KIND_LOCK || content->GetKind() == KIND_WALL))
            {
                // The sweep stops before the first lock or wall.
                break;
            }
            path.push_back(CellVector(r, c));
            if (content)
            {
                lastOccupied = content->GetPosition();
            }
        }
    }
    shotInFlight = true;
    SpriteAnimationManager::Instance().Add(
        std::make_shared<TornadoEffect>(Services(), path, start, lastOccupied, direction));
    PrepareShots();
    return true;
}

bool GameAreaWidget::HitMushroom(int32_t row, int32_t column)
{
    host.PlaySound(SOUND_MUSHROOM);
    const SpritePtr mushroom = GetCell(row, column);
    if (!mushroom || !shot)
    {
        return true;
    }
    mushroom->OnHit(shot->GetKind());
    auto* bouncer = dynamic_cast<MushroomSprite*>(mushroom.get());
    const int32_t direction = bouncer != nullptr ? bouncer->GetDirection() : 0;

    bool throwable = false;
    Lumora::Vector2 from;
    Lumora::Vector2 velocity;
    switch (direction)
    {
        case MushroomSprite::Straight:
            // In row 0 there is nothing above to throw to: an ordinary landing.
            throwable =
                row > 0 && !NeighbourAt(row, column, DIR_UPPER_LEFT) && !NeighbourAt(row, column, DIR_UPPER_RIGHT);
            from = CellToPixel(row, column) - Lumora::Vector2(0.0f, 45.0f);
            velocity = Lumora::Vector2(10.0f, -45.0f).normalisedCopy() * ShotSpeed;
            break;
        case MushroomSprite::Left:
            throwable = column > 0 && !GetCell(row, column - 1);
            from = CellToPixel(row, column - 1) - Lumora::Vector2(15.0f, 0.0f);
            velocity = ((from - mushroom->GetPosition()) - Lumora::Vector2(0.0f, 10.0f)).normalisedCopy() * ShotSpeed;
            break;
        case MushroomSprite::Right:
            throwable = column < GRID_COLUMNS - 1 && !GetCell(row, column + 1);
            from = CellToPixel(row, column + 1) + Lumora::Vector2(15.0f, 0.0f);
            velocity = ((from - mushroom->GetPosition()) - Lumora::Vector2(0.0f, 10.0f)).normalisedCopy() * ShotSpeed;
            break;
        default:
            break;
    }
    if (!throwable)
    {
        LandShot(row, column);
        return true;
    }
    shot->SetPosition(from);
    ThrowShot(velocity);
    bouncer->StartBounce();
    return false;
}

int32_t GameAreaWidget::WindDirectionAt() const
{
    if (host.State().world != Game::WorldAir || !shot)
    {
        return 0;
    }
    const Lumora::Vector2 cell = PixelToCell(shot->GetPosition().x, shot->GetPosition().y);
    const auto r = int32_t(cell.x);
    const auto c = int32_t(cell.y);
    if (!IsInGrid(r, c))
    {
        return 0;
    }
    for (const SpritePtr& content : grid)
    {
        const auto* cloud = dynamic_cast<const WindCloudSprite*>(content.get());
        if (cloud == nullptr || cloud->IsResting())
        {
            continue;
        }
        switch (cloud->GetDirection())
        {
            case WindCloudSprite::Left:
                if (r == cloud->GetRow() && c < cloud->GetColumn())
                {
                    return WindCloudSprite::Left;
                }
                break;
            case WindCloudSprite::Right:
                if (r == cloud->GetRow() && c > cloud->GetColumn())
                {
                    return WindCloudSprite::Right;
                }
                break;
            case WindCloudSprite::Up:
                if (c == cloud->GetColumn() && r < cloud->GetRow())
                {
                    return WindCloudSprite::Up;
                }
                break;
            default:
                break;
        }
    }
    return 0;
}

void GameAreaWidget::ApplyWind(int32_t direction)
{
    // Not normalised: sideways wind is a little faster than the shot.
    switch (direction)
    {
        case WindCloudSprite::Left:
            ThrowShot(Lumora::Vector2(-1.0f, -0.2f) * ShotSpeed);
            break;
        case WindCloudSprite::Right:
            ThrowShot(Lumora::Vector2(1.0f, -0.2f) * ShotSpeed);
            break;
        case WindCloudSprite::Up:
            ThrowShot(Lumora::Vector2(0.0f, -1.0f) * ShotSpeed);
            break;
        default:
            break;
    }
}

void GameAreaWidget::ThrowShot(const Lumora::Vector2& velocity)
{
    // Asked from inside the flight's own end test the effect is still
    // running and Start does nothing; the new velocity acts from the next
    // step either way.
    bulletEffect->SetTarget(shot);
    bulletEffect->GetAlgorithm()->SetVelocity(velocity);
    bulletEffect->Start();
    shotInFlight = true;
}

void GameAreaWidget::BurstCell(int32_t row, int32_t column)
{
    const SpritePtr content = GetCell(row, column);
    if (!content)
    {
        return;
    }
    host.State().score += 10;
    BurstParticles(CellCentre(content.get()), 5);
    host.PlaySound(SOUND_BALL_EX);
    EmptyCell(row, column);
}

void GameAreaWidget::RecordSunkBubble(const Lumora::Vector2& position, Framework::Image* image)
{
    sunkDrops.push_back({position, image});
    const Lumora::Vector2 cell = PixelToCell(position.x, position.y);
    // The hole is used up; whatever else may stand there now stays.
    if (const SpritePtr hole = GetCell(int32_t(cell.x), int32_t(cell.y)); hole && hole->GetKind() == KIND_WATER_HOLE)
    {
        SetCell(int32_t(cell.x), int32_t(cell.y), nullptr, true);
    }
}

void GameAreaWidget::ClearBelowBarrier()
{
    for (int32_t row = 3; row < GRID_ROWS; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            if (const SpritePtr content = GetCell(row, column))
            {
                BurstParticles(content->GetPosition(), 5);
                EmptyCell(row, column);
            }
        }
    }
    for (const SunkDrop& drop : sunkDrops)
    {
        BurstParticles(drop.position, 5);
    }
    sunkDrops.clear();
}
