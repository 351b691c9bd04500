// The play field's landing rules: the landing test run after every step of
// the flight, the collision search, landing beside the hit cell, matching,
// dropping what hangs loose, and the clear test.
#include "src/play/GameAreaWidget.h"

#include "external/lumora/Math.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/effects/CellBurstEffects.h"
#include "src/effects/FieldEffects.h"
#include "src/effects/FlipBooks.h"
#include "src/effects/SpriteAnimation.h"
#include "src/play/BulletBubbleMoveEffect.h"
#include "src/play/ShotPath.h"
#include "src/screens/common/InGameScreens.h"
#include "src/script/DesignScript.h"
#include "src/sprites/WindCloudSprite.h"

#include <cmath>
#include <utility>

namespace
{
bool IsKind(const BubbleGrid::SpritePtr& sprite, int32_t kind)
{
    return sprite && sprite->GetKind() == kind;
}
} // namespace

std::weak_ptr<PlayFieldServices> GameAreaWidget::Services()
{
    return std::weak_ptr<GameAreaWidget>(weak_from_this());
}

bool GameAreaWidget::FlightStep()
{
    if (!shot)
    {
        return false;
    }
    PlayState& state = host.State();
    if (shot->GetPosition().y < 0.0f)
    {
        LandAtTop();
        EndShot();
        return true;
    }

    const GridCell hit = FindCollision(bulletEffect->GetAlgorithm()->GetVelocity());

    if (IsQuest() && state.wallBurst)
    {
        // The barrier has gone: the shot flies through everything towards
        // the goal in the middle of the top row.
        const Lumora::Vector2 cell = PixelToCell(shot->GetPosition().x, shot->GetPosition().y);
        if (cell.x >= 1.0f)
        {
            return false;
        }
        if (cell.x == 0.0f && cell.y >= 5.0f && cell.y <= 10.0f)
        {
            const SpritePtr scoring = shot;
            PrepareShots();
            scoring->SetPosition({0.0f, 0.0f});
            host.EndStage(true);
            showGoal = false;
            hitEffectVisible = false;
            hitEffectAlpha = 255;
            BurstParticles({270.0f, 30.0f}, 30);
            host.PlaySound(SOUND_BALL_EX);
        }
        else
        {
            PrepareShots();
        }
        EndShot();
        return true;
    }

    if (hit.row == -1 || hit.column == -1)
    {
        if (state.world == Game::WorldAir)
        {
            if (const int32_t wind = WindDirectionAt(); wind != 0)
            {
                ApplyWind(wind);
            }
        }
        return false;
    }

    // The flight is over before the rules run, so a push-down one of them
    // asks for (the sixth miss) happens at once.
    shotInFlight = false;
    DropFloating();

    const SpritePtr target = GetCell(hit.row, hit.column);
    const int32_t shotKind = shot->GetKind();
    bool over = true;
    switch (target ? target->GetKind() : KIND_NONE)
    {
        case KIND_BOMB:
            over = HitBomb(hit.row, hit.column);
            break;
        case KIND_WATER_HOLE:
            over = HitWaterHole(hit.row, hit.column);
            break;
        case KIND_BURNING_FLAME:
            over = shotKind == KIND_RED ? HitFlame(hit.row, hit.column) : (LandShot(hit.row, hit.column), true);
            break;
        case KIND_LAVA:
            over = shotKind == KIND_RED ? HitLava(hit.row, hit.column) : (LandShot(hit.row, hit.column), true);
            break;
        case KIND_GREEN_EATING_PLANT:
            over = shotKind == KIND_GREEN ? HitPlant(hit.row, hit.column) : (LandShot(hit.row, hit.column), true);
            break;
        case KIND_MUSHROOM:
            over = HitMushroom(hit.row, hit.column);
            break;
        case KIND_TORNADO:
            over = HitTornado(hit.row, hit.column);
            break;
        default:
            LandShot(hit.row, hit.column);
            break;
    }
    if (over)
    {
        RunPendingPushDown();
    }
    return over;
}

GridCell GameAreaWidget::FindCollision(const Lumora::Vector2& velocity) const
{
    if (!shot)
    {
        return {};
    }
    const auto occupied = [this](int32_t row, int32_t column)
    {
        const SpritePtr& content = grid[size_t(row * GRID_COLUMNS + column)];
        return content && content->GetKind() != KIND_NONE;
    };
    return ShotPath::FindCollision(occupied, shot->GetPosition(), velocity);
}

void GameAreaWidget::LandShot(int32_t row, int32_t column)
{
    const SpritePtr hit = GetCell(row, column);
    if (!hit || !shot)
    {
        return;
    }
    const Lumora::Vector2 flight = bulletEffect->GetAlgorithm()->GetVelocity().normalisedCopy() * 5.0f;
    hit->OnHit(shot->GetKind());
    if (hit->GetHitPoints() == 0)
    {
        // The snowman's second hit: its body flies off and the shot takes
        // its place without a match.
        StartSnowManAnimation(*hit, flight, false);
        SetCell(row, column, shot, true);
    }
    else
    {
        if (hit->GetKind() == KIND_SNOWMAN)
        {
            StartSnowManAnimation(*hit, flight, true);
        }
        const int32_t direction = ShotPath::LandingDirection({row, column}, shot->GetPosition());
        if (row == GRID_ROWS - 1 && shot->GetPosition().y > ShotPath::LauncherLine)
        {
            // The field has reached the launcher: the shot is not placed
            // and no new one is dealt.
            host.EndStage(false);
            return;
        }
        const GridCell landed = FindLandingCell(row, column, direction);
        NudgeNeighbours(landed.row, landed.column);
        MatchAndScore(true, hit->GetKind() != KIND_WALL);
    }
    CheckCleared();
    PrepareShots();
}

void GameAreaWidget::StartSnowManAnimation(const BubbleSprite& snowman, const Lumora::Vector2& flight, bool head)
{
    const Lumora::Vector2 position = snowman.GetPosition();
    SpriteAnimationManager& animations = SpriteAnimationManager::Instance();
    animations.Add(MakeSnowManHitAnimation(position));
    animations.Add(std::make_shared<SnowManHeadEffect>(int32_t(position.x), int32_t(position.y), flight, head));
}

GridCell GameAreaWidget::FindLandingCell(int32_t row, int32_t column, int32_t direction)
{
    const auto occupied = [this](int32_t r, int32_t c) { return GetCell(r, c) != nullptr; };
    const GridCell landed = ShotPath::FindLandingCell(occupied, row, column, direction);
    if (landed.row != -1)
    {
        SetCell(landed.row, landed.column, shot, true);
    }
    return landed;
}

void GameAreaWidget::NudgeNeighbours(int32_t row, int32_t column)
{
    if (row == -1 || column == -1)
    {
        return;
    }
    // Away from the landing cell; angles in the screen's y-down frame.
    const auto angle = [](float degrees)
    {
        const float radians = Lumora::Math::DegreesToRadians(degrees);
        return Lumora::Vector2(Lumora::Math::Cos(radians), Lumora::Math::Sin(radians));
    };
    const std::pair<int32_t, Lumora::Vector2> pushes[] = {
        {DIR_LEFT, {-1.0f, 0.0f}},       {DIR_RIGHT, {1.0f, 0.0f}},        {DIR_UPPER_LEFT, angle(240.0f)},
        {DIR_LOWER_LEFT, angle(120.0f)}, {DIR_UPPER_RIGHT, angle(300.0f)}, {DIR_LOWER_RIGHT, angle(60.0f)},
    };
    for (const auto& [direction, away] : pushes)
    {
        if (const SpritePtr neighbour = NeighbourAt(row, column, direction))
        {
            neighbour->Shake(away, 1.0f);
        }
    }
}

void GameAreaWidget::LandAtTop()
{
    if (!shot)
    {
        return;
    }
    // Never over another sprite: with the next cell taken too the shot is
    // lost, a miss.
    const auto occupied = [this](int32_t r, int32_t c) { return GetCell(r, c) != nullptr; };
    if (const GridCell cell = ShotPath::TopLandingCell(occupied, shot->GetPosition()); cell.row != -1)
    {
        SetCell(cell.row, cell.column, shot, true);
    }
    MatchAndScore(true, true);
    CheckCleared();
    PrepareShots();
}

void GameAreaWidget::MatchAndScore(bool matchSound, bool missSound)
{
    PlayState& state = host.State();
    matchList.clear();
    matched.fill(false);
    if (shot)
    {
        FloodSameKind(shot->GetRow(), shot->GetColumn(), shot->GetKind());
    }
    if (matchList.size() >= 3)
    {
        if (matchSound)
        {
            host.PlaySound(SOUND_BALL_EX);
        }
        state.score += DesignScript::CalcScore(int32_t(matchList.size()));
        for (const SpritePtr& entry : matchList)
        {
            BurstParticles(CellCentre(entry.get()), 5);
            SetCell(entry->GetRow(), entry->GetColumn(), nullptr, true);
        }
    }
    else
    {
        if (missSound)
        {
            host.PlaySound(SOUND_BALL_HIT);
        }
        state.shotsUntilPushDown -= 1;
        if (state.mode != Game::ModeTime && state.shotsUntilPushDown <= 0)
        {
            PushDown();
            state.shotsUntilPushDown = Game::ShotsPerPushDown;
        }
    }
    DropFloating();
}

void GameAreaWidget::FloodSameKind(int32_t row, int32_t column, int32_t kind)
{
    if (!IsInGrid(row, column))
    {
        return;
    }
    const size_t index = size_t(row * GRID_COLUMNS + column);
    const SpritePtr& content = grid[index];
    if (!content || content->GetKind() != kind || matched[index])
    {
        return;
    }
    matched[index] = true;
    matchList.push_back(content);
    const int32_t side = row % 2 == 0 ? column - 1 : column + 1;
    FloodSameKind(row - 1, column, kind);
    FloodSameKind(row - 1, side, kind);
    FloodSameKind(row, column - 1, kind);
    FloodSameKind(row, column + 1, kind);
    FloodSameKind(row + 1, column, kind);
    FloodSameKind(row + 1, side, kind);
}

void GameAreaWidget::DropFloating()
{
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            if (const SpritePtr& content = grid[size_t(row * GRID_COLUMNS + column)])
            {
                content->SetMarked(row != 0);
            }
        }
    }
    for (int32_t column = 0; column < GRID_COLUMNS; ++column)
    {
        AnchorFrom(0, column);
    }
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            if (IsKind(grid[size_t(row * GRID_COLUMNS + column)], KIND_WALL))
            {
                AnchorFrom(row, column);
            }
        }
    }
    PlayState& state = host.State();
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            const SpritePtr& content = grid[size_t(row * GRID_COLUMNS + column)];
            if (!content || content->GetKind() == KIND_WALL || !content->IsMarked())
            {
                continue;
            }
            state.score += 100;
            BurstParticles(CellCentre(content.get()), 5);
            EmptyCell(row, column);
        }
    }
}

void GameAreaWidget::AnchorFrom(int32_t row, int32_t column)
{
    const SpritePtr content = GetCell(row, column);
    if (!content || (content->GetKind() != KIND_WALL && content->IsMarked()))
    {
        return;
    }
    for (int32_t direction = 1; direction <= 7; ++direction)
    {
        const SpritePtr neighbour = NeighbourAt(row, column, direction);
        if (neighbour && neighbour->IsMarked())
        {
            neighbour->SetMarked(false);
            AnchorFrom(neighbour->GetRow(), neighbour->GetColumn());
        }
    }
}

void GameAreaWidget::EndShot()
{
    shotInFlight = false;
    DropFloating();
    CheckCleared();
    RunPendingPushDown();
}

void GameAreaWidget::RunPendingPushDown()
{
    if (pushDownPending && !shotInFlight && !host.State().stageOver)
    {
        PushDown();
    }
}

void GameAreaWidget::CheckCleared()
{
    const PlayState& state = host.State();
    if (state.stageOver || (IsQuest() && state.wallBurst) || CountColourBubbles() != 0)
    {
        return;
    }
    if (IsQuest())
    {
        // The barrier row gives way; until it has, nothing is fired.
        SpriteAnimationManager::Instance().Add(std::make_shared<BurstWallEffect>(Services()));
        hitEffectVisible = true;
        host.State().wallBurst = true;
        shotInFlight = true;
    }
    else
    {
        host.EndStage(true);
    }
}

void GameAreaWidget::EmptyCell(int32_t row, int32_t column)
{
    const SpritePtr content = GetCell(row, column);
    if (!content)
    {
        return;
    }
    if (content->GetKind() == KIND_WIND_CLOUD)
    {
        const auto* cloud = dynamic_cast<const WindCloudSprite*>(content.get());
        if (cloud != nullptr && !cloud->IsResting())
        {
            // The blowing cloud leaves: its wind goes with it.
            host.StopWindLoop();
            host.State().windCloudActive = false;
        }
    }
    SetCell(row, column, nullptr, true);
}

void GameAreaWidget::ShowHighScores(int32_t rank, bool atStageEnd)
{
    if (screens != nullptr)
    {
        screens->ShowHighScores(rank, atStageEnd);
    }
}

void GameAreaWidget::ShowCongratulation()
{
    if (screens != nullptr)
    {
        screens->ShowCongratulation();
    }
}
